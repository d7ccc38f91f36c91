// todayhost: the Today screen of the device, emulated, so that the plug-in
// runs under Wine the way the device runs it, driven by a script.
//
//   todayhost [--script FILE] [--size WxH] [--wallpaper FILE] [--only NAME,...]
//             [--log] [--show]
//
// Exit status: 0 when every command succeeded, 1 when one failed, 2 when the
// emulator could not start.
#include "Options.h"
#include "Output.h"
#include "Script.h"
#include "TodayScreen.h"

#include <objbase.h>

namespace {

class CComScope {
public:
    CComScope() : m_bOk(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~CComScope()
    {
        if (m_bOk)
            ::CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    bool m_bOk;
};

// The device's Today screen is part of the shell, so the shell's library and
// its system image list stay loaded while items come and go. Without this
// hold the library would leave with the last item that used it, and Wine
// does not free the image list it made (two DCs, bitmaps and brushes per
// reload of such an item).
class CShellHold {
public:
    CShellHold() : m_hModule(::LoadLibraryW(L"shell32.dll")) {}
    ~CShellHold()
    {
        if (m_hModule)
            ::FreeLibrary(m_hModule);
    }
    CShellHold(const CShellHold&) = delete;
    CShellHold& operator=(const CShellHold&) = delete;

private:
    HMODULE m_hModule;
};

int Fatal(const std::wstring& text)
{
    Say(L"error " + text);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    COptions options;
    std::wstring error;
    if (!ParseOptions(argc, argv, options, error))
        return Fatal(error + L"\n" + kUsage);

    // Not for children: Wine's desktop process, started with the first window,
    // would otherwise keep a reader of our output waiting for its end.
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
        ::SetHandleInformation(::GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
    CComScope com;  // WIC for the wallpaper and the screenshots
    CShellHold shell;
    CTodayScreen screen(options.screen);
    CScript script(screen, options.screen.show);
    if (!script.Create())
        return Fatal(L"cannot create the script's window");
    if (!options.script.empty() && !script.LoadFile(options.script, error))
        return Fatal(error);
    if (!screen.Create(error))
        return Fatal(error);
    if (options.script.empty())
        script.ReadStdin();
    script.Start();

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return script.Errors() ? 1 : 0;
}
