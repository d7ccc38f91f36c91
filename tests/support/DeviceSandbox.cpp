#include "DeviceSandbox.h"

#include "CodePage.h"
#include "FileSys.h"
#include "MemCards.h"
#include "config/Folders.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/xattr.h>
#endif

#include <fstream>
#include <random>
#include <sstream>

#ifndef ORV_SAMPLE_DIR
#error "ORV_SAMPLE_DIR must name the sample installation"
#endif

namespace fs = std::filesystem;

namespace {

void ResetProgramValues()
{
    InstallDir.clear();
    SiblingDir.clear();
    AddPaths.clear();
    LanguageMode = 0;
    ForgetDeclaredMemCards();
}

}  // namespace

CDeviceSandbox::CDeviceSandbox()
{
    std::random_device rd;
    std::ostringstream name;
    name << "orvane-test-" << std::hex << rd() << rd();
    m_root = fs::temp_directory_path() / name.str();
    fs::create_directories(m_root);
    ClearDeviceMounts();
    SetDeviceRoot(m_root.wstring());
    ResetProgramValues();
}

namespace {

// The mode of a folder, on Windows (Wine) through the Unix chmod: Wine
// keeps no read-only attribute of its own for a folder.
void SetFolderMode(const fs::path& folder, bool writable)
{
#ifdef _WIN32
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(folder.wstring().c_str()) : nullptr;
    if (!name)
        return;
    std::wstring command = L"Z:\\bin\\chmod " + std::wstring(writable ? L"755 \"" : L"555 \"");
    for (const char* p = name; *p; ++p)
        command += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    command += L"\"";
    ::HeapFree(::GetProcessHeap(), 0, name);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (::CreateProcessW(L"Z:\\bin\\chmod", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ::WaitForSingleObject(pi.hProcess, 10000);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
#else
    fs::permissions(folder, writable ? fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read
                                     : fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
#endif
}

}  // namespace

CDeviceSandbox::~CDeviceSandbox()
{
    for (const fs::path& folder : m_readOnly)
        SetFolderMode(folder, true);
    ClearDeviceMounts();
    ResetProgramValues();
    std::error_code ec;
    fs::remove_all(m_root, ec);
}

fs::path CDeviceSandbox::Host(const std::wstring& devicePath) { return fs::path(MapDevicePath(devicePath)); }

void CDeviceSandbox::MakeFolder(const std::wstring& deviceFolder) const { fs::create_directories(Host(deviceFolder)); }

void CDeviceSandbox::WriteFile(const std::wstring& devicePath, const std::string& bytes) const
{
    fs::path host = Host(devicePath);
    fs::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string CDeviceSandbox::ReadFile(const std::wstring& devicePath) const
{
    std::ifstream in(Host(devicePath), std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void CDeviceSandbox::SetHidden(const std::wstring& devicePath) const
{
    const fs::path host = Host(devicePath);
#ifdef _WIN32
    ::SetFileAttributesW(host.c_str(), ::GetFileAttributesW(host.c_str()) | FILE_ATTRIBUTE_HIDDEN);
#else
    // Where Wine keeps the DOS attributes of a Unix file.
    static const char kHidden[] = "0x12";
    ::setxattr(host.c_str(), "user.DOSATTRIB", kHidden, sizeof(kHidden) - 1, 0);
#endif
}

void CDeviceSandbox::SetReadOnly(const std::wstring& deviceFolder)
{
    m_readOnly.push_back(Host(deviceFolder));
    SetFolderMode(m_readOnly.back(), false);
}

void CDeviceSandbox::MakeInstallation(const std::wstring& deviceFolder) const
{
    for (const wchar_t* name : {L"Motion.ini", L"Sheet.ini", L"OrvaneSet.exe"})
        WriteFile(deviceFolder + L"\\" + name, "");
    for (const wchar_t* name : {L"OrvaneSetInfo.ini", L"OrvaneSetInfoEng.ini", L"AppSetInfo.ini", L"AppSetInfoEng.ini"}) {
        std::ifstream in(SampleFolder() / name, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        WriteFile(deviceFolder + L"\\" + name, all.str());
    }
}

fs::path SampleFolder() { return fs::path(ORV_SAMPLE_DIR); }
