// The settings by index. The definition file gives each index its key; the
// code reaches every setting through its index alone.
#pragma once

namespace Set {
enum : int {
    Reserved0 = 0,
    UseSiblingFiles = 1,   // main files from SiblingDir
    LanguageMode = 2,      // 0 automatic, 1 Japanese, 2 English
    RefSize = 3,           // short screen side the motion and sheet files are written for
    ScreenSize = 4,        // actual short screen side, -1 automatic
    FramePeriod = 5,       // ms per animation frame
    AnimSpeed = 6,         // clock units per ms, in tenths
    FirstPage = 7,         // start page name, empty: the page shown last
    CaptionFont = 8,       // "size in tenths of a point;face"
    TextShadow = 9,        // caption shadow offset in pixels
    ClearType = 10,        // caption font quality
    CaptionMode = 11,      // 0 none, 1 below the icon, 2 above
    VibrateOnTap = 12,
    VibrateLed = 13,       // highest LED number used as vibrator
    KeyNavMode = 14,
    ZoomFactor = 15,       // press zoom in tenths
    ZoomTime = 16,         // ms
    ShowTiming = 17,
    TaskHoldAction = 18,
    HeightPortrait = 19,
    HeightLandscape = 20,
    EdgePortrait = 21,
    EdgeLandscape = 22,
    IconBgColor = 23,      // state 0 fill
    IconBgGrad = 24,       // state 0 gradient end; 0 turns gradients off
    IconBgGradOfs = 25,
    FramePen = 26,         // state 0 outline and the page frame pen
    LinkBgUse = 27,
    LinkBgColor = 28,
    LinkBgGrad = 29,
    LinkBgGradOfs = 30,
    LinkBgPen = 31,
    TaskBgUse = 32,
    TaskBgColor = 33,
    TaskBgGrad = 34,
    TaskBgGradOfs = 35,
    TaskBgPen = 36,
    RecentBgUse = 37,
    RecentBgColor = 38,
    RecentBgGrad = 39,
    RecentBgGradOfs = 40,
    RecentBgPen = 41,
    CaptionColor = 42,
    FrameBlend = 43,       // percent of watermark kept under the page frame
    TaskInterval = 44,     // seconds between window walks
    ScrollPitch = 45,      // default icon step of a scrolling sheet (reference pixels)
    FlingSpeed = 46,       // pixels per frame above which a release glides
    GlideFactor = 47,      // speed kept per 100 ms, thousandths
    Reserved48 = 48,
    Count = 49,
};
}  // namespace Set

inline constexpr int kAppSettingCount = 10;
