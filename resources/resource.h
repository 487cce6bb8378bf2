#pragma once
// Resource ids shared by the resource script and the code.
#define IDI_VORLIX 128
#define IDR_TRAY_MENU 201
#define ID_TRAY_SHOW_HIDE 2100
#define ID_TRAY_EXIT 2101
#define IDD_EMPTY_203 203
#define IDD_EMPTY_205 205
#define IDD_EMPTY_206 206
