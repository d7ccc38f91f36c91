// Pages: "PageMng.ini" orders them, each folder's "Page.ini" defines them
// (name, a sheet per orientation, icons). The task page "TRLS_PAGE" always
// exists.
#pragma once

#include "base/Diagnostics.h"
#include "config/IconEntry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CSheet;
class CTextFile;

inline constexpr wchar_t kTaskPageName[] = L"TRLS_PAGE";
inline constexpr wchar_t kPageFileName[] = L"Page.ini";
inline constexpr wchar_t kPageMngFileName[] = L"PageMng.ini";

enum : int { ORIENT_PORTRAIT = 0, ORIENT_LANDSCAPE = 1 };

// What reading one section leaves for the next: the header it stopped at
// and, when comments are kept, the comment lines read before that header
// (they belong to the next page). Comments above the file's first header
// belong to no page and are not collected.
struct PageReadCarry {
    bool keepComments = false;
    bool pastFirstHeader = false;
    std::wstring header;
    std::vector<std::wstring> comments;
};

// A comment line of a page's section, as read, and where it stood: before
// the page's data line of that index (0 and 1: the sheet lines, then the
// icons), or before the header for -1.
struct PageComment {
    int before = 0;
    std::wstring text;
};

class CPageInfo {
public:
    // Reads one section: header, portrait line, landscape line, icon lines
    // up to the next header, which stays in carry for the next call.
    // True when the header and both orientation lines were read.
    bool Load(CTextFile& file, std::wstring& name, PageReadCarry& carry);

    std::wstring folder;          // the folder whose page file defined it
    IconList icons;               // icons.base is the folder too
    std::wstring sheetName[2];    // per orientation
    std::uint16_t startSlot[2] = {0, 0};
    std::uint16_t group = 0;      // 0 main page file, k: the k-th AddPaths entry
    std::uint8_t extra[2] = {0, 0};  // non-zero: the page keeps itself active
    // The theme author's comments in the section, kept by the settings
    // program's load (m_bKeepHidden) so that a Save writes them back; a
    // comment whose line is gone follows the page's last line.
    std::vector<PageComment> comments;
};

struct PageOrderEntry {
    std::wstring name;
    // Non-zero: shown. The settings program keeps the number it read (a 2
    // stays 2) and writes it back.
    int shown = 1;
};

class CPageMng {
public:
    // Reads "PageMng.ini" into the order list: entries with flag 0 are left
    // out unless keepHidden (the settings program). 1 when the file is
    // missing or was read, 0 when it cannot be opened.
    int LoadMng(const std::wstring& path, bool keepHidden = false, CDiagSink* sink = nullptr);
    // Reads one page file into the collection; for group 0 it then sets up
    // the task page. 1 when the file was read and pages exist, else 0.
    int LoadTabInfo(const std::wstring& folder, const std::wstring& path, std::uint16_t group, const CSheet& sheets,
                    bool listed, CDiagSink* sink = nullptr);
    // Drops order entries whose page was not loaded.
    void FinishPageOrder();
    void FreePages();

    CPageInfo* FindPage(const std::wstring& name) const;
    CPageInfo* PageAt(size_t orderIndex) const;
    // The order index of the name, or -1 (optionally among shown pages only).
    int OrderIndexOf(const std::wstring& name, bool shownOnly = false) const;

    // The settings program's writers, through checked saves: the order list
    // (hidden pages included), and the pages of one group into its folder,
    // each with its comments, after keptHead (the old file's opening
    // comments) and followed by keptTail (bytes of the old file that were
    // never read).
    int WriteMng(const std::wstring& path) const;
    int WritePages(const std::wstring& path, std::uint16_t group, const std::string& keptHead = {},
                   const std::string& keptTail = {}) const;

    std::map<std::wstring, std::unique_ptr<CPageInfo>> m_Pages;
    std::vector<PageOrderEntry> m_Order;
    // Set by LoadMng for the settings program: hidden order entries are
    // kept, and so are pages that the order does not list (as hidden ones).
    bool m_bKeepHidden = false;

private:
    // Creates the task page when no file defined it (in folder), and lays
    // out its task slots on its sheet.
    void SetUpTaskPage(const std::wstring& folder, const CSheet& sheets);
};
