// The text of Help > User Guide. Platform-free so its layout can be checked natively.
#pragma once

#include <string>

// The whole guide: lines separated by CR LF, no line break after the last line.
std::wstring BuildGuideText();
