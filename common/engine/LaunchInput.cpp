// Pointer and key input on the item: the press feedback of a touched icon,
// dragging and flinging an overflowing strip, taps on icons and in the edge
// zones, and the cursor keys.
#include "engine/LaunchCore.h"

#include "base/Log.h"
#include "base/Saturate.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

// The feedback of a tap that does something, when setting 12 asks for it.
void CLaunchCore::PulseOnTap(int lengthMs, int count)
{
    if (m_pSetting && m_pSetting->GetNum(Set::VibrateOnTap) != 0)
        PulseVibrator(lengthMs, count);
}

void CLaunchCore::PulseVibrator(int lengthMs, int count)
{
    if (count <= 0 || lengthMs <= 0)
        return;
    const int highest = m_pSetting ? m_pSetting->GetNum(Set::VibrateLed) : 1;
    StartPulses({VibratorLed(highest), lengthMs, count});
}

void CLaunchCore::TouchIcon(int x, int y)
{
    m_pTouched = nullptr;
    if (!m_pSheet)
        return;
    const IconRef hit = m_pSheet->HitTest(x, y);
    // Nothing hit: SetFocusIcon(-1) leaves every zoom as it is.
    m_pSheet->SetFocusIcon(hit.icon, hit.layer);
    m_pTouched = m_pSheet->Icon(hit);
}

void CLaunchCore::ResetDrag()
{
    m_nDragTime = 0;
    m_nDragDistance = 0;
}

int CLaunchCore::TrackPointer(CLaunchWindow& wnd, int x, int y, bool down)
{
    if (down) {
        ResetDrag();
        m_MenuTask = {};  // a new touch: no menu of an earlier one is open
        TouchIcon(x, y);
        const bool strip = m_pSheet && m_pSheet->m_Layers[0].overflow;
        m_nDragMode = !m_pTouched && strip && m_bFocus ? 2 : 1;
    }
    if (m_bGestureTaken)
        return 0;

    Log(LogFileName(), L"WM_MOUSEMOVE x:%d y:%d DRAG:%d(Time:%d)", x, y, m_nDragMode, TickCount());
    if (m_nDragMode == 1) {
        // Sliding onto another icon moves the press feedback there.
        TouchIcon(x, y);
        if (!m_pTouched)
            return 0;
        SetDrawTimer(wnd, TIMER_REDRAW, true, false);
        Log(LogFileName(), L"CheckZoom x:%d y:%d", x, y);
        if (m_nTaskHoldAction != 0 && !m_bGestureTaken && IsTaskSlot(m_pTouched->nAppType) && m_pTouched->Link)
            return HoldTaskIcon(wnd, x, y);
    } else if (m_nDragMode == 2 && m_pSheet) {
        m_pSheet->m_nScrollSpeed = DragVelocity(x, y);
        m_pSheet->m_nScrollPhase = 1;
        SetDrawTimer(wnd, TIMER_REDRAW, true, false);
    }
    return 0;
}

int CLaunchCore::DragVelocity(int x, int y)
{
    const std::uint32_t now = TickCount();
    long long dx = 0, speed = 0;
    // Two samples within the same millisecond have no speed between them.
    if (m_nDragTime != 0 && m_nDragTime != now) {
        const long long elapsed = static_cast<std::uint32_t>(now - m_nDragTime);  // the tick count wraps
        dx = static_cast<long long>(x) - m_nDragX;
        speed = -(static_cast<long long>(m_nFramePeriod) * dx / elapsed);
    }
    m_nDragTime = now;
    m_nDragX = x;
    m_nDragY = y;
    if (m_nDragDistance < kDragDistanceCap)
        m_nDragDistance = ClampInt(m_nDragDistance + std::llabs(dx));
    return ClampInt(speed);
}

int CLaunchCore::ReleasePointer(CLaunchWindow& wnd, int x, int y)
{
    if (m_nDragMode == 2 && m_nDragDistance > DragThreshold && m_pSheet) {
        // A fling never slows a strip that already moves faster.
        const int speed = DragVelocity(x, y);
        if (std::llabs(speed) > std::llabs(static_cast<long long>(m_pSheet->m_nScrollSpeed)))
            m_pSheet->m_nScrollSpeed = speed;
        m_pSheet->m_nScrollPhase = 1;
        // The strip may have come to rest while the finger stood still.
        SetDrawTimer(wnd, TIMER_REDRAW, true, false);
        return 0;
    }
    if (m_bGestureTaken) {
        m_bGestureTaken = 0;
        ResetDrag();
        return 0;
    }

    if (m_bFocus && m_nDragMode != 2 && m_pSheet) {
        m_pTouched = m_pSheet->Icon(m_pSheet->HitTest(x, y));
        if (m_pTouched) {
            int result = 0;
            if (IsTaskSlot(m_pTouched->nAppType) && m_pTouched->Link && m_nTaskHoldAction == 0)
                OpenTaskMenu(wnd, MENU_TASK_FULL, x, y);
            else
                result = ExecIcon(wnd, false) != 0 ? 1 : 0;
            ResetDrag();
            return result;
        }
    }

    if (m_nDragDistance > DragThreshold)
        return 0;  // a drag is no tap
    if (m_pSetting) {
        const int e = m_pSetting->GetNum(m_bLandscape ? Set::EdgeLandscape : Set::EdgePortrait);
        // x is the item's own: the far zone starts e before its width (on the
        // device the item starts at the screen's left edge, so that is the
        // rectangle's right less e).
        const long long right = wnd.WindowRect().Width();
        const bool back = x < e, forward = !back && x > right - e;
        if (back || forward) {
            PulseOnTap(40, 1);
            StepTab(wnd, forward);
        }
    }
    ResetDrag();
    return 0;
}

int CLaunchCore::NavigateKey(CLaunchWindow& wnd, unsigned key)
{
    // Keys that come while icons still move are swallowed.
    if (!m_bMotionsDone || !m_bScrollDone || !m_pSheet || !m_pSetting)
        return 0;
    const bool up = key == NAVKEY_UP, down = key == NAVKEY_DOWN;
    const bool left = key == NAVKEY_LEFT, right = key == NAVKEY_RIGHT;
    int moved = 0;
    switch (m_pSetting->GetNum(Set::KeyNavMode)) {
    case 1:
        if (left || right) {
            StepTab(wnd, right);
            return 0;
        }
        [[fallthrough]];
    case 0:
        if (!up && !down)
            return 0;
        moved = m_pSheet->MoveFocusLinear(down, false);
        break;
    case 2:
        if (left || right) {
            m_pSheet->MoveFocusLinear(right, true);
            return 0;
        }
        if (!up && !down)
            return 0;
        moved = m_pSheet->MoveFocusVertical(down, false);
        break;
    default:
        return 0;
    }
    return moved == -1 ? 1 : 0;
}
