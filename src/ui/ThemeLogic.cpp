#include "ui/ThemeLogic.h"

bool ChooseButtonFace(int ctlId, uint32_t itemState, bool isRecording, bool isPlaying, uint32_t* face) {
    bool firstTest = false;
    uint32_t firstColour = 0;
    switch (ctlId) {
        case 1011:
            firstTest = (itemState & kItemSelected) != 0;
            firstColour = kAccentPressedColour;
            break;
        case 1019:
            firstTest = isRecording;
            firstColour = kRecordingColour;
            break;
        case 1020:
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
