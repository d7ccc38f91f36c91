// orvinst: stands in for the device's cabinet installer. It installs the
// launcher the way the package does — installer hooks around the copy, the
// Today item's registry entries — so the emulator and the demo run the
// installed plug-in.
//
//   orvinst install FOLDER [FILE...]   copies FOLDER's tree and the FILEs to
//                                      "\Program Files\Orvane" of the current drive
//   orvinst uninstall                  removes them again
//
// The hooks come from Bexhook.dll beside orvinst.exe.
#include "CeSetup_win.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const wchar_t kInstallDir[] = L"\\Program Files\\Orvane";
const wchar_t kItemKey[] = L"Software\\Microsoft\\Today\\Items\\Orvane";

class CHooks {
public:
    CHooks()
    {
        wchar_t self[MAX_PATH];
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        m_hLib = ::LoadLibraryW((fs::path(self).parent_path() / L"Bexhook.dll").c_str());
    }
    ~CHooks()
    {
        if (m_hLib)
            ::FreeLibrary(m_hLib);
    }
    CHooks(const CHooks&) = delete;
    CHooks& operator=(const CHooks&) = delete;

    template <class F>
    F Get(const char* name) const
    {
        return m_hLib ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(m_hLib, name))) : nullptr;
    }
    bool Ok() const { return m_hLib != nullptr; }

private:
    HMODULE m_hLib = nullptr;
};

void Say(const char* text) { std::fprintf(stdout, "%s\n", text); }

bool SetValue(HKEY key, const wchar_t* name, DWORD value)
{
    return ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

// The Today item's entries, as the package writes them; "Enabled" is the
// hooks' business.
bool WriteItemKey()
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const std::wstring dll = std::wstring(kInstallDir) + L"\\Orvane.dll";
    bool ok = ::RegSetValueExW(key, L"DLL", 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                               static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    ok = SetValue(key, L"Type", 4) && ok;
    ok = SetValue(key, L"Order", 1) && ok;
    ok = SetValue(key, L"Selectability", 2) && ok;  // the item handles its own selection
    ok = SetValue(key, L"Options", 0) && ok;
    ::RegCloseKey(key);
    return ok;
}

bool CopyInto(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::create_directories(to, ec);
    if (fs::is_directory(from, ec))
        fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    else
        fs::copy_file(from, to / from.filename(), fs::copy_options::overwrite_existing, ec);
    return !ec;
}

int Install(const std::vector<std::wstring>& sources)
{
    CHooks hooks;
    auto init = hooks.Get<decltype(&Install_Init)>("Install_Init");
    auto exit = hooks.Get<decltype(&Install_Exit)>("Install_Exit");
    if (!init || !exit) {
        Say("orvinst: Bexhook.dll or its hooks are missing");
        return 2;
    }
    if (init(nullptr, TRUE, FALSE, kInstallDir) != codeINSTALL_INIT_CONTINUE) {
        Say("orvinst: the installation was cancelled by Install_Init");
        return 1;
    }
    WORD failedFiles = 0;
    for (const std::wstring& source : sources)
        if (!CopyInto(fs::path(source), fs::path(kInstallDir)))
            ++failedFiles;
    const WORD failedKeys = WriteItemKey() ? 0 : 1;
    exit(nullptr, kInstallDir, 0, failedFiles, failedKeys, 0, 0);
    Say(failedFiles || failedKeys ? "orvinst: installed with failures" : "orvinst: installed");
    return failedFiles || failedKeys ? 1 : 0;
}

int Uninstall()
{
    CHooks hooks;
    auto init = hooks.Get<decltype(&Uninstall_Init)>("Uninstall_Init");
    auto exit = hooks.Get<decltype(&Uninstall_Exit)>("Uninstall_Exit");
    if (!init || !exit) {
        Say("orvinst: Bexhook.dll or its hooks are missing");
        return 2;
    }
    if (init(nullptr, kInstallDir) != codeUNINSTALL_INIT_CONTINUE) {
        Say("orvinst: the removal was cancelled by Uninstall_Init");
        return 1;
    }
    std::error_code ec;
    fs::remove_all(fs::path(kInstallDir), ec);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kItemKey);
    exit(nullptr);
    Say(ec ? "orvinst: removed with failures" : "orvinst: removed");
    return ec ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::vector<std::wstring> args(argv, argv + argc);
    if (args.size() >= 3 && args[1] == L"install")
        return Install(std::vector<std::wstring>(args.begin() + 2, args.end()));
    if (args.size() == 2 && args[1] == L"uninstall")
        return Uninstall();
    Say("usage: orvinst install FOLDER [FILE...] | orvinst uninstall");
    return 2;
}
