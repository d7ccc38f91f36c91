// The script: one command a line ("#" starts a comment), from a file or
// from stdin, run inside the message loop. Each command prints one line,
// "ok ..." or "error ...". Commands that take time (pointer strokes, keys,
// waits, captures) play as steps from posted messages and timers, so the
// screen and its items keep running; their "ok" comes once the messages
// they caused have been handled.
//
//   tap X Y | press X Y | move X Y [STEPS] [MS] | release X Y | hold X Y MS
//   key NAME|VK | wait MS | select [N|NAME] | deselect | items | rotate | reload
//   screenshot FILE.png | capture DIR INTERVAL_MS DURATION_MS [rest] | paints
//   reloadsetting | usage | quit
//   usage: the emulator's private bytes (for the soak)
//   menu ITEM: waits for an item's popup menu, lists its items and chooses
//              the ITEM-th (0 closes it without a choice)
//   capture ... rest: ends early once the items have painted nothing for a
//              while (their motions have finished)
//   reloadsetting: the settings program's reload request to every Orvane
//              item window (the configuration changed on disk)
#pragma once

#include "Pointer.h"
#include "WindowBase.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CTodayScreen;

class CScript : public CWindowBase {
public:
    // keepOpen: at the end of the script the screen stays (for a person).
    CScript(CTodayScreen& screen, bool keepOpen);
    ~CScript() override = default;

    bool Create();
    bool LoadFile(const std::wstring& path, std::wstring& error);
    // Lines arrive from a reader thread; the script waits for them.
    void ReadStdin();
    void Start();
    int Errors() const { return m_nErrors; }

private:
    using CArgs = std::vector<std::wstring>;
    struct CStep {
        UINT delayMs;
        std::function<void()> run;
    };
    struct CCommand {
        const wchar_t* name;
        size_t minArgs;
        size_t maxArgs;
        void (CScript::*run)(const CArgs&);
    };

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Resume();
    void NextCommand();
    void Run(const std::wstring& line);
    void Ok(const std::wstring& text);
    void Fail(const std::wstring& text);
    void Play(std::vector<CStep> steps, const std::wstring& text);
    void Schedule(UINT delayMs);
    bool Settling();

    void Tap(const CArgs& a);
    void Press(const CArgs& a);
    void MoveTo(const CArgs& a);
    void Release(const CArgs& a);
    void Hold(const CArgs& a);
    void Key(const CArgs& a);
    void Wait(const CArgs& a);
    void Select(const CArgs& a);
    void Deselect(const CArgs& a);
    void Items(const CArgs& a);
    void Paints(const CArgs& a);
    void Usage(const CArgs& a);
    void Rotate(const CArgs& a);
    void Reload(const CArgs& a);
    void ReloadSetting(const CArgs& a);
    void Screenshot(const CArgs& a);
    void Capture(const CArgs& a);
    void Quit(const CArgs& a);
    void Menu(const CArgs& a);
    bool AtRest();
    // Ends the steps being played after the one running now.
    void SkipSteps() { m_nNextStep = m_steps.size(); }

    static const CCommand s_commands[];

    CTodayScreen& m_screen;
    CPointer m_pointer;
    bool m_bKeepOpen;
    std::deque<std::wstring> m_lines;
    bool m_bInputDone = false;
    bool m_bWaitingForInput = false;
    int m_nLine = 0;
    std::wstring m_strCommand;  // the line being run, for its "error"
    int m_nErrors = 0;
    bool m_bEnded = false;

    std::vector<CStep> m_steps;
    size_t m_nNextStep = 0;
    bool m_bPlaying = false;
    std::wstring m_strOk;
    std::wstring m_strStepError;
    int m_nSettle = 0;
    // A capture that ends at rest: the items' paints last counted and when
    // that count last changed.
    int m_nRestPaints = 0;
    DWORD m_dwQuietSince = 0;
};
