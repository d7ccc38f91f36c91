#include "PluginRun.h"

#include "DeviceSandbox.h"
#include "Imaging_win.h"
#include "engine/Gdi_win.h"
#include "engine/Launch_win.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

constexpr int kTitleStrip = 26;  // the emulator's own rows above the items
constexpr UINT kReloadSetting = WM_USER + 101;
constexpr UINT kSendGuardMs = 10000;

bool OnTestDrive()
{
    wchar_t cwd[MAX_PATH] = {};
    const DWORD n = ::GetCurrentDirectoryW(MAX_PATH, cwd);
    return n >= 2 && (cwd[0] == L'T' || cwd[0] == L't') && cwd[1] == L':';
}

bool SameBelowStrip(const CShot& a, const CShot& b)
{
    if (a.width != b.width || a.height != b.height || a.height <= kTitleStrip)
        return false;
    const auto skip = static_cast<std::ptrdiff_t>(kTitleStrip) * a.width;
    return std::equal(a.px.begin() + skip, a.px.end(), b.px.begin() + skip);
}

}  // namespace

CPluginInstall::CPluginInstall()
{
    if (!OnTestDrive())
        return;
    wchar_t full[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameW(L"\\Program Files\\Orvane", MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH)
        return;
    m_strFolder.assign(full, n);
    std::error_code ec;
    fs::remove_all(m_strFolder, ec);
    fs::create_directories(m_strFolder, ec);
    fs::copy(SampleFolder(), m_strFolder, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec)
        return;
    m_bReady = ::CopyFileW(BuildFile(L"Orvane.dll").c_str(), Dll().c_str(), FALSE) != FALSE;
}

CPluginInstall::~CPluginInstall()
{
    if (m_strFolder.empty())
        return;
    std::error_code ec;
    fs::remove_all(m_strFolder, ec);
}

bool CPluginInstall::Write(const std::wstring& name, const std::string& bytes) const
{
    std::ofstream out(File(name).c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

HWND TodayScreenWindow() { return ::FindWindowW(L"DesktopExplorerWindow", nullptr); }

HWND PluginWindow()
{
    HWND screen = TodayScreenWindow();
    return screen ? ::FindWindowExW(screen, nullptr, L"Orvane", nullptr) : nullptr;
}

bool SendReloadSetting(HWND item)
{
    DWORD_PTR result = 0;
    return item && ::SendMessageTimeoutW(item, kReloadSetting, 0, 0, SMTO_NORMAL, kSendGuardMs, &result) != 0;
}

::testing::AssertionResult CommandOk(CTodayHostRun& run, const std::string& command, std::string* answer)
{
    const std::string line = run.Command(command);
    if (answer)
        *answer = line;
    if (line.rfind("ok ", 0) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "'" << command << "' answered '" << line << "'";
}

::testing::AssertionResult Screenshot(CTodayHostRun& run, const std::wstring& path, CShot& shot)
{
    if (auto taken = CommandOk(run, "screenshot \"" + NarrowText(path) + "\""); !taken)
        return taken;
    if (!ReadPng(path, shot))
        return ::testing::AssertionFailure() << "cannot read " << NarrowText(path);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult SettledShot(CTodayHostRun& run, const std::wstring& path, CShot& shot)
{
    CShot last;
    int unchanged = 0;
    for (int i = 0; i < 100; ++i) {  // 20 s: only against a hang
        if (auto waited = CommandOk(run, "wait 200"); !waited)
            return waited;
        if (auto taken = Screenshot(run, path, shot); !taken)
            return taken;
        unchanged = i > 0 && SameBelowStrip(last, shot) ? unchanged + 1 : 0;
        if (unchanged == 2)
            return ::testing::AssertionSuccess();
        last = shot;
    }
    return ::testing::AssertionFailure() << "the item did not come to rest";
}

::testing::AssertionResult SelectedShot(CTodayHostRun& run, const std::wstring& item, const std::wstring& path,
                                        CShot& shot)
{
    if (auto r = CommandOk(run, "deselect"); !r)
        return r;
    if (auto r = CommandOk(run, "select " + NarrowText(item)); !r)
        return r;
    return SettledShot(run, path, shot);
}

bool LoadIconPicture(const std::wstring& path, CIconPicture& picture)
{
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DecodedImage image;
    const bool decoded = DecodeImageFile(path, image, 0);
    if (SUCCEEDED(com))
        ::CoUninitialize();
    if (!decoded)
        return false;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.argb = std::move(image.pixels);
    return true;
}

double OpaqueMatch(const CShot& shot, const CIconPicture& picture, int left, int top)
{
    int opaque = 0, matched = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p =
                picture.argb[static_cast<size_t>(y) * static_cast<size_t>(picture.width) + static_cast<size_t>(x)];
            if ((p >> 24) != 0xFF)
                continue;
            ++opaque;
            const int sx = left + x, sy = top + y;
            if (sx < 0 || sy < 0 || sx >= shot.width || sy >= shot.height)
                continue;
            const std::uint32_t s = shot.At(sx, sy);
            bool same = true;
            for (int shift : {0, 8, 16})
                same = same && std::abs(static_cast<int>((s >> shift) & 0xFF) - static_cast<int>((p >> shift) & 0xFF)) <= 2;
            matched += same;
        }
    return opaque ? static_cast<double>(matched) / opaque : 0.0;
}

CFound FindPicture(const CShot& shot, const CIconPicture& picture, int left, int top, int radius)
{
    CFound best = {left, top, -1.0};
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const double match = OpaqueMatch(shot, picture, left + dx, top + dy);
            if (match > best.match)
                best = {left + dx, top + dy, match};
        }
    return best;
}

int CaptionBandHeight(const CaptionFontSpec& spec)
{
    CFontObj font(CreateCaptionFont(spec));
    CMemDC dc(nullptr);
    if (!font || !dc)
        return 0;
    CSelectObj select(dc.Get(), font.Get());
    SIZE extent = {};
    ::GetTextExtentPoint32W(dc.Get(), kCaptionProbe, static_cast<int>(std::size(kCaptionProbe) - 1), &extent);
    return static_cast<int>(extent.cy);
}

std::string NarrowText(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += static_cast<char>(c < 0x80 ? c : L'?');
    return out;
}

std::wstring TestOutputFolder(const wchar_t* group)
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::wstring name(info->name(), info->name() + std::strlen(info->name()));
    for (wchar_t& c : name)
        if (c == L'/')
            c = L'_';
    wchar_t cwd[MAX_PATH];
    const DWORD n = ::GetCurrentDirectoryW(MAX_PATH, cwd);
    const std::wstring parent = std::wstring(cwd, n) + L"\\" + group;
    ::CreateDirectoryW(parent.c_str(), nullptr);
    const std::wstring folder = parent + L"\\" + name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}
