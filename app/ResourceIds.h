/* The resource and control ids of the desktop program, one source for the
   Win32 resource script and the C++ of both front ends. Plain defines, so that
   the resource compiler reads this header too. */
#pragma once

#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 128
#define IDD_MAINDLG 129
#define IDD_WAVE_TWEAKER 201
#define IDD_IMPORT_CYCLE 202
#define IDD_BANK 203

#define IDC_FILTER 107
#define IDC_NORMALIZE 108
#define IDC_ADDITIVE 109
#define IDC_UNDO 110
#define IDC_CLEAR 111
#define IDC_RANDOM_PD 112

#define IDC_SEND 1000
#define IDC_PORT 1001
#define IDC_WAVE_NUMBER 1003
#define IDC_WAVE_VIEW 1004
#define IDC_FILE_NAME 1005
#define IDC_RELOAD 1006

/* The Import Cycle window. */
#define IDC_RECORDING_VIEW 1010
#define IDC_CYCLE_VIEW 1011
#define IDC_CYCLE_START 1012
#define IDC_CYCLE_LENGTH 1013
#define IDC_AUTO 1014
#define IDC_CYCLE_STATUS 1015

/* The bank window. */
#define IDC_BANK_VIEW 1020
#define IDC_BANK_OPEN 1021
#define IDC_BANK_SAVE 1022
#define IDC_BANK_USE 1023
#define IDC_BANK_CLEAR 1024
#define IDC_BANK_SEND 1025
#define IDC_BANK_RESUME 1026
#define IDC_BANK_CANCEL 1027
#define IDC_BANK_STATUS 1028

#define ID_APP_ABOUT 0xE140

/* The commands of the pictures' context menu and their shortcuts. */
#define ID_FILE_OPEN 0xE101
#define ID_FILE_SAVE_AS 0xE103
#define ID_LISTEN 0x8010
#define ID_EDIT_WAVE 0x8011
#define ID_IMPORT_CYCLE 0x8012
#define ID_BANK 0x8013
