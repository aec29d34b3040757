#include "ui/LayoutLogic.h"

float ScaleFromDpi(int dpi) {
    return static_cast<float>(dpi) / 96.0f;
}

int32_t ScaleX(float scale, int32_t v) {
    return static_cast<int32_t>(static_cast<float>(v) * scale);
}

int32_t ContentLeft(int32_t clientWidth, float scale) {
    return (clientWidth - ScaleX(scale, 560)) / 2;
}
