// Save reaches the plug-in: the settings program, on the installation the
// emulator's Orvane.dll reads, saves another caption colour and frame
// blend, and the item in the running emulator draws with them.
#include "MenuBar_win.h"
#include "PluginRun.h"
#include "SettingsRun.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kItemName[] = L"OrvSettingsItem";

// Pixels of a pure, bright red: the caption colour the test saves.
int RedPixels(const CShot& shot)
{
    int n = 0;
    for (std::uint32_t px : shot.px)
        n += ((px >> 16) & 0xFF) > 200 && ((px >> 8) & 0xFF) < 40 && (px & 0xFF) < 40;
    return n;
}

}  // namespace

TEST(SettingsInEmulator, SaveReloadsThePlugin)
{
    CPluginInstall install;
    ASSERT_TRUE(install.Ready()) << "the sample and Orvane.dll on the test drive T: (run through ctest)";
    CTodayItemKey key(kItemName, install.Dll(), 1, 2);
    CTodayHostRun run(install.HostOptions(kItemName));
    ASSERT_TRUE(run.Started());
    const std::wstring folder = TestOutputFolder(L"settings");
    CShot before, after;
    ASSERT_TRUE(SelectedShot(run, kItemName, folder + L"\\before.png", before));

    SHInitExtraControls();
    {
        // On the emulated device: its screen, and its files on the current drive.
        CDlgMain main;
        ASSERT_TRUE(main.Create(nullptr));
        RECT rc;
        ::GetWindowRect(main.Hwnd(), &rc);
        EXPECT_EQ(480, rc.right - rc.left);
        EXPECT_EQ(640, rc.bottom - rc.top);
        main.Setting()->SetNum(Set::CaptionColor, 0x0000FF);
        main.Setting()->SetNum(Set::FrameBlend, 0);
        ASSERT_TRUE(EndsWith(main, 0, L"Saved Setting.", 20000));
    }
    ASSERT_TRUE(SelectedShot(run, kItemName, folder + L"\\after.png", after));
    EXPECT_EQ("ok quit", run.Command("quit"));
    EXPECT_EQ(0u, run.Finish());
    // The captions turned red: from next to none to hundreds of pixels.
    EXPECT_LT(RedPixels(before) * 4 + 100, RedPixels(after)) << RedPixels(before) << " " << RedPixels(after);
    EXPECT_NE(before.px, after.px);
}
