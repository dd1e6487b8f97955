#pragma once
// Resource ids of the program's windows (only #defines). Ranges: icons and
// pictures 1-99, dialogs 100+, controls 1000+, menu commands 40000+. The
// string table uses the texts' own numbers (base/TextTable.inc).

// The four small dialogs: dialogs 100-149, controls 1000-1199, pictures 1-19.
// (Dialog 101 and controls 1001-1003 belong to the progress dialog,
// switching/win32/SwitchHintIds.h, which shares the executable.)

// Pictures (Pictures.rc, made by scripts/make-pictures.sh):
// ICON, the program's icon, 16/24/32/48/256 pixels: the main window's
// class icon, the tray icon and the about box's Image1. The lowest icon id,
// so Explorer shows it for the executable.
#define IDI_QUORVIN 1
// RCDATA JPEG, 639x50: the main window's title band, drawn stretched.
#define IDR_TITLEBAND 2
// RCDATA JPEG, 360x50: the about box's banner (Image2).
#define IDR_BANNER 3
// RCDATA JPEG, 200x40: the maker's logo, the main window's Image2.
#define IDR_HOMEPAGE 4
// ICON, 16x16: the image of the update link (iUpdate).
#define IDI_UPDATE 5

// Dialogs.
#define IDD_OPTIONS 110
#define IDD_RENAME 111
#define IDD_ASKEXIT 112
#define IDD_ABOUT 113

// TfrmOptions.
#define IDC_OPTIONS_GROUPBOX1 1100
#define IDC_CBAUTOSTART 1101
#define IDC_CBAUTOCLOSEDIALOG 1102
#define IDC_CBASKLOAD 1103
#define IDC_CBASKEXIT 1104
#define IDC_OPTIONS_BOK 1105
#define IDC_OPTIONS_BCANCEL 1106

// TfrmRename.
#define IDC_RENAME_BOK 1110
#define IDC_RENAME_GROUPBOX1 1111
#define IDC_RENAME_LABEL1 1112
#define IDC_ENAME 1113
#define IDC_RENAME_BCANCEL 1114

// TfrmAskExit.
#define IDC_ASK_GROUPBOX1 1120
#define IDC_ASK_BCANCEL 1121
#define IDC_ASK_BOK 1122
#define IDC_ASK_LABEL1 1123
#define IDC_CBASK 1124
#define IDC_ASK_PANEL2 1125

// TfrmAbout.
#define IDC_ABOUT_IMAGE2 1130
#define IDC_ABOUT_IMAGE1 1131
#define IDC_ABOUT_LABEL1 1132
#define IDC_ABOUT_LABEL2 1133
#define IDC_LCOPYWRITE 1134
#define IDC_ABOUT_LABEL3 1135
#define IDC_ABOUT_PANEL2 1136
#define IDC_LBEADDRESS 1137
#define IDC_ABOUT_BOK 1138

// The main window: dialogs 150-199, controls 1200-1999, pictures 20-49,
// menus and accelerators 150-199, menu commands 40000-40999.
