#pragma once
// Resource ids of the program's windows (only #defines). Ranges: icons and
// pictures 1-99, dialogs 100+, controls 1000+, menu commands 40000+. The
// string table uses the texts' own numbers (base/TextTable.inc).

// The small dialogs: dialogs 100-149, controls 1000-1199, pictures 1-19.
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
#define IDD_KEEP 114
#define IDD_NETWORK 115

// TfrmOptions.
#define IDC_OPTIONS_GROUPBOX1 1100
#define IDC_CBAUTOSTART 1101
#define IDC_CBAUTOCLOSEDIALOG 1102
#define IDC_CBASKLOAD 1103
#define IDC_CBASKEXIT 1104
#define IDC_OPTIONS_BOK 1105
#define IDC_OPTIONS_BCANCEL 1106
#define IDC_LKEEPQUESTION 1107
#define IDC_CBKEEPQUESTION 1108
#define IDC_EKEEPSECONDS 1109
#define IDC_CBSWITCHAUTOMATICALLY 1169

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

// The question to keep new network settings (KeepDialog).
#define IDC_KEEP_LQUESTION 1140
#define IDC_KEEP_LCOUNTDOWN 1141
#define IDC_KEEP_LGATEWAY 1142
#define IDC_KEEP_BKEEP 1143
#define IDC_KEEP_BREVERT 1144

// The network of a set (NetworkDialog).
#define IDC_NETWORK_LGATEWAYMAC 1150
#define IDC_EGATEWAYMAC 1151
#define IDC_NETWORK_LGATEWAY 1152
#define IDC_EGATEWAYADDRESS 1153
#define IDC_NETWORK_LDNSSUFFIX 1154
#define IDC_EDNSSUFFIX 1155
#define IDC_NETWORK_LSSID 1156
#define IDC_ESSID 1157
#define IDC_BUSECURRENTNETWORK 1158
#define IDC_NETWORK_GBMODE 1159
#define IDC_RBAPPLYAUTOMATICALLY 1160
#define IDC_RBASKFIRST 1161
#define IDC_RBONLYSHOW 1162
#define IDC_NETWORK_BOK 1163
#define IDC_NETWORK_BCANCEL 1164

// The main window: dialogs 150-199, controls 1200-1999, pictures 20-49,
// menus and accelerators 150-199, menu commands 40000-40999.
// A control's hint is the string with the control's id.
#define IDD_MAIN 150
#define IDR_MAINMENU 150
#define IDR_TABMENU 151
#define IDR_MAINACCEL 152

#define IDC_TCSETS 1200
#define IDC_BACTIVATE 1201
#define IDC_BADDNEWSET 1202
#define IDC_BLOADCURRENT 1203
#define IDC_BEXIT 1204
#define IDC_LNETWORKADAPTER 1205
#define IDC_CBNETWORKADAPTER 1206
#define IDC_BREFRESH 1207
#define IDC_GBIP 1208
#define IDC_GBDNS 1209
#define IDC_GBPROXY 1210
#define IDC_GBADDITIONAL 1211
#define IDC_CBENABLEIP 1212
#define IDC_RBAUTOIP 1213
#define IDC_RBUSEIP 1214
#define IDC_LIPADDRESS 1215
#define IDC_REIP 1216
#define IDC_LSUBNETMASK 1217
#define IDC_RESUBNETMASK 1218
#define IDC_LGATEWAY 1219
#define IDC_REGATEWAY 1220
#define IDC_CBDNSSERVER 1221
#define IDC_RBAUTODNSSERVER 1222
#define IDC_RBUSEDNSSERVER 1223
#define IDC_LPREFERREDDNS 1224
#define IDC_REPREFERREDDNS 1225
#define IDC_LALTERNATEDNS 1226
#define IDC_REALTERNATEDNS 1227
#define IDC_CBPROXYSERVER 1228
#define IDC_CBUSEPROXYSERVER 1229
#define IDC_LPROXYADDRESS 1230
#define IDC_EPROXYADDRESS 1231
#define IDC_LPROXYPORT 1232
#define IDC_EPROXYPORT 1233
#define IDC_CBCOMPUTERNAME 1234
#define IDC_ECOMPUTERNAME 1235
#define IDC_CBWORKGROUP 1236
#define IDC_EWORKGROUP 1237
#define IDC_CBDEFAULTPRINTER 1238
#define IDC_CBPRINTER 1239
#define IDC_CBDNSDOMAIN 1240
#define IDC_EDNSDOMAIN 1241
#define IDC_CBWINSSERVER 1242
#define IDC_LPRIMARYWINS 1243
#define IDC_REPRIMARYWINS 1244
#define IDC_LSECONDARYWINS 1245
#define IDC_RESECONDARYWINS 1246
#define IDC_IMAGE2 1247
#define IDC_LUPDATE 1248

#define IDM_OPTIONS 40000
#define IDM_SHOWSETTINGSFILE 40001
#define IDM_EXIT 40002
#define IDM_ACTIVATE 40003
#define IDM_LOADCURRENT 40004
#define IDM_REFRESHADAPTER 40005
#define IDM_RENAME 40006
#define IDM_ADDNEWSET 40007
#define IDM_DELETESET 40008
#define IDM_HELP 40009
#define IDM_ABOUT 40010
#define IDM_UNDOLASTSWITCH 40011
#define IDM_SETNETWORK 40012
