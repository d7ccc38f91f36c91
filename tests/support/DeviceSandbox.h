// A private device for one test: a fresh host folder stands for the device
// root "\", so nothing a test does reaches the real root. The folder and
// every mount are removed again at the end, and the program-wide folder
// values are reset.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class CDeviceSandbox {
public:
    CDeviceSandbox();
    ~CDeviceSandbox();
    CDeviceSandbox(const CDeviceSandbox&) = delete;
    CDeviceSandbox& operator=(const CDeviceSandbox&) = delete;

    const std::filesystem::path& HostRoot() const { return m_root; }
    // The host path of a device path.
    static std::filesystem::path Host(const std::wstring& devicePath);

    void MakeFolder(const std::wstring& deviceFolder) const;
    void WriteFile(const std::wstring& devicePath, const std::string& bytes) const;
    std::string ReadFile(const std::wstring& devicePath) const;
    // Gives a file or folder the hidden attribute, as the device keeps it.
    void SetHidden(const std::wstring& devicePath) const;
    // Makes a folder read-only (no write bits, as Wine reports it); it is
    // made writable again before the sandbox goes.
    void SetReadOnly(const std::wstring& deviceFolder);
    // A complete installation ("Motion.ini", "Sheet.ini", "OrvaneSet.exe",
    // both definition files) in the device folder.
    void MakeInstallation(const std::wstring& deviceFolder) const;

private:
    std::filesystem::path m_root;
    std::vector<std::filesystem::path> m_readOnly;
};

// The host path of a file of the repository's sample installation.
std::filesystem::path SampleFolder();
