#include "engine/WindowChain_win.h"

#include "engine/Handle_win.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace {

HWND AsHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle AsHandle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

BOOL CALLBACK AddToChain(HWND hwnd, LPARAM chain)
{
    reinterpret_cast<std::vector<WindowHandle>*>(chain)->push_back(AsHandle(hwnd));
    return TRUE;
}

}  // namespace

// EnumWindows lists the desktop's children in their chain order.
WindowHandle CDesktopWindows::FirstWindow()
{
    m_chain.clear();
    ::EnumWindows(AddToChain, reinterpret_cast<LPARAM>(&m_chain));
    m_nNext = 0;
    // Windows that left the chain leave the cache: their handles may come back
    // for others.
    for (auto it = m_classes.begin(); it != m_classes.end();)
        it = std::find(m_chain.begin(), m_chain.end(), it->first) == m_chain.end() ? m_classes.erase(it) : std::next(it);
    return m_chain.empty() ? 0 : m_chain[m_nNext++];
}

WindowHandle CDesktopWindows::NextWindow(WindowHandle window)
{
    // Walked in order, the next is the one after the last given.
    if (m_nNext > 0 && m_nNext <= m_chain.size() && m_chain[m_nNext - 1] == window)
        return m_nNext < m_chain.size() ? m_chain[m_nNext++] : 0;
    return AsHandle(::GetWindow(AsHwnd(window), GW_HWNDNEXT));
}

bool CDesktopWindows::IsWindow(WindowHandle window) { return ::IsWindow(AsHwnd(window)) != FALSE; }

// A top-level window's own style says it: its parent, the desktop, is shown.
bool CDesktopWindows::IsVisible(WindowHandle window)
{
    return (::GetWindowLongW(AsHwnd(window), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring CDesktopWindows::Title(WindowHandle window)
{
    wchar_t text[kWindowTextBuffer] = {};
    const int n = ::GetWindowTextW(AsHwnd(window), text, static_cast<int>(kWindowTextBuffer));
    return std::wstring(text, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring CDesktopWindows::ClassName(WindowHandle window)
{
    if (const auto known = m_classes.find(window); known != m_classes.end())
        return known->second;
    wchar_t text[kWindowTextBuffer] = {};
    const int n = ::GetClassNameW(AsHwnd(window), text, static_cast<int>(kWindowTextBuffer));
    std::wstring cls(text, n > 0 ? static_cast<size_t>(n) : 0);
    if (n > 0)
        m_classes[window] = cls;
    return cls;
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
    if (::QueryFullProcessImageNameW(process.Get(), 0, path, &size))
        return std::wstring(path, size);
    // A longer path does not fit and is not given at all: it is read whole
    // and cut to the buffer, as the device's module name is.
    std::wstring longer(0x8000, L'\0');
    size = static_cast<DWORD>(longer.size());
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
        !::QueryFullProcessImageNameW(process.Get(), 0, longer.data(), &size))
        return {};
    longer.resize(std::min<size_t>(size, kModulePathBuffer - 1));
    return longer;
}

void CDesktopWindows::Activate(WindowHandle window) { ::SetForegroundWindow(AsHwnd(window)); }

void CDesktopWindows::PostClose(WindowHandle window) { ::PostMessageW(AsHwnd(window), WM_CLOSE, 0, 0); }
