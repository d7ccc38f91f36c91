// The plug-in's engine: CLaunchCore plus the Windows objects it owns. For
// now the caption font; the surfaces and the drawing follow.
#pragma once

#include "engine/Gdi_win.h"
#include "engine/LaunchCore.h"

#include <windows.h>

// The character height of a caption font spec at the given pixels per inch:
// a point size in tenths, negative as LOGFONT wants a character height.
LONG CaptionFontHeight(int sizeTenths, int pixelsPerInch);
// The caption font of a spec as the device makes it, at the screen's
// vertical pixels per inch.
HFONT CreateCaptionFont(const CaptionFontSpec& spec);

class CLaunch : public CLaunchCore {
public:
    CLaunch() = default;
    // Frees the engine's objects while its overrides can still be reached.
    ~CLaunch() override;

    HFONT CaptionFont() const { return m_CaptionFontObj.Get(); }

protected:
    void MakeCaptionFont(const CaptionFontSpec& spec) override;

private:
    CFontObj m_CaptionFontObj;
};
