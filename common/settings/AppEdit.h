// The icon editor's rules that need no window: the kinds it offers, which
// property rows each kind shows, the slot runs that Add makes of a recent
// or task entry, and the folders and names the file rows start from.
#pragma once

#include "config/IconEntry.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The property rows, by their fixed positions in "AppSetInfo.ini".
enum AppRow : int {
    ROW_NAME = 0,
    ROW_NUM,       // slot count of a recent or task entry
    ROW_PATH,      // a file, or the page of a page link
    ROW_ARGS,
    ROW_ICON,
    ROW_REGMODE,
    ROW_REGROOT,
    ROW_REGKEY,
    ROW_REGVALUE,
    ROW_REGTEST,   // an action: reads the registry value now
    ROW_COUNT
};

// The entry's text fields and the rows that edit them, in the order of
// IconField (settings/IconCheck).
struct AppTextRow {
    int row;
    std::wstring IconEntry::*field;
};
inline constexpr AppTextRow kAppTextRows[] = {
    {ROW_NAME, &IconEntry::Name},       {ROW_PATH, &IconEntry::Path},     {ROW_ARGS, &IconEntry::Args},
    {ROW_ICON, &IconEntry::IconFile},   {ROW_REGKEY, &IconEntry::RegKey}, {ROW_REGVALUE, &IconEntry::RegValue},
};

// One entry of the kind combo: its type code and the (Japanese) string id
// of its label.
struct AppKind {
    std::uint16_t code;
    unsigned label;
};
inline constexpr AppKind kAppKinds[] = {
    {APP_PROGRAM, 132}, {APP_SHORTCUT, 133}, {APP_FAVORITE, 134}, {APP_RECENT_FIRST, 135},
    {APP_TASK_FIRST, 141}, {APP_PAGELINK, 136}, {APP_BLANK, 146}, {APP_PANEL, 245},
};
inline constexpr int kAppKindCount = static_cast<int>(sizeof(kAppKinds) / sizeof(kAppKinds[0]));

// The combo entry that stands for the type (a recent or task slot for its
// whole range, a panel for every panel code); -1 when no entry does.
int AppKindIndex(unsigned type);
// The rows a kind of the combo shows.
bool AppRowVisible(unsigned kindCode, int row);
// Recent and task entries: the slot count row's options "20:x 01;21:x 02…"
// and the count it starts with.
bool IsSlotRunKind(unsigned kindCode);
std::wstring SlotCountOptions(unsigned kindCode);
int DefaultSlotCount(unsigned kindCode);

// Add of a recent (task) entry with the slot code k: a copy of the edited
// entry for every slot from the first code up to k that the page lacks,
// each named "Recent-%02d" ("Task-%02d") with its slot number. Any other
// type: the entry itself.
std::vector<IconEntry> ExpandSlotRun(const IconList& page, const IconEntry& edited);

// Edit refuses recent and task slots: they are made and named by Add.
inline bool IsEditableType(unsigned type) { return !IsRecentSlot(type) && !IsTaskSlot(type); }

// The folder the target's chooser starts in: the last candidate of the
// kind that exists (a shortcut's start menu, a favourite's favourites),
// the first when none does.
std::wstring TargetStartFolder(unsigned kindCode, const std::function<bool(const std::wstring&)>& folderExists);
// The chooser's filter of a kind's target: the label's string id and the
// pattern.
struct TargetFilter {
    unsigned label;
    const wchar_t* pattern;
};
TargetFilter TargetFilterOf(unsigned kindCode);
// A FILE_PATH option string: folder, then label and patterns of each filter.
std::wstring FileOptionString(const std::wstring& folder,
                              const std::vector<std::pair<std::wstring, std::wstring>>& filters);
// The name an icon takes from its chosen file: up to the last ".", unless
// the only "." is the first character.
std::wstring NameFromFileName(const std::wstring& fileName);

// The image a favourite or a page link gets when it has none.
inline constexpr wchar_t kFavoriteImage[] = L"Icon\\IconAppURL.bmp";
inline constexpr wchar_t kPageLinkImage[] = L"Icon\\IconPage0.bmp";
inline constexpr wchar_t kBlankName[] = L"--------";
