// The file chooser's folder listing: its entries, their order, the size
// text, the type filters and the path levels it offers.
//
// The chooser walks device folders ("\Program Files\Orvane\") through the
// same device mapping as every loader. A folder it shows is always one below
// the device root: ".." stops at "\", and a start folder, a name or a type
// pattern that would lead anywhere else (a drive, a share, a separator in a
// name) is not followed. Folder links are left out for the same reason.
#pragma once

#include "settings/EditorOptions.h"

#include <cstdint>
#include <string>
#include <vector>

// Mode bits of the chooser.
enum : unsigned {
    SELFILE_FOLDERS_ONLY = 1,  // folders are the choice; no type filter
    SELFILE_FILES_ONLY = 2,    // no walking: the start folder's files only
};

struct SelFileEntry {
    bool bFolder = false;
    int nIcon = -1;           // the system's small icon index; -1 until known
    std::wstring name;
    std::wstring type;        // the system's type name; empty until known
    bool bTypeKnown = false;
    std::uint64_t size = 0;   // bytes
    std::uint64_t writeTime = 0;  // 100 ns ticks since 1601, as stored
};

inline constexpr wchar_t kParentEntry[] = L"..";
inline constexpr wchar_t kRootFolder[] = L"\\";

// The folder as the chooser keeps it: rooted, parts joined with '\', a '\'
// at the end, "." and ".." resolved without ever rising above the root.
// A path that does not name a device folder (a drive "C:\", a share
// "\\host\x", a part with a character no file name holds) gives the root.
std::wstring ConfineFolder(const std::wstring& path);
// True for a name of one entry: not empty, not "." or "..", no separator,
// no drive colon, no wildcard, no control character.
bool IsPlainName(const std::wstring& name);
std::wstring ParentFolder(const std::wstring& folder);
// The folder entered by a tap on the entry: ".." the parent, a plain name
// the sub-folder; anything else leaves the folder as it is.
std::wstring EnterFolder(const std::wstring& folder, const std::wstring& name);

// "%ld KB": 0 for an empty file, 1 up to 1024 bytes, then whole KB rounded
// down.
std::wstring SizeText(std::uint64_t bytes);

// The type combo's filters: those given, or the single allLabel "*.*"
// when there is none. Each is shown as "label(patterns)".
std::vector<FileFilter> ChooserFilters(const std::vector<FileFilter>& filters, const std::wstring& allLabel);
std::wstring FilterText(const FileFilter& filter);
// The patterns a filter searches with: its pattern list cut to 255
// characters and split at ';'. Empty patterns, and those that name another
// folder, are dropped.
std::vector<std::wstring> SearchPatterns(const FileFilter& filter);

// Orders a and b by the sort key ±(column + 1), negative descending: ".."
// first always; folders before files ascending, after them descending;
// then column 0 name and 1 type as exact text, 2 size, 3 last write.
// Negative, 0 or positive.
int CompareSelEntries(const SelFileEntry& a, const SelFileEntry& b, int key);
void SortSelEntries(std::vector<SelFileEntry>& entries, int key);

// The folder's entries in name order: ".." below the root and every
// sub-folder (unless files-only), then the files that the patterns match
// (unless folders-only), each file once. A folder that cannot be read
// lists as empty.
std::vector<SelFileEntry> ListSelFolder(const std::wstring& folder, const std::vector<std::wstring>& patterns,
                                        unsigned mode);

// One entry of the path combo and the "Path" menu.
struct PathLevel {
    std::wstring text;    // "\" for the root, else indent, "+-", name, "\"
    std::wstring folder;  // the folder it makes current
};
// The root, each level down to the folder, then the folder's sub-folders
// among the entries (".." left out). The folder's own entry is at the
// position of its depth.
std::vector<PathLevel> PathLevels(const std::wstring& folder, const std::vector<SelFileEntry>& entries);
int FolderDepth(const std::wstring& folder);
