// The notification LEDs, which the device also drives as its vibrator.
//
// On the device the LED driver answers a count query (information id 0) and
// switches one LED by its number (settings information id 2, on state 1 or 0).
// A PC has no such driver; the stand-in keeps each LED's state and the number
// of times it was switched on, so that tests see the pulses:
//  - it reports ORVANE_LEDS LEDs (a decimal count; 2 when unset, as most
//    devices have: the notification light and the vibrator);
//  - when ORVANE_LED_TRACE names a file, every switch is appended to it as a
//    line "LED <number> on" or "LED <number> off", so that another process
//    (a test driving the Today emulator) can read the pulses.
#pragma once

// The driver's count query. False when it fails (then count is unchanged).
bool QueryLedCount(int& count);
// Switches LED number on or off. False for a number the driver does not have.
bool SwitchLed(int number, bool on);

// The stand-in's record of one LED.
struct LedRecord {
    int timesOn = 0;
    bool on = false;
};
LedRecord LedState(int number);
