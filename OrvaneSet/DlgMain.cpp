#include "DlgMain.h"

#include "DlgTabAbout.h"
#include "DlgTabApps.h"
#include "DlgTabEnv.h"
#include "DlgTabLstSetting.h"
#include "DlgTabPages.h"
#include "DlgTabTask.h"
#include "OrvaneSet_rc.h"
#include "Reload.h"
#include "base/Format.h"
#include "config/Folders.h"
#include "ui/Res.h"

#include <objbase.h>

namespace {

// Shown once the dialog is on screen: what the loader could not read.
constexpr UINT WM_REPORT_LOAD = WM_APP + 1;

struct TabPageKind {
    unsigned label;
    std::unique_ptr<CDlgTab> (*make)(CDlgMain& main);
};

template <class Page, int... Range>
std::unique_ptr<CDlgTab> Make(CDlgMain& main)
{
    return std::make_unique<Page>(main, Range...);
}

// The pages in tab order: each with its label and how it is made.
const TabPageKind kTabPages[] = {
    {IDS_TAB_PAGE, Make<CDlgTabPages>},
    {IDS_TAB_APP, Make<CDlgTabApps>},
    {IDS_TAB_ENV, Make<CDlgTabEnv>},
    {IDS_TAB_BASIC, Make<CDlgTabLstSetting, 3, 17>},
    {IDS_TAB_TASK, Make<CDlgTabTask>},
    {IDS_TAB_PORT_LAND, Make<CDlgTabLstSetting, 19, 22>},
    {IDS_TAB_COLOR, Make<CDlgTabLstSetting, 23, 43>},
    {IDS_TAB_VERSION, Make<CDlgTabAbout>},
};

}  // namespace

CDlgMain::CDlgMain(const DeviceScreen& screen)
    : CDialog(screen.Large() ? IDD_MAIN_LARGE : IDD_MAIN), m_Screen(screen)
{
    m_hIcon = static_cast<HICON>(::LoadImageW(ResourceInstance(), MAKEINTRESOURCEW(IDI_ORVANE), IMAGE_ICON, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
}

CDlgMain::~CDlgMain()
{
    // The window and its pages go while this object's handlers still run,
    // and before the engine whose configuration the pages show.
    Destroy();
    m_Pages.clear();
}

CDlgTab* CDlgMain::CurrentPage() const
{
    const int index = static_cast<int>(SendItem(IDC_TAB, TCM_GETCURSEL));
    return index >= 0 ? PageAt(static_cast<size_t>(index)) : nullptr;
}

BOOL CDlgMain::OnInitDialog()
{
    m_bComInitialised = SUCCEEDED(::CoInitializeEx(nullptr, 0));
    ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    // Loaded first: the language setting decides the language of the title.
    if (!LoadConfiguration()) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    ::SetWindowTextW(Hwnd(), (L"Orvane" + ResString(IDS_TITLE_SETTING)).c_str());

    CreatePages();
    SendItem(IDC_TAB, TCM_SETCURSEL, 0);
    if (CDlgTab* first = PageAt(0))
        ::ShowWindow(first->Hwnd(), SW_SHOW);
    m_bPagesExist = true;

    // The device's screen, wherever the PC's is.
    const RECT& r = m_Screen.where;
    ::SetWindowPos(Hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
    ::PostMessageW(Hwnd(), WM_REPORT_LOAD, 0, 0);
    return TRUE;
}

bool CDlgMain::LoadConfiguration()
{
    m_Launch.m_bEditor = true;
    const bool japaneseDefinitions = IsJapanese();
    if (!m_Launch.InitLnch()) {
        Message(FormatW(ResString(IDS_LOAD_FAILED), InstallDir + kSettingFileName), kErrorCaption,
                MB_OK | MB_ICONERROR);
        return false;
    }
    CSetting& s = *Setting();
    // The language setting read with the file decides the program's
    // language; the definitions' labels follow it.
    if (IsJapanese() != japaneseDefinitions)
        s.LoadDefinitions(InstallDir + DefinitionFileName(), DEFS_FULL | DEFS_KEEP_VALUES, Set::Count, nullptr);
    // An automatic screen size stays automatic: the size the loader took
    // from this screen is not the user's choice.
    if (s.m_bAutoScreenSize)
        s.SetNum(Set::ScreenSize, -1);
    m_strLastViewed = ResString(IDS_LAST_VIEWED_PAGE);
    if (s.GetStr(Set::FirstPage).empty())
        s.SetStr(Set::FirstPage, m_strLastViewed);
    m_PageFiles = LoadedPageFiles(m_Launch.m_strPageFile, AddPaths);
    return true;
}

void CDlgMain::ReportStoppedPageFiles() const
{
    for (const PageFileTarget& t : m_PageFiles)
        if (t.stopLine > 0)
            Message(FormatW(ResString(IDS_PAGE_FILE_STOPPED), t.path, t.stopLine), kMessageCaption,
                    MB_OK | MB_ICONWARNING);
}

RECT CDlgMain::PageDisplayRect() const
{
    RECT rc = ItemRect(IDC_TAB);
    SendItem(IDC_TAB, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    return rc;
}

void CDlgMain::CreatePages()
{
    for (const TabPageKind& kind : kTabPages) {
        std::unique_ptr<CDlgTab> page = kind.make(*this);
        const std::wstring label = ResString(kind.label);
        TCITEMW item = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<wchar_t*>(label.c_str());
        item.lParam = reinterpret_cast<LPARAM>(page.get());
        const size_t index = m_Pages.size();
        SendItem(IDC_TAB, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
        if (index == 0)
            m_rcDisplay = PageDisplayRect();
        page->Create(Hwnd());
        const RECT& d = m_rcDisplay;
        ::SetWindowPos(page->Hwnd(), HWND_TOP, d.left, d.top, d.right - d.left, d.bottom - d.top,
                       SWP_NOACTIVATE | SWP_HIDEWINDOW);
        if (index == 0)
            page->RefreshTab();
        m_Pages.push_back(std::move(page));
    }
}

bool CDlgMain::LeaveTab()
{
    CDlgTab* page = CurrentPage();
    if (!page || !page->ApplyTab())
        return false;
    ::ShowWindow(page->Hwnd(), SW_HIDE);
    return true;
}

void CDlgMain::EnterTab()
{
    if (CDlgTab* page = CurrentPage()) {
        page->RefreshTab();
        ::ShowWindow(page->Hwnd(), SW_SHOW);
    }
}

LRESULT CDlgMain::OnNotify(NMHDR* header, bool& handled)
{
    handled = header->idFrom == IDC_TAB && (header->code == TCN_SELCHANGING || header->code == TCN_SELCHANGE);
    if (!handled)
        return 0;
    if (header->code == TCN_SELCHANGING)
        return LeaveTab() ? FALSE : TRUE;  // TRUE refuses the change
    EnterTab();
    return 0;
}

bool CDlgMain::OnCommand(int id, int, HWND)
{
    switch (id) {
    case ID_TAB_SAVE: Save(); return true;
    case IDC_CLOSE_BUTTON:
    case ID_TAB_CLOSE: Close(); return true;
    }
    return false;
}

void CDlgMain::Save()
{
    if (CDlgTab* page = CurrentPage(); page && !page->ApplyTab())
        return;
    if (!SaveConfiguration(*Setting(), *m_Launch.Pages(), m_Launch.m_strPageMngFile, m_PageFiles, m_strLastViewed)) {
        Message(ResString(IDS_SAVE_FAILED), kMessageCaption);
        return;
    }
    NotifyReload();
    Message(ResString(IDS_SAVED), kMessageCaption, MB_OK);
    EndDialog(IDOK);
}

void CDlgMain::Close()
{
    for (const auto& page : m_Pages)
        page->Destroy();
    EndDialog(IDCANCEL);
}

void CDlgMain::OnSize(int width, int height)
{
    if (!m_bPagesExist)
        return;
    const int o = m_Screen.Landscape() ? 1 : 0;
    if (m_bFirstLayout[o]) {
        m_rcTabInit[o] = ItemRect(IDC_TAB);
        m_bFirstLayout[o] = false;
    }
    const RECT& init = m_rcTabInit[o];
    ::SetWindowPos(Item(IDC_TAB), nullptr, init.left, init.top, width - 1 - init.left, height - 2 - init.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    m_rcDisplay = PageDisplayRect();
    const RECT& d = m_rcDisplay;
    for (const auto& page : m_Pages)
        ::SetWindowPos(page->Hwnd(), HWND_TOP, d.left, d.top, d.right - d.left, d.bottom - d.top, SWP_NOACTIVATE);
    if (CDlgTab* page = CurrentPage())
        ::ShowWindow(page->Hwnd(), SW_SHOW);
}

INT_PTR CDlgMain::OnMessage(UINT msg, WPARAM, LPARAM, bool& handled)
{
    handled = msg == WM_REPORT_LOAD;
    if (handled)
        ReportStoppedPageFiles();
    return 0;
}

void CDlgMain::OnDestroy()
{
    if (m_bComInitialised)
        ::CoUninitialize();
    m_bComInitialised = false;
}
