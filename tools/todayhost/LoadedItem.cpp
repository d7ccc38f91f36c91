#include "LoadedItem.h"

#include <commctrl.h>

#include <cwchar>

namespace {

PFNCUSTOMINITIALIZEITEM EntryPoint(HMODULE module)
{
    FARPROC proc = ::GetProcAddress(module, "InitializeCustomItem");
    if (!proc)
        proc = ::GetProcAddress(module, MAKEINTRESOURCEA(kInitializeCustomItemOrdinal));
    // Through void(*)(): FARPROC matches no function type.
    return reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

std::unique_ptr<CLoadedItem> CLoadedItem::Load(const CItemConfig& config, HWND parent, std::wstring& error)
{
    std::unique_ptr<CLoadedItem> item(new CLoadedItem(config));
    if (config.dll.empty()) {
        error = L"no DLL";
        return nullptr;
    }
    item->m_library.Reset(::LoadLibraryW(config.dll.c_str()));
    if (!item->m_library.Get()) {
        error = L"cannot load " + config.dll;
        return nullptr;
    }
    PFNCUSTOMINITIALIZEITEM init = EntryPoint(item->m_library.Get());
    if (!init) {
        error = L"no InitializeCustomItem in " + config.dll;
        return nullptr;
    }
    TODAYLISTITEM& r = item->m_record;
    std::wcsncpy(r.szName, config.name.c_str(), MAX_ITEMNAME - 1);
    r.tlit = tlitCustom;
    r.dwOrder = config.order;
    r.fEnabled = TRUE;
    r.fOptions = config.options != 0;
    r.grfFlags = config.flags;
    std::wcsncpy(r.szDLLPath, config.dll.c_str(), MAX_PATH - 1);
    r.hinstDLL = item->m_library.Get();
    r.hwndCustom = init(&r, parent);
    if (!r.hwndCustom) {
        error = L"InitializeCustomItem made no window";
        return nullptr;
    }
    // The item's window procedure is its own; counting its paints from
    // outside shows what an idle item costs.
    ::SetWindowSubclass(r.hwndCustom, &CLoadedItem::CountPaints, 1, reinterpret_cast<DWORD_PTR>(item.get()));
    return item;
}

LRESULT CALLBACK CLoadedItem::CountPaints(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self)
{
    if (msg == WM_PAINT)
        ++reinterpret_cast<CLoadedItem*>(self)->m_nPaints;
    else if (msg == WM_NCDESTROY)
        ::RemoveWindowSubclass(hwnd, &CLoadedItem::CountPaints, id);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

CLoadedItem::~CLoadedItem()
{
    if (m_record.hwndCustom && ::IsWindow(m_record.hwndCustom)) {
        ::RemoveWindowSubclass(m_record.hwndCustom, &CLoadedItem::CountPaints, 1);
        ::DestroyWindow(m_record.hwndCustom);
    }
}
