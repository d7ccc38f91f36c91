// orvsim: plays a page's motions the way the item window would, without
// drawing, and prints where every icon stands on each frame.
//
//   orvsim FOLDER [PAGE]
//
// FOLDER is the installation folder, shown on a 480 x 640 portrait device.
// The item is selected (turning to PAGE when given) and frames run until
// everything rests; then it is deselected and the leaving frames follow.
#include "CodePage.h"
#include "SimScreen.h"
#include "ToolDevice.h"
#include "base/Format.h"
#include "config/Folders.h"
#include "engine/LaunchCore.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kScreenWidth = 480;
constexpr int kScreenHeight = 640;
// A configuration whose clock cannot advance would never rest.
constexpr int kMaxFrames = 2000;

void Print(const std::wstring& text)
{
    const std::string bytes = WideToUtf8(text + L"\n");
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

class CSimLaunch : public CLaunchCore {
protected:
    void ScreenSize(int& width, int& height) const override
    {
        width = kScreenWidth;
        height = kScreenHeight;
    }
};

// The item window's timers as a record: the loop below plays their ticks.
class CSimWindow : public CLaunchWindow {
public:
    void SetTimer(unsigned id, unsigned intervalMs) override { m_Armed[id] = intervalMs; }
    void KillTimer(unsigned id) override { m_Armed.erase(id); }
    void Invalidate() override {}
    void Update() override {}
    int ClientWidth() const override { return kScreenWidth; }
    bool Armed(unsigned id) const { return m_Armed.count(id) != 0; }

private:
    std::map<unsigned, unsigned> m_Armed;
};

std::wstring MotionName(const CMotionTable& motions, std::uint8_t index)
{
    for (const auto& [name, i] : motions.Names())
        if (i == index)
            return name;
    return L"?";
}

// The centre an icon rests on: its slot's, shifted by the layer's origin.
bool SlotCentre(const CSheet& sheet, int layer, int icon, std::int32_t& x, std::int32_t& y)
{
    const SheetLayer& l = sheet.m_Layers[layer];
    const SlotMapping m = sheet.MapIconToSlot(layer, icon, 0);
    if (!l.sheet || !m.visible || m.slot < 0 || static_cast<size_t>(m.slot) >= l.sheet->slots.size())
        return false;
    x = l.sheet->slots[static_cast<size_t>(m.slot)].x + l.ox;
    y = l.sheet->slots[static_cast<size_t>(m.slot)].y + l.oy;
    return true;
}

template <class Fn>
void ForEachPlaced(const CSheet& sheet, Fn fn)
{
    for (int layer = 0; layer < 2; ++layer) {
        const SheetLayer& l = sheet.m_Layers[layer];
        if (!l.sheet || !l.icons)
            continue;
        for (int i = 0; i < l.iconCount && static_cast<size_t>(i) < l.icons->entries.size(); ++i) {
            const IconEntry& e = l.icons->entries[static_cast<size_t>(i)];
            if (e.flags & ICON_PLACED)
                fn(layer, i, e);
        }
    }
}

void PrintPage(const CSimLaunch& engine)
{
    const CSheet& sheet = *engine.Sheet();
    const SheetDef* def = sheet.CurSheet();
    const CPageMng& pages = *engine.Pages();
    const std::wstring page = engine.m_nCurPage < pages.m_Order.size() ? pages.m_Order[engine.m_nCurPage].name : L"";
    Print(FormatW(L"page %s, sheet %s, client %d x %d, frame period %d ms, speed %d", page, def ? def->name : L"",
                  sheet.m_Area.width, sheet.m_Area.height, engine.m_nFramePeriod, engine.m_nAnimSpeed));
    Print(L"  icon          slot   centre     in            delay  out           delay");
    const SheetLayer& l = sheet.m_Layers[0];
    for (int i = 0; l.icons && i < l.iconCount; ++i) {
        const SlotMapping m = sheet.MapIconToSlot(0, i, 0);
        std::int32_t x = 0, y = 0;
        if (!SlotCentre(sheet, 0, i, x, y))
            continue;
        const SheetSlot& s = l.sheet->slots[static_cast<size_t>(m.slot)];
        Print(FormatW(L"  %-13s %4d   %-10s %-13s %5d  %-13s %5d", l.icons->entries[static_cast<size_t>(i)].Name,
                      m.slot, FormatW(L"%d,%d", x, y), MotionName(*engine.Motions(), s.motionIn), s.delayIn,
                      MotionName(*engine.Motions(), s.motionOut), s.delayOut));
    }
}

// Redraw ticks as the window gets them: the tick kills the timer and
// repaints; the paint runs Display's steps and re-arms it while anything
// moves.
void RunFrames(CSimLaunch& engine, CSimWindow& wnd, bool arriving)
{
    int frames = 0;
    std::int32_t t = engine.m_nFrame;
    while (wnd.Armed(TIMER_REDRAW) && frames < kMaxFrames) {
        engine.OnRedrawTimer(wnd);
        if (engine.RecentChanged)
            engine.RecentToIcon();
        t = engine.m_nFrame;
        engine.StepFrame();
        std::wstring line = FormatW(L"t=%-6d", t);
        ForEachPlaced(*engine.Sheet(), [&](int, int, const IconEntry& e) {
            line += e.x == kOffScreen ? FormatW(L" %s(off)", e.Name) : FormatW(L" %s(%d,%d)", e.Name, e.x, e.y);
        });
        Print(line);
        engine.AfterDisplay(wnd);
        ++frames;
    }

    const CSheet& sheet = *engine.Sheet();
    const MotionArea area = sheet.m_Area;
    int placed = 0, done = 0;
    ForEachPlaced(sheet, [&](int layer, int i, const IconEntry& e) {
        ++placed;
        std::int32_t x = 0, y = 0;
        if (arriving)
            done += SlotCentre(sheet, layer, i, x, y) && e.x == x && e.y == y;
        else
            done += e.x < 0 || e.x >= area.width || e.y < 0 || e.y >= area.height;
    });
    Print(FormatW(L"%s after %d frames, t=%d: %d of %d icons %s", wnd.Armed(TIMER_REDRAW) ? L"still moving" : L"at rest",
                  frames, t, done, placed, arriving ? L"on their slot centres" : L"outside the item"));
}

int Usage()
{
    Print(L"usage: orvsim FOLDER [PAGE]");
    return 2;
}

int Run(const std::vector<std::wstring>& args)
{
    if (args.size() < 2 || args.size() > 3)
        return Usage();
    CToolDevice device(args[1], L"");
    if (!device.Ok()) {
        Print(L"orvsim: no such folder: " + args[1]);
        return 2;
    }
    CSimScreen screen(kScreenWidth, kScreenHeight);
    CSimLaunch engine;
    CSimWindow wnd;
    if (!engine.InitLnch()) {
        Print(L"orvsim: the setting file cannot be read: " + engine.Setting()->SettingFilePath());
        return 1;
    }
    if (args.size() == 3 && engine.Pages()->OrderIndexOf(args[2]) < 0) {
        Print(L"orvsim: no page named " + args[2]);
        return 1;
    }

    engine.ShowFirstPage(wnd);
    if (wnd.Armed(TIMER_REDRAW)) {
        // A page that keeps itself active plays without being selected.
        Print(L"started");
        PrintPage(engine);
        RunFrames(engine, wnd, true);
    }

    engine.OnSelectionReceived(wnd);
    if (args.size() == 3)
        engine.SetCurTab(wnd, args[2]);
    Print(L"selected");
    PrintPage(engine);
    RunFrames(engine, wnd, true);

    engine.OnSelectionLost(wnd);
    Print(L"deselected");
    RunFrames(engine, wnd, false);
    engine.ExitLnch();
    return 0;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
{
    return Run(std::vector<std::wstring>(argv, argv + argc));
}
#else
int main(int argc, char** argv)
{
    std::vector<std::wstring> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(Utf8ToWide(argv[i]));
    return Run(args);
}
#endif
