// The vibrator: the device drives one of its notification LEDs as a motor.
// A pulse switches it on for the pulse length; pulses are a length apart.
#pragma once

#include <functional>

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
