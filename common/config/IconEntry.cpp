#include "config/IconEntry.h"

#include "base/Format.h"
#include "base/Scan.h"
#include "base/Strings.h"
#include "config/Folders.h"
#include "config/TextFile.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <iterator>

namespace {

// What an empty field turns into before the line is scanned: the scanner's
// %[^,] cannot match nothing, so each empty field must hold something.
constexpr wchar_t kEmptyMarker[] = L"\\\\";

// Views, so that a line's root is compared without measuring the names.
constexpr std::wstring_view kRootNames[] = {L"----", L"HKCR", L"HKCU", L"HKLM", L"HKU"};

// Fields of the text form, for the cut reports.
struct FieldSlot {
    std::wstring* text;
    std::wstring_view* view;  // instead of text
    size_t limit;
    const wchar_t* label;
};

// The image file with its folder marks resolved (three leading backslashes:
// the list's own folder, two: the install folder; none without a list),
// stored with one allocation: thousands of icons are read at a time.
void AssignIconFile(std::wstring& out, std::wstring_view file, const IconList* list)
{
    const bool own = list && file.substr(0, 3) == L"\\\\\\";
    const bool install = list && !own && file.substr(0, 2) == L"\\\\";
    if (!own && !install) {
        out.assign(file);
        return;
    }
    const std::wstring& folder = own ? list->base : InstallDir;
    file.remove_prefix(own ? 3 : 2);
    out.clear();
    out.reserve(folder.size() + file.size());
    out.append(folder).append(file);
}

}  // namespace

IconEntry::IconEntry(const IconEntry& other)
    : nAppType(other.nAppType), RegMode(other.RegMode), RegRoot(other.RegRoot), Name(other.Name),
      Path(other.Path), Args(other.Args), IconFile(other.IconFile), RegKey(other.RegKey),
      RegValue(other.RegValue), Caption(other.Caption), RegText(other.RegText), x(other.x), y(other.y),
      size(other.size), baseSize(other.baseSize), width(other.width), height(other.height),
      zoomState(other.zoomState), zoomStep(other.zoomStep), flags(other.flags),
      lastPanelDraw(other.lastPanelDraw), imageWidth(other.imageWidth), imageHeight(other.imageHeight),
      captionWidth(other.captionWidth), transparentColor(other.transparentColor), Link(other.Link),
      TaskWindow(other.TaskWindow), TaskOrder(other.TaskOrder)
{
    // image and scratch stay empty: one owner each, the copy makes its own.
}

IconEntry& IconEntry::operator=(const IconEntry& other)
{
    if (this == &other)
        return *this;
    IconEntry copy(other);
    *this = std::move(copy);
    return *this;
}

void ResetIconEntry(IconEntry& e)
{
    e.nAppType = APP_NONE;
    e.RegMode = REGMODE_NAME;
    e.RegRoot = REGROOT_NONE;
    e.Name.clear();
    e.Path.clear();
    e.Args.clear();
    e.IconFile.clear();
    e.RegKey.clear();
    e.RegValue.clear();
    e.RegText.clear();
    e.width = e.height = -1;
    e.TaskOrder = -1;
    e.size = 64;
    e.imageWidth = e.imageHeight = 64;
    e.x = e.y = 0;
    e.zoomState = 0;
    e.flags = 0;
    std::vector<std::uint8_t>().swap(e.scratch);
    e.lastPanelDraw = 0;
    e.image.reset();
    e.transparentColor = 0;
    e.Link = nullptr;
    e.TaskWindow = 0;
}

const wchar_t* RegRootName(std::uint8_t root)
{
    return (root < std::size(kRootNames) ? kRootNames[root] : kRootNames[0]).data();
}

int ParseIconEntry(IconEntry& entry, const std::wstring& line, const CTextFile* reportTo, const IconList* resolveIn)
{
    ResetIconEntry(entry);
    // Most lines have no empty field and are scanned as they are.
    std::wstring filled;
    if (line.find(L",,") != std::wstring::npos)
        filled = FillEmptyFieldsW(line, kEmptyMarker);
    const std::wstring& text = filled.empty() ? line : filled;

    // Straight into the entry's fields: no copy of each text.
    // The image stays a view until it is stored once, resolved.
    int type = 0, mode = 0;
    std::wstring_view image, root;
    ScanW(text, L"%d,%[^,],%[^,],%[^,],%[^,],%d,%[^;];%[^;];%[^\n]",
          {&type, &entry.Name, &entry.Path, &entry.Args, &image, &mode, &root, &entry.RegKey, &entry.RegValue});

    // Only a line that ends before its path field is an unset slot; an empty
    // field between commas holds the marker here. Recent and task slots and
    // blanks have no path and must come back from the file as they went in.
    // An unset slot is not a fault: nothing to report.
    if (entry.Path.empty()) {
        ResetIconEntry(entry);
        return 0;
    }
    auto reportCut = [reportTo](const wchar_t* label, size_t limit) {
        if (reportTo)
            reportTo->Report(FormatW(L"icon %s longer than %u characters, cut", label, static_cast<unsigned>(limit)));
    };
    // The image and the root name (which is only compared) are views.
    const FieldSlot fields[] = {
        {&entry.Name, nullptr, kIconFieldMax, L"name"},
        {&entry.Path, nullptr, kIconFieldMax, L"path"},
        {&entry.Args, nullptr, kIconFieldMax, L"arguments"},
        {nullptr, &image, kIconFieldMax, L"image"},
        {nullptr, &root, kIconRootMax, L"root name"},
        {&entry.RegKey, nullptr, kIconFieldMax, L"registry key"},
        {&entry.RegValue, nullptr, kIconFieldMax, L"registry value"},
    };
    for (const FieldSlot& f : fields) {
        if (f.view) {
            if (*f.view == std::wstring_view(kEmptyMarker))
                *f.view = {};
            if (f.view->size() > f.limit) {
                *f.view = f.view->substr(0, f.limit);
                reportCut(f.label, f.limit);
            }
            continue;
        }
        if (std::wstring_view(*f.text) == std::wstring_view(kEmptyMarker))
            f.text->clear();
        if (f.text->size() > f.limit) {
            f.text->resize(f.limit);
            reportCut(f.label, f.limit);
        }
    }

    // The file's numbers go into the record's fields as the device's did:
    // their low bits.
    AssignIconFile(entry.IconFile, image, resolveIn);
    entry.nAppType = static_cast<std::uint16_t>(type);
    entry.RegMode = static_cast<std::uint8_t>(mode);
    for (std::uint8_t r = REGROOT_HKCR; r <= REGROOT_HKU; ++r)
        if (root == kRootNames[r])
            entry.RegRoot = r;
    return 1;
}

std::wstring StoredIconFile(const std::wstring& file, const IconList& list)
{
    // A picture in the page file's own folder (a theme's own folder) keeps
    // that mark, so that the folder can move as a whole; below the install
    // folder, the install folder's.
    // The rest must not start with a backslash of its own: it would read
    // as another mark.
    auto under = [&file](const std::wstring& folder) {
        return folder.size() > 1 && folder.back() == L'\\' && file.size() > folder.size() &&
               file[folder.size()] != L'\\' && StartsWithW(file, folder);
    };
    // Exactly as read: a text that differs in case is the user's own and
    // stays as it stands.
    if (list.base != InstallDir && under(list.base))
        return L"\\\\\\" + file.substr(list.base.size());
    if (under(InstallDir))
        return L"\\\\" + file.substr(InstallDir.size());
    return file;
}

std::wstring FormatIconEntry(const IconEntry& e, bool lineEnd, const IconList* storedIn)
{
    // Empty comma fields come back as they are: the reader fills every ",,"
    // with the marker. The key is the one empty field it cannot see, so an
    // empty key before a value is written as the marker itself.
    const std::wstring& key = e.RegKey.empty() && !e.RegValue.empty() ? std::wstring(kEmptyMarker) : e.RegKey;
    const std::wstring image = storedIn ? StoredIconFile(e.IconFile, *storedIn) : e.IconFile;
    std::wstring line = FormatW(L"%d,%s,%s,%s,%s,%d,%s;%s;%s", e.nAppType, e.Name, e.Path, e.Args, image,
                                e.RegMode, RegRootName(e.RegRoot), key, e.RegValue);
    if (lineEnd)
        line += L"\r\n";
    return line;
}

void ResolveIconFile(const IconList& list, IconEntry& e)
{
    if (!StartsWithW(e.IconFile, L"\\\\"))
        return;
    std::wstring resolved;
    AssignIconFile(resolved, e.IconFile, &list);
    e.IconFile.swap(resolved);
}

int AddIcon(IconList& list, const IconEntry& entry, int index)
{
    IconEntry* target = nullptr;
    if (index == -1) {
        list.entries.push_back(entry);
        target = &list.entries.back();
    } else if (index >= 0 && static_cast<size_t>(index) < list.entries.size()) {
        target = &list.entries[static_cast<size_t>(index)];
    } else {
        return 1;  // no such slot: nothing to normalise
    }
    ResolveIconFile(list, *target);
    return 1;
}

void ClearIconSlot(IconList& list, size_t index, bool remove)
{
    if (index >= list.entries.size())
        return;
    IconEntry& e = list.entries[index];
    std::vector<std::uint8_t>().swap(e.scratch);
    // Recent and task slots draw their Link's image and own none.
    if (!IsRecentSlot(e.nAppType) && !IsTaskSlot(e.nAppType))
        e.image.reset();
    if (remove)
        list.entries.erase(list.entries.begin() + static_cast<std::ptrdiff_t>(index));
    else
        ResetIconEntry(e);
}

IconEntry& CaptionSource(IconEntry& e)
{
    if ((IsRecentSlot(e.nAppType) || IsTaskSlot(e.nAppType)) && e.Link)
        return *e.Link;
    return e;
}

void UpdateCaption(IconEntry& e, const TextWidthFn& textWidth)
{
    IconEntry& q = CaptionSource(e);
    std::wstring text;
    switch (q.RegMode) {
    case REGMODE_REG:
    case REGMODE_FORMAT: text = q.RegText; break;
    case REGMODE_REG_NAME: text = q.RegText + q.Name; break;
    case REGMODE_NAME_REG: text = q.Name + q.RegText; break;
    default: text = q.Name; break;
    }
    // A measure that makes no sense counts as nothing.
    auto measure = [&textWidth](const std::wstring& s) {
        const int w = textWidth ? textWidth(s) : 0;
        return std::max(w, 0);
    };
    // The slot's size: a recent or task slot shortens its Link's text to
    // the room the slot has.
    const int base = e.baseSize;
    int width = measure(text);
    if (!text.empty() && width > base * 16 / 10) {
        while (!text.empty() && q.Name.size() > 1 && width > base * 14 / 10) {
            text.pop_back();
            width = measure(text);
        }
        text += L"...";
        width = measure(text);
    }
    q.Caption = std::move(text);
    q.captionWidth = static_cast<std::uint16_t>(std::min(width, 0xFFFF));
    q.flags |= ICON_CAPTION_VALID;
}
