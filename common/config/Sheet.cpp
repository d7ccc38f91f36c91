#include "config/Sheet.h"

#include "FileSys.h"
#include "base/Format.h"
#include "base/Log.h"
#include "base/Scan.h"
#include "base/Strings.h"
#include "config/IconEntry.h"
#include "config/Setting.h"
#include "config/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const wchar_t kDefaultFrame[] = L"F_DEF";
const wchar_t kDefaultSheet[] = L"S_DEF";
const wchar_t kTaskSheet[] = L"S_TASK";

void Report(const CTextFile* file, const std::wstring& reason)
{
    if (file)
        file->Report(reason);
}

void CutName(std::wstring_view& name, const wchar_t* what, const CTextFile* file)
{
    if (name.size() <= kSheetNameMax)
        return;
    name = name.substr(0, kSheetNameMax);
    Report(file, FormatW(L"%s name longer than %u characters, cut", what, static_cast<unsigned>(kSheetNameMax)));
}

}  // namespace

CSheet::CSheet(const CSetting& setting, const CMotionTable& motions) : m_Setting(setting), m_Motions(motions)
{
    const long long period = setting.GetNum(Set::FramePeriod);
    m_nFramePeriod = static_cast<int>(period);
    m_nZoomFactor = setting.GetNum(Set::ZoomFactor);
    // Without a frame period there is nothing to count the zoom in.
    if (period > 0)
        m_nZoomSteps = static_cast<int>(std::clamp((period + setting.GetNum(Set::ZoomTime) - 1) / period, 0LL,
                                                   static_cast<long long>(INT_MAX)));
    m_nDefaultPitch = setting.Scale(setting.GetNum(Set::ScrollPitch));
    m_nFlingThreshold = setting.GetNum(Set::FlingSpeed);
    // Speed kept per frame from speed kept per 100 ms. A base of 1 or more
    // would glide for ever, a negative one has no power; a factor above
    // 1000 (a frame period of 0 or less) is cut to 1000.
    const double kept = std::clamp(setting.GetNum(Set::GlideFactor), 0, 999) / 1000.0;
    const double glide = 1000.0 * std::pow(kept, static_cast<double>(period) / 100.0);
    m_nGlideFactor = static_cast<int>(std::isnan(glide) ? 0.0 : std::clamp(glide, 0.0, 1000.0));

    // F_DEF is frame 0, so that slots made before any file have a frame.
    SheetFrame frame;
    frame.points = {{setting.Scale(-48), setting.Scale(-52)}, {setting.Scale(48), setting.Scale(52)}};
    StoreFrame(kDefaultFrame, frame, nullptr);

    // The built-in sheets go through the slot-line parser like file sheets.
    SheetDef def;
    def.name = kDefaultSheet;
    for (int row = 0; row < 2; ++row) {
        int column = 0;
        for (int x = 48; x <= 432; x += 96)
            ParseSlotLine(FormatW(L"%03d,%03d,0,0,DMOV_IN,DMOV_OUT,F_DEF,64", x, row == 0 ? 52 : 158), def, row,
                          column, nullptr);
    }
    StoreSheet(def, SHEET_NORMAL);

    def = SheetDef();
    def.name = kTaskSheet;
    int column = 0;  // runs on across both rows
    for (int x = 48; x <= 552; x += 72)
        ParseSlotLine(FormatW(L"%03d,%03d,0,0,DMOV_IN,DMOV_OUT,F_DEF,48", x, 150), def, 0, column, nullptr);
    for (int x = 48; x <= 912; x += 96)
        ParseSlotLine(FormatW(L"%03d,%03d,0,0,DMOV_IN,DMOV_OUT,F_DEF,72", x, 250), def, 1, column, nullptr);
    StoreSheet(def, SHEET_TASK);
}

bool CSheet::ParseSlotLine(std::wstring_view line, SheetDef& sheet, int row, int& column, CTextFile* file)
{
    // Link value 127 means "no slot", so slot 127 cannot exist.
    if (sheet.slots.size() >= kMaxSheetSlots) {
        Report(file, FormatW(L"sheet '%s' has %u slots already, line ignored", sheet.name,
                             static_cast<unsigned>(kMaxSheetSlots)));
        return false;
    }
    int x = 0, y = 0, delayIn = 0, delayOut = 0, size = 0;
    // Views into the line: the names are only looked up.
    std::wstring_view in, out, frame;
    // A position makes a slot; fields the line leaves out take their
    // fallbacks: no delays, the built-in motions, F_DEF, size 64.
    const int fields =
        ScanW(line, L"%d,%d,%d,%d,%[^,],%[^,],%[^,],%d", {&x, &y, &delayIn, &delayOut, &in, &out, &frame, &size});
    if (fields < 2) {
        Report(file, L"slot needs at least x,y; line dropped");
        return false;
    }
    CutName(in, L"motion", file);
    CutName(out, L"motion", file);
    CutName(frame, L"frame", file);

    SheetSlot slot;
    slot.x = m_Setting.Scale(x);
    slot.y = m_Setting.Scale(y);
    const int scaled = m_Setting.Scale(size == 0 ? 64 : size);
    if (scaled < 0 || scaled > UINT8_MAX)
        Report(file, FormatW(L"icon size %d does not fit 0..255 screen pixels, clamped", scaled));
    slot.size = static_cast<std::uint8_t>(std::clamp(scaled, 0, static_cast<int>(UINT8_MAX)));
    slot.delayIn = static_cast<std::uint16_t>(delayIn);
    slot.delayOut = static_cast<std::uint16_t>(delayOut);
    // A name the line leaves out is no name: not even the motion or frame
    // that a file defined under the empty name.
    constexpr int kFieldFrame = 7;
    // (%[^,] never matches nothing: a name is empty exactly when the line
    // left its field out.)
    const auto& motions = m_Motions.Names();
    auto motion = [&](std::wstring_view name, std::uint8_t builtIn) {
        if (name.empty())
            return builtIn;
        if (const auto it = motions.find(name); it != motions.end())
            return it->second;
        // Unknown names fall back to the built-ins; say so, it is rarely meant.
        Report(file, FormatW(L"motion '%s' is not defined, the built-in one is used", name));
        return builtIn;
    };
    slot.motionIn = motion(in, 0);
    slot.motionOut = motion(out, 1);
    int frameIndex = fields >= kFieldFrame ? FrameIndex(frame) : -1;
    if (frameIndex < 0) {
        if (fields >= kFieldFrame)
            Report(file, FormatW(L"frame '%s' is not defined, F_DEF is used", frame));
        frameIndex = std::max(FrameIndex(kDefaultFrame), 0);
    }
    slot.frame = static_cast<std::uint8_t>(frameIndex);
    slot.row = static_cast<std::uint8_t>(row);
    slot.column = static_cast<std::uint8_t>(column++);
    sheet.slots.push_back(slot);
    return true;
}

void CSheet::StoreFrame(const std::wstring& name, SheetFrame& frame, CTextFile* file)
{
    if (frame.points.empty())
        return;
    if (m_Frames.size() >= kMaxFrames) {
        // Index 256 would wrap onto F_DEF.
        Report(file, FormatW(L"more than %u frames, '%s' ignored", static_cast<unsigned>(kMaxFrames), name));
        frame = SheetFrame();
        return;
    }
    for (const FramePoint& p : frame.points) {
        frame.minX = std::min(frame.minX, p.x);
        frame.minY = std::min(frame.minY, p.y);
        frame.maxX = std::max(frame.maxX, p.x);
        frame.maxY = std::max(frame.maxY, p.y);
    }
    m_Frames.push_back(std::move(frame));
    m_FrameNames[name] = static_cast<std::uint8_t>(m_Frames.size() - 1);
    frame = SheetFrame();
}

void CSheet::StoreSheet(SheetDef& sheet, std::uint8_t type)
{
    if (sheet.slots.empty())
        return;
    LinkSheetSlots(sheet);
    sheet.type = type;
    const std::wstring name = sheet.name;
    m_Sheets[name] = std::move(sheet);
    sheet = SheetDef();
}

int CSheet::LoadSheetFile(const std::wstring& path, std::uint8_t type, CDiagSink* sink)
{
    if (!FileExists(path))
        return 0;
    CTextFile file(sink);
    if (!file.OpenRead(path))
        return 0;

    std::wstring raw, frameName;
    SheetFrame frame;
    bool inSheets = false;
    while (!inSheets && file.ReadLine(raw)) {
        const std::wstring_view line = TrimLeftW(raw);
        if (line.find(L"[SHEET_DEF]") != std::wstring::npos) {
            inSheets = true;
            continue;
        }
        if (line.empty() || line[0] == L';')
            continue;
        if (line.find(L'[') != std::wstring::npos) {
            // Even a header whose name does not scan starts a frame (of the
            // empty name): its points must not join the frame before.
            StoreFrame(frameName, frame, &file);
            frameName.clear();
            ScanW(line, L"[%[^]]", {&frameName});
            continue;
        }
        int x = 0, y = 0;
        if (ScanW(line, L"%d,%d", {&x, &y}) != 2) {
            file.Report(L"frame point needs x,y; line skipped");
            continue;
        }
        frame.points.push_back({m_Setting.Scale(x), m_Setting.Scale(y)});
    }
    StoreFrame(frameName, frame, &file);

    SheetDef sheet;
    int row = 0, column = 0;
    bool rowHasSlot = false;
    while (file.ReadLine(raw)) {
        const std::wstring_view line = TrimLeftW(raw);
        if (line.empty() || line == L";CR") {
            // Repeated breaks never make an empty row.
            if (rowHasSlot) {
                ++row;
                column = 0;
                rowHasSlot = false;
            }
        } else if (line[0] == L';') {
            continue;  // a comment
        } else if (line.find(L'[') != std::wstring::npos) {
            StoreSheet(sheet, type);
            sheet.name.clear();  // a name that does not scan is the empty one
            ScanW(line, L"[%[^]]", {&sheet.name});
            row = column = 0;
            rowHasSlot = false;
        } else if (ParseSlotLine(line, sheet, row, column, &file)) {
            rowHasSlot = true;
        }
    }
    StoreSheet(sheet, type);
    return 1;
}

const SheetDef* CSheet::FindSheet(const std::wstring& name) const
{
    const auto it = m_Sheets.find(name);
    return it == m_Sheets.end() ? nullptr : &it->second;
}

int CSheet::FrameIndex(std::wstring_view name) const
{
    const auto it = m_FrameNames.find(name);
    return it == m_FrameNames.end() ? -1 : it->second;
}

void CSheet::SetCurSheet(const std::wstring& name, IconList* icons, int firstSlot, bool taskPage)
{
    const SheetDef* sheet = FindSheet(name);
    if (!sheet) {
        Log(LogFileName(), L"CSheet::SetCurSheet() NoHit:%s", name);
        sheet = FindSheet(taskPage ? kTaskSheet : kDefaultSheet);
    }
    SheetLayer& layer = m_Layers[0];
    layer.sheet = sheet;
    layer.icons = icons;
    layer.slotCount = sheet ? static_cast<int>(sheet->slots.size()) : 0;
    layer.iconCount = icons ? static_cast<int>(std::min<size_t>(icons->entries.size(), INT_MAX)) : 0;
    layer.overflow = layer.slotCount < layer.iconCount;
    m_nStartSlot = std::clamp(firstSlot, 0, layer.slotCount);
    m_nScrollSpeed = m_nScrollOffset = m_nScrollRemainder = 0;
    m_nScrollPhase = 0;
    if (!layer.overflow || !sheet)
        return;

    // The pitch of the scrolling part: the mean step between neighbours of
    // one row, from the first slot shown on.
    long long sum = 0, pairs = 0;
    const std::vector<SheetSlot>& slots = sheet->slots;
    for (size_t f = static_cast<size_t>(m_nStartSlot); f + 1 < slots.size(); ++f) {
        if (slots[f].row != slots[f + 1].row)
            continue;
        sum += std::llabs(static_cast<long long>(slots[f].x) - slots[f + 1].x);
        ++pairs;
    }
    m_nPitch = pairs ? static_cast<int>(std::min<long long>(sum / pairs, INT_MAX)) : m_nDefaultPitch;
}

SheetDef* CSheet::CurSheetToEdit()
{
    const SheetDef* cur = m_Layers[0].sheet;
    if (!cur)
        return nullptr;
    const auto found = m_Sheets.find(cur->name);
    return found != m_Sheets.end() && &found->second == cur ? &found->second : nullptr;
}

namespace {

// How much nearer to slot `to` candidate k is than the best so far b: by x
// first, and when the two lie within a pixel of each other, by column.
// Zero or more means k is at least as near.
long long Nearness(const SheetSlot& k, const SheetSlot& b, const SheetSlot& to)
{
    const long long db = std::llabs(static_cast<long long>(b.x) - to.x);
    const long long dk = std::llabs(static_cast<long long>(k.x) - to.x);
    if (db - dk > 1 || dk - db > 1)
        return db - dk;
    return std::abs(b.column - to.column) - std::abs(k.column - to.column);
}

}  // namespace

void LinkSheetSlots(SheetDef& sheet)
{
    std::vector<SheetSlot>& slots = sheet.slots;
    const int n = static_cast<int>(std::min(slots.size(), kMaxSheetSlots));
    sheet.firstSlot = sheet.lastSlot = 0;
    if (n == 0)
        return;

    int maxRow = 0;
    for (int i = 0; i < n; ++i)
        maxRow = std::max<int>(maxRow, slots[i].row);
    // The top-most row start, of equal ones the left-most, of exact ties the
    // later one.
    int first = 0;
    for (int i = 1; i < n; ++i) {
        if (slots[i].column != 0)
            continue;
        if (slots[i].y < slots[first].y || (slots[i].y == slots[first].y && slots[i].x <= slots[first].x))
            first = i;
    }
    sheet.firstSlot = static_cast<std::uint16_t>(first);
    sheet.lastSlot = static_cast<std::uint16_t>(first == 0 ? n - 1 : first - 1);
    auto rank = [&](int v) { return v >= first ? v - first : v - first + n; };

    // Each row's slots in file order: a search looks at its target row only.
    std::vector<std::vector<int>> rows(static_cast<size_t>(maxRow) + 1);
    for (int i = 0; i < n; ++i)
        rows[slots[i].row].push_back(i);

    for (int i = 0; i < n; ++i)
        slots[i].linkUp = slots[i].linkDown = kNoLink;
    for (int i = 0; i < n; ++i) {
        for (const bool up : {true, false}) {
            const int row = slots[i].row;
            const int targetRow = up ? (row == 0 ? maxRow : row - 1) : (row == maxRow ? 0 : row + 1);
            int best = -1;
            for (const int k : rows[static_cast<size_t>(targetRow)]) {
                if (best < 0 || Nearness(slots[k], slots[best], slots[i]) >= 0)
                    best = k;
            }
            if (best < 0)
                continue;
            const bool wrap = up ? rank(i) < rank(best) : rank(best) < rank(i);
            const std::uint8_t bit = wrap ? kLinkWrap : 0;
            (up ? slots[i].linkUp : slots[i].linkDown) = static_cast<std::uint8_t>(best | bit);
            // The way back from the target leads here, unless a nearer slot
            // holds it already.
            std::uint8_t& back = up ? slots[best].linkDown : slots[best].linkUp;
            const int held = back & ~kLinkWrap;
            if (back == kNoLink || held >= n || Nearness(slots[i], slots[held], slots[best]) >= 0)
                back = static_cast<std::uint8_t>(i | bit);
        }
    }
}
