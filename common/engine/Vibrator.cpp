#include "engine/Vibrator.h"

#include "Led.h"

#include <algorithm>

int VibratorLed(int highestAllowed)
{
    int count = 0;
    if (!QueryLedCount(count))
        return 1;
    // LEDs are numbered from 0: the count itself names none.
    const int led = std::min(count - 1, highestAllowed);
    return led < 0 ? -1 : led;
}

void PlayLedPulses(const LedPulses& pulses, const std::function<void(unsigned)>& sleep)
{
    if (pulses.led < 0)
        return;
    const unsigned length = static_cast<unsigned>(std::max(pulses.lengthMs, 0));
    for (int i = 0; i < pulses.count; ++i) {
        if (i > 0)
            sleep(length);
        SwitchLed(pulses.led, true);
        sleep(length);
        SwitchLed(pulses.led, false);
    }
    SwitchLed(pulses.led, false);
}

bool CPulseQueue::Add(const LedPulses& pulses)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_waiting.size() < kMaxWaiting)
        m_waiting.push_back(pulses);
    if (m_bPlaying)
        return false;
    m_bPlaying = true;
    return true;
}

bool CPulseQueue::Next(LedPulses& pulses)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_waiting.empty()) {
        m_bPlaying = false;
        return false;
    }
    pulses = m_waiting.front();
    m_waiting.pop_front();
    return true;
}

void CPulseQueue::Abandon()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_waiting.clear();
    m_bPlaying = false;
}

void PlayQueuedPulses(CPulseQueue& queue, const std::function<void(unsigned)>& sleep)
{
    LedPulses pulses;
    while (queue.Next(pulses))
        PlayLedPulses(pulses, sleep);
}
