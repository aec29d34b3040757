// The three global hotkeys and the Settings dialog that changes them.
#pragma once

#include <windows.h>

#include <cstdint>

void ChangeStartStopHotkey(uint32_t newKey, HWND boxOwner);
void ChangeRecordHotkey(uint32_t newKey, HWND boxOwner);
void ChangePlaybackHotkey(uint32_t newKey, HWND boxOwner);
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
