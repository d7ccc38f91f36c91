// The Today screen: a top-level "DesktopExplorerWindow" whose client area is
// the device screen. It loads the custom items from the registry, stacks
// their windows under the title strip by the heights they report (asked
// after loading, after a resize and every 2 s), answers their watermark and
// selection requests, turns the cursor keys into the selection protocol and
// reloads every item on WM_WININICHANGE 0xF2.
#pragma once

#include "Backdrop.h"
#include "Picture.h"
#include "Selection.h"
#include "WindowBase.h"

#include <string>
#include <vector>

struct CScreenOptions {
    int width = 480;
    int height = 640;
    std::wstring wallpaper;  // empty: the plain gradient
    bool log = false;        // print the item messages
    bool show = false;       // for a person: centred, activated, movable by the title strip
    std::vector<std::wstring> only;  // when not empty, the items loaded (others stay untouched)
};

class CTodayScreen : public CWindowBase, private IItemChannel {
public:
    explicit CTodayScreen(const CScreenOptions& options);
    ~CTodayScreen() override;

    bool Create(std::wstring& error);

    const CItemList& Items() const { return m_items; }
    CSelection& Selection() { return m_selection; }
    // The innermost window at a point of the client area, the screen's own
    // window where there is no item.
    HWND WindowAt(POINT pt) const;
    // The item a window belongs to, or null.
    const CLoadedItem* ItemOf(HWND window) const;

    void Reload();
    void Rotate();
    // The client area as shown, after every pending paint.
    bool Capture(CPixels& out);

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT Send(CLoadedItem& item, UINT msg, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    void OnSize(int width, int height);
    void OnTimer(UINT_PTR id);
    LRESULT OnWatermark(const TODAYDRAWWATERMARKINFO* info);
    void OnTookSelection(HWND window);
    LRESULT OnHitTest(WPARAM wParam, LPARAM lParam);

    void LoadItems();
    void UnloadItems();
    bool QueryHeights();
    void Stack();

    CScreenOptions m_options;
    CBackdrop m_backdrop;
    CItemList m_items;
    CSelection m_selection;
    int m_nClockMinute = -1;
};
