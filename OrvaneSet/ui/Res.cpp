#include "ui/Res.h"

#include "MenuBar_win.h"
#include "config/Folders.h"
#include "settings/ResLang.h"
#include "ui/Dialog.h"

bool ProgramIsJapanese() { return IsJapanese(); }

UINT ResDialog(unsigned japaneseId) { return MapResId(ResKind::Dialog, japaneseId, ProgramIsJapanese()); }

HMENU ResMenu(unsigned japaneseId)
{
    return ::LoadMenuW(ResourceInstance(), MAKEINTRESOURCEW(MapResId(ResKind::Menu, japaneseId, ProgramIsJapanese())));
}

std::wstring ResString(unsigned japaneseId)
{
    const UINT id = MapResId(ResKind::String, japaneseId, ProgramIsJapanese());
    const wchar_t* text = nullptr;
    // Length 0 asks for a pointer to the text in the resource itself.
    const int length = ::LoadStringW(ResourceInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

HWND MakeMenuBar(HWND dialog, unsigned japaneseMenuId)
{
    SHMENUBARINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndParent = dialog;
    info.dwFlags = SHCMBF_HMENU;
    info.hMenu = ResMenu(japaneseMenuId);
    info.hInstRes = ResourceInstance();
    if (info.hMenu && SHCreateMenuBar(&info))
        return info.hwndMB;
    if (info.hMenu)
        ::DestroyMenu(info.hMenu);
    ::MessageBoxW(dialog, L"Failed Create MenuBar.", kProgramName, MB_OK);
    return nullptr;
}
