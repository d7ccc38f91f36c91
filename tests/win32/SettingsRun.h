// Helpers of the settings program's tests. A session runs the real main
// dialog in the test's own process and thread, on a private device with
// the sample installation and a device screen of a chosen size, and
// drives it with the messages a user's taps cause. Modal dialogs (the
// editors, message boxes) run the test thread's loop while a driver thread
// works them, as a user would: typing, tapping soft keys, answering.
#pragma once

#include "DeviceSandbox.h"
#include "DisplayHarness.h"
#include "DlgMain.h"
#include "ListRun.h"
#include "TestDesktop.h"
#include "config/SettingTable.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CPageMng;

struct SettingsScreen {
    int width, height;
};
inline constexpr SettingsScreen kSmallScreen = {240, 320};
inline constexpr SettingsScreen kLargeScreen = {480, 640};

// Tab positions of the pages this program has.
enum SettingsTab : int {
    TAB_PAGES = 0, TAB_APP, TAB_ENV, TAB_BASIC, TAB_TASK, TAB_PORT_LAND, TAB_COLOR, TAB_VERSION, TAB_COUNT
};

// Taps the current page's soft key (0 Save, 1 Close) and runs the program
// until the main dialog is gone or giveUpMs have passed. The text of the
// "Orvane" message it showed meanwhile (answered with OK); empty without one.
std::wstring TapAndRun(CDlgMain& main, int key, DWORD giveUpMs = 15000);
// The same, as a check: the dialog went, showing just that message.
::testing::AssertionResult EndsWith(CDlgMain& main, int key, const std::wstring& message, DWORD giveUpMs = 15000);

class CSettingsSession {
public:
    // The sample installation with some settings replaced (by index); in
    // English unless the language setting is given.
    explicit CSettingsSession(SettingsScreen screen = kLargeScreen, std::map<int, std::string> settings = {});
    ~CSettingsSession();

    // Creates the main dialog; false when it did not stay open.
    ::testing::AssertionResult Open();
    CDlgMain& Main() { return *m_pMain; }
    HWND Hwnd() const { return m_pMain ? m_pMain->Hwnd() : nullptr; }
    CDeviceSandbox& Device() { return m_dev; }
    std::string File(const std::wstring& name) const;
    void WriteFile(const std::wstring& name, const std::string& bytes) const;

    // A tap on the tab; the page shown then.
    void SelectTab(int index);
    // See EndsWith.
    ::testing::AssertionResult Ends(int key, const std::wstring& message, DWORD giveUpMs = 15000)
    {
        return EndsWith(*m_pMain, key, message, giveUpMs);
    }
    CDlgTab* Page() const { return m_pMain->CurrentPage(); }
    template <class T>
    T& PageAs(int index)
    {
        return *dynamic_cast<T*>(m_pMain->PageAt(static_cast<size_t>(index)));
    }

private:
    CDeviceSandbox m_dev;
    CTestDesktop m_desktop;
    std::unique_ptr<CDlgMain> m_pMain;
};

// Every file below the folder, by its path from there, byte for byte.
std::map<std::wstring, std::string> FolderFiles(const std::wstring& folder);

// A visible dialog of this process with the caption; null after giveUpMs.
HWND WaitForDialog(const std::wstring& caption, DWORD giveUpMs = 20000);
// How many such dialogs are open.
int CountDialogs(const std::wstring& caption);
// The texts of a dialog's static controls (a message box's message).
std::wstring DialogText(HWND dialog);
// A control's text; typing a text into a dialog's control (sent); picking
// the combo entry with the text and telling the dialog, as a tap in its list
// does; the entries of a dialog's combo box.
std::wstring ControlText(HWND control);
void TypeInto(HWND dialog, int id, const std::wstring& text);
void ChooseItem(HWND dialog, int id, const std::wstring& text);
std::vector<std::wstring> ComboItems(HWND dialog, int id);
std::vector<std::wstring> ListBoxItems(HWND listBox);
// A tap on the dialog's soft key (0 left, 1 right), posted.
void TapSoftKey(HWND dialog, int key);
// Sends the command as the dialog's soft key or button would, posted.
void PostCommand(HWND dialog, int id);
// A tap on the dialog's button, sent: what it opens runs before it returns.
void ClickButton(HWND dialog, int id);
// Waits until the window is gone; false when it is still there after giveUpMs.
bool WaitGone(HWND hwnd, DWORD giveUpMs = 10000);
// Waits until the control shows the text (a posted key has been handled);
// the text it shows in the end.
std::wstring WaitForText(HWND control, const std::wstring& expected, DWORD giveUpMs = 2000);
// Answers the dialog with the caption with the button once it shows, and
// waits until it is gone. Its text; empty when none came within giveUpMs.
std::wstring AnswerDialog(const std::wstring& caption, int button = IDOK, DWORD giveUpMs = 5000);
// Taps the editor's OK. A message with the caption that comes while the
// editor is open is answered (a question with answer, anything else with
// OK), and an editor still open after it is cancelled. The message's text;
// empty when none came.
std::wstring TapOkAndAnswer(HWND editor, const std::wstring& caption, int answer = IDYES);

// A setting's definition as a definition file gives it.
SettingDef MakeDef(EditorKind kind, const std::wstring& label, const std::wstring& params,
                   const std::wstring& help = L"");

// The page names in the page manager's order.
std::vector<std::wstring> PageNames(const CPageMng& pages);
// The installation on the device passes the project's lint.
::testing::AssertionResult InstallationPassesLint();

// Runs a driver on a thread of its own while the test thread runs a modal
// dialog. If the driver's work fails, every dialog of the process is
// cancelled, so that the test thread gets out of its loops.
class CDriver {
public:
    explicit CDriver(std::function<void()> work);
    // Works the dialog with the caption once it shows; nothing when it does
    // not within giveUpMs.
    CDriver(const std::wstring& caption, std::function<void(HWND)> work, DWORD giveUpMs = 20000);
    ~CDriver();
    CDriver(const CDriver&) = delete;
    CDriver& operator=(const CDriver&) = delete;
    void Join();

private:
    std::thread m_thread;
};

// Runs the dialog modally over the owner while a driver works it (see
// CDriver); the dialog's result.
INT_PTR RunModal(CDialog& dialog, HWND owner, const std::wstring& caption, const std::function<void(HWND)>& work);

// The window as it is on screen (GetWindowDC), frame included.
CPixels CaptureWindow(HWND hwnd);
// Every visible child (and their children) lies inside its parent's
// client area; the failure names the ones that do not.
::testing::AssertionResult ChildrenInside(HWND dialog);
