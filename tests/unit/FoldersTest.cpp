// Choosing the installation, sibling and environment folders.
#include "DeviceSandbox.h"
#include "FileSys.h"
#include "MemCards.h"
#include "System.h"
#include "config/Folders.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kCardA = L"Storage Card";
const std::wstring kCardB = L"SD Card";

std::wstring OnCard(const std::wstring& card, const wchar_t* folder) { return L"\\" + card + folder; }

}  // namespace

TEST(Folders, MainMemoryWithoutCards)
{
    CDeviceSandbox dev;
    std::vector<std::wstring> cards = {L"stale"};
    AddPaths = {L"\\x\\"};
    ResolveFolders(cards);
    EXPECT_TRUE(cards.empty());
    EXPECT_TRUE(AddPaths.empty());
    // Nothing is installed anywhere: main memory all the same, one backslash.
    EXPECT_EQ(L"\\Program Files\\Orvane\\", InstallDir);
    EXPECT_EQ(L"", SiblingDir);
}

TEST(Folders, FirstCompleteCardWins)
{
    CDeviceSandbox dev;
    DeclareMemCards({L"", kCardA, kCardB});  // an empty name is skipped
    dev.MakeInstallation(kInstallFolder);
    dev.MakeInstallation(OnCard(kCardA, kInstallFolder));
    dev.MakeInstallation(OnCard(kCardB, kInstallFolder));
    std::vector<std::wstring> cards;
    ResolveFolders(cards);
    EXPECT_EQ((std::vector<std::wstring>{kCardA, kCardB}), cards);
    EXPECT_EQ(L"\\Storage Card\\Program Files\\Orvane\\", InstallDir);
}

TEST(Folders, IncompleteCardDoesNotOverrideMainMemory)
{
    CDeviceSandbox dev;
    DeclareMemCards({kCardA});
    dev.MakeInstallation(kInstallFolder);
    // Motion.ini and Sheet.ini only: no installation, though an environment.
    dev.WriteFile(OnCard(kCardA, kInstallFolder) + L"\\Motion.ini", "");
    dev.WriteFile(OnCard(kCardA, kInstallFolder) + L"\\Sheet.ini", "");
    std::vector<std::wstring> cards;
    ResolveFolders(cards);
    EXPECT_EQ(L"\\Program Files\\Orvane\\", InstallDir);
    EXPECT_FALSE(IsCompleteFolder(OnCard(kCardA, kInstallFolder), true));
    EXPECT_TRUE(IsCompleteFolder(OnCard(kCardA, kInstallFolder) + L"\\", false));
}

TEST(Folders, SiblingProductFolder)
{
    CDeviceSandbox dev;
    DeclareMemCards({kCardA});
    std::vector<std::wstring> cards;
    dev.MakeInstallation(kSiblingFolder);
    ResolveFolders(cards);
    EXPECT_EQ(L"\\Program Files\\Tarlise\\", SiblingDir);
    EXPECT_EQ(SiblingDir, MainFolder(1));
    EXPECT_EQ(InstallDir, MainFolder(0));
    dev.MakeInstallation(OnCard(kCardA, kSiblingFolder));
    ResolveFolders(cards);
    EXPECT_EQ(L"\\Storage Card\\Program Files\\Tarlise\\", SiblingDir);
    SiblingDir.clear();
    EXPECT_EQ(InstallDir, MainFolder(1));  // no sibling: setting 1 has no effect
}

TEST(Folders, EnvironmentsOnMainMemoryAndCards)
{
    CDeviceSandbox dev;
    DeclareMemCards({kCardA});
    auto makeEnv = [&](const std::wstring& folder) {
        dev.WriteFile(folder + L"\\Motion.ini", "");
        dev.WriteFile(folder + L"\\Sheet.ini", "");
    };
    makeEnv(L"\\Program Files\\QVL\\QVLHome");
    makeEnv(L"\\Program Files\\QVL\\qvlLower");          // the pattern ignores case
    makeEnv(L"\\Program Files\\QVL\\Other");             // does not match QVL*
    dev.WriteFile(L"\\Program Files\\QVL\\QVLFile", ""); // a plain file is no environment
    dev.WriteFile(L"\\Program Files\\QVL\\QVLHalf\\Motion.ini", "");  // incomplete
    makeEnv(OnCard(kCardA, L"\\Program Files\\QVL\\QVLCard"));

    std::vector<std::wstring> cards;
    ResolveFolders(cards);
    std::vector<Environment> envs = EnumEnvironments(cards);
    ASSERT_EQ(3u, envs.size());
    EXPECT_EQ(L"\\Program Files\\QVL\\QVLHome\\", envs[0].folder);
    EXPECT_EQ(L"QVLHome", envs[0].name);
    EXPECT_EQ(L"qvlLower", envs[1].name);
    EXPECT_EQ(L"\\Storage Card\\Program Files\\QVL\\QVLCard\\", envs[2].folder);
    EXPECT_EQ(L"QVLCard  [MemCard]", envs[2].name);
}

TEST(Folders, HiddenEnvironmentFolderIsNotOffered)
{
    CDeviceSandbox dev;
    for (const wchar_t* name : {L"QVLShown", L"QVLHidden"}) {
        const std::wstring folder = std::wstring(L"\\Program Files\\QVL\\") + name;
        dev.WriteFile(folder + L"\\Motion.ini", "");
        dev.WriteFile(folder + L"\\Sheet.ini", "");
    }
    // The attribute word must be exactly "directory": hidden adds a bit.
    dev.SetHidden(L"\\Program Files\\QVL\\QVLHidden");
    std::vector<std::wstring> cards;
    std::vector<Environment> envs = EnumEnvironments(cards);
    ASSERT_EQ(1u, envs.size());
    EXPECT_EQ(L"QVLShown", envs[0].name);
}

TEST(Folders, DefinitionFileFollowsTheLanguage)
{
    struct Case {
        int mode;
        std::uint16_t uiLanguage;
        bool japanese;
    } cases[] = {
        {1, 0x0409, true}, {2, 0x0411, false}, {7, 0x0411, false}, {0, 0x0411, true}, {0, 0x0409, false},
    };
    const std::uint16_t system = SystemUILanguage();
    for (const Case& c : cases) {
        SetStandInUILanguage(c.uiLanguage);
        if (SystemUILanguage() != c.uiLanguage && c.mode == 0)
            continue;  // Windows answers with its own language
        LanguageMode = c.mode;
        EXPECT_EQ(c.japanese, IsJapanese()) << c.mode;
        EXPECT_EQ(c.japanese ? L"OrvaneSetInfo.ini" : L"OrvaneSetInfoEng.ini", DefinitionFileName());
        EXPECT_EQ(c.japanese ? L"AppSetInfo.ini" : L"AppSetInfoEng.ini", AppDefinitionFileName());
    }
    SetStandInUILanguage(system);
    LanguageMode = 0;
}
