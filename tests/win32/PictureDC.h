#pragma once
// A memory DC holding an image file's pixels in a 32-bit top-down section:
// the wallpaper the test and benchmark stand-ins for the Today screen paint
// under the item.
#include "engine/Gdi_win.h"

#include <windows.h>

#include <optional>
#include <string>

class CPictureDC {
public:
    // Decodes the file at devicePath; false (and empty) when it does not.
    bool Load(const std::wstring& devicePath);
    void Reset();
    HDC Get() const { return m_dc.Get(); }
    explicit operator bool() const { return static_cast<bool>(m_bitmap); }

private:
    CMemDC m_dc;
    CBitmapObj m_bitmap;
    std::optional<CSelectObj> m_select;
};
