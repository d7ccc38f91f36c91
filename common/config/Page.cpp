#include "config/Page.h"

#include "FileSys.h"
#include "base/Format.h"
#include "base/Log.h"
#include "base/Scan.h"
#include "base/Strings.h"
#include "config/Sheet.h"
#include "config/TextFile.h"

#include <algorithm>
#include <climits>
#include <set>
#include <unordered_set>

namespace {

constexpr wchar_t kTaskSheetName[] = L"S_TASK";
constexpr wchar_t kPlaceholderName[] = L"--------";
constexpr int kMaxStartSlot = 127;

bool IsSkippedLine(const std::wstring& line) { return line.empty() || line[0] == L';'; }
// Only a line that begins with "[" (after the blanks the reader strips): an
// icon line may hold one in a field ("[x]" arguments, a path, a date format).
bool IsHeaderLine(const std::wstring& line) { return !line.empty() && line[0] == L'['; }

// The next line that carries something, stripped of leading white space.
// The comment lines passed over go, as read, to comments when it is given,
// and each blank line as an empty text: it parts the comments of one page's
// end from those above the next page.
bool ReadDataLine(CTextFile& file, std::wstring& line, std::vector<std::wstring>* comments = nullptr)
{
    while (file.ReadLine(line)) {
        size_t blanks = 0;
        while (blanks < line.size() && IsSpaceW(line[blanks]))
            ++blanks;
        if (comments && (blanks == line.size() || line[blanks] == L';'))
            comments->push_back(blanks == line.size() ? std::wstring() : line);
        line.erase(0, blanks);
        if (!IsSkippedLine(line))
            return true;
    }
    line.clear();
    return false;
}

// "%[^,],%d,%d": sheet name, start slot, extra value.
void ReadOrientation(const std::wstring& line, CPageInfo& page, int orient, CTextFile& file)
{
    std::wstring sheet;
    int start = 0, extra = 0;
    if (ScanW(line, L"%[^,],%d,%d", {&sheet, &start, &extra}) < 3)
        file.Report(L"page sheet line incomplete, missing fields read as 0");
    if (sheet.size() > kSheetNameMax) {
        sheet.resize(kSheetNameMax);
        file.Report(FormatW(L"sheet name longer than %u characters, cut", static_cast<unsigned>(kSheetNameMax)));
    }
    if (start < 0 || start > kMaxStartSlot) {
        start = std::clamp(start, 0, kMaxStartSlot);
        file.Report(FormatW(L"start slot outside 0 to %d, set to %d", kMaxStartSlot, start));
    }
    page.sheetName[orient] = std::move(sheet);
    page.startSlot[orient] = static_cast<std::uint16_t>(start);
    page.extra[orient] = static_cast<std::uint8_t>(extra & 0xFF);
}

}  // namespace

bool CPageInfo::Load(CTextFile& file, std::wstring& name, PageReadCarry& carry)
{
    // Lines before the first header belong to no page; a header that names
    // none ("[]", which the page order could not list) leaves its section
    // out, and its lines join no other page either (its comments go on to
    // the next page's).
    bool inNameless = false;
    for (;;) {
        std::wstring line;
        if (carry.header.empty()) {
            const bool collect = carry.keepComments && carry.pastFirstHeader;
            if (!ReadDataLine(file, line, collect ? &carry.comments : nullptr))
                return false;
        } else {
            line.swap(carry.header);
        }
        if (!IsHeaderLine(line)) {
            if (!inNameless)
                file.Report(L"line outside a page section, ignored");
            continue;
        }
        carry.pastFirstHeader = true;
        name.clear();
        if (ScanW(line, L"[%[^]]", {&name}) == 1)
            break;
        file.Report(L"page header without a name, its section ignored");
        inNameless = true;
    }

    // The comments of [from, to) as standing before data line `before`
    // (blank-line marks left out).
    auto keep = [this](std::vector<std::wstring>::iterator from, std::vector<std::wstring>::iterator to, int before) {
        for (; from != to; ++from)
            if (!from->empty())
                comments.push_back({before, std::move(*from)});
    };
    keep(carry.comments.begin(), carry.comments.end(), -1);
    carry.comments.clear();

    int dataLines = 0;
    std::wstring line;
    std::vector<std::wstring> pending;
    std::vector<std::wstring>* collect = carry.keepComments ? &pending : nullptr;
    while (ReadDataLine(file, line, collect)) {
        if (IsHeaderLine(line)) {
            // The comments after the last blank line stand above the next
            // header: the next page's. Those before it end this page.
            const auto blank = std::find(pending.rbegin(), pending.rend(), std::wstring()).base();
            keep(pending.begin(), blank, dataLines);
            carry.comments.assign(std::make_move_iterator(blank), std::make_move_iterator(pending.end()));
            carry.header = std::move(line);
            break;
        }
        keep(pending.begin(), pending.end(), dataLines);
        pending.clear();
        if (dataLines < 2) {
            ReadOrientation(line, *this, dataLines, file);
        } else {
            // Parsed where it stays; a line without a path still takes its slot.
            ParseIconEntry(icons.entries.emplace_back(), line, &file, &icons);
        }
        ++dataLines;
    }
    if (carry.header.empty())
        keep(pending.begin(), pending.end(), dataLines);  // after the file's last line: the last page's end
    if (dataLines < 2) {
        file.Report(FormatW(L"page [%s] lacks its two sheet lines, rest of the file ignored", name));
        return false;
    }
    return true;
}

int CPageMng::LoadMng(const std::wstring& path, bool keepHidden, CDiagSink* sink)
{
    m_bKeepHidden = keepHidden;
    if (!FileExists(path))
        return 1;
    CTextFile file(sink);
    if (!file.OpenRead(path)) {
        ReportTo(sink, path, 0, L"page order file cannot be opened");
        return 0;
    }
    std::wstring line;
    while (file.ReadLine(line)) {
        int shown = 0;
        std::wstring name;
        if (ScanW(line, L"%d,%[^\n]", {&shown, &name}) < 2) {
            if (!line.empty())
                file.Report(L"no FLAG,NAME, ignored");
            continue;
        }
        // Every line as read, a name listed twice included: the settings
        // program writes the list back as it found it.
        if (keepHidden)
            m_Order.push_back({std::move(name), shown});
        else if (shown != 0)
            m_Order.push_back({std::move(name), 1});
    }
    return 1;
}

int CPageMng::LoadTabInfo(const std::wstring& folder, const std::wstring& path, std::uint16_t group,
                          const CSheet& sheets, bool listed, CDiagSink* sink)
{
    Log(LogFileName(), L"LoadTabInfo() Start File:[%s]", path);
    int result = 0;
    CTextFile file(sink);
    if (FileExists(path) && file.OpenRead(path)) {
        // Looked up once per page: a scan of the order for each would grow
        // with the square of the pages.
        std::unordered_set<std::wstring> ordered;
        for (const PageOrderEntry& o : m_Order)
            ordered.insert(o.name);
        std::wstring name;
        PageReadCarry carry;
        carry.keepComments = m_bKeepHidden;
        CPageInfo* previous = nullptr;
        for (;;) {
            auto page = std::make_unique<CPageInfo>();
            page->folder = folder;
            page->icons.base = folder;
            if (!page->Load(file, name, carry)) {
                // Reading stops at a section that falls short, whose lines
                // the settings program keeps unread; the comments above its
                // header stay with the page before.
                if (previous)
                    for (PageComment& c : page->comments)
                        if (c.before < 0)
                            previous->comments.push_back({INT_MAX, std::move(c.text)});
                break;
            }
            const bool inOrder = ordered.count(name) != 0;
            // The plug-in shows only listed pages; the settings program keeps
            // an unlisted one as a hidden page, so that a Save keeps it too.
            if (listed && !inOrder && name != kTaskPageName && !m_bKeepHidden)
                continue;
            page->group = group;
            previous = page.get();
            m_Pages[name] = std::move(page);  // a later definition replaces an earlier one
            if (!inOrder) {
                m_Order.push_back({name, static_cast<std::uint8_t>(listed ? 0 : 1)});
                ordered.insert(name);
            }
        }
        result = m_Pages.empty() ? 0 : 1;
    } else if (FileExists(path)) {
        ReportTo(sink, path, 0, L"page file cannot be opened");
    }
    if (group == 0)
        SetUpTaskPage(folder, sheets);
    Log(LogFileName(), L"LoadTabInfo() End");
    return result;
}

void CPageMng::SetUpTaskPage(const std::wstring& folder, const CSheet& sheets)
{
    CPageInfo* task = FindPage(kTaskPageName);
    if (!task) {
        auto page = std::make_unique<CPageInfo>();
        page->folder = folder;
        page->icons.base = folder;
        page->sheetName[ORIENT_PORTRAIT] = page->sheetName[ORIENT_LANDSCAPE] = kTaskSheetName;
        task = page.get();
        m_Pages[kTaskPageName] = std::move(page);
        // A PageMng.ini that lists the task page already placed it.
        if (OrderIndexOf(kTaskPageName) < 0)
            m_Order.push_back({kTaskPageName, 1});
    }
    if (!sheets.FindSheet(task->sheetName[ORIENT_PORTRAIT]))
        task->sheetName[ORIENT_PORTRAIT] = task->sheetName[ORIENT_LANDSCAPE] = kTaskSheetName;
    const SheetDef* sheet = sheets.FindSheet(task->sheetName[ORIENT_PORTRAIT]);
    const size_t n = sheet ? sheet->slots.size() : 0;

    IconList& icons = task->icons;
    while (icons.entries.size() < n) {
        IconEntry placeholder;
        placeholder.nAppType = APP_BLANK;
        placeholder.Name = kPlaceholderName;
        AddIcon(icons, placeholder, -1);
    }
    while (icons.entries.size() > n)
        ClearIconSlot(icons, icons.entries.size() - 1, true);

    // Rows 1 and below belong to the running tasks, numbered from the
    // sheet's last slot backwards.
    int c = 0;
    for (size_t i = n; i-- > 0;) {
        IconEntry& e = icons.entries[i];
        if (sheet->slots[i].row == 0) {
            if (e.nAppType >= APP_TASK_FIRST && e.nAppType <= APP_RUNNING_TASK)
                e.nAppType = APP_BLANK;
            continue;
        }
        ClearIconSlot(icons, i, false);
        e.nAppType = static_cast<std::uint16_t>(APP_TASK_FIRST + c);
        e.Name = FormatW(L"Task-%02d", c + 1);
        ++c;
    }
}

void CPageMng::FinishPageOrder()
{
    std::vector<PageOrderEntry> order;
    order.swap(m_Order);
    for (PageOrderEntry& o : order)
        if (m_Pages.count(o.name))
            m_Order.push_back(std::move(o));
}

void CPageMng::FreePages()
{
    m_Pages.clear();
    m_Order.clear();
}

CPageInfo* CPageMng::FindPage(const std::wstring& name) const
{
    auto it = m_Pages.find(name);
    return it == m_Pages.end() ? nullptr : it->second.get();
}

CPageInfo* CPageMng::PageAt(size_t orderIndex) const
{
    return orderIndex < m_Order.size() ? FindPage(m_Order[orderIndex].name) : nullptr;
}

int CPageMng::OrderIndexOf(const std::wstring& name, bool shownOnly) const
{
    for (size_t i = 0; i < m_Order.size(); ++i)
        if (m_Order[i].name == name && (!shownOnly || m_Order[i].shown))
            return static_cast<int>(i);
    return -1;
}

int CPageMng::WriteMng(const std::wstring& path) const
{
    CTextFile file;
    if (!file.BeginSave(path))
        return 0;
    for (const PageOrderEntry& o : m_Order)
        file.WriteText(FormatW(L"%d,%s\r\n", o.shown, o.name));
    return file.CommitSave() ? 1 : 0;
}

int CPageMng::WritePages(const std::wstring& path, std::uint16_t group, const std::string& keptHead,
                         const std::string& keptTail) const
{
    CTextFile file;
    if (!file.BeginSave(path))
        return 0;
    if (!keptHead.empty()) {
        file.WriteBytes(keptHead);
        // A last comment line without its end would take in the first header.
        const char last = keptHead.back();
        if (last != '\n' && last != '\r' && last != '\xFF')
            file.WriteText(L"\r\n");
    }
    std::set<std::wstring> written;
    auto writePage = [&](const std::wstring& name, const CPageInfo& page) {
        if (page.group != group || !written.insert(name).second)
            return;
        // Each comment before the line it stood before; those whose line
        // is gone after the last.
        const int lines = 2 + static_cast<int>(page.icons.entries.size());
        auto writeComments = [&](int before) {
            for (const PageComment& c : page.comments)
                if (c.before == before || (before == lines && c.before > lines))
                    file.WriteText(c.text + L"\r\n");
        };
        writeComments(-1);
        file.WriteText(FormatW(L"[%s]\r\n", name));
        for (int o : {ORIENT_PORTRAIT, ORIENT_LANDSCAPE}) {
            writeComments(o);
            file.WriteText(FormatW(L"%s,%d,%d\r\n", page.sheetName[o], page.startSlot[o], page.extra[o]));
        }
        for (size_t i = 0; i < page.icons.entries.size(); ++i) {
            writeComments(2 + static_cast<int>(i));
            file.WriteText(FormatIconEntry(page.icons.entries[i], true, &page.icons));
        }
        writeComments(lines);
        file.WriteText(L"\r\n");
    };
    for (const PageOrderEntry& o : m_Order)
        if (const CPageInfo* page = FindPage(o.name))
            writePage(o.name, *page);
    // A page the order list does not name is still the user's: keep it.
    for (const auto& [name, page] : m_Pages)
        writePage(name, *page);
    if (!keptTail.empty())
        file.WriteBytes(keptTail);
    return file.CommitSave() ? 1 : 0;
}
