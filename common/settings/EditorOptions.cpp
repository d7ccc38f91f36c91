#include "settings/EditorOptions.h"

#include "base/Format.h"
#include "base/Scan.h"
#include "base/Strings.h"
#include "config/Setting.h"

#include <algorithm>

IntOptions ParseIntOptions(const std::wstring& params)
{
    IntOptions o;
    int min = 0, max = 0, step = 1, fastStep = 1;
    const int got = ScanW(params, L"%d;%d;%d;%d", {&min, &max, &step, &fastStep});
    if (got >= 2) {
        o.min = std::min(min, max);
        o.max = std::max(min, max);
    }
    o.step = got >= 3 && step > 0 ? step : 1;
    o.fastStep = got >= 4 && fastStep > 0 ? fastStep : o.step;
    return o;
}

int ParseTextLimit(const std::wstring& params)
{
    const int limit = Wtol(params);
    const int longest = static_cast<int>(kSettingValueMax);
    return limit > 0 && limit < longest ? limit : longest;
}

int PreselectChoice(const std::vector<SettingChoice>& choices, int number)
{
    for (size_t i = choices.size(); i-- > 0;)
        if (choices[i].value == number)
            return static_cast<int>(i);
    return choices.empty() ? -1 : 0;
}

int PreselectChoice(const std::vector<SettingChoice>& choices, const std::wstring& label)
{
    for (size_t i = choices.size(); i-- > 0;)
        if (choices[i].caption == label)
            return static_cast<int>(i);
    return choices.empty() ? -1 : 0;
}

namespace {

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos)
            return parts;
        start = end + 1;
    }
}

}  // namespace

FileOptions ParseFileOptions(const std::wstring& params)
{
    FileOptions o;
    const std::vector<std::wstring> fields = Split(params, L':');
    o.startFolder = fields[0];
    for (size_t i = 1; i + 1 < fields.size(); i += 2) {
        FileFilter f{fields[i], {}};
        for (const std::wstring& p : Split(fields[i + 1], L';'))
            if (!p.empty())
                f.patterns.push_back(p);
        if (!f.patterns.empty())
            o.filters.push_back(std::move(f));
    }
    return o;
}

FontOptions ParseFontOptions(const std::wstring& params)
{
    FontOptions o;
    std::wstring kind;
    int min = 0, max = 0;
    const int got = ScanW(params, L"%[^;];%d;%d", {&kind, &min, &max});
    o.pitch = kind == L"F" ? FontPitch::Fixed : kind == L"P" ? FontPitch::Proportional : FontPitch::Any;
    if (got >= 3) {
        o.min = std::max(0, std::min(min, max));
        o.max = std::max(o.min, std::max(min, max));
    }
    return o;
}

IntOptions FontSizeRange(const FontOptions& options, int pixelsPerInch)
{
    const int scale = std::max(1, pixelsPerInch / 96);
    IntOptions range;
    range.min = options.min / scale;
    range.max = options.max;
    range.step = 5;
    range.fastStep = 10;
    return range;
}

FontValue ParseFontValue(const std::wstring& value)
{
    FontValue f;
    ScanW(value, L"%d;%[^\n]", {&f.size, &f.face});
    return f;
}

std::wstring FormatFontValue(const FontValue& value) { return FormatW(L"%d;%s", value.size, value.face); }

std::optional<int> ParseIntField(const std::wstring& text)
{
    const std::wstring t = TrimW(text);
    size_t i = (!t.empty() && (t[0] == L'-' || t[0] == L'+')) ? 1 : 0;
    if (i >= t.size())
        return std::nullopt;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < L'0' || t[i] > L'9')
            return std::nullopt;
        v = v * 10 + (t[i] - L'0');
        if (v > 1LL + INT_MAX)
            return std::nullopt;
    }
    if (t[0] == L'-')
        v = -v;
    if (v < INT_MIN || v > INT_MAX)
        return std::nullopt;
    return static_cast<int>(v);
}

std::wstring RangeMessage(const IntOptions& range) { return FormatW(L"Range %d - %d", range.min, range.max); }

std::vector<SettingChoice> StartPageChoices(const std::wstring& lastViewed, const std::vector<std::wstring>& pages)
{
    std::vector<SettingChoice> choices{{0, lastViewed}};
    for (const std::wstring& name : pages)
        choices.push_back({0, name});
    return choices;
}

std::wstring LedRangeParams(int ledCount) { return FormatW(L"0;%d;1;1", ledCount); }
