#include "panels/Registry_win.h"

namespace {

// Owns an open key.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey()
    {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    HKEY* Out() { return &m_hKey; }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

}  // namespace

HKEY RegRootKey(std::uint8_t root)
{
    switch (root) {
    case 1: return HKEY_CLASSES_ROOT;
    case 2: return HKEY_CURRENT_USER;
    case 3: return HKEY_LOCAL_MACHINE;
    case 4: return HKEY_USERS;
    default: return nullptr;
    }
}

bool CRegistryReader::ReadValue(std::uint8_t root, const std::wstring& key, const std::wstring& value,
                                RegValueData& out)
{
    HKEY rootKey = RegRootKey(root);
    CRegKey opened;
    m_nLastError = rootKey ? ::RegCreateKeyExW(rootKey, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                               KEY_QUERY_VALUE, nullptr, opened.Out(), nullptr)
                           : ERROR_INVALID_HANDLE;
    if (m_nLastError != ERROR_SUCCESS)
        return false;
    const bool read = ReadGrowingValue(
        [&](std::uint8_t* buffer, std::uint32_t& size, std::uint32_t& type) {
            DWORD bytes = size, kind = 0;
            const LONG rc = ::RegQueryValueExW(opened.Get(), value.c_str(), nullptr, &kind, buffer, &bytes);
            size = bytes;
            type = kind;
            m_nLastError = rc;
            return rc == ERROR_SUCCESS ? RegQuery::Ok : rc == ERROR_MORE_DATA ? RegQuery::MoreData : RegQuery::Failed;
        },
        out);
    // A value larger than is ever read failed with the last query's success.
    if (read)
        m_nLastError = ERROR_SUCCESS;
    else if (m_nLastError == ERROR_SUCCESS)
        m_nLastError = ERROR_MORE_DATA;
    return read;
}
