// The script's commands; the runner around them is in Script.cpp.
#include "Script.h"

#include "Output.h"
#include "Picture.h"
#include "PopupMenu.h"
#include "Reload.h"
#include "ScriptParse.h"
#include "TodayScreen.h"

#include <windows.h>

#include <psapi.h>

#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr long kMaxMs = 600000;
constexpr int kDefaultMoveSteps = 10;
constexpr long kDefaultMoveMs = 200;
constexpr long kMaxFrames = 10000;
// Items that have painted nothing for this long are at rest: well over the
// slowest frame period the settings program offers (200 ms).
constexpr DWORD kRestMs = 500;

std::wstring Xy(POINT pt) { return std::to_wstring(pt.x) + L" " + std::to_wstring(pt.y); }

bool MakeFolder(const std::wstring& path)
{
    if (::CreateDirectoryW(path.c_str(), nullptr))
        return true;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const CScript::CCommand CScript::s_commands[] = {
    {L"tap", 2, 2, &CScript::Tap},
    {L"press", 2, 2, &CScript::Press},
    {L"move", 2, 4, &CScript::MoveTo},
    {L"release", 2, 2, &CScript::Release},
    {L"hold", 3, 3, &CScript::Hold},
    {L"key", 1, 1, &CScript::Key},
    {L"wait", 1, 1, &CScript::Wait},
    {L"select", 0, 1, &CScript::Select},
    {L"deselect", 0, 0, &CScript::Deselect},
    {L"items", 0, 0, &CScript::Items},
    {L"paints", 0, 0, &CScript::Paints},
    {L"usage", 0, 0, &CScript::Usage},
    {L"rotate", 0, 0, &CScript::Rotate},
    {L"reload", 0, 0, &CScript::Reload},
    {L"screenshot", 1, 1, &CScript::Screenshot},
    {L"capture", 3, 4, &CScript::Capture},
    {L"reloadsetting", 0, 0, &CScript::ReloadSetting},
    {L"quit", 0, 0, &CScript::Quit},
    {L"menu", 1, 1, &CScript::Menu},
};

void CScript::Run(const std::wstring& line)
{
    m_strCommand = line;
    std::vector<std::wstring> args = Tokens(line);
    const std::wstring name = args.front();
    args.erase(args.begin());
    for (const CCommand& command : s_commands) {
        if (::lstrcmpiW(command.name, name.c_str()) != 0)
            continue;
        if (args.size() < command.minArgs || args.size() > command.maxArgs) {
            Fail(L"wrong number of arguments");
            return;
        }
        (this->*command.run)(args);
        return;
    }
    Fail(L"unknown command");
}

void CScript::Tap(const CArgs& a)
{
    const std::optional<POINT> pt = Point(a[0], a[1]);
    if (!pt)
        return Fail(L"X Y are numbers");
    Play({{0, [this, p = *pt] { m_strOk = L"tap " + Xy(p) + L" " + m_pointer.Down(p); }},
          {0, [this, p = *pt] { m_pointer.Up(p); }}},
         L"");
}

void CScript::Press(const CArgs& a)
{
    const std::optional<POINT> pt = Point(a[0], a[1]);
    if (!pt)
        return Fail(L"X Y are numbers");
    Play({{0, [this, p = *pt] { m_strOk = L"press " + Xy(p) + L" " + m_pointer.Down(p); }}}, L"");
}

void CScript::Release(const CArgs& a)
{
    const std::optional<POINT> pt = Point(a[0], a[1]);
    if (!pt)
        return Fail(L"X Y are numbers");
    Play({{0, [this, p = *pt] { m_strOk = L"release " + Xy(p) + L" " + m_pointer.Up(p); }}}, L"");
}

void CScript::MoveTo(const CArgs& a)
{
    const std::optional<POINT> to = Point(a[0], a[1]);
    const std::optional<long> steps = a.size() > 2 ? Number(a[2], 1, 1000) : kDefaultMoveSteps;
    const std::optional<long> ms = a.size() > 3 ? Number(a[3], 0, kMaxMs) : kDefaultMoveMs;
    if (!to || !steps || !ms)
        return Fail(L"move X Y [STEPS 1..1000] [MS]");
    const POINT from = m_pointer.Last();
    std::vector<CStep> plan;
    for (long i = 1; i <= *steps; ++i) {
        const POINT p = {from.x + (to->x - from.x) * i / *steps, from.y + (to->y - from.y) * i / *steps};
        const UINT delay = static_cast<UINT>(*ms * i / *steps - *ms * (i - 1) / *steps);
        plan.push_back({delay, [this, p] { m_strOk = L"move " + Xy(p) + L" " + m_pointer.Move(p); }});
    }
    Play(std::move(plan), L"");
}

void CScript::Hold(const CArgs& a)
{
    const std::optional<POINT> pt = Point(a[0], a[1]);
    const std::optional<long> ms = Number(a[2], 0, kMaxMs);
    if (!pt || !ms)
        return Fail(L"hold X Y MS");
    Play({{0, [this, p = *pt, t = *ms] {
               m_strOk = L"hold " + Xy(p) + L" " + std::to_wstring(t) + L" " + m_pointer.Down(p);
           }},
          {static_cast<UINT>(*ms), [this, p = *pt] { m_pointer.Up(p); }}},
         L"");
}

void CScript::Key(const CArgs& a)
{
    const std::optional<UINT> vk = KeyCode(a[0]);
    if (!vk)
        return Fail(L"unknown key");
    HWND screen = m_screen.Hwnd();
    Play({{0, [screen, k = *vk] {
               ::PostMessageW(screen, WM_KEYDOWN, k, 1);
               ::PostMessageW(screen, WM_KEYUP, k, static_cast<LPARAM>(0xC0000001u));
           }}},
         L"key " + a[0]);
}

void CScript::Wait(const CArgs& a)
{
    const std::optional<long> ms = Number(a[0], 0, kMaxMs);
    if (!ms)
        return Fail(L"wait MS");
    Play({{static_cast<UINT>(*ms), [] {}}}, L"wait " + a[0]);
}

void CScript::Select(const CArgs& a)
{
    const CItemList& items = m_screen.Items();
    int index = -1;
    for (int i = 0; i < static_cast<int>(items.size()) && index < 0; ++i) {
        const CLoadedItem& item = *items[static_cast<size_t>(i)];
        if (a.empty() ? item.Selectable() : (item.Name() == a[0] || Number(a[0], i, i)))
            index = i;
    }
    if (index < 0)
        return Fail(a.empty() ? L"no selectable item" : L"no such item");
    const CLoadedItem& item = *items[static_cast<size_t>(index)];
    if (!item.Selectable())
        return Fail(item.Name() + L" is not selectable");
    const bool accepted = m_screen.Selection().Select(index, 0);
    Ok(L"select " + std::to_wstring(index) + L" " + item.Name() + (accepted ? L"" : L" refused"));
}

void CScript::Deselect(const CArgs&)
{
    m_screen.Selection().Deselect();
    Ok(L"deselect");
}

void CScript::Items(const CArgs&)
{
    const CItemList& items = m_screen.Items();
    std::wstring text = L"items " + std::to_wstring(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        RECT rc;
        ::GetWindowRect(items[i]->Hwnd(), &rc);
        ::MapWindowPoints(nullptr, m_screen.Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        wchar_t where[64];
        std::swprintf(where, 64, L" %ld,%ld %ldx%ld", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
        text += (i ? L"; " : L": ") + items[i]->Name() + where;
        if (static_cast<int>(i) == m_screen.Selection().Current())
            text += L" selected";
    }
    Ok(text);
}

// Each item's paint messages since it was loaded: "paints NAME N; ...".
void CScript::Paints(const CArgs&)
{
    std::wstring text = L"paints";
    const CItemList& items = m_screen.Items();
    for (size_t i = 0; i < items.size(); ++i)
        text += (i ? L"; " : L" ") + items[i]->Name() + L" " + std::to_wstring(items[i]->Paints());
    Ok(text);
}

namespace {

// Committed private memory (what Windows counts as a process's private
// bytes): the system's own count, or where Wine answers 0, the committed
// private regions of the address space added up.
unsigned long long CommittedPrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                               sizeof(memory)) &&
        memory.PrivateUsage)
        return memory.PrivateUsage;
    unsigned long long bytes = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            bytes += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return bytes;
}

// Resident anonymous memory as the host system counts it (RssAnon), Wine's
// own share included; 0 where there is no such count.
unsigned long long ResidentPrivateBytes()
{
    std::ifstream status("Z:\\proc\\self\\status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("RssAnon:", 0) == 0)
            return std::strtoull(line.c_str() + 8, nullptr, 10) * 1024;
    return 0;
}

// The bytes of every busy block of the process's heaps: what the program
// holds, without the heaps' free space (which a peak leaves committed).
unsigned long long HeapBytesInUse()
{
    std::vector<HANDLE> heaps(64);
    DWORD n = ::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (n > heaps.size()) {
        heaps.resize(n);
        n = ::GetProcessHeaps(n, heaps.data());
    }
    unsigned long long bytes = 0;
    for (DWORD i = 0; i < n && i < heaps.size(); ++i) {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (::HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                bytes += entry.cbData;
        ::HeapUnlock(heaps[i]);
    }
    return bytes;
}

}  // namespace

// The emulator's memory with the items it holds, as the soak samples it:
// "usage private N resident M heap K".
void CScript::Usage(const CArgs&)
{
    Ok(L"usage private " + std::to_wstring(CommittedPrivateBytes()) + L" resident " +
       std::to_wstring(ResidentPrivateBytes()) + L" heap " + std::to_wstring(HeapBytesInUse()));
}

void CScript::Rotate(const CArgs&)
{
    m_screen.Rotate();
    RECT rc;
    ::GetClientRect(m_screen.Hwnd(), &rc);
    Ok(L"rotate " + std::to_wstring(rc.right) + L"x" + std::to_wstring(rc.bottom));
}

void CScript::Reload(const CArgs&)
{
    m_screen.Reload();
    Ok(L"reload " + std::to_wstring(m_screen.Items().size()) + L" items");
}

void CScript::Screenshot(const CArgs& a)
{
    CPixels shot;
    if (!m_screen.Capture(shot))
        return Fail(L"cannot capture the screen");
    if (!EncodePng(a[0], shot))
        return Fail(L"cannot write " + a[0]);
    Ok(L"screenshot " + a[0] + L" " + std::to_wstring(shot.width) + L"x" + std::to_wstring(shot.height));
}

void CScript::Capture(const CArgs& a)
{
    const std::optional<long> interval = Number(a[1], 1, kMaxMs), duration = Number(a[2], 1, kMaxMs);
    const bool untilRest = a.size() > 3;
    if (!interval || !duration || *duration / *interval > kMaxFrames || (untilRest && a[3] != L"rest"))
        return Fail(L"capture DIR INTERVAL_MS DURATION_MS [rest]");
    if (!MakeFolder(a[0]))
        return Fail(L"cannot make " + a[0]);
    const long frames = *duration / *interval > 0 ? *duration / *interval : 1;
    m_nRestPaints = -1;
    std::vector<CStep> plan;
    for (long i = 0; i < frames; ++i) {
        wchar_t name[32];
        std::swprintf(name, 32, L"\\frame_%04ld.png", i);
        plan.push_back({i ? static_cast<UINT>(*interval) : 0, [this, untilRest, i, dir = a[0], path = a[0] + name] {
                            CPixels shot;
                            if (!m_screen.Capture(shot) || !EncodePng(path, shot))
                                m_strStepError = L"cannot write " + path;
                            m_strOk = L"capture " + dir + L" " + std::to_wstring(i + 1) + L" frames";
                            if (untilRest && AtRest())
                                SkipSteps();
                        }});
    }
    Play(std::move(plan), L"");
}

// Counts the items' paints since the last call; true once the count has
// stood still for kRestMs.
bool CScript::AtRest()
{
    int paints = 0;
    for (const auto& item : m_screen.Items())
        paints += item->Paints();
    const DWORD now = ::GetTickCount();
    if (paints != m_nRestPaints) {
        m_nRestPaints = paints;
        m_dwQuietSince = now;
        return false;
    }
    return now - m_dwQuietSince >= kRestMs;
}

void CScript::ReloadSetting(const CArgs&)
{
    const int windows = ReloadItems();
    Ok(L"reloadsetting " + std::to_wstring(windows) + (windows == 1 ? L" window" : L" windows"));
}

void CScript::Quit(const CArgs&)
{
    Say(L"ok quit");
    m_bEnded = true;
    ::DestroyWindow(m_screen.Hwnd());
}

// The menu opens inside the item's handling of a pointer message, whose
// loop plays these steps: each looks for it until it is there.
void CScript::Menu(const CArgs& a)
{
    const std::optional<long> pick = Number(a[0], 0, 64);
    if (!pick)
        return Fail(L"menu ITEM (1 the first, 0 none)");
    constexpr int kLooks = 100;
    constexpr UINT kLookMs = 50;
    std::vector<CStep> plan;
    for (int i = 0; i < kLooks; ++i) {
        plan.push_back({i ? kLookMs : 0, [this, p = static_cast<int>(*pick), last = i == kLooks - 1] {
                            HWND menu = FindPopupMenu();
                            if (!menu) {
                                if (last)
                                    m_strStepError = L"no menu opened";
                                return;
                            }
                            const std::wstring items = PopupMenuItems(menu);
                            if (!PickPopupMenuItem(menu, p))
                                m_strStepError = L"the menu " + items + L" has no item " + std::to_wstring(p);
                            m_strOk = L"menu " + items + L" -> " + std::to_wstring(p);
                            SkipSteps();
                        }});
    }
    Play(std::move(plan), L"");
}
