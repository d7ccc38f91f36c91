// Answers a dialog that the code under test opens on the test's own thread
// (a message box, later the settings program's dialogs): on a thread of its
// own, it waits for a visible top-level dialog of this process with the given
// caption, reads its text and presses a button.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class CDialogWatcher {
public:
    // commandId: the button to press (IDOK closes a message box).
    explicit CDialogWatcher(std::wstring caption, int commandId = IDOK, DWORD giveUpMs = 60000);
    ~CDialogWatcher();
    CDialogWatcher(const CDialogWatcher&) = delete;
    CDialogWatcher& operator=(const CDialogWatcher&) = delete;

    // Waits until a dialog was answered or watching gave up; true if answered.
    bool Wait();
    // Stops watching at once; true if a dialog was answered before. Once the
    // call that would open the dialog has returned, this cannot race it.
    bool Stop();

    // Valid after Wait or Stop. The text is that of the message control
    // (id 0xFFFF), else of every static control, one per line.
    const std::wstring& Text() const { return m_strText; }
    HWND Owner() const { return m_hOwner; }

private:
    void Run(DWORD giveUpMs);
    HWND FindDialog() const;
    void Answer(HWND dialog);

    std::wstring m_strCaption;
    int m_nCommand;
    std::atomic<bool> m_bStop{false};
    bool m_bAnswered = false;
    std::wstring m_strText;
    HWND m_hOwner = nullptr;
    std::thread m_thread;
};
