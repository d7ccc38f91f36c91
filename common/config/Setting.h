// The setting object: the 49 settings of "Orvane.ini" against their
// definitions, the exclusion list, and the scaling of reference pixels.
#pragma once

#include "config/SettingIndex.h"
#include "config/SettingTable.h"

#include <string>
#include <vector>

// Field limits of the setting file.
inline constexpr size_t kSettingKeyMax = 49;
inline constexpr size_t kSettingValueMax = 259;

inline constexpr wchar_t kSettingFileName[] = L"Orvane.ini";
inline constexpr wchar_t kDefaultExclusion[] = L"DuraruZur";

class CSetting : public CSettingTable {
public:
    // Resolves the folders, then reads InstallDir + DefinitionFileName():
    // keys, kinds and defaults (DEFS_KEYS, the plug-in) or every field
    // (DEFS_FULL, the settings program).
    explicit CSetting(unsigned defMode = DEFS_KEYS, CDiagSink* sink = nullptr);

    // Reads "Orvane.ini" from InstallDir over the defaults. 1 on success
    // (also when the file does not exist), 0 when it exists but cannot be
    // opened.
    int Load();
    // Writes "Orvane.ini" through a save: 1 when the new file is complete
    // and in place, 0 with the old file untouched otherwise.
    int Write() const;

    // Reference pixels (setting 3) to screen pixels (setting 4), rounding
    // away from zero. A reference size of 0 or less means no scaling.
    int Scale(int value) const;
    // Appends the title unless the list holds it already; 1 when appended.
    int AddExclusion(const std::wstring& title);
    // Empties the card and exclusion lists (the engine, before deletion).
    void ClearStringLists();

    std::wstring SettingFilePath() const;
    void SetDiagSink(CDiagSink* sink) { m_pDiag = sink; }

    std::vector<std::wstring> MemCards;
    std::vector<std::wstring> m_Exclusions;
    int m_nShortSide = 0;  // setting 4 after loading
    bool m_bAutoScreenSize = false;  // setting 4 was -1 and was taken from the screen
    int m_nSetting3 = 0;   // setting 3 after loading

private:
    void ReadLine(const std::wstring& line, const class CTextFile& file);
    void CheckFont();
    void ApplyAutoScreenSize();

    CDiagSink* m_pDiag = nullptr;
};
