#include "DumpModel.h"

#include "base/Format.h"
#include "config/Motion.h"
#include "config/Page.h"
#include "config/Sheet.h"

#include <vector>

namespace {

const wchar_t* const kAnchorWords[] = {L"",       L"TOPIN",    L"TOPOUT",  L"BOTTOMIN", L"BOTTOMOUT",
                                       L"VCENTER", L"LEFTIN",  L"LEFTOUT", L"RIGHTIN",  L"RIGHTOUT",
                                       L"CENTER",  L"WIDTH",   L"HEIGHT"};

std::wstring Spec(std::int32_t number, std::uint8_t mode, std::uint8_t anchor)
{
    const wchar_t sign = mode == SPEC_ABSOLUTE ? L':' : mode == SPEC_SUBTRACT ? L'-' : L'+';
    if (anchor != ANCHOR_NONE && anchor < std::size(kAnchorWords))
        return FormatW(L"%c%s", sign, kAnchorWords[anchor]);
    return FormatW(L"%c%d", sign, number);
}

const wchar_t* KindWord(std::uint8_t kind)
{
    switch (kind) {
    case MOTION_NO_MOV: return L"NO_MOV";
    case MOTION_NORMAL: return L"NORMAL";
    case MOTION_ACCEL: return L"ACCEL";
    case MOTION_END: return L"END";
    default: return L"?";
    }
}

// A name as the dump shows it: the empty one, which a file may define, too.
std::wstring Shown(const std::wstring& name) { return name.empty() ? L"(no name)" : name; }

// Names by index; a redefined name belongs to its newest index only.
std::vector<std::wstring> MotionNames(const CMotionTable& motions)
{
    std::vector<std::wstring> names(motions.Count(), L"(replaced)");
    for (const auto& [name, index] : motions.Names())
        if (index < names.size())
            names[index] = Shown(name);
    return names;
}

std::wstring Link(std::uint8_t link)
{
    if ((link & 0x7F) == kNoLink)
        return L"-";
    return FormatW(L"%d%s", link & 0x7F, (link & kLinkWrap) ? L"w" : L"");
}

}  // namespace

void DumpMotions(const CMotionTable& motions, const PrintFn& print)
{
    const std::vector<std::wstring> names = MotionNames(motions);
    print(FormatW(L"Motions (%u)", static_cast<unsigned>(motions.Count())));
    for (size_t i = 0; i < motions.Count(); ++i) {
        print(FormatW(L"  %3u %s", static_cast<unsigned>(i), names[i]));
        const Motion* motion = motions.Get(static_cast<std::uint8_t>(i));
        if (!motion)
            continue;
        for (const MotionStep& s : *motion)
            print(FormatW(L"        %-12s %-12s %-7s %5d  v %d,%d", Spec(s.x, s.modeX, s.anchorX),
                          Spec(s.y, s.modeY, s.anchorY), KindWord(s.kind), s.duration, s.vx, s.vy));
    }
}

void DumpFrames(const CSheet& sheet, const PrintFn& print)
{
    print(FormatW(L"Frames (%u)", static_cast<unsigned>(sheet.Frames().size())));
    std::vector<std::wstring> names(sheet.Frames().size());
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = L"(replaced)";
    for (const auto& [name, index] : sheet.FrameNames())
        if (index < names.size())
            names[index] = Shown(name);
    for (size_t i = 0; i < sheet.Frames().size(); ++i) {
        const SheetFrame& f = sheet.Frames()[i];
        std::wstring points;
        for (const FramePoint& p : f.points)
            points += FormatW(L" (%d,%d)", p.x, p.y);
        print(FormatW(L"  %3u %-12s%s  box (%d,%d)-(%d,%d)", static_cast<unsigned>(i), names[i], points, f.minX,
                      f.minY, f.maxX, f.maxY));
    }
}

void DumpSheets(const CSheet& sheet, const CMotionTable& motions, const PrintFn& print)
{
    const std::vector<std::wstring> names = MotionNames(motions);
    auto motion = [&](std::uint8_t index) { return index < names.size() ? names[index] : std::wstring(L"?"); };
    print(FormatW(L"Sheets (%u)", static_cast<unsigned>(sheet.Sheets().size())));
    for (const auto& [name, def] : sheet.Sheets()) {
        print(FormatW(L"  %s  %s, %u slots, first %u, last %u", Shown(name), def.type == SHEET_TASK ? L"task" : L"normal",
                      static_cast<unsigned>(def.slots.size()), def.firstSlot, def.lastSlot));
        for (size_t i = 0; i < def.slots.size(); ++i) {
            const SheetSlot& s = def.slots[i];
            print(FormatW(L"    %3u r%u c%-2u (%4d,%4d) size %3u  in %s+%u  out %s+%u  frame %u  up %s down %s",
                          static_cast<unsigned>(i), s.row, s.column, s.x, s.y, s.size, motion(s.motionIn), s.delayIn,
                          motion(s.motionOut), s.delayOut, s.frame, Link(s.linkUp), Link(s.linkDown)));
        }
    }
}

void DumpPages(const CPageMng& pages, const PrintFn& print)
{
    print(FormatW(L"Pages (%u, in display order)", static_cast<unsigned>(pages.m_Order.size())));
    for (size_t i = 0; i < pages.m_Order.size(); ++i) {
        const PageOrderEntry& o = pages.m_Order[i];
        const CPageInfo* page = pages.PageAt(i);
        if (!page) {
            print(FormatW(L"  %2u %s (not loaded)", static_cast<unsigned>(i), o.name));
            continue;
        }
        print(FormatW(L"  %2u %s%s  group %u  portrait %s,%u,%u  landscape %s,%u,%u", static_cast<unsigned>(i), o.name,
                      o.shown ? L"" : L" (hidden)", page->group, page->sheetName[0], page->startSlot[0],
                      page->extra[0], page->sheetName[1], page->startSlot[1], page->extra[1]));
        for (size_t k = 0; k < page->icons.entries.size(); ++k)
            print(FormatW(L"     %3u %s", static_cast<unsigned>(k), FormatIconEntry(page->icons.entries[k], false)));
    }
}
