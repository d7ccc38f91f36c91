#include "config/Motion.h"

#include "FileSys.h"
#include "base/Format.h"
#include "base/Scan.h"
#include "base/Strings.h"
#include "config/IconEntry.h"
#include "config/Setting.h"
#include "config/Sheet.h"
#include "config/TextFile.h"

#include <cstdint>

namespace {

struct AnchorWord {
    const wchar_t* word;
    std::uint8_t code;
};

// Matched as prefixes in this order: "VCENTER" must come before "CENTER".
const AnchorWord kAnchorWords[] = {
    {L"VCENTER", ANCHOR_VCENTER},   {L"CENTER", ANCHOR_CENTER},     {L"TOPIN", ANCHOR_TOPIN},
    {L"TOPOUT", ANCHOR_TOPOUT},     {L"BOTTOMIN", ANCHOR_BOTTOMIN}, {L"BOTTOMOUT", ANCHOR_BOTTOMOUT},
    {L"LEFTIN", ANCHOR_LEFTIN},     {L"LEFTOUT", ANCHOR_LEFTOUT},   {L"RIGHTIN", ANCHOR_RIGHTIN},
    {L"RIGHTOUT", ANCHOR_RIGHTOUT}, {L"WIDTH", ANCHOR_WIDTH},       {L"HEIGHT", ANCHOR_HEIGHT},
};

// Kind words are case-sensitive: "normal" is not a kind.
bool KindFromWord(const std::wstring& word, std::uint8_t& kind)
{
    if (word == L"NO_MOV")
        kind = MOTION_NO_MOV;
    else if (word == L"NORMAL")
        kind = MOTION_NORMAL;
    else if (word == L"ACCEL")
        kind = MOTION_ACCEL;
    else if (word == L"END")
        kind = MOTION_END;
    else
        return false;
    return true;
}

// The device computes in 32 bits and wraps; we compute wider and keep the
// low 32 bits, which gives the same result without signed overflow.
std::int32_t Low32(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

// Applies one spec to coordinate c. s is the icon's box along the axis,
// extent the item's size along it (for the anchors that name it).
std::int32_t ApplySpec(std::int32_t c, std::int32_t n, std::uint8_t mode, std::uint8_t anchor, std::int16_t s,
                       std::int32_t o, const MotionArea& area)
{
    const std::int64_t half = static_cast<std::uint16_t>(s) >> 1;
    const std::int64_t w = area.width, h = area.height;
    std::int64_t d = 0;
    switch (anchor) {
    case ANCHOR_VCENTER: d = h / 2; break;
    case ANCHOR_CENTER: d = w / 2; break;
    case ANCHOR_TOPIN: d = half; break;
    case ANCHOR_TOPOUT: d = -half; break;
    case ANCHOR_BOTTOMIN: d = h - half; break;
    case ANCHOR_BOTTOMOUT: d = h + half; break;
    case ANCHOR_LEFTIN: d = half; break;
    case ANCHOR_LEFTOUT: d = -half; break;
    case ANCHOR_RIGHTIN: d = w - half; break;
    case ANCHOR_RIGHTOUT: d = w + half; break;
    case ANCHOR_WIDTH: d = w; break;
    case ANCHOR_HEIGHT: d = h; break;
    default: d = mode == SPEC_ABSOLUTE ? static_cast<std::int64_t>(n) + o : n; break;
    }
    d = Low32(d);
    if (mode == SPEC_ABSOLUTE)
        return static_cast<std::int32_t>(d);
    if (mode == SPEC_SUBTRACT)
        return Low32(c - d);
    return Low32(c + d);
}

struct Point {
    std::int32_t x = 0, y = 0;
};

Point ApplyStep(const MotionStep& step, const SheetSlot& slot, const IconEntry& icon, std::int32_t ox,
                std::int32_t oy, const MotionArea& area)
{
    return {ApplySpec(slot.x, step.x, step.modeX, step.anchorX, icon.width, ox, area),
            ApplySpec(slot.y, step.y, step.modeY, step.anchorY, icon.height, oy, area)};
}

// (a × t × t) / (T × T) in the order written. With a long step the product
// outgrows 64 bits, so it is formed in 128; the quotient is at most |a|.
std::int64_t AccelTerm(std::int64_t a, std::int64_t t, std::int64_t T)
{
    __extension__ using Wide = __int128;
    const Wide num = static_cast<Wide>(a) * t * t;
    return static_cast<std::int64_t>(num / (static_cast<Wide>(T) * T));
}

std::int32_t Accel(std::int32_t p, std::int32_t q, std::int32_t v, std::int64_t t, std::int64_t T)
{
    const std::int64_t a = static_cast<std::int64_t>(q) - p - T * v / 1000;
    return Low32(p + t * v / 1000 + AccelTerm(a, t, T));
}

std::int32_t Linear(std::int32_t p, std::int32_t q, std::int64_t t, std::int64_t T)
{
    // t ≤ T here, so the result lies between p and q.
    return static_cast<std::int32_t>(p + (static_cast<std::int64_t>(q) - p) * t / T);
}

}  // namespace

void ParseMotionSpec(const std::wstring& spec, std::int32_t& number, std::uint8_t& mode, std::uint8_t& anchor)
{
    std::wstring_view rest(spec);
    mode = SPEC_ADD;
    if (!rest.empty() && (rest[0] == L':' || rest[0] == L'-' || rest[0] == L'+')) {
        mode = rest[0] == L':' ? SPEC_ABSOLUTE : rest[0] == L'-' ? SPEC_SUBTRACT : SPEC_ADD;
        rest.remove_prefix(1);
    }
    const std::wstring upper = ToUpperW(rest);
    number = 0;
    anchor = ANCHOR_NONE;
    for (const AnchorWord& a : kAnchorWords) {
        if (StartsWithW(upper, a.word)) {
            anchor = a.code;
            return;
        }
    }
    number = Wtol(upper);
}

void CMotionTable::InitDefaultMotions()
{
    m_Motions.clear();
    m_Names.clear();
    auto step = [](std::uint8_t modeY, std::uint8_t anchorY, std::int32_t y, std::uint8_t kind, std::int32_t duration) {
        MotionStep s;
        s.modeY = modeY;
        s.anchorY = anchorY;
        s.y = y;
        s.kind = kind;
        s.duration = duration;
        return s;
    };
    // The 10 pixels above the slot are screen pixels: built in, not scaled.
    Store(L"DMOV_IN", {step(SPEC_ABSOLUTE, ANCHOR_BOTTOMOUT, 0, MOTION_NORMAL, 500),
                       step(SPEC_ADD, ANCHOR_NONE, 10, MOTION_NORMAL, 100),
                       step(SPEC_ADD, ANCHOR_NONE, 0, MOTION_END, 500)});
    Store(L"DMOV_OUT", {step(SPEC_ADD, ANCHOR_NONE, 0, MOTION_NORMAL, 500),
                        step(SPEC_ABSOLUTE, ANCHOR_BOTTOMOUT, 0, MOTION_END, 500)});
}

bool CMotionTable::Store(const std::wstring& name, const Motion& steps)
{
    // Index 256 would wrap onto "DMOV_IN".
    if (m_Motions.size() >= kMaxMotions)
        return false;
    m_Motions.push_back(steps);
    m_Names[name] = static_cast<std::uint8_t>(m_Motions.size() - 1);
    return true;
}

namespace {

// Cuts a field to its limit, reporting what was cut.
void CutField(std::wstring& field, size_t limit, const wchar_t* what, const CTextFile& file)
{
    if (field.size() <= limit)
        return;
    field.resize(limit);
    file.Report(FormatW(L"%s longer than %u characters, cut", what, static_cast<unsigned>(limit)));
}

bool ParseStepLine(std::wstring_view line, const CSetting& setting, const CTextFile& file, MotionStep& step)
{
    std::wstring xSpec, ySpec, kindWord;
    int duration = 0, vx = 0, vy = 0;
    // The three words make a step; numbers the line leaves out are 0, so
    // "+0,+0,END" is a whole END step.
    if (ScanW(line, L"%[^,],%[^,],%[^,],%d,%d,%d", {&xSpec, &ySpec, &kindWord, &duration, &vx, &vy}) < 3) {
        file.Report(L"step needs at least X spec, Y spec and kind; line dropped");
        return false;
    }
    CutField(xSpec, kMotionFieldMax, L"X spec", file);
    CutField(ySpec, kMotionFieldMax, L"Y spec", file);
    CutField(kindWord, kMotionFieldMax, L"kind word", file);
    if (!KindFromWord(kindWord, step.kind)) {
        file.Report(FormatW(L"unknown kind '%s', line dropped", kindWord));
        return false;
    }
    std::int32_t x = 0, y = 0;
    ParseMotionSpec(xSpec, x, step.modeX, step.anchorX);
    ParseMotionSpec(ySpec, y, step.modeY, step.anchorY);
    step.x = setting.Scale(x);
    step.y = setting.Scale(y);
    step.duration = duration;
    step.vx = setting.Scale(vx);
    step.vy = setting.Scale(vy);
    return true;
}

}  // namespace

int CMotionTable::LoadMotionFile(const std::wstring& path, const CSetting& setting, CDiagSink* sink)
{
    // A missing file is normal (most folders have none): no report.
    if (!FileExists(path))
        return 0;
    CTextFile file(sink);
    if (!file.OpenRead(path))
        return 0;
    std::wstring name;
    Motion steps;
    auto store = [&] {
        if (!steps.empty() && !Store(name, steps))
            file.Report(FormatW(L"more than %u motions, '%s' ignored", static_cast<unsigned>(kMaxMotions), name));
        steps.clear();
    };
    std::wstring raw;
    while (file.ReadLine(raw)) {
        const std::wstring_view line = TrimLeftW(raw);
        if (line.empty() || line[0] == L';')
            continue;
        if (line.find(L'[') != std::wstring::npos) {
            // A header whose name does not scan still ends the motion before
            // it: its steps form the motion of the empty name.
            store();
            name.clear();
            ScanW(line, L"[%[^]]", {&name});
            continue;
        }
        MotionStep step;
        if (ParseStepLine(line, setting, file, step))
            steps.push_back(step);
    }
    store();
    return 1;
}

std::uint8_t CMotionTable::FindMotion(const std::wstring& name, std::uint8_t fallback) const
{
    const auto it = m_Names.find(name);
    return it == m_Names.end() ? fallback : it->second;
}

const Motion* CMotionTable::Get(std::uint8_t index) const
{
    return index < m_Motions.size() ? &m_Motions[index] : nullptr;
}

bool CMotionTable::EvaluateMotion(IconEntry& icon, const SheetSlot& slot, int direction, std::int32_t t,
                                  std::int32_t ox, std::int32_t oy, const MotionArea& area) const
{
    const bool out = direction != 0;
    const Motion* motion = Get(out ? slot.motionOut : slot.motionIn);
    if (!motion || motion->empty()) {
        // Only a slot made against another table gets here: rest on the slot.
        icon.x = slot.x;
        icon.y = slot.y;
        icon.flags |= ICON_CAPTION;
        return true;
    }
    const Motion& steps = *motion;
    const std::int32_t delay = out ? slot.delayOut : slot.delayIn;
    if (t >= 0 && t < delay) {
        const Point p = ApplyStep(steps[0], slot, icon, ox, oy, area);
        icon.x = p.x;
        icon.y = p.y;
        return false;
    }
    if (t < 0) {
        icon.x = icon.y = kOffScreen;
        icon.flags |= ICON_CAPTION;
        return false;
    }
    // Steps of negative duration make the remaining time grow: keep it in
    // 64 bits. The step the walk stops on has a duration of at least t
    // (or is END, which ignores t).
    std::int64_t rest = static_cast<std::int64_t>(t) - delay;
    size_t i = 0;
    while (i < steps.size() && steps[i].duration < rest && steps[i].kind != MOTION_END) {
        rest -= steps[i].duration;
        ++i;
    }
    if (i == steps.size()) {
        icon.x = icon.y = out ? kOffScreen : 0;
        icon.flags |= ICON_CAPTION;
        return true;
    }
    const MotionStep& step = steps[i];
    const Point p = ApplyStep(step, slot, icon, ox, oy, area);
    const Point q = ApplyStep(i + 1 < steps.size() ? steps[i + 1] : step, slot, icon, ox, oy, area);
    icon.flags &= static_cast<std::uint8_t>(~ICON_CAPTION);
    const std::int64_t T = step.duration;
    switch (step.kind) {
    case MOTION_NORMAL:
    case MOTION_ACCEL:
        if (T <= 0) {
            // A step of no length has arrived (and would divide by zero).
            icon.x = q.x;
            icon.y = q.y;
        } else if (step.kind == MOTION_NORMAL) {
            icon.x = Linear(p.x, q.x, rest, T);
            icon.y = Linear(p.y, q.y, rest, T);
        } else {
            icon.x = Accel(p.x, q.x, step.vx, rest, T);
            icon.y = Accel(p.y, q.y, step.vy, rest, T);
        }
        return false;
    case MOTION_END:
        icon.x = q.x;
        icon.y = q.y;
        icon.flags |= ICON_CAPTION;
        return true;
    default:  // NO_MOV
        icon.x = q.x;
        icon.y = q.y;
        return false;
    }
}
