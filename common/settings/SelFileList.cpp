#include "settings/SelFileList.h"

#include "FileSys.h"

#include <algorithm>

namespace {

constexpr size_t kMaxPatternText = 255;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Characters that no file or folder name holds on the device.
bool IsForbiddenChar(wchar_t c)
{
    return c < 0x20 || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|';
}

std::wstring JoinPatterns(const std::vector<std::wstring>& patterns)
{
    std::wstring text;
    for (const std::wstring& p : patterns)
        text += (text.empty() ? L"" : L";") + p;
    return text;
}

template <class T>
int Order(const T& a, const T& b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

bool IsParent(const SelFileEntry& e) { return e.bFolder && e.name == kParentEntry; }

// A pattern is matched inside the folder only: "..\*" would list the
// folder above.
bool IsInsidePattern(const std::wstring& p)
{
    return !p.empty() && p != L"." && p != L".." &&
           std::none_of(p.begin(), p.end(), [](wchar_t c) { return IsSeparator(c) || c == L':' || c < 0x20; });
}

}  // namespace

std::wstring ConfineFolder(const std::wstring& path)
{
    // Only a rooted path names a device folder; "\\host" is a share.
    if (path.empty() || !IsSeparator(path[0]) || (path.size() > 1 && IsSeparator(path[1])))
        return kRootFolder;
    std::vector<std::wstring> parts;
    std::wstring part;
    const auto take = [&parts](const std::wstring& p) {
        if (p == L"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!p.empty() && p != L".") {
            parts.push_back(p);
        }
    };
    for (wchar_t c : path) {
        if (IsSeparator(c)) {
            take(part);
            part.clear();
        } else if (IsForbiddenChar(c)) {
            return kRootFolder;
        } else {
            part += c;
        }
    }
    take(part);
    std::wstring folder = kRootFolder;
    for (const std::wstring& p : parts)
        folder += p + L"\\";
    return folder;
}

bool IsPlainName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L"..")
        return false;
    return std::none_of(name.begin(), name.end(), [](wchar_t c) { return IsSeparator(c) || IsForbiddenChar(c); });
}

std::wstring ParentFolder(const std::wstring& folder) { return ConfineFolder(ConfineFolder(folder) + L".."); }

std::wstring EnterFolder(const std::wstring& folder, const std::wstring& name)
{
    if (name == kParentEntry)
        return ParentFolder(folder);
    if (!IsPlainName(name))
        return ConfineFolder(folder);
    return ConfineFolder(folder) + name + L"\\";
}

std::wstring SizeText(std::uint64_t bytes)
{
    const std::uint64_t kb = bytes == 0 ? 0 : bytes <= 1024 ? 1 : bytes / 1024;
    return std::to_wstring(kb) + L" KB";
}

std::vector<FileFilter> ChooserFilters(const std::vector<FileFilter>& filters, const std::wstring& allLabel)
{
    if (filters.empty())
        return {FileFilter{allLabel, {L"*.*"}}};
    return filters;
}

std::wstring FilterText(const FileFilter& filter)
{
    return filter.label + L"(" + JoinPatterns(filter.patterns) + L")";
}

std::vector<std::wstring> SearchPatterns(const FileFilter& filter)
{
    const std::wstring text = JoinPatterns(filter.patterns).substr(0, kMaxPatternText);
    std::vector<std::wstring> patterns;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(L';', start), text.size());
        const std::wstring p = text.substr(start, end - start);
        if (IsInsidePattern(p) && std::find(patterns.begin(), patterns.end(), p) == patterns.end())
            patterns.push_back(p);
        start = end + 1;
    }
    return patterns;
}

int CompareSelEntries(const SelFileEntry& a, const SelFileEntry& b, int key)
{
    if (IsParent(a) != IsParent(b))
        return IsParent(a) ? -1 : 1;
    const bool descending = key < 0;
    if (a.bFolder != b.bFolder)
        return (a.bFolder != descending) ? -1 : 1;
    int order = 0;
    switch ((descending ? -key : key) - 1) {
    case 1: order = a.type.compare(b.type); break;
    case 2: order = Order(a.size, b.size); break;
    case 3: order = Order(a.writeTime, b.writeTime); break;
    default: order = a.name.compare(b.name); break;
    }
    order = order < 0 ? -1 : order > 0 ? 1 : 0;
    return descending ? -order : order;
}

void SortSelEntries(std::vector<SelFileEntry>& entries, int key)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [key](const SelFileEntry& a, const SelFileEntry& b) { return CompareSelEntries(a, b, key) < 0; });
}

std::vector<SelFileEntry> ListSelFolder(const std::wstring& folder, const std::vector<std::wstring>& patterns,
                                        unsigned mode)
{
    const std::wstring at = ConfineFolder(folder);
    std::vector<SelFileEntry> entries;
    if (!(mode & SELFILE_FILES_ONLY)) {
        if (at != kRootFolder)
            entries.push_back({true, -1, kParentEntry, L"", false, 0, 0});
        for (const FindEntry& f : FindEntries(at + L"*")) {
            // A link may lead out of the device: not walked.
            if (!(f.attributes & FILE_ATTR_DIRECTORY) || (f.attributes & FILE_ATTR_REPARSE_POINT) ||
                !IsPlainName(f.name))
                continue;
            entries.push_back({true, -1, f.name, L"", false, 0, f.writeTime});
        }
    }
    if (!(mode & SELFILE_FOLDERS_ONLY)) {
        std::vector<std::wstring> seen;
        for (const std::wstring& pattern : patterns) {
            if (!IsInsidePattern(pattern))
                continue;
            for (const FindEntry& f : FindEntries(at + pattern)) {
                if ((f.attributes & FILE_ATTR_DIRECTORY) || !IsPlainName(f.name) ||
                    std::find(seen.begin(), seen.end(), f.name) != seen.end())
                    continue;
                seen.push_back(f.name);
                entries.push_back({false, -1, f.name, L"", false, f.size, f.writeTime});
            }
        }
    }
    SortSelEntries(entries, 1);
    return entries;
}

int FolderDepth(const std::wstring& folder)
{
    const std::wstring at = ConfineFolder(folder);
    return static_cast<int>(std::count(at.begin(), at.end(), L'\\')) - 1;
}

std::vector<PathLevel> PathLevels(const std::wstring& folder, const std::vector<SelFileEntry>& entries)
{
    const std::wstring at = ConfineFolder(folder);
    std::vector<PathLevel> levels{{kRootFolder, kRootFolder}};
    const auto level = [](int depth, const std::wstring& name, const std::wstring& path) {
        std::wstring text;
        for (int i = 1; i < depth; ++i)
            text += L"  ";
        return PathLevel{text + L"+-" + name + L"\\", path};
    };
    std::wstring path = kRootFolder;
    int depth = 0;
    for (size_t start = 1; start < at.size();) {
        const size_t end = at.find(L'\\', start);
        const std::wstring name = at.substr(start, end - start);
        path += name + L"\\";
        levels.push_back(level(++depth, name, path));
        start = end + 1;
    }
    for (const SelFileEntry& e : entries)
        if (e.bFolder && !IsParent(e))
            levels.push_back(level(depth + 1, e.name, at + e.name + L"\\"));
    return levels;
}
