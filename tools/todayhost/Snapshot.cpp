#include "Snapshot.h"

#include "Surface.h"

namespace {

// GetWindowDC / ReleaseDC: the whole window, frame and children included.
class CWindowDc {
public:
    explicit CWindowDc(HWND hwnd) : m_hWnd(hwnd), m_hDc(::GetWindowDC(hwnd)) {}
    ~CWindowDc()
    {
        if (m_hDc)
            ::ReleaseDC(m_hWnd, m_hDc);
    }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;
    HDC Get() const { return m_hDc; }

private:
    HWND m_hWnd;
    HDC m_hDc;
};

}  // namespace

bool CaptureClient(HWND window, const std::vector<HWND>& children, CPixels& out)
{
    for (HWND child : children)
        ::UpdateWindow(child);
    ::UpdateWindow(window);
    RECT client;
    ::GetClientRect(window, &client);
    CSurface shot;
    if (!shot.Create(client.right, client.bottom))
        return false;
    // The client area starts at its offset in the window (none without a frame).
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    RECT frame;
    ::GetWindowRect(window, &frame);
    CWindowDc dc(window);
    if (!dc.Get() || !::BitBlt(shot.Dc(), 0, 0, client.right, client.bottom, dc.Get(), origin.x - frame.left,
                               origin.y - frame.top, SRCCOPY))
        return false;
    ::GdiFlush();
    out.width = client.right;
    out.height = client.bottom;
    out.px.assign(shot.Bits(), shot.Bits() + static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    for (std::uint32_t& p : out.px)
        p &= 0x00FFFFFF;
    return true;
}
