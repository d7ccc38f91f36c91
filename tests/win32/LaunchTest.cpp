// The engine on real windows, timers and GDI: timers 100 and 101 as
// SetDrawTimer arms and kills them, the frame loop on the window's own
// messages, the caption font, and no growth over many loads.
#include "DeviceSandbox.h"
#include "DisplayHarness.h"
#include "FileSys.h"
#include "GdiCount.h"
#include "Led.h"
#include "config/Folders.h"
#include "engine/LaunchHwnd_win.h"
#include "engine/Launch_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <optional>

namespace {

const wchar_t kClass[] = L"OrvaneLaunchTest";

// An item window for the engine: its timer and paint messages run the
// engine as the plug-in's window procedure will (the paint runs Display's
// frame steps, without drawing).
class CTestItem {
public:
    explicit CTestItem(CLaunch& engine) : m_engine(engine)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(WS_EX_NOACTIVATE, kClass, L"item", WS_POPUP, 0, 0, 480, 300, nullptr, nullptr,
                                   wc.hInstance, this);
        m_port.emplace(m_hWnd);
        ::ShowWindow(m_hWnd, SW_SHOWNA);  // a hidden window gets no paint
        ::UpdateWindow(m_hWnd);             // the first paint is the window's, not the engine's
        m_nPaints = 0;
    }
    ~CTestItem()
    {
        ::DestroyWindow(m_hWnd);
        ::UnregisterClassW(kClass, ::GetModuleHandleW(nullptr));
    }
    CTestItem(const CTestItem&) = delete;
    CTestItem& operator=(const CTestItem&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    CLaunchHwnd& Port() { return *m_port; }
    int Ticks(UINT_PTR id) const { return m_ticks.count(id) ? m_ticks.at(id) : 0; }
    int Paints() const { return m_nPaints; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_NCCREATE) {
            auto* self = static_cast<CTestItem*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<CTestItem*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_NCDESTROY)
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (!self || !self->m_port || msg == WM_NCDESTROY)
            return ::DefWindowProcW(hwnd, msg, wParam, lParam);
        return self->Handle(hwnd, msg, wParam, lParam);
    }

    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        switch (msg) {
        case WM_TIMER:
            ++m_ticks[wParam];
            if (wParam == TIMER_REDRAW)
                m_engine.OnRedrawTimer(*m_port);
            else if (wParam == TIMER_TASK)
                m_engine.OnTaskTimer(*m_port);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            ::BeginPaint(hwnd, &ps);
            ++m_nPaints;
            if (m_engine.m_bInit)
                m_engine.StepFrame();
            ::EndPaint(hwnd, &ps);
            m_engine.AfterDisplay(*m_port);
            return 0;
        }
        default:
            return ::DefWindowProcW(hwnd, msg, wParam, lParam);
        }
    }

    CLaunch& m_engine;
    HWND m_hWnd = nullptr;
    std::optional<CLaunchHwnd> m_port;  // once the window exists
    std::map<UINT_PTR, int> m_ticks;
    int m_nPaints = 0;
};

void PumpFor(DWORD ms) { PumpMessagesUntil([] { return false; }, ms); }

// Bytes in use on every heap of the process.
size_t HeapInUse()
{
    HANDLE heaps[64];
    const DWORD n = ::GetProcessHeaps(64, heaps);
    size_t total = 0;
    for (DWORD i = 0; i < n && i < 64; ++i) {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY e = {};
        while (::HeapWalk(heaps[i], &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += e.cbData;
        ::HeapUnlock(heaps[i]);
    }
    return total;
}

class LaunchWin32 : public ::testing::Test {
protected:
    void SetUp() override
    {
        MountDeviceFolder(kInstallFolder, SampleFolder().wstring());
    }

    CDeviceSandbox dev;
    CLaunch engine;
    CTestItem item{engine};
};

}  // namespace

TEST_F(LaunchWin32, TimersArmAndStopAsSetDrawTimerSays)
{
    ASSERT_EQ(1, engine.InitLnch());
    engine.ShowFirstPage(item.Port());
    ASSERT_EQ(-2, engine.m_nFrame);

    // The redraw timer ticks once: the tick kills it, and a frame at rest
    // does not arm it again.
    engine.SetDrawTimer(item.Port(), TIMER_REDRAW, true, false);
    EXPECT_EQ(1, engine.m_bRedrawTimerOn);
    ASSERT_TRUE(PumpMessagesUntil([&] { return item.Ticks(TIMER_REDRAW) > 0; }, 10000));
    EXPECT_EQ(0, engine.m_bRedrawTimerOn);
    EXPECT_EQ(1, item.Paints());
    PumpFor(300);
    EXPECT_EQ(1, item.Ticks(TIMER_REDRAW));

    // Forced while running: restarted, still one tick.
    engine.SetDrawTimer(item.Port(), TIMER_REDRAW, true, false);
    engine.SetDrawTimer(item.Port(), TIMER_REDRAW, true, true);
    ASSERT_TRUE(PumpMessagesUntil([&] { return item.Ticks(TIMER_REDRAW) > 1; }, 10000));
    PumpFor(300);
    EXPECT_EQ(2, item.Ticks(TIMER_REDRAW));

    // Killed before it fires: no tick.
    engine.SetDrawTimer(item.Port(), TIMER_REDRAW, true, false);
    engine.SetDrawTimer(item.Port(), TIMER_REDRAW, false, false);
    EXPECT_EQ(0, engine.m_bRedrawTimerOn);
    PumpFor(300);
    EXPECT_EQ(2, item.Ticks(TIMER_REDRAW));

    // The task timer keeps ticking until it is switched off. Its first tick
    // walks the windows again and finds them as a walk just left them.
    engine.m_Tasks.TaskCountdown = 0;
    engine.UpdateTaskList();
    engine.TaskToIcon({0, 0, 480, 300});  // as the next frame would
    engine.m_Tasks.TaskCountdown = 0;
    engine.SetDrawTimer(item.Port(), TIMER_TASK, true, true);
    EXPECT_EQ(1, engine.m_bTaskTimerOn);
    ASSERT_TRUE(PumpMessagesUntil([&] { return item.Ticks(TIMER_TASK) >= 3; }, 10000));
    engine.SetDrawTimer(item.Port(), TIMER_TASK, false, false);
    EXPECT_EQ(0, engine.m_bTaskTimerOn);
    const int taskTicks = item.Ticks(TIMER_TASK);
    PumpFor(300);
    EXPECT_EQ(taskTicks, item.Ticks(TIMER_TASK));
    EXPECT_EQ(2, item.Paints());  // task ticks that change nothing do not repaint
}

TEST_F(LaunchWin32, TheFrameLoopRunsOnTheWindowsTimersUntilEverythingRests)
{
    ASSERT_EQ(1, engine.InitLnch());
    engine.ShowFirstPage(item.Port());
    engine.OnSelectionReceived(item.Port());
    EXPECT_EQ(1, engine.m_bTaskTimerOn);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !engine.m_bRedrawTimerOn; }, 60000));
    EXPECT_GT(item.Paints(), 2);
    EXPECT_GT(engine.m_nFrame, 0);
    EXPECT_EQ(1, engine.m_bMotionsDone);

    // At rest every icon stands on its slot.
    const SheetLayer& layer = engine.Sheet()->m_Layers[0];
    ASSERT_NE(nullptr, layer.icons);
    int placed = 0;
    for (int i = 0; i < layer.iconCount; ++i) {
        const IconEntry& e = layer.icons->entries[static_cast<size_t>(i)];
        const SlotMapping m = engine.Sheet()->MapIconToSlot(0, i, 0);
        if (!(e.flags & ICON_PLACED) || !m.visible)
            continue;
        ++placed;
        const SheetSlot& s = layer.sheet->slots[static_cast<size_t>(m.slot)];
        EXPECT_EQ(s.x + layer.ox, e.x) << i;
        EXPECT_EQ(s.y + layer.oy, e.y) << i;
    }
    EXPECT_GT(placed, 0);

    // Deselected: the icons play out and the task timer stops.
    const int paints = item.Paints();
    engine.OnSelectionLost(item.Port());
    EXPECT_EQ(0, engine.m_bTaskTimerOn);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !engine.m_bRedrawTimerOn; }, 60000));
    EXPECT_GT(item.Paints(), paints + 1);
    EXPECT_EQ(1, engine.m_bMotionsDone);
}

TEST_F(LaunchWin32, CaptionFontIsMadeAtTheScreensPointSize)
{
    struct Case {
        int size, ppi;
        LONG height;
    } cases[] = {{90, 96, -12}, {95, 96, -12}, {90, 120, -15}, {-90, 96, -12}, {0, 96, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.height, CaptionFontHeight(c.size, c.ppi)) << c.size << " at " << c.ppi;

    ASSERT_EQ(1, engine.InitLnch());
    const HFONT first = engine.CaptionFont();
    ASSERT_NE(nullptr, first);
    LOGFONTW lf = {};
    ASSERT_EQ(static_cast<int>(sizeof lf), ::GetObjectW(first, sizeof lf, &lf));
    int ppi = 0;
    {
        CScreenDC screen;
        ppi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }
    EXPECT_EQ(CaptionFontHeight(engine.m_CaptionFont.sizeTenths, ppi), lf.lfHeight);
    EXPECT_EQ(CLEARTYPE_QUALITY, lf.lfQuality);  // the sample asks for ClearType
    EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);
    EXPECT_EQ(engine.m_CaptionFont.face, lf.lfFaceName);

    // Each load replaces it; ExitLnch leaves it, twice over.
    const unsigned long objects = GdiObjectCount();
    ASSERT_EQ(1, engine.InitLnch());
    EXPECT_EQ(0u, ::GetObjectType(first));
    EXPECT_EQ(objects, GdiObjectCount());
    EXPECT_EQ(1, engine.ExitLnch());
    EXPECT_EQ(1, engine.ExitLnch());
    EXPECT_NE(nullptr, engine.CaptionFont());
    EXPECT_EQ(nullptr, engine.Setting());
}

TEST_F(LaunchWin32, ManyLoadsLeaveNoGdiObjectsOrMemoryBehind)
{
    // The count sees one font more.
    const unsigned long base = GdiObjectCount();
    ASSERT_GT(base, 0u);
    {
        CFontObj probe(CreateCaptionFont({90, L"Tahoma", false}));
        ASSERT_EQ(base + 1, GdiObjectCount());
    }

    constexpr size_t kHeapSlack = 16 * 1024;
    const std::function<void()> ways[] = {
        [&] {  // a reload: End, then Start
            engine.ExitLnch();
            ASSERT_EQ(1, engine.InitLnch());
            engine.ShowFirstPage(item.Port());
        },
        [&] {  // a new item window: Start alone
            ASSERT_EQ(1, engine.InitLnch());
            engine.ShowFirstPage(item.Port());
        },
    };
    for (const auto& cycle : ways) {
        for (int i = 0; i < 20; ++i)
            cycle();
        const unsigned long objects = GdiObjectCount();
        const size_t heap = HeapInUse();
        for (int i = 0; i < 200; ++i)
            cycle();
        EXPECT_EQ(objects, GdiObjectCount());
        const size_t after = HeapInUse();
        EXPECT_LT(after, heap + kHeapSlack) << heap << " -> " << after;
    }
    engine.ExitLnch();
}

// The vibrator's pulses run on a thread of their own, which holds the
// module while it plays and lets it go at the end: the LED ends off, twice
// switched on.
TEST(LaunchVibrator, PulsesPlayOnTheirOwnThreadAndEndOff)
{
    CLaunch engine;  // nothing loaded: LED 1, as the driver's stand-in has two
    const LedRecord before = LedState(1);
    engine.PulseVibrator(50, 2);
    const DWORD deadline = ::GetTickCount() + 10000;
    while ((LedState(1).timesOn < before.timesOn + 2 || LedState(1).on) && ::GetTickCount() < deadline)
        ::Sleep(20);
    EXPECT_EQ(before.timesOn + 2, LedState(1).timesOn);
    EXPECT_FALSE(LedState(1).on);
}
