// One custom item as the Today screen holds it: its library, its record (at
// a fixed address for the item's lifetime: the item writes its height into
// it) and the window InitializeCustomItem returned. Destroying it is the
// unload (after the screen sent WM_TODAYCUSTOM_CLEARCACHE): the window is
// destroyed, then the library freed.
#pragma once

#include "ItemRegistry.h"
#include "TodayItem_win.h"

#include <memory>
#include <string>

class CLoadedItem {
public:
    // Null, with the reason in error, when the library or its window fails.
    static std::unique_ptr<CLoadedItem> Load(const CItemConfig& config, HWND parent, std::wstring& error);
    ~CLoadedItem();
    CLoadedItem(const CLoadedItem&) = delete;
    CLoadedItem& operator=(const CLoadedItem&) = delete;

    const std::wstring& Name() const { return m_config.name; }
    DWORD Selectability() const { return m_config.selectability; }
    bool Selectable() const { return m_config.selectability != kTodayNotSelectable; }
    HWND Hwnd() const { return m_record.hwndCustom; }
    TODAYLISTITEM& Record() { return m_record; }
    int Height() const { return static_cast<int>(m_record.cyp); }
    // The paint messages the item's window has handled since it was loaded.
    int Paints() const { return m_nPaints; }

private:
    explicit CLoadedItem(const CItemConfig& config) : m_config(config) {}
    static LRESULT CALLBACK CountPaints(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);

    class CLibrary {
    public:
        explicit CLibrary(HMODULE module = nullptr) : m_hModule(module) {}
        ~CLibrary()
        {
            if (m_hModule)
                ::FreeLibrary(m_hModule);
        }
        CLibrary(const CLibrary&) = delete;
        CLibrary& operator=(const CLibrary&) = delete;
        void Reset(HMODULE module) { m_hModule = module; }
        HMODULE Get() const { return m_hModule; }

    private:
        HMODULE m_hModule;
    };

    CItemConfig m_config;
    CLibrary m_library;  // freed last, after the window is gone
    TODAYLISTITEM m_record = {};
    int m_nPaints = 0;
};
