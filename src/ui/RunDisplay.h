// What the main window shows of the runs: the one place that writes the three run buttons'
// captions and colours, the status line and which controls can be used.
#pragma once

// Which text the status line takes: the clicker's count, the recording's size, or the one it has.
enum class StatusLine { Keep, Click, Record };

// Brings the run buttons, the enabled controls and (as asked) the status line in line with the
// run state in AppState. Every start, stop, tick, hotkey change and profile change calls it after
// changing the state.
void ShowRunState(StatusLine line);
