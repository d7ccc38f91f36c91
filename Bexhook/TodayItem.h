// Orvane's Today item in the registry: its "Enabled" value says whether the
// Today screen shows (and so loads) the item.
#pragma once

#include <windows.h>

// Key of the item under HKEY_LOCAL_MACHINE.
inline constexpr const wchar_t kTodayItemKey[] = L"Software\\Microsoft\\Today\\Items\\Orvane";

// Reads "Enabled"; false unless it is a 4-byte REG_DWORD. Creates the
// (empty) key when it is missing.
bool ReadEnabled(DWORD& value);
bool WriteEnabled(DWORD value);
