// The file chooser's rules without a window: the size text, the order of
// the entries, the type filters, the listing of a folder tree, the path
// levels, and that no path leads out of the device.
#include "DeviceSandbox.h"
#include "settings/SelFileList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>

namespace {

// A text of each element: a field (names of entries, texts of path levels)
// or what a function makes of it.
template <class T, class Text>
std::vector<std::wstring> Each(const std::vector<T>& items, Text text)
{
    std::vector<std::wstring> texts;
    for (const T& item : items)
        texts.push_back(std::invoke(text, item));
    return texts;
}

}  // namespace

TEST(SelFileList, SizeText)
{
    const std::pair<std::uint64_t, const wchar_t*> cases[] = {
        {0, L"0 KB"},    {1, L"1 KB"},    {1024, L"1 KB"},           {1025, L"1 KB"},
        {2047, L"1 KB"}, {2048, L"2 KB"}, {5ull << 30, L"5242880 KB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(text, SizeText(bytes)) << bytes;
}

// Whatever a definition file, a folder name or a tap gives, the folder
// stays a device folder below the root.
TEST(SelFileList, FoldersNeverLeaveTheDevice)
{
    const std::pair<const wchar_t*, const wchar_t*> confined[] = {
        {L"\\Program Files", L"\\Program Files\\"},
        {L"/a//b/./c/", L"\\a\\b\\c\\"},
        {L"\\a\\..\\..\\..\\b", L"\\b\\"},
        {L"\\..", L"\\"},
        {L"", L"\\"},
        {L"relative\\x", L"\\"},
        {L"C:\\Windows", L"\\"},
        {L"\\\\host\\share", L"\\"},
        {L"\\a\\b:c", L"\\"},
        {L"\\a\\b\x01", L"\\"},
    };
    for (const auto& [path, folder] : confined)
        EXPECT_EQ(folder, ConfineFolder(path)) << testing::PrintToString(std::wstring(path));

    struct Step {
        const wchar_t* folder;
        const wchar_t* name;
        const wchar_t* entered;
    } steps[] = {
        {L"\\a\\", L"b", L"\\a\\b\\"},
        {L"\\a\\b\\", L"..", L"\\a\\"},
        {L"\\", L"..", L"\\"},
        {L"\\a\\", L"..\\..\\etc", L"\\a\\"},
        {L"\\a\\", L"/etc", L"\\a\\"},
        {L"\\a\\", L"Z:", L"\\a\\"},
        {L"\\a\\", L".", L"\\a\\"},
    };
    for (const Step& s : steps)
        EXPECT_EQ(s.entered, EnterFolder(s.folder, s.name)) << testing::PrintToString(std::wstring(s.name));
}

TEST(SelFileList, SortOrderOfEveryKey)
{
    // Folders a, B; files by name, size, time, type; ".." first.
    const std::vector<SelFileEntry> entries = {
        {false, -1, L"b.exe", L"Application", true, 30, 300},
        {true, -1, L"a", L"Folder", true, 0, 900},
        {false, -1, L"C.txt", L"Text", true, 10, 100},
        {true, -1, L"..", L"", true, 0, 0},
        {false, -1, L"a.bmp", L"Bitmap", true, 20, 200},
        {true, -1, L"B", L"Folder", true, 0, 50},
    };
    const std::pair<int, std::vector<std::wstring>> cases[] = {
        // Exact comparison: capitals before small letters.
        {1, {L"..", L"B", L"a", L"C.txt", L"a.bmp", L"b.exe"}},
        {-1, {L"..", L"b.exe", L"a.bmp", L"C.txt", L"a", L"B"}},
        // Equal keys keep the order they had.
        {2, {L"..", L"a", L"B", L"b.exe", L"a.bmp", L"C.txt"}},
        {3, {L"..", L"a", L"B", L"C.txt", L"a.bmp", L"b.exe"}},
        {-3, {L"..", L"b.exe", L"a.bmp", L"C.txt", L"a", L"B"}},
        {4, {L"..", L"B", L"a", L"C.txt", L"a.bmp", L"b.exe"}},
        {-4, {L"..", L"b.exe", L"a.bmp", L"C.txt", L"a", L"B"}},
    };
    for (const auto& [key, order] : cases) {
        std::vector<SelFileEntry> sorted = entries;
        SortSelEntries(sorted, key);
        EXPECT_EQ(order, Each(sorted, &SelFileEntry::name)) << key;
    }
}

TEST(SelFileList, FiltersFromTheOptionString)
{
    const FileOptions options =
        ParseFileOptions(L"\\Program Files\\:Image File:*.bmp;*.png;*.jpg;*.gif:All Files:*.*");
    EXPECT_EQ((std::vector<std::wstring>{L"Image File(*.bmp;*.png;*.jpg;*.gif)", L"All Files(*.*)"}),
              Each(ChooserFilters(options.filters, L"All File"), FilterText));
    // None given: every file, under the label passed.
    EXPECT_EQ(std::vector<std::wstring>{L"All File(*.*)"}, Each(ChooserFilters({}, L"All File"), FilterText));

    const std::pair<std::vector<std::wstring>, std::vector<std::wstring>> cases[] = {
        {{L"*.exe", L"*.lnk"}, {L"*.exe", L"*.lnk"}},
        // Patterns that name another folder or a drive are not searched;
        // one given twice is searched once.
        {{L"..\\*.exe", L"*.exe", L"", L"*.exe", L"C:*", L"/etc/*", L".."}, {L"*.exe"}},
        // The pattern list is read up to 255 characters.
        {{std::wstring(250, L'a'), L"*.bmp", L"*.png"}, {std::wstring(250, L'a'), L"*.bm"}},
    };
    for (const auto& [patterns, search] : cases)
        EXPECT_EQ(search, SearchPatterns(FileFilter{L"x", patterns})) << testing::PrintToString(patterns);
}

TEST(SelFileList, ListingAFolderTree)
{
    CDeviceSandbox dev;
    dev.WriteFile(L"\\Program Files\\Tool\\tool.exe", "MZ");
    dev.WriteFile(L"\\Program Files\\Tool\\big.exe", std::string(2048, 'x'));
    dev.WriteFile(L"\\Program Files\\Tool\\pic.bmp", "BM");
    dev.WriteFile(L"\\Program Files\\Tool\\readme.txt", "");
    dev.MakeFolder(L"\\Program Files\\Tool\\Plugins");
    dev.MakeFolder(L"\\Program Files\\Tool\\Data");
    dev.MakeFolder(L"\\Windows");
    // A link to a folder outside the device is not offered.
    std::error_code ec;
    std::filesystem::create_directory_symlink(std::filesystem::temp_directory_path(),
                                              dev.HostRoot() / "Program Files" / "Tool" / "Out", ec);
    const std::wstring tool = L"\\Program Files\\Tool\\";
    struct Case {
        std::wstring folder;
        std::vector<std::wstring> patterns;
        unsigned mode;
        std::vector<std::wstring> names;
    } cases[] = {
        {tool, {L"*.exe"}, 0, {L"..", L"Data", L"Plugins", L"big.exe", L"tool.exe"}},
        // A file that two patterns match is listed once.
        {tool, {L"*.exe", L"*.*"}, 0, {L"..", L"Data", L"Plugins", L"big.exe", L"pic.bmp", L"readme.txt", L"tool.exe"}},
        {tool, {L"*.exe"}, SELFILE_FOLDERS_ONLY, {L"..", L"Data", L"Plugins"}},
        {tool, {L"*.exe"}, SELFILE_FILES_ONLY, {L"big.exe", L"tool.exe"}},
        {L"\\", {L"*.*"}, SELFILE_FOLDERS_ONLY, {L"Program Files", L"Windows"}},
        // A pattern may not reach the folder above.
        {tool, {L"..\\*.*"}, 0, {L"..", L"Data", L"Plugins"}},
        // A folder that cannot be searched lists as empty: ".." stays.
        {L"\\Missing\\", {L"*.*"}, 0, {L".."}},
        {tool + L"tool.exe\\", {L"*.*"}, 0, {L".."}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.names, Each(ListSelFolder(c.folder, c.patterns, c.mode), &SelFileEntry::name))
            << testing::PrintToString(c.folder) << " mode " << c.mode;

    const std::vector<SelFileEntry> files = ListSelFolder(tool, {L"big.exe"}, SELFILE_FILES_ONLY);
    ASSERT_EQ(1u, files.size());
    EXPECT_EQ(2048u, files[0].size);
    EXPECT_NE(0u, files[0].writeTime);
}

TEST(SelFileList, PathLevelsDownToTheFolderAndItsSubFolders)
{
    const std::vector<SelFileEntry> entries = {
        {true, -1, L"..", L"", false, 0, 0},
        {true, -1, L"c", L"", false, 0, 0},
        {false, -1, L"f.exe", L"", false, 0, 0},
        {true, -1, L"d", L"", false, 0, 0},
    };
    const std::vector<PathLevel> levels = PathLevels(L"\\a\\b\\", entries);
    EXPECT_EQ((std::vector<std::wstring>{L"\\", L"+-a\\", L"  +-b\\", L"    +-c\\", L"    +-d\\"}),
              Each(levels, &PathLevel::text));
    EXPECT_EQ((std::vector<std::wstring>{L"\\", L"\\a\\", L"\\a\\b\\", L"\\a\\b\\c\\", L"\\a\\b\\d\\"}),
              Each(levels, &PathLevel::folder));
    EXPECT_EQ(2, FolderDepth(L"\\a\\b\\"));
    EXPECT_EQ(0, FolderDepth(L"\\"));
    EXPECT_EQ(1u, PathLevels(L"\\", {}).size());
}
