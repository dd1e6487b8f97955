#pragma once
// Resource ids of the program's windows (only #defines). Ranges: icons and
// pictures 1-99, dialogs 100+, controls 1000+, menu commands 40000+. The
// string table uses the texts' own numbers (base/TextTable.inc).

// The four small dialogs: dialogs 100-149, controls 1000-1199, pictures 1-19.

// The main window: dialogs 150-199, controls 1200-1999, pictures 20-49,
// menus and accelerators 150-199, menu commands 40000-40999.
