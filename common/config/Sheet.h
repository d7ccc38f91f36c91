// Sheets: the slot layouts of pages, and the frames drawn behind slots.
// "Sheet.ini" files add normal sheets, "TskSheet.ini" task sheets, over the
// built-in frame "F_DEF" and sheets "S_DEF" and "S_TASK".
#pragma once

#include "base/Diagnostics.h"
#include "config/Motion.h"

#include <climits>
#include <functional>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CSetting;
struct IconList;

inline constexpr std::uint8_t kNoLink = 127;      // a link to no slot
inline constexpr std::uint8_t kLinkWrap = 0x80;   // the move runs against the slot order
inline constexpr size_t kMaxSheetSlots = 127;
inline constexpr size_t kMaxFrames = 256;          // frame indexes are 8-bit
inline constexpr size_t kSheetNameMax = 63;        // motion, frame and sheet names of slot and page lines

enum : std::uint8_t { SHEET_NORMAL = 1, SHEET_TASK = 2 };

struct SheetSlot {
    std::int32_t x = 0, y = 0;  // centre, scaled
    std::uint16_t delayIn = 0, delayOut = 0;
    std::uint8_t motionIn = 0, motionOut = 1;
    std::uint8_t frame = 0;
    // The background state last drawn; the drawing records it on the
    // current sheet, which it otherwise only reads.
    mutable std::uint8_t bgState = 0;
    std::uint8_t size = 64;     // icon size, scaled
    std::uint8_t linkUp = kNoLink, linkDown = kNoLink;
    std::uint8_t row = 0, column = 0;
};

struct FramePoint {
    std::int32_t x = 0, y = 0;
};

struct SheetFrame {
    std::vector<FramePoint> points;  // scaled
    std::int32_t minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
};

struct SheetDef {
    std::wstring name;
    std::vector<SheetSlot> slots;
    std::uint16_t firstSlot = 0;
    std::uint16_t lastSlot = 0;
    std::uint8_t type = SHEET_NORMAL;
};

// One of the two layers of the current display: a sheet with a page's icons.
// An icon of a layer, or none (-1).
struct IconRef {
    int icon = -1;
    int layer = -1;
    bool Valid() const { return icon >= 0 && layer >= 0; }
};

struct SlotMapping {
    int slot = 0;
    bool visible = false;
};

// The background state an icon asks for: 1 page link, 2 running task, 3
// recent application, when the setting for that kind is on; else 0.
std::uint8_t BackgroundState(unsigned appType, const CSetting& setting);

struct SheetLayer {
    const SheetDef* sheet = nullptr;
    IconList* icons = nullptr;
    int slotCount = 0;
    int iconCount = 0;
    bool overflow = false;  // more icons than slots
    std::int32_t ox = 0, oy = 0;

    // The counts, kept within the sheet's slots and the list's entries
    // however the layer was filled; 0 without a sheet or a list.
    int SafeSlotCount() const;
    int SafeIconCount() const;
};

class CSheet {
public:
    // Creates the built-ins and takes the engine's values from the settings.
    CSheet(const CSetting& setting, const CMotionTable& motions);

    // Reads one sheet file (type SHEET_NORMAL or SHEET_TASK) over the
    // frames and sheets. 1 when read, 0 when missing or unreadable.
    int LoadSheetFile(const std::wstring& path, std::uint8_t type, CDiagSink* sink = nullptr);
    // Makes the named sheet current for a page's icons (falling back to
    // "S_TASK" or "S_DEF"), sets the first slot shown, the overflow flag and
    // the scroll pitch, and clears the display state.
    void SetCurSheet(const std::wstring& name, IconList* icons, int firstSlot, bool taskPage);

    const SheetDef* FindSheet(const std::wstring& name) const;
    const std::map<std::wstring, SheetDef>& Sheets() const { return m_Sheets; }
    const std::vector<SheetFrame>& Frames() const { return m_Frames; }
    // The index of the named frame, or -1.
    int FrameIndex(std::wstring_view name) const;
    const std::map<std::wstring, std::uint8_t, std::less<>>& FrameNames() const { return m_FrameNames; }
    const SheetDef* CurSheet() const { return m_Layers[0].sheet; }
    // The same, to move its slots (the task page arranges its own); null
    // when there is none.
    SheetDef* CurSheetToEdit();

    // The runtime of the current sheets: where each icon stands, how large
    // it is drawn, which has the focus, which lies under a point.
    SlotMapping MapIconToSlot(int layer, int icon, int margin) const;
    // The icon standing in a slot at rest (the inverse of MapIconToSlot), or
    // -1: from the start slot on, an overflowing layer's slots show the ring
    // turned by the scroll offset.
    int IconInSlot(int layer, int slot) const;
    // Places every icon of the layer for clock value t (direction 0 in, 1
    // out); true when every icon's motion has finished.
    bool PlaceLayer(int layer, int direction, std::int32_t t);
    // One step of the press zoom; true when no icon is still zooming.
    bool ZoomLayer(int layer, bool keep, bool release);
    // Gives icon index the press feedback and releases every other; -1
    // changes nothing, -2 releases all. True when a state changed.
    bool SetFocusIcon(int icon, int layer);
    IconRef FindFocusIcon() const;
    IconRef HitTest(std::int32_t x, std::int32_t y) const;
    static bool IsSelectable(const IconEntry& icon);
    // Both focus moves return the slot that received the focus, or -1 when
    // there is none that way.
    int MoveFocusVertical(bool down, bool wrapAllowed);
    int MoveFocusLinear(bool forward, bool crossAllowed);
    // One frame of horizontal scrolling of layer 0 while the scroll phase is
    // not 0; may set rebuild. True when the scroll has come to rest.
    bool ScrollStep(int& rebuild);
    IconEntry* Icon(const IconRef& ref) const;

    // Set by the engine: the item's width and height (the motions' W and H),
    // the caption band below each icon and the caption's offset.
    MotionArea m_Area;
    int m_nCaptionHeight = 0;
    int m_nCaptionOffset = 0;
    // Sizes a panel entry (type 10000 and above) the first time it is placed.
    std::function<void(IconEntry&)> m_fnPanelBox;

    SheetLayer m_Layers[2];
    int m_nStartSlot = 0;      // first slot shown (slots before it stay fixed)
    int m_nPitch = 0;          // pixels per icon step of a scrolling layer

    // The display state, cleared by SetCurSheet.
    int m_nScrollSpeed = 0;
    int m_nScrollOffset = 0;
    int m_nScrollRemainder = 0;
    std::uint8_t m_nScrollPhase = 0;

    // Values taken from the settings at construction.
    int m_nFramePeriod = 0;     // setting 5
    int m_nZoomFactor = 0;      // setting 15
    int m_nZoomSteps = 0;       // setting 16 in setting-5 periods, rounded up; 0: no zoom
    int m_nDefaultPitch = 0;    // Scale(setting 45)
    int m_nFlingThreshold = 0;  // setting 46
    int m_nGlideFactor = 0;     // thousandths of speed kept per frame

private:
    // The drawing box of an icon not yet laid out: the slot's size and the
    // caption band, or the panel's own box.
    void LayOutBox(IconEntry& icon) const;
    // The steps of ScrollStep.
    int FocusedStripSlot() const;
    bool TurnStrip(long long& rem, int prev, int dir);
    void PlaceStripIcons(int dir, long long rem, bool whole, int& rebuild);
    long long NextScrollSpeed(long long speed, long long rem);
    // The steps of ZoomLayer and MoveFocusLinear.
    bool ZoomIcon(IconEntry& e, bool keep, bool release) const;
    bool StepFocusSlot(bool forward, bool crossAllowed, int& layer, int& slot, bool& scrolled);
    bool ParseSlotLine(std::wstring_view line, SheetDef& sheet, int row, int& column, class CTextFile* file);
    void StoreFrame(const std::wstring& name, SheetFrame& frame, class CTextFile* file);
    void StoreSheet(SheetDef& sheet, std::uint8_t type);

    const CSetting& m_Setting;
    const CMotionTable& m_Motions;
    std::map<std::wstring, SheetDef> m_Sheets;
    std::vector<SheetFrame> m_Frames;
    std::map<std::wstring, std::uint8_t, std::less<>> m_FrameNames;
};

// Computes firstSlot, lastSlot and the up/down links of a sheet's slots.
void LinkSheetSlots(SheetDef& sheet);
