#include "ItemRegistry.h"

#include <algorithm>
#include <optional>

namespace {

constexpr DWORD kTypeCustom = 4;

class CRegKey {
public:
    CRegKey(HKEY parent, const wchar_t* name)
    {
        if (::RegOpenKeyExW(parent, name, 0, KEY_READ, &m_hKey) != ERROR_SUCCESS)
            m_hKey = nullptr;
    }
    ~CRegKey()
    {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

std::optional<DWORD> ReadDword(HKEY key, const wchar_t* name)
{
    DWORD type = 0, value = 0, size = sizeof(value);
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return std::nullopt;
    return value;
}

std::wstring ReadPath(HKEY key, const wchar_t* name)
{
    DWORD type = 0;
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);  // room for a terminator the value may lack
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return L"";
    std::wstring path(buffer);
    if (type == REG_EXPAND_SZ) {
        wchar_t expanded[MAX_PATH];
        const DWORD n = ::ExpandEnvironmentStringsW(path.c_str(), expanded, MAX_PATH);
        if (n == 0 || n > MAX_PATH)
            return L"";
        path = expanded;
    }
    return path;
}

std::optional<CItemConfig> ReadItem(HKEY items, const std::wstring& name)
{
    CRegKey key(items, name.c_str());
    if (!key.Get() || ReadDword(key.Get(), L"Type") != kTypeCustom || ReadDword(key.Get(), L"Enabled").value_or(0) == 0)
        return std::nullopt;
    CItemConfig item;
    item.name = name;
    item.dll = ReadPath(key.Get(), L"DLL");
    const std::optional<DWORD> order = ReadDword(key.Get(), L"Order");
    item.hasOrder = order.has_value();
    item.order = order.value_or(0);
    item.selectability = ReadDword(key.Get(), L"Selectability").value_or(0);
    item.options = ReadDword(key.Get(), L"Options").value_or(0);
    item.flags = ReadDword(key.Get(), L"Flags").value_or(0);
    return item;
}

}  // namespace

std::vector<CItemConfig> ReadTodayItems()
{
    std::vector<CItemConfig> list;
    CRegKey items(HKEY_LOCAL_MACHINE, kTodayItemsKey);
    if (!items.Get())
        return list;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        const LONG rc = ::RegEnumKeyExW(items.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS)
            continue;
        if (std::optional<CItemConfig> item = ReadItem(items.Get(), name))
            list.push_back(std::move(*item));
    }
    std::sort(list.begin(), list.end(), [](const CItemConfig& a, const CItemConfig& b) {
        if (a.hasOrder != b.hasOrder)
            return a.hasOrder;
        if (a.order != b.order)
            return a.order < b.order;
        return ::lstrcmpiW(a.name.c_str(), b.name.c_str()) < 0;
    });
    return list;
}
