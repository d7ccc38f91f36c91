// Every frame of a fixed session, as pixels: the sample selected, turned
// page by page through its order (the Clock page's panels at a fixed time)
// and deselected, played frame by frame as the redraw timer would. Prints
// one line per frame with a hash of the frame surface's pixels; given a
// folder, writes each frame there as a BMP too. Two builds that print the
// same lines draw the same frames (bench/compare-frames).
//
//   orv_frame_dump [FOLDER]
#include "BenchItem_win.h"

#include <objbase.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The frame surface's pixels, 32 bits each, top row first.
std::vector<std::uint32_t> FramePixels(CBenchLaunch& engine)
{
    constexpr int w = CBenchItem::kWidth, h = CBenchItem::kHeight;
    std::vector<std::uint32_t> px(static_cast<size_t>(w) * h);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = engine.FrameDC();
    HBITMAP bitmap = dc ? static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP)) : nullptr;
    if (!bitmap || ::GetDIBits(dc, bitmap, 0, h, px.data(), &info, DIB_RGB_COLORS) != h)
        px.clear();
    return px;
}

std::uint64_t Hash(const std::vector<std::uint32_t>& px)
{
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (std::uint32_t p : px)
        for (int b = 0; b < 4; ++b)
            h = (h ^ ((p >> (8 * b)) & 0xFF)) * 1099511628211ull;
    return h;
}

// The frame as a picture: the surface's fourth byte is whatever the last
// blit left there (AlphaBlend leaves 255 under icons, copies 0), which
// viewers would take for transparency, so every pixel is written opaque.
void WriteBmp(const fs::path& path, std::vector<std::uint32_t> px)
{
    for (std::uint32_t& p : px)
        p |= 0xFF000000u;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = CBenchItem::kWidth;
    info.biHeight = -CBenchItem::kHeight;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(px.size() * sizeof(std::uint32_t));
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(px.data()), bytes);
}

}  // namespace

int main(int argc, char** argv)
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::path();
    const fs::path root = fs::temp_directory_path() / "orvane-frame-dump";
    int status = 0;
    {
        CBenchItem item;
        CBenchLaunch engine;
        engine.m_FixedNow = MakePanelTime(2026, 12, 8, 10, 9, 30);
        item.Attach(&engine);
        if (!item.Install(root) || engine.InitLnch() != 1) {
            std::fprintf(stderr, "the sample does not load\n");
            status = 1;
        } else {
            CLaunchHwnd& port = item.Port();
            int frame = 0;
            std::wstring page = L"(first)";
            auto dump = [&](double) {
                const std::vector<std::uint32_t> px = FramePixels(engine);
                std::printf("%04d %-10ls %016llx\n", frame, page.c_str(), static_cast<unsigned long long>(Hash(px)));
                if (!folder.empty() && !px.empty())
                    WriteBmp(folder / ("frame_" + std::to_string(frame) + ".bmp"), px);
                ++frame;
            };
            engine.ShowFirstPage(port);
            ::InvalidateRect(item.Item(), nullptr, FALSE);
            ::UpdateWindow(item.Item());
            dump(0);
            engine.OnSelectionReceived(port);
            engine.SetDrawTimer(port, TIMER_TASK, false, true);
            item.PlayOut(dump);
            for (const wchar_t* name : {L"Tools", L"Recent", L"Clock", L"Pages", L"TRLS_PAGE", L"Home"}) {
                page = name;
                engine.SetCurTab(port, name);
                item.PlayOut(dump);
            }
            page = L"(lost)";
            engine.OnSelectionLost(port);
            item.PlayOut(dump);
        }
        item.Attach(nullptr);
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    ::CoUninitialize();
    return status;
}
