#pragma once
// A memory DC holding an image file's pixels in a 32-bit top-down section:
// the wallpaper the test and benchmark stand-ins for the Today screen paint
// under the item.
#include "engine/Surface_win.h"

#include <windows.h>

#include <string>

class CPictureDC {
public:
    // Decodes the file at devicePath; false (and empty) when it does not.
    bool Load(const std::wstring& devicePath);
    void Reset() { m_surface.Reset(); }
    HDC Get() const { return m_surface.DC(); }
    explicit operator bool() const { return m_surface.Bitmap() != nullptr; }

private:
    CSurfaceDC m_surface;
};
