#include "config/Setting.h"

#include "System.h"
#include "base/Format.h"
#include "base/Saturate.h"
#include "base/Scan.h"
#include "base/Strings.h"
#include "config/Folders.h"
#include "config/FontList.h"
#include "config/TextFile.h"
#include "FileSys.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

CSetting::CSetting(unsigned defMode, CDiagSink* sink) : m_pDiag(sink)
{
    m_Values.reserve(Set::Count);
    ResolveFolders(MemCards);
    LoadDefinitions(InstallDir + DefinitionFileName(), defMode, Set::Count, sink);
}

std::wstring CSetting::SettingFilePath() const { return InstallDir + kSettingFileName; }

void CSetting::ReadLine(const std::wstring& line, const CTextFile& file)
{
    const size_t eq = line.find(L'=');
    if (eq == std::wstring::npos || eq == 0) {
        file.Report(L"no KEY=VALUE, ignored");
        return;
    }
    std::wstring key, value;
    ScanW(line, L"%[^=]=%[^\n]", {&key, &value});
    if (key.size() > kSettingKeyMax) {
        file.Report(FormatW(L"key longer than %u characters, ignored", static_cast<unsigned>(kSettingKeyMax)));
        return;
    }
    if (value.size() > kSettingValueMax) {
        value.resize(kSettingValueMax);
        file.Report(FormatW(L"value longer than %u characters, cut", static_cast<unsigned>(kSettingValueMax)));
    }

    bool known = false;
    for (size_t i = 0; i < m_Defs.size() && i < m_Values.size(); ++i) {
        if (m_Defs[i].key != key)
            continue;
        SettingValue& v = m_Values[i];
        if (v.kind == SettingValue::Text)
            v.str = value;
        else
            v.num = Wtol(value);
        known = true;
        break;
    }
    if (key == L"Exclusion") {
        // Even an empty one: any exclusion line replaces the default.
        m_Exclusions.push_back(value);
        return;
    }
    if (key == L"QVL_ADDPATH") {
        // An empty folder would be the current one: a Save would write its
        // "Page.ini" there.
        if (value.empty())
            file.Report(L"empty QVL_ADDPATH, ignored");
        else
            AddPaths.push_back(value);
        return;
    }
    if (!known)
        file.Report(FormatW(L"unknown key '%s', ignored", key));
}

int CSetting::Load()
{
    // Both lists start over, so that a retried load cannot add the default
    // exclusion of a failed attempt to the exclusions of the file.
    AddPaths.clear();
    m_Exclusions.clear();
    int result = 1;
    const std::wstring path = SettingFilePath();
    if (FileExists(path)) {
        CTextFile file(m_pDiag);
        if (file.OpenRead(path)) {
            std::wstring line;
            while (file.ReadLine(line))
                ReadLine(line, file);
        } else {
            ReportTo(m_pDiag, path, 0, L"setting file cannot be opened");
            result = 0;
        }
    }
    if (m_Exclusions.empty())
        m_Exclusions.emplace_back(kDefaultExclusion);
    CheckFont();
    ApplyAutoScreenSize();
    m_nShortSide = GetNum(Set::ScreenSize);
    m_nSetting3 = GetNum(Set::RefSize);
    return result;
}

void CSetting::CheckFont()
{
    if (!IsText(Set::CaptionFont))
        return;
    CFontList& fonts = FontList();
    fonts.Ensure();
    if (fonts.Entries().empty())
        return;  // nothing installed to choose from: leave the value alone
    int size = 0;
    std::wstring face;
    ScanW(GetStr(Set::CaptionFont), L"%d;%[^\n]", {&size, &face});
    if (!fonts.Contains(face))
        SetStr(Set::CaptionFont, FormatW(L"%d;%s", size, fonts.DefaultFace()));
}

void CSetting::ApplyAutoScreenSize()
{
    m_bAutoScreenSize = !IsText(Set::ScreenSize) && GetNum(Set::ScreenSize) == -1;
    if (!m_bAutoScreenSize)
        return;
    SetNum(Set::ScreenSize, 480);
    ScreenRect desktop;
    if (GetDesktopRect(desktop))
        SetNum(Set::ScreenSize, std::min(std::abs(desktop.Width()), std::abs(desktop.Height())));
    const int height = GetNum(Set::ScreenSize) * 300 / 480;
    SetNum(Set::HeightPortrait, height);
    SetNum(Set::HeightLandscape, height);
}

int CSetting::Write() const
{
    CTextFile file;
    if (!file.BeginSave(SettingFilePath()))
        return 0;
    const size_t count = std::min(m_Defs.size(), m_Values.size());
    for (size_t i = 0; i < count; ++i) {
        const SettingValue& v = m_Values[i];
        if (v.kind == SettingValue::Text)
            file.WriteText(FormatW(L"%s=%s\r\n", m_Defs[i].key, v.str));
        else
            file.WriteText(FormatW(L"%s=%d\r\n", m_Defs[i].key, v.num));
    }
    for (const std::wstring& e : m_Exclusions)
        file.WriteText(FormatW(L"Exclusion=%s\r\n", e));
    // Without any exclusion line the reader puts the default back: an
    // emptied list is written as one empty exclusion, which no title matches.
    if (m_Exclusions.empty())
        file.WriteText(L"Exclusion=\r\n");
    for (const std::wstring& p : AddPaths)
        file.WriteText(FormatW(L"QVL_ADDPATH=%s\r\n", p));
    return file.CommitSave() ? 1 : 0;
}

int CSetting::Scale(int value) const
{
    if (m_nSetting3 <= 0)
        return value;
    const long long v = value, s = m_nShortSide, r = m_nSetting3;
    const long long scaled = v >= 0 ? (v * s + r - 1) / r : (v * s - r + 1) / r;
    return ClampInt(scaled);
}

int CSetting::AddExclusion(const std::wstring& title)
{
    if (std::find(m_Exclusions.begin(), m_Exclusions.end(), title) != m_Exclusions.end())
        return 0;
    m_Exclusions.push_back(title);
    return 1;
}

void CSetting::ClearStringLists()
{
    MemCards.clear();
    m_Exclusions.clear();
}
