// The LED driver's stand-in; see Led.h.
#include "Led.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>

namespace {

constexpr int kDefaultLedCount = 2;
constexpr int kMaxLedCount = 32;

std::mutex g_lock;
std::map<int, LedRecord> g_leds;

int StandInCount()
{
    const char* env = std::getenv("ORVANE_LEDS");
    if (!env || !*env)
        return kDefaultLedCount;
    char* end = nullptr;
    const long n = std::strtol(env, &end, 10);
    if (*end != '\0' || n < 0)
        return kDefaultLedCount;
    return n > kMaxLedCount ? kMaxLedCount : static_cast<int>(n);
}

void Trace(int number, bool on)
{
    const char* path = std::getenv("ORVANE_LED_TRACE");
    if (!path || !*path)
        return;
    if (std::FILE* f = std::fopen(path, "ab")) {
        std::fprintf(f, "LED %d %s\n", number, on ? "on" : "off");
        std::fclose(f);
    }
}

}  // namespace

bool QueryLedCount(int& count)
{
    count = StandInCount();
    return true;
}

bool SwitchLed(int number, bool on)
{
    if (number < 0 || number >= StandInCount())
        return false;
    std::lock_guard<std::mutex> lock(g_lock);
    LedRecord& led = g_leds[number];
    if (on)
        ++led.timesOn;
    led.on = on;
    Trace(number, on);
    return true;
}

LedRecord LedState(int number)
{
    std::lock_guard<std::mutex> lock(g_lock);
    const auto it = g_leds.find(number);
    return it == g_leds.end() ? LedRecord{} : it->second;
}
