// The Pages tab's list without its window: one row per entry of the page
// order (name, shown flag, definition), edited while the tab is current
// and handed back to the page manager when it is left. Also the names a
// duplicated or pasted page gets, and what a rename does to page links.
#pragma once

#include "config/Page.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct PageRow {
    std::wstring name;
    int shown = 1;
    CPageInfo* page = nullptr;  // owned by the page manager, or by the rows while new
};

class CPageRows {
public:
    // One row per order entry (a name listed twice gives two rows with one
    // definition); a page that the order does not name follows, hidden.
    void Load(const CPageMng& pages);
    // The page manager from the rows, in row order. A definition that two
    // rows under different names share is copied for the second; the
    // definitions of deleted rows are freed.
    void Apply(CPageMng& pages);

    size_t Count() const { return m_Rows.size(); }
    const PageRow& At(size_t row) const { return m_Rows[row]; }
    PageRow& At(size_t row) { return m_Rows[row]; }
    // Inserts before row at (at the end when past it); the rows own the
    // definition until Apply. The index of the new row.
    size_t Insert(size_t at, const std::wstring& name, std::unique_ptr<CPageInfo> page, int shown = 1);
    void Remove(size_t row);
    // Swaps the row with its neighbour; false at the first (last) row.
    bool Move(size_t row, bool up);

    // Another row than exceptRow (-1: none) has the name with a definition
    // of its own.
    bool NameTaken(const std::wstring& name, int exceptRow = -1) const;
    // The definitions of all rows, each once.
    std::vector<CPageInfo*> Pages() const;

private:
    std::vector<PageRow> m_Rows;
    std::vector<std::unique_ptr<CPageInfo>> m_New;
};

// The name a duplicated or pasted page gets. A name with "(" and a ")"
// after it is taken as base "(" start ")" (the last such "(", start 0
// when no number follows it); otherwise the whole name is the base and
// start is 0. The first of base(start+1), base(start+2), … that taken
// refuses; the base is cut so that the name stays within the longest page
// name.
std::wstring UniquePageName(const std::wstring& name, const std::function<bool(const std::wstring&)>& taken);

// The page-link icons (type 6) of the pages that lead to the name.
int CountPageLinks(const std::vector<CPageInfo*>& pages, const std::wstring& name);
// Every link to oldName leads to newName; its caption follows when it was
// the old name (a caption of the user's own stays). The number changed.
int RenamePageLinks(const std::vector<CPageInfo*>& pages, const std::wstring& oldName, const std::wstring& newName);
