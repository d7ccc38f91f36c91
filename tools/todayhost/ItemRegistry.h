// The Today items the registry lists under
// HKLM\Software\Microsoft\Today\Items\<name>: the custom ones ("Type" = 4)
// that are enabled, in their "Order" (missing orders last), ties by name.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

inline constexpr wchar_t kTodayItemsKey[] = L"Software\\Microsoft\\Today\\Items";

struct CItemConfig {
    std::wstring name;
    std::wstring dll;
    DWORD order = 0;
    bool hasOrder = false;
    DWORD selectability = 0;  // missing: not selectable
    DWORD options = 0;
    DWORD flags = 0;
};

std::vector<CItemConfig> ReadTodayItems();
