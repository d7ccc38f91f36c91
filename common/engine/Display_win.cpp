// Frame composition: the background and frame surfaces, the watermark with
// the page frame blended over it, and Display, which copies the background,
// draws the icons and puts the frame on the screen in one transfer.
#include "engine/Launch_win.h"

#include "TodayItem_win.h"
#include "base/Log.h"
#include "engine/IconImage_win.h"
#include "engine/LaunchHwnd_win.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The 16-bit pixels a section of the header holds, row padding included.
size_t SectionPixels(const Rgb565Info& info)
{
    const long long stride = DibStride(info.bmiHeader.biWidth, 16);
    const long long rows = -static_cast<long long>(info.bmiHeader.biHeight);
    return rows > 0 && stride > 0 ? static_cast<size_t>(stride / 2 * rows) : 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Surfaces

HBITMAP CLaunch::CreateFrameBitmap(HDC paint, int width, int height)
{
    return ::CreateCompatibleBitmap(paint, width, height);
}

HBITMAP CLaunch::CreateSection(void** bits)
{
    *bits = nullptr;
    return ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&m_BitmapInfo), DIB_RGB_COLORS, bits,
                              nullptr, 0);
}

int CLaunch::CreateCompatiDC(HWND hwnd, HDC paint)
{
    Log(LogFileName(), L"CreateCompatiDC %d", m_bSurfacesMade);
    if (m_bSurfacesMade)
        return 1;
    RECT rc = {};
    ::GetClientRect(hwnd, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    m_BitmapInfo = {};
    // An empty item has nothing to draw on; GDI would make 1 × 1 bitmaps.
    if (width <= 0 || height <= 0)
        return 0;
    m_BitmapInfo = MakeRgb565Info(width, height);

    m_Frame.Make(paint, CreateFrameBitmap(paint, width, height));
    if (m_Frame.DC())
        ::SetBkMode(m_Frame.DC(), TRANSPARENT);
    void* bits = nullptr;
    HBITMAP section = CreateSection(&bits);
    m_Background.Make(paint, section);
    m_pBackgroundBits = section && m_Background.DC() ? static_cast<std::uint16_t*>(bits) : nullptr;
    m_bSurfacesMade = 1;
    return 1;
}

int CLaunch::DeleteCompatiDC()
{
    Log(LogFileName(), L"DeleteCompatiDC %d", m_bSurfacesMade);
    if (m_bSurfacesMade) {
        m_Frame.Reset();
        m_Background.Reset();
        m_pBackgroundBits = nullptr;
        m_bSurfacesMade = 0;
    }
    Log(LogFileName(), L"DeleteCompatiDC() End");
    return 1;
}

void CLaunch::DeleteSurfaces()
{
    DeleteCompatiDC();
    m_GradientBrushes.clear();
    FreeIconScratch();
}

bool CLaunch::SurfacesFit(HWND hwnd) const
{
    RECT rc = {};
    ::GetClientRect(hwnd, &rc);
    const BITMAPINFOHEADER& header = m_BitmapInfo.bmiHeader;
    return m_bSurfacesMade && m_Frame.Bitmap() && m_pBackgroundBits && header.biWidth == rc.right - rc.left &&
           -header.biHeight == rc.bottom - rc.top;
}

void CLaunch::MakeBG(HDC paint, HWND hwnd)
{
    Log(LogFileName(), L"MakeBG %d m_bFocus:%d", m_bSurfacesMade, m_bFocus);
    if (SurfacesFit(hwnd)) {
        // Whole surfaces of the right size are kept (the frame is covered
        // by the background in every frame); the background starts black,
        // as a new one would, for a host that draws no watermark.
        ::GdiFlush();
        std::memset(m_pBackgroundBits, 0, SectionPixels(m_BitmapInfo) * sizeof(std::uint16_t));
    } else {
        DeleteCompatiDC();
        CreateCompatiDC(hwnd, paint);
    }
    MeasureCaption();
    if (!m_Background.DC())
        return;

    TODAYDRAWWATERMARKINFO info = {};
    info.hdc = m_Background.DC();
    ::GetClientRect(hwnd, &info.rc);
    info.hwnd = hwnd;
    ::SendMessageW(::GetParent(hwnd), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
    if (!m_bFocus || !m_pBackgroundBits || !Setting())
        return;

    // The page frame is drawn on black and blended where it drew anything.
    CMemDC overlayDC(paint);
    void* bits = nullptr;
    CBitmapObj overlay(CreateSection(&bits));
    if (!overlayDC || !overlay || !bits)
        return;
    const size_t pixels = SectionPixels(m_BitmapInfo);
    std::memset(bits, 0, pixels * sizeof(std::uint16_t));
    {
        CSelectObj section(overlayDC.Get(), overlay.Get());
        CPenObj pen(::CreatePen(PS_SOLID, 0, static_cast<COLORREF>(Setting()->GetNum(Set::FramePen))));
        CSelectObj selectPen(overlayDC.Get(), pen.Get());
        Log(LogFileName(), L"m_pSheet->CreateBG( &_FrmDC);");
        CreateBG(overlayDC.Get());
    }
    // The host's and the frame's drawing reach the pixels before they are read.
    ::GdiFlush();
    BlendOverlay565(m_pBackgroundBits, static_cast<const std::uint16_t*>(bits), pixels,
                    Setting()->GetNum(Set::FrameBlend));
    Log(LogFileName(), L"MakeBG %d", m_bSurfacesMade);
}

// The caption band: the probe's height in the caption font, the largest
// seen since InitLnch, and the offset that centres icon and caption together.
void CLaunch::MeasureCaption()
{
    HDC dc = m_Frame.DC();
    if (!dc || !CaptionFont())
        return;
    SIZE extent = {};
    {
        CSelectObj font(dc, CaptionFont());
        ::GetTextExtentPoint32W(dc, kCaptionProbe, static_cast<int>(std::size(kCaptionProbe) - 1), &extent);
    }
    const int previous = m_nCaptionHeight;
    m_nCaptionHeight = std::max(m_nCaptionHeight, static_cast<int>(extent.cy));
    CSheet* sheet = Sheet();
    if (!sheet)
        return;
    const int half = m_nCaptionHeight / 2;
    sheet->m_nCaptionOffset = m_nCaptionMode == 1 ? -half : m_nCaptionMode == 2 ? half : 0;
    if (m_nCaptionHeight == previous)
        return;
    // The first page was laid out before anything was measured: its icons'
    // boxes, which the motions' edges go by, get the band on the next step.
    for (const SheetLayer& layer : sheet->m_Layers) {
        const int count = layer.SafeIconCount();
        for (int i = 0; i < count; ++i) {
            IconEntry& e = layer.icons->entries[static_cast<size_t>(i)];
            if (!IsPanel(e.nAppType))
                e.width = e.height = -1;
        }
    }
}

// ---------------------------------------------------------------------------
// The frame

void CLaunch::Display(HWND hwnd)
{
    Log(LogFileName(), L"Display() Start Frame:%d, %d", m_bFocus, m_nFrame);
    if (!m_bInit) {
        // Nothing to draw; the region is valid all the same, or the paint
        // message would come back at once.
        ::ValidateRect(hwnd, nullptr);
        return;
    }
    const DWORD start = ::GetTickCount();
    std::unique_lock<std::recursive_mutex> lock(m_DisplayLock);

    RECT rc = {};
    ::GetClientRect(hwnd, &rc);
    if (!SameRect(rc, m_rcClient))
        m_bRebuild = 1;
    m_rcClient = rc;

    if (RecentChanged)
        RecentToIcon();
    if (m_Tasks.TaskChanged)
        TaskToIcon({rc.left, rc.top, rc.right, rc.bottom});

    PAINTSTRUCT ps;
    HDC paint = ::BeginPaint(hwnd, &ps);
    Log(LogFileName(), L"Display GetMovPhase %d", Sheet() ? Sheet()->m_nScrollPhase : 0);
    if (!m_Frame.DC()) {
        MakeBG(paint, hwnd);
        m_bRebuild = 0;
    }

    const FrameSteps steps = StepFrame();
    if (m_bRebuild && steps.scrollDone) {
        CLaunchHwnd port(hwnd);
        PublishClientWidth(port);
        MakeBG(paint, hwnd);
        m_bRebuild = 0;
        Log(LogFileName(), L"Display 再構成フラグ %d", m_bRebuild);
    }

    Log(LogFileName(), L"Display BitBlt %d", m_bSurfacesMade);
    HDC frame = m_Frame.DC();
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (frame) {
        ::BitBlt(frame, rc.left, rc.top, width, height, m_Background.DC(), rc.left, rc.top, SRCCOPY);
        if (m_nFrame >= 0)
            DrawIcons(frame);
        else if (m_nFrame == -1)
            m_nFrame = 0;
        if (m_bShowTiming && m_nCount != 0) {
            const std::wstring text =
                FormatW(L"%03d, Ave:%03d(mSec) Frame:%d Cmp(%d%d%d)", m_nLastDraw, m_nTotal / m_nCount, m_nFrame,
                        steps.motionsDone ? 1 : 0, steps.zoomDone ? 1 : 0, steps.scrollDone ? 1 : 0);
            DrawTimingText(rc.left, rc.top, rc, text);
        }
        ::BitBlt(paint, rc.left, rc.top, width, height, frame, rc.left, rc.top, SRCCOPY);
    } else if (m_nFrame == -1) {
        m_nFrame = 0;
    }
    ::EndPaint(hwnd, &ps);
    lock.unlock();

    // The tick count wraps; the difference does not mind. The sum stops at
    // its limit rather than turn negative.
    const auto elapsed = static_cast<std::int32_t>(std::min<DWORD>(::GetTickCount() - start, INT32_MAX));
    m_nTotal = static_cast<std::int32_t>(std::min<long long>(static_cast<long long>(m_nTotal) + elapsed, INT32_MAX));
    m_nDrawTime = elapsed;
    m_nLastDraw = elapsed;
    m_nCount += 1;
    Log(LogFileName(), L"Display() End");
}

void CLaunch::DrawTimingText(int x, int y, const RECT& rc, const std::wstring& text)
{
    HDC dc = m_Frame.DC();
    if (!dc)
        return;
    const UINT length = static_cast<UINT>(text.size());
    if (m_nTextShadow) {
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::ExtTextOutW(dc, x + m_nTextShadow, y + m_nTextShadow, ETO_CLIPPED, &rc, text.c_str(), length, nullptr);
    }
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &rc, text.c_str(), length, nullptr);
}
