// The vibrator: the device drives one of its notification LEDs as a motor.
// A pulse switches it on for the pulse length; pulses are a length apart.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

struct LedPulses {
    int led = 0;       // the LED's number
    int lengthMs = 0;  // each pulse, and each pause between two
    int count = 0;
};

// The LED that vibrates: the driver's highest, but not past highestAllowed
// (setting 13); 1 when the driver cannot be asked. -1 when there is none.
int VibratorLed(int highestAllowed);

// Plays the pulses, sleeping between the switches, and leaves the LED off.
// Runs on the caller's thread; sleep waits the given milliseconds.
void PlayLedPulses(const LedPulses& pulses, const std::function<void(unsigned)>& sleep);

// The patterns waiting for the vibrator. One thread plays them, one after
// the other: two threads would switch the same LED, and one's "off" would
// cut the other's pulse short. A tap while a pattern plays queues its own
// (up to kMaxWaiting; more taps than that add nothing).
class CPulseQueue {
public:
    static constexpr size_t kMaxWaiting = 8;

    // Queues the pattern. True when no thread plays: the caller starts one,
    // which takes patterns with Next until there are none.
    bool Add(const LedPulses& pulses);
    // The next pattern to play; false when none is left, and from then on
    // nobody plays until Add says so.
    bool Next(LedPulses& pulses);
    // The player could not be started: what waited is dropped.
    void Abandon();

private:
    std::mutex m_lock;
    std::deque<LedPulses> m_waiting;
    bool m_bPlaying = false;
};

// Plays what the queue holds, on the caller's thread (the player's loop).
void PlayQueuedPulses(CPulseQueue& queue, const std::function<void(unsigned)>& sleep);
