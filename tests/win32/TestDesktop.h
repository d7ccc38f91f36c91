// Stands in for the Today screen's desktop window: a top-level window of
// class "DesktopExplorerWindow" on a thread of its own, which records the
// WM_WININICHANGE messages it gets. A hung one does not pump messages until
// it is destroyed, so whatever is sent to it times out.
#pragma once

#include <windows.h>

#include <mutex>
#include <thread>
#include <vector>

struct CIniChange {
    WPARAM wParam;
    LPARAM lParam;

    bool operator==(const CIniChange&) const = default;
};

class CTestDesktop {
public:
    enum class Mode { pumping, hung };

    explicit CTestDesktop(Mode mode = Mode::pumping);
    // A device screen of the given size (the platform's screen size is
    // the desktop window's client area).
    CTestDesktop(Mode mode, int width, int height);
    ~CTestDesktop();
    CTestDesktop(const CTestDesktop&) = delete;
    CTestDesktop& operator=(const CTestDesktop&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    // What the window got, including everything posted to it before this
    // call. Pumping windows only.
    std::vector<CIniChange> Received();

private:
    void Run();
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    Mode m_mode;
    int m_nWidth = 240, m_nHeight = 320;
    HWND m_hWnd = nullptr;
    HANDLE m_hReady;
    HANDLE m_hRelease;
    HANDLE m_hFlushed;
    std::mutex m_lock;
    std::vector<CIniChange> m_received;
    std::thread m_thread;
};
