// A window's client area as it shows on the screen, children included:
// pending paints first (the children's, then the window's own), then a copy
// from GetWindowDC. Under Wine's null driver this is the window surface; what
// lies outside the PC's screen is not part of it.
#pragma once

#include "Picture.h"

#include <windows.h>

#include <vector>

bool CaptureClient(HWND window, const std::vector<HWND>& children, CPixels& out);
