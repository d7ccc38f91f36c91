// Recorders for the engine core's tests: the window as the engine sees it,
// an engine whose system calls are recorded, the trace, and an empty font
// list.
#pragma once

#include "base/Log.h"
#include "config/FontList.h"
#include "engine/LaunchCore.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// The window as the engine sees it: every call in order, and the timers
// that are armed.
class CRecWindow : public CLaunchWindow {
public:
    void SetTimer(unsigned id, unsigned ms) override
    {
        events.push_back("set " + std::to_string(id) + " " + std::to_string(ms));
        armed[id] = ms;
    }
    void KillTimer(unsigned id) override
    {
        events.push_back("kill " + std::to_string(id));
        armed.erase(id);
    }
    void Invalidate() override { events.push_back("invalidate"); }
    void Update() override { events.push_back("update"); }
    int ClientWidth() const override { return width; }
    ScreenRect WindowRect() const override { return {left, top, left + width, top + height}; }
    bool Armed(unsigned id) const { return armed.count(id) != 0; }

    std::vector<std::string> events;
    std::map<unsigned, unsigned> armed;
    int width = 480, height = 300;
    int left = 0, top = 26;  // where the item stands on the screen
};

class CTestLaunch : public CLaunchCore {
public:
    std::vector<unsigned> sleeps;
    std::function<void()> onSleep;
    int deletedSurfaces = 0, resetPanels = 0;
    int hookCalls[3] = {0, 0, 0};
    int hookResults[3] = {0, 0, 0};
    int screenWidth = 480, screenHeight = 640;
    std::uint32_t tick = 5000;  // the system's tick count, as the test moves it
    std::vector<std::pair<std::wstring, std::wstring>> opened;  // file and parameters
    std::vector<LedPulses> pulses;

protected:
    void Sleep(unsigned ms) override
    {
        sleeps.push_back(ms);
        if (onSleep)
            onSleep();
    }
    void DeleteSurfaces() override { ++deletedSurfaces; }
    void ResetPanels() override { ++resetPanels; }
    int UpdateTaskList() override { return ++hookCalls[0], hookResults[0]; }
    int RefreshRegistryItems() override { return ++hookCalls[1], hookResults[1]; }
    int RefreshPanels() override { return ++hookCalls[2], hookResults[2]; }
    std::uint32_t TickCount() const override { return tick; }
    void ShellOpen(const std::wstring& file, const std::wstring& params) override { opened.emplace_back(file, params); }
    void StartPulses(const LedPulses& p) override { pulses.push_back(p); }
    void ScreenSize(int& w, int& h) const override
    {
        w = screenWidth;
        h = screenHeight;
    }
};

// The trace texts while it lives.
class CTrace {
public:
    CTrace()
    {
        SetLogHook([this](const std::wstring&, const std::wstring& text) {
            std::lock_guard<std::mutex> lock(m_lock);
            m_texts.push_back(text);
        });
    }
    ~CTrace() { SetLogHook({}); }
    CTrace(const CTrace&) = delete;
    CTrace& operator=(const CTrace&) = delete;

    std::vector<std::wstring> Starting(const std::wstring& prefix)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        std::vector<std::wstring> out;
        for (const std::wstring& t : m_texts)
            if (t.compare(0, prefix.size(), prefix) == 0)
                out.push_back(t);
        return out;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_texts.clear();
    }

private:
    std::mutex m_lock;
    std::vector<std::wstring> m_texts;
};

// The process's font list for one test: empty, so that the setting file's
// caption font is taken as written.
class CNoFonts {
public:
    CNoFonts() { FontList().Fill({}); }
    ~CNoFonts() { FontList().Fill(EnumScreenFontFamilies()); }
    CNoFonts(const CNoFonts&) = delete;
    CNoFonts& operator=(const CNoFonts&) = delete;
};

