// The Pages tab, the page editor and the Task tab under Wine, worked as a
// user works them: taps on the buttons, the editor's fields and soft keys,
// the answers to their questions; then what Save writes and Close leaves.
#include "CodePage.h"
#include "DialogWatcher.h"
#include "DlgTabPages.h"
#include "DlgTabTask.h"
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "PluginRun.h"
#include "SettingsRun.h"
#include "TestConfig.h"
#include "config/ConfigLoad.h"
#include "config/Folders.h"

#include <gtest/gtest.h>

namespace {

// A session on one tab, whose buttons the test taps.
class OnTab : public ::testing::Test {
protected:
    OnTab(int tab, std::map<int, std::string> settings) : session(kLargeScreen, std::move(settings)), m_nTab(tab) {}
    void SetUp() override
    {
        ASSERT_TRUE(session.Open());
        session.SelectTab(m_nTab);
        page = session.Page()->Hwnd();
    }
    // Taps the page's button; when a caption is given, a watcher answers
    // the message the tap shows and its text is returned.
    std::wstring Tap(int id, const std::wstring& caption = L"", int answer = IDOK)
    {
        std::unique_ptr<CDialogWatcher> watcher;
        if (!caption.empty())
            watcher = std::make_unique<CDialogWatcher>(caption, answer);
        ClickButton(page, id);
        return watcher && watcher->Stop() ? watcher->Text() : L"";
    }

    CSettingsSession session;
    HWND page = nullptr;

private:
    int m_nTab;
};

// The editor's caption in the language of the session (English).
const wchar_t kEditor[] = L"Page Setting";

// Taps OK in the editor and answers what comes: an error (the editor then
// stays and is cancelled) or a question (a No leaves the editor open, which
// is then cancelled).
std::wstring TapOkAndAnswer(HWND editor, int answer = IDYES) { return TapOkAndAnswer(editor, L"OrvaneSet", answer); }

using PageOrder = std::vector<std::pair<std::wstring, int>>;

// The pages' names and shown flags, in order.
PageOrder OrderOf(const CPageMng& pages)
{
    PageOrder order;
    for (const PageOrderEntry& o : pages.m_Order)
        order.emplace_back(o.name, o.shown);
    return order;
}

// What a page file keeps of the page: its sheets and its icons' lines.
std::string StoredText(const CPageInfo& page)
{
    std::wstring text = page.sheetName[0] + page.sheetName[1];
    for (const IconEntry& e : page.icons.entries)
        text += FormatIconEntry(e, true);
    return WideToUtf8(text);
}

class PagesTab : public OnTab {
protected:
    PagesTab() : OnTab(TAB_PAGES, {{Set::FirstPage, "Clock"}}) {}
    HWND List() const { return ::GetDlgItem(page, IDC_PAGES_LIST); }

    // The rows' names, a hidden page's marked.
    std::vector<std::wstring> Rows() const { return ListChecks(List(), L"", L" [ ]"); }
    void Select(int row) { SelectListRow(List(), row); }
    int Selected() const { return ListView_GetNextItem(List(), -1, LVNI_SELECTED); }
    // Taps the button that opens the editor while work runs it.
    void TapEditor(int id, const std::function<void(HWND)>& work, const std::wstring& question = L"",
                   int answer = IDYES)
    {
        CDriver driver(kEditor, work);
        Tap(id, question, answer);
        driver.Join();
    }
    CPageMng& Pages() { return *session.Main().m_Launch.Pages(); }
};

}  // namespace

TEST_F(PagesTab, ButtonsMoveCopyPasteAndDelete)
{
    const std::vector<std::wstring> sample = {L"Home", L"Tools", L"Recent", L"Clock", L"Pages", L"TRLS_PAGE"};
    ASSERT_EQ(sample, Rows());
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, IDC_PAGES_PASTE)));

    // Without a selection each button says so and does nothing.
    Select(-1);
    for (int id : {IDC_PAGES_EDIT, IDC_PAGES_DEL, IDC_PAGES_UP, IDC_PAGES_DOWN, IDC_PAGES_COPY})
        EXPECT_EQ(L"Not Selected,\nPlease select a item on the list.", Tap(id, L"OrvaneSet")) << id;
    EXPECT_EQ(sample, Rows());

    // Up on the first row and Down on the last do nothing; a row moved stays
    // selected, and a hidden page's flag moves with it.
    ListView_SetCheckState(List(), 0, FALSE);
    const struct {
        int row, button, selected;
        std::vector<std::wstring> rows;
    } moves[] = {
        {0, IDC_PAGES_UP, 0, {L"Home [ ]", L"Tools", L"Recent", L"Clock", L"Pages", L"TRLS_PAGE"}},
        {5, IDC_PAGES_DOWN, 5, {L"Home [ ]", L"Tools", L"Recent", L"Clock", L"Pages", L"TRLS_PAGE"}},
        {0, IDC_PAGES_DOWN, 1, {L"Tools", L"Home [ ]", L"Recent", L"Clock", L"Pages", L"TRLS_PAGE"}},
        {4, IDC_PAGES_UP, 3, {L"Tools", L"Home [ ]", L"Recent", L"Pages", L"Clock", L"TRLS_PAGE"}},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(::testing::Message() << "row " << m.row << (m.button == IDC_PAGES_UP ? " up" : " down"));
        Select(m.row);
        Tap(m.button);
        EXPECT_EQ(m.selected, Selected());
        EXPECT_EQ(m.rows, Rows());
    }

    // The task page cannot be copied; a page pasted twice is numbered on.
    Select(5);
    EXPECT_EQ(L"This PAGE can not be copied.", Tap(IDC_PAGES_COPY, L"OrvaneSet"));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, IDC_PAGES_PASTE)));
    Select(2);
    Tap(IDC_PAGES_COPY);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page, IDC_PAGES_PASTE)));
    Tap(IDC_PAGES_PASTE);
    EXPECT_EQ(2, Selected());
    Select(-1);
    Tap(IDC_PAGES_PASTE);
    EXPECT_EQ(7, Selected());
    EXPECT_EQ((std::vector<std::wstring>{L"Tools", L"Home [ ]", L"Recent(1)", L"Recent", L"Pages", L"Clock",
                                         L"TRLS_PAGE", L"Recent(2)"}),
              Rows());

    // Delete asks first; Cancel keeps the page.
    Select(3);
    EXPECT_EQ(L"Delete selected Page. OK?", Tap(IDC_PAGES_DEL, L"Warning", IDCANCEL));
    EXPECT_EQ(8u, Rows().size());
    Tap(IDC_PAGES_DEL, L"Warning", IDOK);
    EXPECT_EQ(7u, Rows().size());

    // Leaving the tab hands the rows to the page manager, pasted pages as
    // copies of their own.
    session.SelectTab(TAB_ENV);
    EXPECT_EQ((PageOrder{{L"Tools", 1}, {L"Home", 0}, {L"Recent(1)", 1}, {L"Pages", 1}, {L"Clock", 1},
                         {L"TRLS_PAGE", 1}, {L"Recent(2)", 1}}),
              OrderOf(Pages()));
    EXPECT_EQ(nullptr, Pages().FindPage(L"Recent"));
    ASSERT_NE(nullptr, Pages().FindPage(L"Recent(1)"));
    EXPECT_NE(Pages().FindPage(L"Recent(1)"), Pages().FindPage(L"Recent(2)"));
    EXPECT_EQ(L"S_RECENT_P", Pages().FindPage(L"Recent(2)")->sheetName[ORIENT_PORTRAIT]);
}

TEST_F(PagesTab, AddDuplicatesOrStartsEmpty)
{
    // Home selected: duplicated on Yes, numbered, inserted before it.
    std::wstring offered;
    Select(0);
    TapEditor(
        IDC_PAGES_ADD, [&](HWND editor) {
            offered = ControlText(::GetDlgItem(editor, IDC_SETPAGE_NAME));
            TapOkAndAnswer(editor);
        },
        L"Orvane", IDYES);
    EXPECT_EQ(L"Home(1)", offered);
    const std::vector<std::wstring> rows = Rows();
    ASSERT_EQ(7u, rows.size());
    EXPECT_EQ(L"Home(1)", rows[0]);
    EXPECT_EQ(0, Selected());

    // The task page selected: nothing is asked, the page starts empty on
    // the first normal sheet; Cancel adds nothing.
    Select(6);
    ASSERT_EQ(L"TRLS_PAGE", rows[6]);
    std::vector<std::wstring> sheets;
    CDialogWatcher nothingAsked(L"Orvane");
    TapEditor(IDC_PAGES_ADD, [&](HWND editor) {
        offered = ControlText(::GetDlgItem(editor, IDC_SETPAGE_NAME));
        sheets = ComboItems(editor, IDC_SETPAGE_SHEET_P);
        TapSoftKey(editor, 1);
    });
    EXPECT_FALSE(nothingAsked.Stop());
    EXPECT_EQ(L"", offered);
    EXPECT_EQ(std::find(sheets.begin(), sheets.end(), L"TSK_SHEET"), sheets.end());
    EXPECT_NE(std::find(sheets.begin(), sheets.end(), L"S_HOME_P"), sheets.end());
    EXPECT_EQ(7u, Rows().size());
    // The task page itself is edited on the task sheets alone.
    TapEditor(IDC_PAGES_EDIT, [&](HWND editor) {
        sheets = ComboItems(editor, IDC_SETPAGE_SHEET_L);
        TapSoftKey(editor, 1);
    });
    EXPECT_EQ((std::vector<std::wstring>{L"S_TASK", L"TSK_SHEET"}), sheets);

    // No to the question: an empty page, named in the editor.
    Select(3);
    TapEditor(
        IDC_PAGES_ADD, [&](HWND editor) {
            offered = ControlText(::GetDlgItem(editor, IDC_SETPAGE_NAME));
            TypeInto(editor, IDC_SETPAGE_NAME, L"Fresh");
            TypeInto(editor, IDC_SETPAGE_START_L, L"7");
            ::SendMessageW(::GetDlgItem(editor, IDC_SETPAGE_ALWAYS_P), BM_CLICK, 0, 0);
            TapOkAndAnswer(editor);
        },
        L"Orvane", IDNO);
    EXPECT_EQ(L"", offered);
    ASSERT_EQ(L"Fresh", Rows()[3]);
    session.SelectTab(TAB_ENV);
    const CPageInfo* fresh = Pages().FindPage(L"Fresh");
    ASSERT_NE(nullptr, fresh);
    EXPECT_TRUE(fresh->icons.entries.empty());
    EXPECT_EQ(0, fresh->group);
    EXPECT_EQ(7, fresh->startSlot[ORIENT_LANDSCAPE]);
    EXPECT_EQ(1, fresh->extra[ORIENT_PORTRAIT]);
    EXPECT_EQ(0, fresh->extra[ORIENT_LANDSCAPE]);
}

// Every refusal of the editor, in its order; each keeps the page as it was.
TEST_F(PagesTab, EditorRefusesWhatCannotBeKept)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* start;
        const wchar_t* error;
    } cases[] = {
        {L"", L"0", L"Not Set, Page Name or Sheet Name."},
        {L"A]", L"0", L"[] is disable at name."},
        {L"Two,Words", L"0", L"Page name cannot hold \",\"."},
        // A character of the other code page.
        {::GetACP() == 932 ? L"Caf\u00e9" : L"\u65e5\u672c", L"0",
         L"Page name cannot hold characters that the device's code page lacks."},
        {L"Clock", L"0", L"PageName Duplicated."},
        {L"Tools2", L"128", L"Range 0 - 127"},
    };
    Select(1);  // Tools
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.name));
        std::wstring error;
        TapEditor(IDC_PAGES_EDIT, [&](HWND editor) {
            TypeInto(editor, IDC_SETPAGE_NAME, c.name);
            TypeInto(editor, IDC_SETPAGE_START_P, c.start);
            error = TapOkAndAnswer(editor);
        });
        EXPECT_EQ(c.error, error);
        EXPECT_EQ(L"Tools", Rows()[1]);
        EXPECT_EQ(0, Pages().FindPage(L"Tools")->startSlot[ORIENT_PORTRAIT]);
    }
}

// A rename takes the links to the old name and the start page with it; a
// name that links lead to already is taken only when the user says so.
TEST_F(PagesTab, RenameFollowsLinksAndAsksBeforeTakingOthers)
{
    IconEntry dangling;
    dangling.nAppType = APP_PAGELINK;
    dangling.Name = L"Games";
    dangling.Path = L"Games";
    Pages().FindPage(L"Tools")->icons.entries.push_back(dangling);
    auto linkTargets = [&](const wchar_t* pageName) {
        std::vector<std::wstring> targets;
        for (const IconEntry& e : Pages().FindPage(pageName)->icons.entries)
            if (e.nAppType == APP_PAGELINK)
                targets.push_back(e.Name + L">" + e.Path);
        return targets;
    };

    Select(3);  // Clock
    std::wstring question;
    TapEditor(IDC_PAGES_EDIT, [&](HWND editor) {
        TypeInto(editor, IDC_SETPAGE_NAME, L"Games");
        question = TapOkAndAnswer(editor, IDNO);
    });
    EXPECT_EQ(L"1 page links lead to \"Games\".\nWith this name they open this page.\nContinue?", question);
    EXPECT_EQ(L"Clock", Rows()[3]);

    TapEditor(IDC_PAGES_EDIT, [&](HWND editor) {
        TypeInto(editor, IDC_SETPAGE_NAME, L"Games");
        question = TapOkAndAnswer(editor, IDYES);
    });
    EXPECT_EQ(L"Games", Rows()[3]);
    EXPECT_EQ(L"Games", session.Main().Setting()->GetStr(Set::FirstPage));
    session.SelectTab(TAB_ENV);
    EXPECT_EQ(nullptr, Pages().FindPage(L"Clock"));
    EXPECT_EQ((std::vector<std::wstring>{L"Tools>Tools", L"Recent>Recent", L"Games>Games", L"Tasks>TRLS_PAGE",
                                         L"Pages>Pages"}),
              linkTargets(L"Home"));
}

// Pages added, renamed, moved and hidden are saved to files that the lint
// accepts and that load back as they were edited.
TEST_F(PagesTab, SavedPagesLoadBackAndPassTheLint)
{
    Select(1);
    TapEditor(IDC_PAGES_EDIT, [&](HWND editor) {
        TypeInto(editor, IDC_SETPAGE_NAME, L"My Tools");
        TapOkAndAnswer(editor);
    });
    Tap(IDC_PAGES_DOWN);
    Select(0);
    Tap(IDC_PAGES_COPY);
    Select(-1);
    Tap(IDC_PAGES_PASTE);
    ListView_SetCheckState(List(), 6, FALSE);

    // Saved from the Pages tab itself: Save applies it first.
    ASSERT_TRUE(session.Ends(0, L"Saved Setting."));
    const PageOrder edited = OrderOf(Pages());
    EXPECT_EQ((std::pair<std::wstring, int>{L"My Tools", 1}), edited[2]);
    EXPECT_EQ((std::pair<std::wstring, int>{L"Home(1)", 0}), edited.back());

    EXPECT_TRUE(InstallationPassesLint());
    CConfiguration loaded(DEFS_KEYS, nullptr, true);
    EXPECT_EQ(edited, OrderOf(loaded.pages));
    for (const auto& [name, p] : Pages().m_Pages) {
        const CPageInfo* back = loaded.pages.FindPage(name);
        ASSERT_NE(nullptr, back) << WideToUtf8(name);
        EXPECT_EQ(StoredText(*p), StoredText(*back)) << WideToUtf8(name);
    }
    EXPECT_NE(std::string::npos, session.File(L"Page.ini").find("6,My Tools,My Tools,"));
}

// Edits in both tabs, then Close: every file stays as it was.
TEST_F(PagesTab, CloseAfterEditsLeavesTheFiles)
{
    const auto before = FolderFiles(kInstallFolder);
    Select(0);
    Tap(IDC_PAGES_DEL, L"Warning", IDOK);
    Select(0);
    Tap(IDC_PAGES_COPY);
    Tap(IDC_PAGES_PASTE);
    session.SelectTab(TAB_TASK);
    HWND task = session.Page()->Hwnd();
    ::SendMessageW(::GetDlgItem(task, IDC_TASK_EXCLUDED), LB_SETCURSEL, 0, 0);
    ClickButton(task, IDC_TASK_DEL);
    ASSERT_TRUE(session.Ends(1, L""));
    EXPECT_EQ(before, FolderFiles(kInstallFolder));
}

namespace {

// A top-level window of this process with a title, as a running program has.
class CTitledWindow {
public:
    explicit CTitledWindow(const wchar_t* title)
    {
        static const ATOM atom = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"OrvaneTestTask";
            return ::RegisterClassW(&wc);
        }();
        m_hWnd = ::CreateWindowExW(0, MAKEINTATOM(atom), title, WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    ~CTitledWindow() { ::DestroyWindow(m_hWnd); }
    CTitledWindow(const CTitledWindow&) = delete;
    CTitledWindow& operator=(const CTitledWindow&) = delete;

private:
    HWND m_hWnd = nullptr;
};

bool Has(const std::vector<std::wstring>& items, const std::wstring& item)
{
    return std::find(items.begin(), items.end(), item) != items.end();
}

class TaskTab : public OnTab {
protected:
    TaskTab() : OnTab(TAB_TASK, {{Set::TaskHoldAction, "1"}}) {}
    HWND Excluded() const { return ::GetDlgItem(page, IDC_TASK_EXCLUDED); }
    void AddTitle(const std::wstring& title)
    {
        TypeInto(page, IDC_TASK_WINDOWS, title);
        Tap(IDC_TASK_ADD);
    }
    void DeleteTitle(const std::wstring& title)
    {
        const LRESULT at = ::SendMessageW(Excluded(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(title.c_str()));
        ::SendMessageW(Excluded(), LB_SETCURSEL, static_cast<WPARAM>(at), 0);
        Tap(IDC_TASK_DEL);
    }
    std::vector<std::wstring> Offered()
    {
        Tap(IDC_TASK_REFRESH);
        return ComboItems(page, IDC_TASK_WINDOWS);
    }

};

}  // namespace

TEST_F(TaskTab, ModeAndExclusionList)
{
    EXPECT_EQ((std::vector<std::wstring>{L"Tap for Menu", L"Tap to switch Task, Hold for Menu",
                                         L"Tap to switch Task, Hold to Exit"}),
              ComboItems(page, IDC_TASK_MODE));
    EXPECT_EQ(L"Tap to switch Task, Hold for Menu", ControlText(::GetDlgItem(page, IDC_TASK_MODE)));
    EXPECT_EQ(std::vector<std::wstring>{L"DuraruZur"}, ListBoxItems(Excluded()));

    // The running windows are offered, those already excluded are not.
    CTitledWindow program(L"Pages Test Window"), hidden(L"DuraruZur");
    std::vector<std::wstring> offered = Offered();
    EXPECT_TRUE(Has(offered, L"Pages Test Window"));
    EXPECT_FALSE(Has(offered, L"DuraruZur"));

    // Nothing to add without a text; a title added (twice: listed once) is
    // no longer offered; one deleted is offered again at once, and can be
    // added back.
    const std::vector<std::wstring> both = {L"DuraruZur", L"Pages Test Window"};
    const struct {
        bool add;
        const wchar_t* title;
        std::vector<std::wstring> listed;
        int offered;  // -1: not asked
    } steps[] = {
        {true, L"", {L"DuraruZur"}, -1},
        {true, L"Pages Test Window", both, 0},
        {true, L"Pages Test Window", both, 0},
        {false, L"DuraruZur", {L"Pages Test Window"}, 1},
        {true, L"DuraruZur", both, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << (step.add ? "add " : "delete ") << WideToUtf8(step.title));
        if (step.add)
            AddTitle(step.title);
        else
            DeleteTitle(step.title);
        EXPECT_EQ(step.listed, ListBoxItems(Excluded()));
        if (step.offered >= 0) {
            EXPECT_EQ(step.offered == 1, Has(Offered(), step.title));
        }
    }

    // A title the setting file could not keep is refused, naming the list.
    TypeInto(page, IDC_TASK_WINDOWS, L"Two\tParts");
    EXPECT_EQ(L"Exclude List cannot hold control characters.", Tap(IDC_TASK_ADD, L"OrvaneSet"));
    EXPECT_EQ(2u, ListBoxItems(Excluded()).size());

    ::SendMessageW(::GetDlgItem(page, IDC_TASK_MODE), CB_SETCURSEL, 2, 0);
    session.SelectTab(TAB_BASIC);
    const CSetting& s = *session.Main().Setting();
    EXPECT_EQ(2, s.GetNum(Set::TaskHoldAction));
    EXPECT_EQ((std::vector<std::wstring>{L"DuraruZur", L"Pages Test Window"}), s.m_Exclusions);
}

// An exclusion list the user empties stays empty: the default does not
// come back when the file is read again.
TEST_F(TaskTab, EmptiedExclusionListIsSavedEmpty)
{
    DeleteTitle(L"DuraruZur");
    ASSERT_TRUE(session.Ends(0, L"Saved Setting."));
    const std::string ini = session.File(L"Orvane.ini");
    EXPECT_NE(std::string::npos, ini.find("\r\nExclusion=\r\n")) << ini;
    EXPECT_EQ(std::string::npos, ini.find("DuraruZur")) << ini;
    CConfiguration loaded;
    EXPECT_EQ(std::vector<std::wstring>{L""}, loaded.setting.m_Exclusions);
}
