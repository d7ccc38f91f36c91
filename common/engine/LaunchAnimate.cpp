// Page switching, the redraw and task timers, the frame loop and the focus
// transitions of the engine.
#include "engine/LaunchCore.h"

#include "base/Log.h"

#include <algorithm>
#include <climits>

// ---------------------------------------------------------------------------
// Pages

void CLaunchCore::SetCurTab(CLaunchWindow& wnd, int index)
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_DisplayLock);
        Log(LogFileName(), L"CLaunch::SetCurTab() Start Page:%d", index);
        if (index != -1)
            m_nCurPage = static_cast<std::uint32_t>(index);
        CPageInfo* page = m_pPages && m_pSheet ? m_pPages->PageAt(m_nCurPage) : nullptr;
        if (page) {
            m_bLandscape = ScreenIsLandscape() ? 1 : 0;
            const int o = m_bLandscape ? ORIENT_LANDSCAPE : ORIENT_PORTRAIT;
            Log(LogFileName(), L"CLaunch::SetCurTab() GetSheetName:%s", page->sheetName[o]);
            Log(LogFileName(), L"CLaunch::SetCurTab() GetIconInfo:%x", static_cast<const void*>(&page->icons));
            const bool taskPage = m_pPages->m_Order[m_nCurPage].name == kTaskPageName;
            m_pSheet->SetCurSheet(page->sheetName[o], &page->icons, page->startSlot[o], taskPage);
            Log(LogFileName(), L"CLaunch::SetCurTab() End TabNo:%d(%d)", m_nCurPage, m_bLandscape);
            m_bPageKeepsActive = page->extra[o] ? 1 : 0;
        }
    }
    // The timer lock is taken only once the display lock is released.
    if (m_bFocus) {
        Log(LogFileName(), L"CLaunch::SetCurTab() SetFrameCount()");
        m_bRebuild = 1;
        m_Tasks.TaskChanged = true;
        PublishClientWidth(wnd);
        SetDrawTimer(wnd, TIMER_REDRAW, true, true);
    }
    ResetMovPhase();
    m_nFrame = 0;
    m_nDrawTime = 0;
    m_nDragMode = 0;
    m_bScrollDone = 1;
    Log(LogFileName(), L"CLaunch::SetCurTab() End");
}

void CLaunchCore::SetCurTab(CLaunchWindow& wnd, const std::wstring& pageName)
{
    Log(LogFileName(), L"CLaunch::SetCurTab() Start PageName:%s", pageName);
    if (!m_pPages)
        return;
    for (size_t i = 0; i < m_pPages->m_Order.size(); ++i)
        if (m_pPages->m_Order[i].name == pageName)
            SetCurTab(wnd, static_cast<int>(i));
}

void CLaunchCore::StepTab(CLaunchWindow& wnd, bool forward)
{
    if (!m_pPages || m_pPages->m_Order.empty())
        return;
    const std::vector<PageOrderEntry>& order = m_pPages->m_Order;
    const long long n = static_cast<long long>(order.size());
    const long long cur = m_nCurPage;
    // From a current page past the end, the first step lands on an end.
    long long i = cur < n ? cur : (forward ? n - 1 : n);
    for (long long tries = 0; tries < n; ++tries) {
        i += forward ? 1 : -1;
        if (i < 0)
            i = n - 1;
        else if (i >= n)
            i = 0;
        if (i == cur)
            return;  // the only usable page: the clock keeps running
        if (order[static_cast<size_t>(i)].shown) {
            SetCurTab(wnd, static_cast<int>(i));
            return;
        }
    }
}

void CLaunchCore::SetCaptionBand()
{
    if (m_pSheet)
        m_pSheet->m_nCaptionHeight = m_nCaptionMode ? m_nCaptionHeight + 1 : 0;
}

void CLaunchCore::ResetMovPhase()
{
    if (!m_pSheet)
        return;
    SetCaptionBand();
    m_pSheet->PlaceLayer(0, 0, -2);
    m_pSheet->PlaceLayer(1, 0, -2);
}

// ---------------------------------------------------------------------------
// Timers and the frame loop

void CLaunchCore::SetDrawTimer(CLaunchWindow& wnd, unsigned id, bool on, bool force)
{
    std::lock_guard<std::recursive_mutex> lock(m_TimerLock);
    int& running = id == TIMER_REDRAW ? m_bRedrawTimerOn : m_bTaskTimerOn;
    if (!on || force) {
        if (running) {
            Log(LogFileName(), L"KillTimer ID:%d", id);
            wnd.KillTimer(id);
        }
        running = 0;
    }
    if (!on || running)
        return;
    long long interval = 100;
    if (id == TIMER_REDRAW) {
        // One frame per frame period, less what the last frame took; a frame
        // period below the floor still gets the floor.
        const long long period = m_nFramePeriod;
        interval = std::clamp<long long>(period - m_nDrawTime, 10, std::max<long long>(period, 10));
    }
    Log(LogFileName(), L"SetTimer ID:%d DrawTime:%d interval:%d", id, m_nDrawTime, interval);
    wnd.SetTimer(id, static_cast<unsigned>(interval));
    running = 1;
    if (id == TIMER_REDRAW)
        m_nDrawTime = 0;
}

void CLaunchCore::OnRedrawTimer(CLaunchWindow& wnd)
{
    SetDrawTimer(wnd, TIMER_REDRAW, false, false);
    wnd.Invalidate();
    wnd.Update();
}

FrameSteps CLaunchCore::StepFrame()
{
    std::lock_guard<std::recursive_mutex> lock(m_DisplayLock);
    FrameSteps steps;
    if (m_pSheet) {
        SetCaptionBand();
        const int leaving = m_bFocus ? 0 : 1;
        const bool layer0 = m_pSheet->PlaceLayer(0, leaving, m_nFrame);
        const bool layer1 = m_pSheet->PlaceLayer(1, leaving, m_nFrame);
        steps.motionsDone = layer0 && layer1;
        steps.scrollDone = m_pSheet->m_nScrollPhase == 0 || m_pSheet->ScrollStep(m_bRebuild);
        const bool keep = m_nFrame != 0;
        const bool zoom0 = m_pSheet->ZoomLayer(0, keep, leaving != 0);
        const bool zoom1 = m_pSheet->ZoomLayer(1, keep, leaving != 0);
        steps.zoomDone = zoom0 && zoom1;
    }
    m_bMotionsDone = steps.motionsDone ? 1 : 0;
    m_bScrollDone = steps.scrollDone ? 1 : 0;
    m_bZoomDone = steps.zoomDone ? 1 : 0;
    return steps;
}

void CLaunchCore::AfterDisplay(CLaunchWindow& wnd)
{
    if (!m_bInit || (m_bMotionsDone && m_bZoomDone && m_bScrollDone) || m_nFrame < 0)
        return;
    // A clock that could not advance would redraw for ever, and one of any
    // size saturates instead of wrapping.
    if (!m_bMotionsDone) {
        const long long step = static_cast<long long>(m_nAnimSpeed) * m_nFramePeriod / 10;
        const long long frame = m_nFrame + std::max<long long>(step, 1);
        m_nFrame = static_cast<std::int32_t>(std::min<long long>(frame, INT_MAX));
    }
    SetDrawTimer(wnd, TIMER_REDRAW, true, false);
}

void CLaunchCore::OnTaskTimer(CLaunchWindow& wnd)
{
    const int tasks = UpdateTaskList();
    const int registry = RefreshRegistryItems();
    const int panels = RefreshPanels();
    if (tasks || registry || panels) {
        wnd.Invalidate();
        wnd.Update();
    }
}

// ---------------------------------------------------------------------------
// Focus

std::wstring CLaunchCore::FirstPageName() const
{
    if (!m_pSetting || !m_pPages)
        return {};
    const std::wstring& name = m_pSetting->GetStr(Set::FirstPage);
    return m_pPages->OrderIndexOf(name) >= 0 ? name : std::wstring();
}

void CLaunchCore::ApplyFirstPage(CLaunchWindow& wnd, const std::wstring& firstPage)
{
    if (!firstPage.empty())
        SetCurTab(wnd, firstPage);
    else
        SetCurTab(wnd, -1);
}

void CLaunchCore::ShowFirstPage(CLaunchWindow& wnd)
{
    m_bFocus = 0;
    const std::wstring firstPage = FirstPageName();
    Log(LogFileName(), L"Start() strFirstPage:%s ", firstPage);
    ApplyFirstPage(wnd, firstPage);
    if (m_bPageKeepsActive) {
        // Such a page behaves as if selected from the start.
        m_bFocus = 1;
        m_Tasks.TaskCountdown = 0;
        ApplyFirstPage(wnd, firstPage);
        SetDrawTimer(wnd, TIMER_TASK, true, true);
        wnd.Invalidate();
        wnd.Update();
        return;
    }
    m_nFrame = -2;
    m_nDrawTime = 0;
    ResetMovPhase();
}

void CLaunchCore::OnSelectionReceived(CLaunchWindow& wnd)
{
    m_bLandscape = ScreenIsLandscape() ? 1 : 0;
    if (m_bFocus)
        return;
    m_bFocus = 1;
    m_Tasks.TaskCountdown = 0;
    const std::wstring firstPage = FirstPageName();
    Log(LogFileName(), L"strFirstPage:%s ", firstPage);
    ApplyFirstPage(wnd, firstPage);
    SetDrawTimer(wnd, TIMER_TASK, true, true);
    wnd.Invalidate();
    wnd.Update();
}

void CLaunchCore::OnSelectionLost(CLaunchWindow& wnd)
{
    m_bRebuild = 1;
    if (!m_bPageKeepsActive) {
        const int wasFocused = m_bFocus;
        m_bFocus = 0;
        // Only a focused item has icons to play out; one at rest stays so.
        m_nFrame = wasFocused ? 0 : -2;
        m_nDrawTime = 0;
        m_nDragMode = 0;
        m_bScrollDone = 1;
        if (m_pSheet) {
            m_pSheet->m_nScrollPhase = 0;
            m_pSheet->m_nScrollSpeed = 0;
            m_pSheet->m_nScrollRemainder = 0;
        }
        SetDrawTimer(wnd, TIMER_REDRAW, true, true);
        SetDrawTimer(wnd, TIMER_TASK, false, true);
    }
    if (m_pSheet) {
        m_pSheet->SetFocusIcon(-2, 0);
        m_pSheet->SetFocusIcon(-2, 1);
    }
    wnd.Invalidate();
    wnd.Update();
}

void CLaunchCore::OnShown()
{
    if (m_pSheet) {
        m_pSheet->SetFocusIcon(-2, 0);
        m_pSheet->SetFocusIcon(-2, 1);
    }
    if (!m_bPageKeepsActive && !m_bShown) {
        m_nFrame = -2;
        m_nDrawTime = 0;
        ResetMovPhase();
    }
    m_bShown = 1;
}

void CLaunchCore::OnHidden() { m_bShown = 0; }
