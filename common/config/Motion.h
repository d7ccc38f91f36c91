// Named motions: short lists of steps along which icons enter and leave
// their slots. "Motion.ini" files add to the two built-in motions.
#pragma once

#include "base/Diagnostics.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CSetting;
struct IconEntry;
struct SheetSlot;

enum : std::uint8_t { MOTION_NO_MOV = 0, MOTION_NORMAL = 1, MOTION_ACCEL = 2, MOTION_END = 99 };
enum : std::uint8_t { SPEC_ABSOLUTE = 0, SPEC_SUBTRACT = 1, SPEC_ADD = 2 };
enum : std::uint8_t {
    ANCHOR_NONE = 0,
    ANCHOR_TOPIN = 1,
    ANCHOR_TOPOUT = 2,
    ANCHOR_BOTTOMIN = 3,
    ANCHOR_BOTTOMOUT = 4,
    ANCHOR_VCENTER = 5,
    ANCHOR_LEFTIN = 6,
    ANCHOR_LEFTOUT = 7,
    ANCHOR_RIGHTIN = 8,
    ANCHOR_RIGHTOUT = 9,
    ANCHOR_CENTER = 10,
    ANCHOR_WIDTH = 11,
    ANCHOR_HEIGHT = 12,
};

// Off-screen coordinate of an icon that is not shown.
inline constexpr std::int32_t kOffScreen = 10000;
// At most this many motions (indexes are 8-bit), built-in ones included.
inline constexpr size_t kMaxMotions = 256;
// Field limit of the X spec, the Y spec and the kind word.
inline constexpr size_t kMotionFieldMax = 127;

struct MotionStep {
    std::int32_t x = 0, y = 0;  // number parts of the specs, scaled
    std::uint8_t kind = MOTION_END;
    std::int32_t duration = 0;   // animation clock units, not scaled
    std::int32_t vx = 0, vy = 0; // ACCEL start speed, thousandths of a pixel per unit, scaled
    std::uint8_t modeX = SPEC_ADD, modeY = SPEC_ADD;
    std::uint8_t anchorX = ANCHOR_NONE, anchorY = ANCHOR_NONE;
};

using Motion = std::vector<MotionStep>;

// What the anchors measure: W the item's client width, H the item height of
// the current orientation.
struct MotionArea {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

class CMotionTable {
public:
    // Starts the table over with "DMOV_IN" (index 0) and "DMOV_OUT" (index 1).
    void InitDefaultMotions();
    // Reads one motion file over the table; numbers pass through the
    // setting's Scale. 1 when the file was read, 0 when missing or unreadable.
    int LoadMotionFile(const std::wstring& path, const CSetting& setting, CDiagSink* sink = nullptr);
    // The index the name maps to, or fallback when the name is unknown.
    std::uint8_t FindMotion(const std::wstring& name, std::uint8_t fallback) const;

    size_t Count() const { return m_Motions.size(); }
    const Motion* Get(std::uint8_t index) const;
    const std::map<std::wstring, std::uint8_t, std::less<>>& Names() const { return m_Names; }

    // Positions the icon for time t of the slot's motion in direction 0 (in)
    // or 1 (out); ox, oy offset absolute numbers. True when the motion has
    // reached its END step or run past its last step.
    bool EvaluateMotion(IconEntry& icon, const SheetSlot& slot, int direction, std::int32_t t, std::int32_t ox,
                        std::int32_t oy, const MotionArea& area) const;

private:
    // Appends the motion and maps the name to it; false (and nothing
    // stored) when the table is full.
    bool Store(const std::wstring& name, const Motion& steps);

    std::vector<Motion> m_Motions;
    std::map<std::wstring, std::uint8_t, std::less<>> m_Names;
};

// Reads one spec ("+10", ":BOTTOMOUT", "-leftin") into number, mode and
// anchor. The number is not yet scaled.
void ParseMotionSpec(const std::wstring& spec, std::int32_t& number, std::uint8_t& mode, std::uint8_t& anchor);
