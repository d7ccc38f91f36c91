// The device orvcfg looks at: either a host folder that is the installation
// folder "\Program Files\Orvane" of an otherwise empty device, or (--root) a
// host folder that is the whole device.
#pragma once

#include <filesystem>
#include <string>

class CToolDevice {
public:
    CToolDevice(const std::wstring& installFolder, const std::wstring& deviceRoot);
    ~CToolDevice();
    CToolDevice(const CToolDevice&) = delete;
    CToolDevice& operator=(const CToolDevice&) = delete;

    bool Ok() const { return m_bOk; }
    // A device path as the user knows it: relative to the installation
    // folder when it lies inside.
    std::wstring ShowPath(const std::wstring& devicePath) const;

private:
    std::filesystem::path m_emptyRoot;
    bool m_bOk = false;
};
