#include "engine/WindowChain_win.h"

#include <windows.h>

namespace {

HWND AsHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle AsHandle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

// Owns a process handle.
class CProcessHandle {
public:
    explicit CProcessHandle(HANDLE process) : m_hProcess(process) {}
    ~CProcessHandle()
    {
        if (m_hProcess)
            ::CloseHandle(m_hProcess);
    }
    CProcessHandle(const CProcessHandle&) = delete;
    CProcessHandle& operator=(const CProcessHandle&) = delete;
    HANDLE Get() const { return m_hProcess; }

private:
    HANDLE m_hProcess;
};

}  // namespace

WindowHandle CDesktopWindows::FirstWindow() { return AsHandle(::GetWindow(::GetDesktopWindow(), GW_CHILD)); }

WindowHandle CDesktopWindows::NextWindow(WindowHandle window)
{
    return AsHandle(::GetWindow(AsHwnd(window), GW_HWNDNEXT));
}

bool CDesktopWindows::IsWindow(WindowHandle window) { return ::IsWindow(AsHwnd(window)) != FALSE; }

bool CDesktopWindows::IsVisible(WindowHandle window) { return ::IsWindowVisible(AsHwnd(window)) != FALSE; }

std::wstring CDesktopWindows::Title(WindowHandle window)
{
    wchar_t text[kWindowTextBuffer] = {};
    const int n = ::GetWindowTextW(AsHwnd(window), text, static_cast<int>(kWindowTextBuffer));
    return std::wstring(text, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring CDesktopWindows::ClassName(WindowHandle window)
{
    wchar_t text[kWindowTextBuffer] = {};
    const int n = ::GetClassNameW(AsHwnd(window), text, static_cast<int>(kWindowTextBuffer));
    return std::wstring(text, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring CDesktopWindows::ProcessPath(WindowHandle window)
{
    DWORD id = 0;
    ::GetWindowThreadProcessId(AsHwnd(window), &id);
    CProcessHandle process(id ? ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id) : nullptr);
    if (!process.Get())
        return {};
    wchar_t path[kModulePathBuffer] = {};
    DWORD size = static_cast<DWORD>(kModulePathBuffer);
    if (!::QueryFullProcessImageNameW(process.Get(), 0, path, &size))
        return {};
    return std::wstring(path, size);
}

void CDesktopWindows::Activate(WindowHandle window) { ::SetForegroundWindow(AsHwnd(window)); }

void CDesktopWindows::PostClose(WindowHandle window) { ::PostMessageW(AsHwnd(window), WM_CLOSE, 0, 0); }
