#include "TestDesktop.h"

namespace {

constexpr UINT kFlush = WM_APP + 1;
constexpr DWORD kGuardMs = 30000;  // only against a hang; never reached when all is well
const wchar_t kClassName[] = L"DesktopExplorerWindow";

}  // namespace

CTestDesktop::CTestDesktop(Mode mode) : CTestDesktop(mode, 240, 320) {}

CTestDesktop::CTestDesktop(Mode mode, int width, int height)
    : m_mode(mode),
      m_nWidth(width),
      m_nHeight(height),
      m_hReady(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_hRelease(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_hFlushed(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      m_thread([this] { Run(); })
{
    ::WaitForSingleObject(m_hReady, kGuardMs);
}

CTestDesktop::~CTestDesktop()
{
    ::SetEvent(m_hRelease);
    if (m_hWnd)
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    m_thread.join();
    ::UnregisterClassW(kClassName, ::GetModuleHandleW(nullptr));
    ::CloseHandle(m_hFlushed);
    ::CloseHandle(m_hRelease);
    ::CloseHandle(m_hReady);
}

std::vector<CIniChange> CTestDesktop::Received()
{
    // Posted messages arrive in order: once the marker is handled, so is
    // everything posted before it.
    if (::PostMessageW(m_hWnd, kFlush, 0, 0))
        ::WaitForSingleObject(m_hFlushed, kGuardMs);
    std::lock_guard<std::mutex> guard(m_lock);
    return m_received;
}

void CTestDesktop::Run()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);  // fails harmlessly when an earlier window registered it
    m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, m_nWidth, m_nHeight, nullptr, nullptr,
                               wc.hInstance, this);
    ::SetEvent(m_hReady);
    if (!m_hWnd)
        return;
    if (m_mode == Mode::hung)
        ::WaitForSingleObject(m_hRelease, INFINITE);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
}

LRESULT CALLBACK CTestDesktop::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CTestDesktop*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_WININICHANGE: {
        std::lock_guard<std::mutex> guard(self->m_lock);
        self->m_received.push_back({wParam, lParam});
        return 0;
    }
    case kFlush:
        ::SetEvent(self->m_hFlushed);
        return 0;
    case WM_DESTROY:
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}
