#include "settings/AppEdit.h"

#include "base/Format.h"

#include <algorithm>

namespace {

// A run of slots: its first code, its largest count and its names.
struct SlotRun {
    unsigned first;
    int count;
    const wchar_t* nameFormat;
    int defaultCount;
};
constexpr SlotRun kRecentRun = {APP_RECENT_FIRST, APP_RECENT_LAST - APP_RECENT_FIRST + 1, L"Recent-%02d", 5};
constexpr SlotRun kTaskRun = {APP_TASK_FIRST, APP_TASK_LAST - APP_TASK_FIRST + 1, L"Task-%02d", 5};

const SlotRun* RunOf(unsigned type)
{
    if (IsRecentSlot(type))
        return &kRecentRun;
    if (IsTaskSlot(type))
        return &kTaskRun;
    return nullptr;
}

}  // namespace

int AppKindIndex(unsigned type)
{
    if (const SlotRun* run = RunOf(type))
        type = run->first;
    else if (IsPanel(type))
        type = APP_PANEL;
    for (int i = 0; i < kAppKindCount; ++i)
        if (kAppKinds[i].code == type)
            return i;
    return -1;
}

bool AppRowVisible(unsigned kindCode, int row)
{
    if (row < 0 || row >= ROW_COUNT)
        return false;
    if (IsSlotRunKind(kindCode))
        return row == ROW_NUM;
    switch (kindCode) {
    case APP_BLANK: return row == ROW_NAME;
    case APP_FAVORITE:
    case APP_PAGELINK: return row != ROW_NUM && row != ROW_ARGS;
    default: return row != ROW_NUM;
    }
}

bool IsSlotRunKind(unsigned kindCode) { return RunOf(kindCode) != nullptr; }

std::wstring SlotCountOptions(unsigned kindCode)
{
    const SlotRun* run = RunOf(kindCode);
    std::wstring options;
    for (int i = 0; run && i < run->count; ++i)
        options += FormatW(i ? L";%d:x %02d" : L"%d:x %02d", run->first + static_cast<unsigned>(i), i + 1);
    return options;
}

int DefaultSlotCount(unsigned kindCode)
{
    const SlotRun* run = RunOf(kindCode);
    return run ? static_cast<int>(run->first) + run->defaultCount - 1 : 0;
}

std::vector<IconEntry> ExpandSlotRun(const IconList& page, const IconEntry& edited)
{
    const SlotRun* run = RunOf(edited.nAppType);
    if (!run)
        return {edited};
    std::vector<IconEntry> added;
    for (unsigned code = run->first; code <= edited.nAppType; ++code) {
        const bool present = std::any_of(page.entries.begin(), page.entries.end(),
                                         [code](const IconEntry& e) { return e.nAppType == code; });
        if (present)
            continue;
        IconEntry slot(edited);
        slot.nAppType = static_cast<std::uint16_t>(code);
        slot.Name = FormatW(run->nameFormat, code - run->first + 1);
        added.push_back(std::move(slot));
    }
    return added;
}

std::wstring TargetStartFolder(unsigned kindCode, const std::function<bool(const std::wstring&)>& folderExists)
{
    std::vector<std::wstring> candidates = {L"\\Program Files\\"};
    if (kindCode == APP_SHORTCUT)
        candidates.insert(candidates.end(), {L"\\Windows\\Start Menu", L"\\Windows\\\u30b9\u30bf\u30fc\u30c8 "
                                                                      L"\u30e1\u30cb\u30e5\u30fc"});
    else if (kindCode == APP_FAVORITE)
        candidates.insert(candidates.end(), {L"\\Windows\\Favorites", L"\\Windows\\\u304a\u6c17\u306b\u5165\u308a"});
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it)
        if (folderExists && folderExists(*it))
            return *it;
    return candidates.front();
}

TargetFilter TargetFilterOf(unsigned kindCode)
{
    switch (kindCode) {
    case APP_SHORTCUT: return {157, L"*.lnk"};
    case APP_FAVORITE: return {158, L"*.url"};
    default: return {160, L"*.exe"};
    }
}

std::wstring FileOptionString(const std::wstring& folder,
                              const std::vector<std::pair<std::wstring, std::wstring>>& filters)
{
    std::wstring options = folder;
    for (const auto& [label, patterns] : filters)
        options += L":" + label + L":" + patterns;
    return options;
}

std::wstring NameFromFileName(const std::wstring& fileName)
{
    const size_t dot = fileName.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}
