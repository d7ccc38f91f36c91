#include "FuzzDevice.h"

#include "FileSys.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path& Root()
{
    static const fs::path root = [] {
        fs::path p = fs::temp_directory_path() / ("orvane-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(p / "Program Files" / "Orvane");
        SetDeviceRoot(p.wstring());
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(fs::temp_directory_path() / ("orvane-fuzz-" + std::to_string(::getpid())), ec);
        });
        return p;
    }();
    return root;
}

}  // namespace

void WriteFuzzFile(const std::wstring& devicePath, const std::uint8_t* data, std::size_t size)
{
    Root();
    const std::wstring host = MapDevicePath(devicePath);
    FILE* f = std::fopen(fs::path(host).c_str(), "wb");
    if (!f)
        return;
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
}
