// The design grid of the main window: values in 1/96-inch units scaled to the monitor's DPI.
#pragma once

#include <cstdint>

// LOGPIXELSX / 96 in single precision.
float ScaleFromDpi(int dpi);

// One design value in device pixels: v * scale in single precision, truncated toward zero.
int32_t ScaleX(float scale, int32_t v);

// Left edge of the 560-unit content column centred in a client area of the given width
// (signed, truncated toward zero; negative when the client area is narrower).
int32_t ContentLeft(int32_t clientWidth, float scale);
