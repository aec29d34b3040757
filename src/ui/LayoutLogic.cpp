#include "ui/LayoutLogic.h"

#include <cstdlib>

float ScaleFromDpi(int dpi) {
    return static_cast<float>(dpi) / 96.0f;
}

int32_t ScaleX(float scale, int32_t v) {
    return static_cast<int32_t>(static_cast<float>(v) * scale);
}

int32_t ContentLeft(int32_t clientWidth, float scale) {
    return (clientWidth - ScaleX(scale, 560)) / 2;
}

std::array<int32_t, 9> LayoutRows(float scale) {
    static constexpr int32_t kSteps[9] = {20, 30, 35, 50, 150, 100, 30, 55, 60};
    std::array<int32_t, 9> rows{};
    int32_t rowY = 0;
    for (int i = 0; i < 9; ++i) {
        rowY += ScaleX(scale, kSteps[i]);
        rows[i] = rowY;
    }
    return rows;
}

int32_t MulDivRound(int32_t value, int32_t numerator, int32_t denominator) {
    if (denominator == 0) {
        return -1;
    }
    int64_t product = static_cast<int64_t>(value) * numerator;
    int64_t half = std::llabs(denominator) / 2;
    bool negative = (product < 0) != (denominator < 0);
    int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
