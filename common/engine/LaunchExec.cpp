// What a tap (or the action key) does with the touched icon: start a
// program or shortcut, open a favourite's address, or turn to a page.
#include "engine/LaunchCore.h"

#include "base/Log.h"
#include "base/Scan.h"
#include "config/TextFile.h"

namespace {

// The address of a favourite file: the value of its first line whose key is
// exactly "URL" or "url". Empty when there is none, when that line is
// empty, or when it was longer than the reader takes: a cut address would
// open some other page.
std::wstring FavoriteAddress(const std::wstring& path)
{
    CTextFile file;
    if (!file.OpenRead(path))
        return {};
    std::wstring line, key, value;
    while (file.ReadLine(line)) {
        key.clear();
        value.clear();
        ScanW(line, L"%[^=]=%[^\n]", {&key, &value});
        if (key == L"URL" || key == L"url")
            return file.LineCut() ? std::wstring() : value;
    }
    return {};
}

}  // namespace

int CLaunchCore::OpenFavorite(IconEntry& entry)
{
    const std::wstring address = FavoriteAddress(entry.Path);
    if (address.empty())
        return 0;
    PulseOnTap(30, 2);
    ShellOpen(address, L"");
    AddRecent(&entry);
    return 1;
}

int CLaunchCore::ExecIcon(CLaunchWindow& wnd, bool close)
{
    IconEntry* e = m_pTouched;
    if (!e)
        return 0;
    Log(LogFileName(), L"ExecIcon Type:%d Close:%d", e->nAppType, close ? 1 : 0);
    // A recent slot launches, and so records, the entry it stands for.
    if (IsRecentSlot(e->nAppType)) {
        e = e->Link;
        if (!e)
            return 0;
    }
    if (IsTaskSlot(e->nAppType))
        return e->Link ? ExecTask({e->Link->TaskWindow, e->Link->Name}, close) : 0;
    switch (e->nAppType) {
    case APP_PROGRAM:
    case APP_SHORTCUT:
        PulseOnTap(30, 2);
        ShellOpen(e->Path, e->Args);
        AddRecent(e);
        return 1;
    case APP_FAVORITE:
        return OpenFavorite(*e);
    case APP_PAGELINK:
        // The pulse answers the tap even when the page is gone; SetCurTab
        // then finds nothing to turn to.
        PulseOnTap(30, 2);
        SetCurTab(wnd, e->Path);
        return 0;
    default:
        // Blanks, panels and unset slots do nothing.
        return 0;
    }
}

int CLaunchCore::ActOnFocusIcon(CLaunchWindow& wnd)
{
    m_pTouched = m_pSheet ? m_pSheet->Icon(m_pSheet->FindFocusIcon()) : nullptr;
    return ExecIcon(wnd, false);
}
