// Native stand-ins for the system facts of System.h, set by tests.
#include "System.h"

#include <mutex>

namespace {

std::mutex g_lock;
std::uint16_t g_uiLanguage = 0x0409;
std::vector<FontFamily> g_fonts = {
    {L"Tahoma", 0x22},          // variable pitch, swiss
    {L"Courier New", 0x31},     // fixed pitch, modern
    {L"Times New Roman", 0x12}, // variable pitch, roman
};
bool g_bDesktop = false;
ScreenRect g_desktop;

}  // namespace

std::uint16_t SystemUILanguage()
{
    std::lock_guard<std::mutex> lock(g_lock);
    return g_uiLanguage;
}

std::vector<FontFamily> EnumScreenFontFamilies()
{
    std::lock_guard<std::mutex> lock(g_lock);
    return g_fonts;
}

bool GetDesktopRect(ScreenRect& rect)
{
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_bDesktop)
        rect = g_desktop;
    return g_bDesktop;
}

void GetScreenSize(int& width, int& height)
{
    std::lock_guard<std::mutex> lock(g_lock);
    width = g_bDesktop ? g_desktop.Width() : 480;
    height = g_bDesktop ? g_desktop.Height() : 640;
}

void SetStandInUILanguage(std::uint16_t langId)
{
    std::lock_guard<std::mutex> lock(g_lock);
    g_uiLanguage = langId;
}

void SetStandInFonts(const std::vector<FontFamily>& fonts)
{
    std::lock_guard<std::mutex> lock(g_lock);
    g_fonts = fonts;
}

void SetStandInDesktop(const ScreenRect* rect)
{
    std::lock_guard<std::mutex> lock(g_lock);
    g_bDesktop = rect != nullptr;
    if (rect)
        g_desktop = *rect;
}
