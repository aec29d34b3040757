// Resource and control identifiers shared by the resource script and the code.
#pragma once

// Strings, icons, menu and accelerators
#define IDS_APP_TITLE 103
#define IDI_APP_ICON 110
#define IDI_APP_SMALL 111
#define IDC_MAIN_CLASS 112

// Dialog templates
#define IDD_ABOUTBOX 103
#define IDD_SETTINGS 104
#define IDD_USER_GUIDE 115

// Menu and accelerator commands
#define IDM_ABOUT 105
#define IDM_EXIT 106
#define IDM_SETTINGS 107
#define IDM_SAVE_PROFILE 108
#define IDM_LOAD_PROFILE 109
#define IDM_NEW_PROFILE 113
#define IDM_USER_GUIDE 114

// Main window controls
#define IDC_HOURS 1000
#define IDC_MINS 1001
#define IDC_SECS 1002
#define IDC_MILLISECS 1003
#define IDC_MOUSE_BUTTON 1006
#define IDC_CLICK_TYPE 1007
#define IDC_REPEAT 1008
#define IDC_REPEAT_UNTIL_STOPPED 1009
#define IDC_REPEAT_TIMES 1010
#define IDC_START 1011
#define IDC_STATUS 1012
#define IDC_CURSOR_LABEL 1015
#define IDC_CURSOR_POS 1016
#define IDC_CURSOR_X 1017
#define IDC_CURSOR_Y 1018
#define IDC_RECORD 1019
#define IDC_PLAYBACK 1020
#define IDC_PLAYBACK_REPEAT 1024
#define IDC_PLAYBACK_REPEAT_UNTIL_STOPPED 1025
#define IDC_PLAYBACK_REPEAT_TIMES 1026

// Settings dialog controls
#define IDC_STARTSTOP_HOTKEY 1013
#define IDC_SETTINGS_SAVE 1014
#define IDC_RECORD_HOTKEY 1022
#define IDC_PLAYBACK_HOTKEY 1023

// User Guide dialog control
#define IDC_GUIDE_TEXT 1200

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
