#include "ui/ThemeLogic.h"

#include "res/resource.h"

bool ChooseButtonFace(int ctlId, uint32_t itemState, bool isRecording, bool isPlaying, uint32_t* face) {
    bool firstTest = false;
    uint32_t firstColour = 0;
    switch (ctlId) {
        case IDC_START:
            firstTest = (itemState & kItemSelected) != 0;
            firstColour = kAccentPressedColour;
            break;
        case IDC_RECORD:
            firstTest = isRecording;
            firstColour = kRecordingColour;
            break;
        case IDC_PLAYBACK:
            firstTest = isPlaying;
            firstColour = kPlayingColour;
            break;
        default: return false;
    }
    if (firstTest) {
        *face = firstColour;
    } else if (itemState & kItemFocus) {
        *face = kAccentFocusedColour;
    } else {
        *face = kAccentColour;
    }
    return true;
}
