#include "settings/PageRows.h"

#include "base/Strings.h"
#include "settings/FieldCheck.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

void CPageRows::Load(const CPageMng& pages)
{
    m_Rows.clear();
    m_New.clear();
    std::set<std::wstring> listed;
    for (const PageOrderEntry& o : pages.m_Order) {
        if (CPageInfo* page = pages.FindPage(o.name)) {
            m_Rows.push_back({o.name, o.shown, page});
            listed.insert(o.name);
        }
    }
    // The row is all that keeps a page from being lost at Apply.
    for (const auto& [name, page] : pages.m_Pages)
        if (!listed.count(name))
            m_Rows.push_back({name, 0, page.get()});
}

void CPageRows::Apply(CPageMng& pages)
{
    std::map<CPageInfo*, std::unique_ptr<CPageInfo>> owners;
    for (auto& [name, page] : pages.m_Pages)
        owners[page.get()] = std::move(page);
    for (auto& page : m_New)
        owners[page.get()] = std::move(page);
    m_New.clear();
    pages.m_Pages.clear();
    pages.m_Order.clear();
    for (PageRow& row : m_Rows) {
        pages.m_Order.push_back({row.name, row.shown});
        if (pages.m_Pages.count(row.name))
            continue;  // a name listed twice: one page
        auto owner = owners.find(row.page);
        if (owner != owners.end() && owner->second) {
            pages.m_Pages[row.name] = std::move(owner->second);
        } else {
            // Taken already by a row of another name: that one keeps it.
            auto copy = std::make_unique<CPageInfo>(*row.page);
            row.page = copy.get();
            pages.m_Pages[row.name] = std::move(copy);
        }
    }
}

size_t CPageRows::Insert(size_t at, const std::wstring& name, std::unique_ptr<CPageInfo> page, int shown)
{
    at = std::min(at, m_Rows.size());
    m_Rows.insert(m_Rows.begin() + static_cast<std::ptrdiff_t>(at), PageRow{name, shown, page.get()});
    m_New.push_back(std::move(page));
    return at;
}

void CPageRows::Remove(size_t row)
{
    if (row < m_Rows.size())
        m_Rows.erase(m_Rows.begin() + static_cast<std::ptrdiff_t>(row));
}

bool CPageRows::Move(size_t row, bool up)
{
    if (row >= m_Rows.size() || (up && row == 0) || (!up && row + 1 >= m_Rows.size()))
        return false;
    std::swap(m_Rows[row], m_Rows[up ? row - 1 : row + 1]);
    return true;
}

bool CPageRows::NameTaken(const std::wstring& name, int exceptRow) const
{
    const CPageInfo* own = exceptRow >= 0 && static_cast<size_t>(exceptRow) < m_Rows.size()
                               ? m_Rows[static_cast<size_t>(exceptRow)].page
                               : nullptr;
    for (size_t i = 0; i < m_Rows.size(); ++i)
        if (static_cast<int>(i) != exceptRow && m_Rows[i].name == name && m_Rows[i].page != own)
            return true;
    return false;
}

std::vector<CPageInfo*> CPageRows::Pages() const
{
    std::vector<CPageInfo*> pages;
    for (const PageRow& row : m_Rows)
        if (std::find(pages.begin(), pages.end(), row.page) == pages.end())
            pages.push_back(row.page);
    return pages;
}

std::wstring UniquePageName(const std::wstring& name, const std::function<bool(const std::wstring&)>& taken)
{
    std::wstring base = name;
    long long start = 0;
    const size_t open = name.rfind(L'(');
    if (open != std::wstring::npos && name.find(L')', open + 1) != std::wstring::npos) {
        start = Wtol(std::wstring_view(name).substr(open + 1));
        base = name.substr(0, open);
    }
    // Finitely many names are taken: some number is free.
    for (long long n = std::max(start, 0LL) + 1;; ++n) {
        const std::wstring suffix = L"(" + std::to_wstring(n) + L")";
        const size_t room = kPageNameMax > suffix.size() ? kPageNameMax - suffix.size() : 0;
        std::wstring candidate = base.substr(0, room) + suffix;
        if (!taken(candidate))
            return candidate;
    }
}

int CountPageLinks(const std::vector<CPageInfo*>& pages, const std::wstring& name)
{
    int count = 0;
    for (const CPageInfo* page : pages)
        count += static_cast<int>(std::count_if(page->icons.entries.begin(), page->icons.entries.end(),
                                                [&](const IconEntry& e) {
                                                    return e.nAppType == APP_PAGELINK && e.Path == name;
                                                }));
    return count;
}

int RenamePageLinks(const std::vector<CPageInfo*>& pages, const std::wstring& oldName, const std::wstring& newName)
{
    int count = 0;
    for (CPageInfo* page : pages) {
        for (IconEntry& e : page->icons.entries) {
            if (e.nAppType != APP_PAGELINK || e.Path != oldName)
                continue;
            if (e.Name == oldName)
                e.Name = newName;
            e.Path = newName;
            e.flags = static_cast<std::uint8_t>(e.flags & ~ICON_CAPTION_VALID);
            ++count;
        }
    }
    return count;
}
