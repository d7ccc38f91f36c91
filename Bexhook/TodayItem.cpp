#include "TodayItem.h"

namespace {

class CItemKey {
public:
    CItemKey()
    {
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kTodayItemKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &m_hKey, nullptr) != ERROR_SUCCESS)
            m_hKey = nullptr;
    }
    ~CItemKey()
    {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    CItemKey(const CItemKey&) = delete;
    CItemKey& operator=(const CItemKey&) = delete;

    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

}  // namespace

bool ReadEnabled(DWORD& value)
{
    CItemKey key;
    if (!key.Get())
        return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (::RegQueryValueExW(key.Get(), L"Enabled", nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
        ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || size != sizeof(DWORD))
        return false;
    value = data;
    return true;
}

bool WriteEnabled(DWORD value)
{
    CItemKey key;
    if (!key.Get())
        return false;
    return ::RegSetValueExW(key.Get(), L"Enabled", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value)) == ERROR_SUCCESS;
}
