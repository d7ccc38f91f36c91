// Registry-value captions on the real registry.
#pragma once

#include "panels/RegText.h"

#include <windows.h>

// The predefined key of a RegRoot (1 HKCR, 2 HKCU, 3 HKLM, 4 HKU), else null.
HKEY RegRootKey(std::uint8_t root);

class CRegistryReader final : public CRegistrySource {
public:
    // Opens the key (making it when missing) for reading only: other
    // programs keep the value, the launcher never writes it.
    bool ReadValue(std::uint8_t root, const std::wstring& key, const std::wstring& value,
                   RegValueData& out) override;
    // The system's error code of the last read that failed (0 after success).
    long LastError() const { return m_nLastError; }

private:
    long m_nLastError = 0;
};
