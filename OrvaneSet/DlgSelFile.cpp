#include "DlgSelFile.h"

#include "FileSys.h"
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "ui/Res.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

namespace {

// Kept for the whole run, as the device's chooser keeps them.
std::wstring g_strFolder;        // the folder last shown
bool g_bListView = false;        // "View": list instead of report
bool g_bDescending = false;      // the direction a header click last gave

constexpr int kMargin = 4;
constexpr int kDropHeight = 160;  // a combo's open list
constexpr int kMaxPathEntries = 1000;  // menu ids stay within 33000 + this

struct Column {
    unsigned text;
    int width;
    int format;
};
constexpr Column kColumns[] = {{IDS_SELFILE_COL_NAME, 150, LVCFMT_LEFT},
                               {IDS_SELFILE_COL_TYPE, 100, LVCFMT_LEFT},
                               {IDS_SELFILE_COL_SIZE, 70, LVCFMT_RIGHT},
                               {IDS_SELFILE_COL_DATE, 150, LVCFMT_LEFT}};

// The stored time as it is (no time-zone conversion), in the user's short
// date and time.
std::wstring DateText(std::uint64_t ticks)
{
    if (ticks == 0)
        return L"";
    FILETIME ft = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME st;
    if (!::FileTimeToSystemTime(&ft, &st))
        return L"";
    wchar_t date[64] = L"", time[64] = L"";
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 64);
    ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 64);
    return std::wstring(date) + L" " + time;
}

// "View": a list of names, or the report with its columns.
void ShowView(HWND list)
{
    const LONG_PTR style = ::GetWindowLongPtrW(list, GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_TYPEMASK);
    ::SetWindowLongPtrW(list, GWL_STYLE, style | (g_bListView ? LVS_LIST : LVS_REPORT));
}

int TextWidth(HWND control, const std::wstring& text)
{
    HDC dc = ::GetDC(control);
    if (!dc)
        return 0;
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return size.cx;
}

}  // namespace

CDlgSelFile::CDlgSelFile(std::vector<FileFilter> filters, unsigned mode)
    : CDialog(IDD_SELFILE), m_Filters(std::move(filters)), m_nMode(mode)
{
}

CDlgSelFile::~CDlgSelFile() = default;

std::wstring CDlgSelFile::CurrentFolder() { return g_strFolder; }

void CDlgSelFile::SetCurrentFolder(const std::wstring& folder) { g_strFolder = ConfineFolder(folder); }

std::wstring CDlgSelFile::ChosenPath() const
{
    const std::wstring folder = ConfineFolder(g_strFolder);
    if (m_nMode & SELFILE_FOLDERS_ONLY)
        return folder;
    return IsPlainName(m_strChosen) ? folder + m_strChosen : std::wstring();
}

BOOL CDlgSelFile::OnInitDialog()
{
    g_strFolder = ConfineFolder(g_strFolder);
    m_Filters = ChooserFilters(m_Filters, ResString(IDS_SELFILE_ALL));
    InitTexts();
    for (const FileFilter& f : m_Filters)
        SendItem(IDC_SELFILE_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FilterText(f).c_str()));
    SendItem(IDC_SELFILE_TYPE, CB_SETCURSEL, 0);
    const bool folders = (m_nMode & SELFILE_FOLDERS_ONLY) != 0;
    const bool files = (m_nMode & SELFILE_FILES_ONLY) != 0;
    ShowItem(IDC_SELFILE_TYPE, !folders);
    ShowItem(IDC_SELFILE_TYPE_LABEL, !folders);
    ShowItem(IDC_SELFILE_PATH, !files);
    ShowItem(IDC_SELFILE_PATH_LABEL, !files);
    InitList();
    MakeBar();
    CoverOwner();
    RECT rc;
    ::GetClientRect(Hwnd(), &rc);
    OnSize(rc.right, rc.bottom);
    ListFolder();
    return TRUE;
}

void CDlgSelFile::InitTexts()
{
    const unsigned title = (m_nMode & SELFILE_FOLDERS_ONLY) ? IDS_SELFILE_DIR_TITLE : IDS_SELFILE_TITLE;
    ::SetWindowTextW(Hwnd(), ResString(title).c_str());
    SetItemText(IDC_SELFILE_NAME_LABEL, ResString(IDS_SELFILE_FILE));
    SetItemText(IDC_SELFILE_TYPE_LABEL, ResString(IDS_SELFILE_TYPE));
    SetItemText(IDC_SELFILE_PATH_LABEL, ResString(IDS_SELFILE_PATH));
    SetItemText(IDC_SELFILE_VIEW, ResString(IDS_SELFILE_VIEW));
    SetItemText(IDC_SELFILE_SELECT, ResString(IDS_SELFILE_SELECT));
}

void CDlgSelFile::InitList()
{
    HWND list = Item(IDC_SELFILE_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        std::wstring text = ResString(kColumns[i].text);
        LVCOLUMNW col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = kColumns[i].format;
        col.cx = kColumns[i].width;
        col.pszText = text.data();
        ListView_InsertColumn(list, i, &col);
    }
    // The system's own list: shared, so the list view never destroys it.
    SHFILEINFOW sfi = {};
    const auto images = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(L"", 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (images)
        ListView_SetImageList(list, images, LVSIL_SMALL);
    ShowView(list);
}

void CDlgSelFile::MakeBar()
{
    SHMENUBARINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndParent = Hwnd();
    info.dwFlags = SHCMBF_HMENU;
    info.hMenu = ResMenu(IDM_SELFILE_BAR);
    info.hInstRes = ResourceInstance();
    if (info.hMenu && SHCreateMenuBar(&info)) {
        m_hPathMenu = ::GetSubMenu(info.hMenu, 0);
        return;
    }
    if (info.hMenu)
        ::DestroyMenu(info.hMenu);
    Message(L"Failed Create MenuBar", kProgramName);
}

void CDlgSelFile::ListFolder()
{
    const LRESULT sel = SendItem(IDC_SELFILE_TYPE, CB_GETCURSEL);
    const size_t filter = sel >= 0 && static_cast<size_t>(sel) < m_Filters.size() ? static_cast<size_t>(sel) : 0;
    m_Entries = ListSelFolder(g_strFolder, SearchPatterns(m_Filters[filter]), m_nMode);
    FillList();
    m_strChosen.clear();
    SetItemText(IDC_SELFILE_NAME, L"");
    const bool folders = (m_nMode & SELFILE_FOLDERS_ONLY) != 0;
    const auto first = std::find_if(m_Entries.begin(), m_Entries.end(),
                                     [folders](const SelFileEntry& e) { return folders || !e.bFolder; });
    if (first != m_Entries.end()) {
        const int item = static_cast<int>(first - m_Entries.begin());
        HWND list = Item(IDC_SELFILE_LIST);
        ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, item, FALSE);
        Pick(item);
    }
    FillPaths();
}

void CDlgSelFile::FillList()
{
    HWND list = Item(IDC_SELFILE_LIST);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (int i = 0; i < static_cast<int>(m_Entries.size()); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = LPSTR_TEXTCALLBACKW;
        item.iImage = I_IMAGECALLBACK;
        ListView_InsertItem(list, &item);
        for (int col = 1; col < static_cast<int>(std::size(kColumns)); ++col)
            ListView_SetItemText(list, i, col, LPSTR_TEXTCALLBACKW);
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

void CDlgSelFile::FillPaths()
{
    m_Levels = PathLevels(g_strFolder, m_Entries);
    if (m_Levels.size() > kMaxPathEntries)
        m_Levels.resize(kMaxPathEntries);
    SendItem(IDC_SELFILE_PATH, CB_RESETCONTENT);
    if (m_hPathMenu)
        while (::GetMenuItemCount(m_hPathMenu) > 0)
            ::DeleteMenu(m_hPathMenu, 0, MF_BYPOSITION);
    for (size_t i = 0; i < m_Levels.size(); ++i) {
        SendItem(IDC_SELFILE_PATH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_Levels[i].text.c_str()));
        if (m_hPathMenu)
            ::AppendMenuW(m_hPathMenu, MF_STRING, ID_SELFILE_PATH0 + i, m_Levels[i].text.c_str());
    }
    SendItem(IDC_SELFILE_PATH, CB_SETCURSEL, static_cast<WPARAM>(FolderDepth(g_strFolder)));
}

void CDlgSelFile::GoTo(const std::wstring& folder)
{
    g_strFolder = ConfineFolder(folder);
    ListFolder();
}

// The entry became the selected one.
void CDlgSelFile::Pick(int item)
{
    if (item < 0 || static_cast<size_t>(item) >= m_Entries.size())
        return;
    const SelFileEntry& e = m_Entries[static_cast<size_t>(item)];
    if ((m_nMode & SELFILE_FOLDERS_ONLY) || !e.bFolder)
        m_strChosen = e.name;
    else
        m_strChosen.clear();
    SetItemText(IDC_SELFILE_NAME, m_strChosen);
}

void CDlgSelFile::Click(int item, bool twice)
{
    if (item < 0 || static_cast<size_t>(item) >= m_Entries.size())
        return;
    const SelFileEntry e = m_Entries[static_cast<size_t>(item)];
    const bool folders = (m_nMode & SELFILE_FOLDERS_ONLY) != 0;
    if (twice && m_bEnteredByClick) {
        // The first tap of the pair already went into the folder.
        m_bEnteredByClick = false;
        return;
    }
    m_bEnteredByClick = false;
    if (e.bFolder && !(m_nMode & SELFILE_FILES_ONLY) && (folders ? twice : true)) {
        m_bEnteredByClick = !twice;
        GoTo(EnterFolder(g_strFolder, e.name));
        return;
    }
    if (twice && !e.bFolder && !folders) {
        Pick(item);
        EndDialog(IDOK);
        return;
    }
    Pick(item);
}

void CDlgSelFile::SortBy(int column)
{
    g_bDescending = !g_bDescending;
    if (column == 1)
        for (SelFileEntry& e : m_Entries)
            FetchShellInfo(e);
    const std::wstring chosen = m_strChosen;
    SortSelEntries(m_Entries, g_bDescending ? -(column + 1) : column + 1);
    FillList();
    for (size_t i = 0; i < m_Entries.size(); ++i)
        if (!chosen.empty() && m_Entries[i].name == chosen) {
            ListView_SetItemState(Item(IDC_SELFILE_LIST), static_cast<int>(i), LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            break;
        }
}

void CDlgSelFile::Select()
{
    if (ItemText(IDC_SELFILE_NAME).empty()) {
        Message(ResString(IDS_NO_FILE_SELECTED), kMessageCaption);
        return;
    }
    const int item = ListView_GetNextItem(Item(IDC_SELFILE_LIST), -1, LVNI_SELECTED);
    if (item >= 0 && static_cast<size_t>(item) < m_Entries.size()) {
        const SelFileEntry& e = m_Entries[static_cast<size_t>(item)];
        if (e.bFolder && e.name != kParentEntry)
            g_strFolder = EnterFolder(g_strFolder, e.name);
    }
    EndDialog(IDOK);
}

void CDlgSelFile::FetchShellInfo(SelFileEntry& entry) const
{
    if (entry.bTypeKnown)
        return;
    entry.bTypeKnown = true;
    SHFILEINFOW sfi = {};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME;
    std::wstring path;
    DWORD attributes = 0;
    if (entry.name == kParentEntry) {
        // Any folder's look: the parent itself may be the drive.
        flags |= SHGFI_USEFILEATTRIBUTES;
        path = L"folder";
        attributes = FILE_ATTRIBUTE_DIRECTORY;
    } else {
        path = MapDevicePath(ConfineFolder(g_strFolder) + entry.name);
    }
    if (::SHGetFileInfoW(path.c_str(), attributes, &sfi, sizeof(sfi), flags)) {
        entry.nIcon = sfi.iIcon;
        entry.type = sfi.szTypeName;
    } else {
        entry.nIcon = 0;
    }
}

void CDlgSelFile::GetDisplay(NMLVDISPINFOW& info)
{
    LVITEMW& item = info.item;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= m_Entries.size())
        return;
    SelFileEntry& e = m_Entries[static_cast<size_t>(item.iItem)];
    if (item.mask & LVIF_IMAGE) {
        FetchShellInfo(e);
        item.iImage = e.nIcon;
    }
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return;
    std::wstring text;
    switch (item.iSubItem) {
    case 0: text = e.name; break;
    case 1:
        FetchShellInfo(e);
        text = e.type;
        break;
    case 2: text = e.bFolder ? L"" : SizeText(e.size); break;
    case 3: text = DateText(e.writeTime); break;
    }
    ::lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

bool CDlgSelFile::OnCommand(int id, int code, HWND)
{
    if (id >= ID_SELFILE_PATH0 && id < ID_SELFILE_PATH0 + kMaxPathEntries) {
        const size_t at = static_cast<size_t>(id - ID_SELFILE_PATH0);
        if (at < m_Levels.size())
            GoTo(m_Levels[at].folder);
        return true;
    }
    switch (id) {
    case ID_SELFILE_CANCEL: EndDialog(IDCANCEL); return true;
    case IDC_SELFILE_SELECT: Select(); return true;
    case IDC_SELFILE_VIEW:
        g_bListView = !g_bListView;
        ShowView(Item(IDC_SELFILE_LIST));
        return true;
    case IDC_SELFILE_TYPE:
        if (code == CBN_SELCHANGE)
            ListFolder();
        return true;
    case IDC_SELFILE_PATH:
        if (code == CBN_SELCHANGE) {
            const LRESULT sel = SendItem(IDC_SELFILE_PATH, CB_GETCURSEL);
            if (sel >= 0 && static_cast<size_t>(sel) < m_Levels.size())
                GoTo(m_Levels[static_cast<size_t>(sel)].folder);
        }
        return true;
    }
    return false;
}

void CDlgSelFile::OnOK() { Select(); }

LRESULT CDlgSelFile::OnNotify(NMHDR* header, bool& handled)
{
    handled = false;
    if (header->idFrom != IDC_SELFILE_LIST)
        return 0;
    switch (header->code) {
    case LVN_GETDISPINFOW: GetDisplay(*reinterpret_cast<NMLVDISPINFOW*>(header)); break;
    case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
            !(change->uOldState & LVIS_SELECTED))
            Pick(change->iItem);
        break;
    }
    case NM_CLICK:
    case NM_DBLCLK: Click(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem, header->code == NM_DBLCLK); break;
    case LVN_COLUMNCLICK: SortBy(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem); break;
    default: return 0;
    }
    handled = true;
    return 0;
}

void CDlgSelFile::Place(int id, int x, int y, int width, int height) const
{
    ::SetWindowPos(Item(id), nullptr, x, y, std::max(width, 0), std::max(height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

// The path row on top, the list in the middle, the file and type rows at
// the bottom above the soft keys; labels as wide as their widest text.
void CDlgSelFile::OnSize(int width, int height)
{
    if (!Item(IDC_SELFILE_LIST))
        return;
    int labelWidth = 0;
    for (int id : {IDC_SELFILE_NAME_LABEL, IDC_SELFILE_TYPE_LABEL, IDC_SELFILE_PATH_LABEL})
        labelWidth = std::max(labelWidth, TextWidth(Item(id), ItemText(id)));
    const auto heightOf = [this](int id) {
        const RECT rc = ItemRect(id);
        return static_cast<int>(rc.bottom - rc.top);
    };
    const RECT select = ItemRect(IDC_SELFILE_SELECT);
    const int rowHeight = std::max(heightOf(IDC_SELFILE_NAME), heightOf(IDC_SELFILE_TYPE));
    const int textWidth = std::max(TextWidth(Item(IDC_SELFILE_SELECT), ItemText(IDC_SELFILE_SELECT)),
                                   TextWidth(Item(IDC_SELFILE_VIEW), ItemText(IDC_SELFILE_VIEW)));
    const int buttonWidth = std::max(static_cast<int>(select.right - select.left), textWidth + 2 * kMargin);
    const int fieldLeft = kMargin + labelWidth + kMargin;
    const int labelTop = (rowHeight - heightOf(IDC_SELFILE_NAME_LABEL)) / 2;
    const auto row = [&](int y, int label, int field, bool combo, int button) {
        Place(label, kMargin, y + labelTop, labelWidth, heightOf(label));
        const int right = button ? width - kMargin - buttonWidth - kMargin : width - kMargin;
        Place(field, fieldLeft, y, right - fieldLeft, combo ? kDropHeight : rowHeight);
        if (button)
            Place(button, width - kMargin - buttonWidth, y, buttonWidth, rowHeight);
    };
    int top = kMargin;
    if (!(m_nMode & SELFILE_FILES_ONLY)) {
        row(top, IDC_SELFILE_PATH_LABEL, IDC_SELFILE_PATH, true, 0);
        top += rowHeight + kMargin;
    }
    const int typeTop = height - MenuBarHeight(Hwnd()) - kMargin - rowHeight;
    const int nameTop = typeTop - kMargin - rowHeight;
    row(nameTop, IDC_SELFILE_NAME_LABEL, IDC_SELFILE_NAME, false, IDC_SELFILE_SELECT);
    row(typeTop, IDC_SELFILE_TYPE_LABEL, IDC_SELFILE_TYPE, true, IDC_SELFILE_VIEW);
    Place(IDC_SELFILE_LIST, kMargin, top, width - 2 * kMargin, nameTop - kMargin - top);
}
