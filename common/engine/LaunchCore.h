// The launcher engine without Windows: configuration life cycle, page
// switching, the animation clock and its timers, focus transitions, the
// recent ring, the task list, pointer and key input and what a tap launches.
// The plug-in's CLaunch adds the Windows objects (fonts, surfaces, drawing,
// the real window chain, menus, the hold gesture, the shell, the vibrator);
// everything here is tested natively.
#pragma once

#include "config/IconEntry.h"
#include "config/Motion.h"
#include "config/Page.h"
#include "config/Setting.h"
#include "config/Sheet.h"
#include "engine/LaunchWindow.h"
#include "engine/TaskList.h"
#include "engine/TaskPage.h"
#include "engine/Vibrator.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

// The caption font as InitLnch describes it; the Windows side creates it.
struct CaptionFontSpec {
    int sizeTenths = 0;     // in tenths of a point
    std::wstring face;      // at most 31 characters
    bool clearType = false;
};

// The window a task menu was opened for, as it was then.
struct TaskTarget {
    WindowHandle window = 0;
    std::wstring title;
};

// Commands of the task menus.
enum : unsigned { CMD_TASK_SWITCH = 40004, CMD_TASK_CLOSE = 40005, CMD_TASK_CANCEL = 40006 };

// What one frame's motion, scroll and zoom steps left to do.
struct FrameSteps {
    bool motionsDone = true;
    bool scrollDone = true;
    bool zoomDone = true;
};

inline constexpr int kRecentSlots = 10;
inline constexpr int kSettingAttempts = 10;
inline constexpr unsigned kSettingRetryMs = 300;

// Virtual-key codes of the cursor keys, as the Today screen passes them on.
enum : unsigned { NAVKEY_LEFT = 0x25, NAVKEY_UP = 0x26, NAVKEY_RIGHT = 0x27, NAVKEY_DOWN = 0x28 };
// The drag distance stops growing once it has passed this.
inline constexpr std::int32_t kDragDistanceCap = 1000;

class CLaunchCore {
public:
    // Nothing loaded.
    CLaunchCore();
    // Runs ExitLnch; a derived engine runs it in its own destructor too,
    // while its overrides can still free its objects.
    virtual ~CLaunchCore();
    CLaunchCore(const CLaunchCore&) = delete;
    CLaunchCore& operator=(const CLaunchCore&) = delete;

    // Builds the whole configuration in its fixed order; 0 when the setting
    // file could not be loaded in ten attempts. Frees what a previous run
    // left first.
    int InitLnch();
    // Frees it again; harmless when nothing was made. Always 1.
    int ExitLnch();

    // Page switching. Index -1 reloads the current page.
    void SetCurTab(CLaunchWindow& wnd, int index);
    void SetCurTab(CLaunchWindow& wnd, const std::wstring& pageName);
    void StepTab(CLaunchWindow& wnd, bool forward);
    void ResetMovPhase();
    void SetDrawTimer(CLaunchWindow& wnd, unsigned id, bool on, bool force);

    // The frame loop: the redraw timer's tick, and the clock's advance after
    // a painted frame. The task timer's tick.
    void OnRedrawTimer(CLaunchWindow& wnd);
    // One frame's steps of Display: the caption band, both layers' motions
    // (leaving while not focused), the scroll step and both layers' zoom.
    // Stores and returns the three done flags; takes the display lock.
    FrameSteps StepFrame();
    void AfterDisplay(CLaunchWindow& wnd);
    void OnTaskTimer(CLaunchWindow& wnd);

    // Focus transitions.
    void ShowFirstPage(CLaunchWindow& wnd);  // the part of Start after InitLnch
    void OnSelectionReceived(CLaunchWindow& wnd);
    void OnSelectionLost(CLaunchWindow& wnd);
    void OnShown();
    void OnHidden();
    // The name of the first page: setting 7 when the order list has it.
    std::wstring FirstPageName() const;
    // Landscape: the device screen is at least as wide as it is high.
    bool ScreenIsLandscape() const;
    // Setting 19 on a screen higher than wide, else setting 20.
    int ItemHeight() const;
    // The client width and the item height the motions measure against.
    void PublishClientWidth(CLaunchWindow& wnd);

    // Recent applications.
    void AddRecent(IconEntry* entry);
    void RecentToIcon();

    // Running tasks (LaunchTasks.cpp). The task timer's countdown and, when
    // due, the window walk; 1 when the task list changed.
    virtual int UpdateTaskList();
    // Binds the tasks to the current page's task slots and, on the task
    // page, lays its slots out for the item's client rectangle.
    void TaskToIcon(const ScreenRect& client);
    // A command of a task menu: switch, close or cancel. 1 when the task
    // was switched to or closed.
    int OnTaskCommand(CLaunchWindow& wnd, unsigned command);

    // Pointer and key input (LaunchInput.cpp) and launching (LaunchExec.cpp).
    // Pointer down (down true) and move: touches the icon under the point,
    // drags an overflowing strip. 1 when a hold gesture closed a task.
    int TrackPointer(CLaunchWindow& wnd, int x, int y, bool down);
    // Pointer up: a fling, a tap on an icon or a page step in an edge zone.
    // 1 when an icon's action was carried out.
    int ReleasePointer(CLaunchWindow& wnd, int x, int y);
    // The drag speed since the last sample, in pixels per frame period,
    // opposite in sign to the finger; records the point as the new sample.
    int DragVelocity(int x, int y);
    // Acts on the touched icon by its type. 1 when something was started.
    int ExecIcon(CLaunchWindow& wnd, bool close);
    // The action key: the focused icon becomes the touched one and acts.
    int ActOnFocusIcon(CLaunchWindow& wnd);
    // A cursor key inside the item; 1 when the Today screen should move its
    // selection out of the item instead.
    int NavigateKey(CLaunchWindow& wnd, unsigned key);
    // Pulses the LED that serves as the vibrator count times for lengthMs
    // each, off the window's thread.
    void PulseVibrator(int lengthMs, int count);

    // The configuration InitLnch made (null before and after).
    CSetting* Setting() const { return m_pSetting.get(); }
    CMotionTable* Motions() const { return m_pMotions.get(); }
    CSheet* Sheet() const { return m_pSheet.get(); }
    CPageMng* Pages() const { return m_pPages.get(); }

    int m_bInit = 0;
    int m_bFocus = 0;
    int m_bShown = 0;
    int m_bRebuild = 0;
    std::uint32_t m_nCurPage = 0;
    int m_bPageKeepsActive = 0;
    std::uint8_t m_bLandscape = 0;
    int m_bMotionsDone = 1;
    int m_bZoomDone = 1;
    int m_bScrollDone = 1;
    std::int32_t m_nFrame = -2;  // animation clock; -2 at rest
    std::int32_t m_nDrawTime = 0, m_nLastDraw = 0, m_nTotal = 0, m_nCount = 0;

    // Copies of settings.
    int m_bShowTiming = 0;
    int m_nFramePeriod = 0;
    int m_nAnimSpeed = 0;
    int TaskInterval = 0;
    int m_nTextShadow = 0;
    std::uint8_t m_nTaskHoldAction = 0;
    CaptionFontSpec m_CaptionFont;
    int m_nCaptionHeight = 0;  // measured on first use by the drawing side
    std::uint8_t m_nCaptionMode = 0;
    std::uint32_t m_nCaptionColor = 0;
    std::int32_t DragThreshold = 0;

    std::wstring m_strPageFile;
    std::wstring m_strPageMngFile;
    // The settings program loads the same configuration, but keeps the full
    // definitions and the hidden pages.
    bool m_bEditor = false;

    TaskListState m_Tasks;
    TaskPageLayout m_TaskLayout;
    TaskTarget m_MenuTask;  // the task of the open (or last) task menu
    std::array<IconEntry*, kRecentSlots> RecentRing{};
    std::int32_t m_nNewest = 0;
    bool RecentChanged = true;

    int m_bRedrawTimerOn = 0;
    int m_bTaskTimerOn = 0;
    std::uint8_t m_nDragMode = 0;  // 0 none, 1 icon touch, 2 page drag

    // Pointer state.
    int m_bGestureTaken = 0;            // a hold gesture acted: the next move or up is swallowed
    IconEntry* m_pTouched = nullptr;    // the icon under the stylus, or the one acted on
    std::uint32_t m_nDragTime = 0;      // tick of the last drag sample; 0 none
    std::int32_t m_nDragX = 0, m_nDragY = 0;
    std::int32_t m_nDragDistance = 0;   // horizontal pixels dragged since the pointer went down

    std::recursive_mutex m_DisplayLock;
    std::recursive_mutex m_TimerLock;

protected:
    // What the Windows side adds; the defaults do nothing.
    virtual void MakeCaptionFont(const CaptionFontSpec&) {}
    virtual void DeleteSurfaces() {}
    virtual void ResetPanels() {}
    // The task timer's other two sources of change; each returns 1 when the
    // item must be repainted.
    virtual int RefreshRegistryItems() { return 0; }
    virtual int RefreshPanels() { return 0; }
    // Waiting between two attempts at the setting file.
    virtual void Sleep(unsigned ms);
    // The device screen (platform/); a tool may simulate another.
    virtual void ScreenSize(int& width, int& height) const;
    // Milliseconds, wrapping as the system's tick count does.
    virtual std::uint32_t TickCount() const;
    // Hands a file or an address to the shell ("open", show normal); the
    // answer is not checked.
    virtual void ShellOpen(const std::wstring& file, const std::wstring& params);
    // Plays the pulses on a thread of their own (PlayLedPulses).
    virtual void StartPulses(const LedPulses& pulses);
    // The system's top-level windows; without Windows there are none.
    virtual CWindowChain& Windows();
    // The shell's hold gesture at a point of the item: true when the stylus
    // stayed down and still for the hold time.
    virtual bool RecognizeHold(CLaunchWindow&, int /*x*/, int /*y*/) { return false; }
    // The stylus is still down, or its release still waits in the queue.
    virtual bool StylusDown(CLaunchWindow&) { return true; }
    // Shows a task menu centred on a point of the screen; the choice comes
    // back as a command (OnTaskCommand).
    virtual void PopupTaskMenu(CLaunchWindow&, unsigned /*menu*/, int /*x*/, int /*y*/) {}

private:
    int LoadSetting();
    void CopySettings();
    void LoadConfiguration();
    void FreeConfiguration();
    void SetCaptionBand();
    void ApplyFirstPage(CLaunchWindow& wnd, const std::wstring& firstPage);
    void TouchIcon(int x, int y);
    void ResetDrag();
    void PulseOnTap(int lengthMs, int count);
    int OpenFavorite(IconEntry& entry);
    // The hold gesture on a task icon: 1 when it closed the task.
    int HoldTaskIcon(CLaunchWindow& wnd, int x, int y);
    void OpenTaskMenu(CLaunchWindow& wnd, unsigned menu, int x, int y);
    int ExecTask(const TaskTarget& target, bool close);

    std::unique_ptr<CSetting> m_pSetting;
    std::unique_ptr<CMotionTable> m_pMotions;
    std::unique_ptr<CSheet> m_pSheet;
    std::unique_ptr<CPageMng> m_pPages;
};
