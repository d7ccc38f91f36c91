#include "ToolDevice.h"

#include "FileSys.h"
#include "base/Strings.h"
#include "config/Folders.h"

#include <random>
#include <sstream>

namespace fs = std::filesystem;

CToolDevice::CToolDevice(const std::wstring& installFolder, const std::wstring& deviceRoot)
{
    std::error_code ec;
    if (!deviceRoot.empty()) {
        m_bOk = fs::is_directory(fs::path(deviceRoot), ec);
        SetDeviceRoot(fs::absolute(fs::path(deviceRoot), ec).wstring());
        return;
    }
    if (!fs::is_directory(fs::path(installFolder), ec))
        return;
    std::random_device rd;
    std::ostringstream name;
    name << "orvcfg-" << std::hex << rd() << rd();
    m_emptyRoot = fs::temp_directory_path(ec) / name.str();
    fs::create_directories(m_emptyRoot, ec);
    SetDeviceRoot(m_emptyRoot.wstring());
    MountDeviceFolder(kInstallFolder, fs::absolute(fs::path(installFolder), ec).wstring());
    m_bOk = !ec;
}

CToolDevice::~CToolDevice()
{
    ClearDeviceMounts();
    if (!m_emptyRoot.empty()) {
        std::error_code ec;
        fs::remove_all(m_emptyRoot, ec);
    }
}

std::wstring CToolDevice::ShowPath(const std::wstring& devicePath) const
{
    if (!InstallDir.empty() && StartsWithNoCaseW(devicePath, InstallDir))
        return devicePath.substr(InstallDir.size());
    return devicePath;
}
