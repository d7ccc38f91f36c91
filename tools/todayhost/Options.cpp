#include "Options.h"

#include <cwchar>

const wchar_t kUsage[] =
    L"usage: todayhost [--script FILE] [--size WxH] [--wallpaper FILE] [--only NAME,...] [--log] [--show]\n"
    L"  commands (from FILE or stdin, one a line): tap X Y | press X Y | move X Y [STEPS] [MS]\n"
    L"  | release X Y | hold X Y MS | key NAME|VK | wait MS | select [N|NAME] | deselect | items\n"
    L"  | rotate | reload | reloadsetting | screenshot FILE.png | capture DIR INTERVAL_MS DURATION_MS [rest]\n"
    L"  | paints | usage | menu ITEM | quit";

namespace {

bool ParseSize(const std::wstring& text, int& width, int& height)
{
    wchar_t x = 0, rest = 0;
    if (std::swscanf(text.c_str(), L"%d%lc%d%lc", &width, &x, &height, &rest) != 3 || (x != L'x' && x != L'X'))
        return false;
    return width >= 64 && width <= 4096 && height >= 64 && height <= 4096;
}

}  // namespace

bool ParseOptions(int argc, wchar_t** argv, COptions& options, std::wstring& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--log") {
            options.screen.log = true;
        } else if (arg == L"--show") {
            options.screen.show = true;
        } else if (arg == L"--script" && hasValue) {
            options.script = argv[++i];
        } else if (arg == L"--only" && hasValue) {
            for (std::wstring list = argv[++i]; !list.empty();) {
                const size_t comma = list.find(L',');
                options.screen.only.push_back(list.substr(0, comma));
                list = comma == std::wstring::npos ? L"" : list.substr(comma + 1);
            }
        } else if (arg == L"--wallpaper" && hasValue) {
            options.screen.wallpaper = argv[++i];
        } else if (arg == L"--size" && hasValue) {
            if (!ParseSize(argv[++i], options.screen.width, options.screen.height)) {
                error = L"--size takes WxH, each 64 to 4096";
                return false;
            }
        } else {
            error = L"unknown or incomplete option " + arg;
            return false;
        }
    }
    return true;
}
