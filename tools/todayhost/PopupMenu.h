// The popup menu that an item shows (a task menu), seen and operated from
// the script as a user would: its items read from the menu window, a choice
// made with the cursor keys and the Enter key.
#pragma once

#include <windows.h>

#include <string>

// The shown popup menu window of this thread, or null.
HWND FindPopupMenu();
// Its items' texts, "|" between them.
std::wstring PopupMenuItems(HWND menu);
// Chooses the item at position (1 = first) with the keys; 0 closes the menu
// without a choice. False when there is no such item.
bool PickPopupMenuItem(HWND menu, int position);
