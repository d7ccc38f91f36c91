// From the settings program to the Today screen: on the installation the
// emulator's Orvane.dll reads, the Apps tab adds an icon to Home whose
// program and picture are picked in the file chooser; after Save the item
// in the running emulator draws that picture in Home's free slot.
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "PluginRun.h"
#include "SettingsRun.h"
#include "Taps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const wchar_t kItemName[] = L"OrvEndToEndItem";
// Home's last slot, on the screen: the item starts below the 26-pixel
// title strip.
constexpr int kSlotX = 432, kSlotY = 250 + 26;
constexpr std::uint32_t kKey = 0xFF00FF, kYellow = 0xFFFF00;

// A 24-bit bitmap of one colour inside a frame of the key colour: an image
// without alpha is keyed on its corner pixel.
std::string FramedBmp(int size, std::uint32_t rgb, std::uint32_t key)
{
    const int stride = (size * 3 + 3) & ~3;
    const auto image = static_cast<std::uint32_t>(stride * size);
    std::string bmp(54 + image, '\0');
    const auto put = [&bmp](size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, 54 + image, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(size), 4);
    put(22, static_cast<std::uint32_t>(size), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, image, 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool frame = x < 2 || y < 2 || x >= size - 2 || y >= size - 2;
            put(54 + static_cast<size_t>(y * stride + x * 3), frame ? key : rgb, 3);  // B, G, R in the file
        }
    return bmp;
}

int ColourNear(const CShot& shot, int cx, int cy, std::uint32_t rgb)
{
    int n = 0;
    for (int y = std::max(0, cy - 32); y < std::min(shot.height, cy + 32); ++y)
        for (int x = std::max(0, cx - 32); x < std::min(shot.width, cx + 32); ++x)
            n += shot.At(x, y) == rgb;
    return n;
}

// A double tap on row of the icon editor's property list: its value editor
// opens; through "..." the chooser, where the entries are tapped in turn,
// the last one twice. The value editor's OK then takes the path.
bool PickThroughChooser(HWND app, int row, const std::vector<std::wstring>& entries)
{
    DoubleTapRow(::GetDlgItem(app, IDC_SETAPP_LIST), row);
    HWND editor = WaitForDialog(L"Setting");
    if (!editor)
        return false;
    PostCommand(editor, IDC_EDIT_BROWSE);
    HWND chooser = WaitForDialog(L"Select File");
    if (!chooser)
        return false;
    for (size_t i = 0; i < entries.size(); ++i)
        TapEntry(chooser, entries[i], i + 1 == entries.size());
    if (!WaitGone(chooser))
        return false;
    TapSoftKey(editor, 0);
    return WaitGone(editor);
}

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

}  // namespace

TEST(SettingsInEmulator, AnIconAddedThroughTheChooserIsDrawn)
{
    CPluginInstall install;
    ASSERT_TRUE(install.Ready()) << "the sample and Orvane.dll on the test drive T: (run through ctest)";
    // Home without its last icon, the link to the page of pages: a free slot.
    std::string pages = ReadAll(install.File(L"Page.ini"));
    const std::string last = "6,Pages,Pages,,\\\\Icon\\IconPage0.bmp,0,----;;\r\n";
    const size_t at = pages.find(last);
    ASSERT_NE(std::string::npos, at);
    pages.erase(at, last.size());
    ASSERT_TRUE(install.Write(L"Page.ini", pages));
    ASSERT_TRUE(install.Write(L"paint.exe", "MZ"));
    ASSERT_TRUE(install.Write(L"Yellow.bmp", FramedBmp(64, kYellow, kKey)));

    CTodayItemKey key(kItemName, install.Dll(), 1, 2);
    CTodayHostRun run(install.HostOptions(kItemName));
    ASSERT_TRUE(run.Started());
    const std::wstring folder = TestOutputFolder(L"settings-end-to-end");
    CShot before, after;
    ASSERT_TRUE(SelectedShot(run, kItemName, folder + L"\\before.png", before));

    SHInitExtraControls();
    bool worked = false;
    {
        CDlgMain main;
        ASSERT_TRUE(main.Create(nullptr));
        TapTab(main.Item(IDC_TAB), TAB_APP);
        HWND apps = main.CurrentPage()->Hwnd();
        CDriver driver([&] {
            HWND app = WaitForDialog(L"Application");
            // The program, then its picture (rows Name, Path, Option, Icon
            // file…); the second chooser opens where the first was left.
            worked = app && PickThroughChooser(app, 1, {L"Orvane", L"paint.exe"}) &&
                     PickThroughChooser(app, 3, {L"Yellow.bmp"});
            if (worked)
                TapSoftKey(app, 0);
        });
        // The Add button; its editor runs here, in this thread's loop.
        ClickButton(apps, IDC_APPS_ADD);
        driver.Join();
        ASSERT_TRUE(worked);
        ASSERT_TRUE(EndsWith(main, 0, L"Saved Setting.", 20000));
    }
    const std::string saved = ReadAll(install.File(L"Page.ini"));
    // The picture below the install folder is stored relative to it.
    const std::string line = "1,paint,\\Program Files\\Orvane\\paint.exe,,\\\\Yellow.bmp,";
    EXPECT_NE(std::string::npos, saved.find(line))
        << saved;
    ASSERT_TRUE(SelectedShot(run, kItemName, folder + L"\\after.png", after));
    EXPECT_EQ("ok quit", run.Command("quit"));
    EXPECT_EQ(0u, run.Finish());
    EXPECT_EQ(0, ColourNear(before, kSlotX, kSlotY, kYellow));
    EXPECT_LT(1000, ColourNear(after, kSlotX, kSlotY, kYellow)) << "the picture fills most of its 64 x 64 slot";
    EXPECT_EQ(0, ColourNear(after, kSlotX, kSlotY, kKey)) << "its frame is keyed out";
}
