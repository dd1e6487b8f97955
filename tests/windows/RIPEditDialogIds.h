#pragma once
// A test dialog that holds the IP address edit as a template control.

#define IDD_RIPEDIT_TEST 190
#define IDC_RIPEDIT_TEST 1901
