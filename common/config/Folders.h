// Where the configuration lives: memory cards, the installation folder, the
// sibling product's folder, extra content folders and environments, and the
// language that picks a definition file.
#pragma once

#include <string>
#include <vector>

// Program-wide folder and language values, one copy per process.
extern std::wstring InstallDir;            // active installation folder, ends in '\'
extern std::wstring SiblingDir;            // sibling product's folder with '\', or empty
extern std::vector<std::wstring> AddPaths; // extra content folders, each ending in '\'
extern int LanguageMode;                   // 0 automatic, 1 Japanese, other English

inline constexpr wchar_t kInstallFolder[] = L"\\Program Files\\Orvane";
inline constexpr wchar_t kSiblingFolder[] = L"\\Program Files\\Tarlise";
inline constexpr wchar_t kEnvironmentFolder[] = L"\\Program Files\\QVL";

// Appends the memory cards' folder names when the list is empty.
void EnumMemCards(std::vector<std::wstring>& cards);
// True when the folder holds the files of an installation: with full set
// "Motion.ini", "Sheet.ini", "OrvaneSet.exe" and both definition files;
// otherwise only the first two.
bool IsCompleteFolder(const std::wstring& folder, bool bFull);
// Empties AddPaths and the card list, enumerates the cards and chooses
// InstallDir and SiblingDir.
void ResolveFolders(std::vector<std::wstring>& memCards);

// The effective language is Japanese: LanguageMode 1, or 0 on a system whose
// user-interface language is 1041.
bool IsJapanese();
std::wstring DefinitionFileName();     // "OrvaneSetInfo.ini" / "OrvaneSetInfoEng.ini"
std::wstring AppDefinitionFileName();  // "AppSetInfo.ini" / "AppSetInfoEng.ini"

// The folder of "Motion.ini", "Sheet.ini" and "Page.ini": SiblingDir when
// useSiblingFiles is non-zero and SiblingDir is known, else InstallDir.
std::wstring MainFolder(int useSiblingFiles);

struct Environment {
    std::wstring folder;  // with its trailing backslash
    std::wstring name;    // as the environment list shows it
};

// The environment folders "QVL*" under "\Program Files\QVL" of main memory
// and then of each card, in that order.
std::vector<Environment> EnumEnvironments(const std::vector<std::wstring>& memCards);
