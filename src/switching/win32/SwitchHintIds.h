#pragma once
// Resource ids of the switch progress dialog (dialogs 100+, controls 1000+).

#define IDD_SWITCHHINT 101
#define IDC_PANEL1 1001
#define IDC_BCANCEL 1002
#define IDC_MEMO1 1003
