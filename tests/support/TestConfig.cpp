#include "TestConfig.h"

#include "config/Folders.h"
#include "config/SettingIndex.h"

std::string NumberDefinitions(const std::map<int, int>& values, int fallback)
{
    std::string text;
    for (int i = 0; i < Set::Count; ++i) {
        const auto it = values.find(i);
        text += "S" + std::to_string(i) + "=0," + std::to_string(it == values.end() ? fallback : it->second) +
                ",L,INT,-9999;9999;1;1,H\r\n";
    }
    return text;
}

void WriteDefinitions(const CDeviceSandbox& dev, const std::string& text)
{
    const std::wstring folder = std::wstring(kInstallFolder) + L"\\";
    dev.WriteFile(folder + L"OrvaneSetInfoEng.ini", text);
    dev.WriteFile(folder + L"OrvaneSetInfo.ini", text);
}

std::wstring Reasons(const CDiagList& diags)
{
    std::wstring all;
    for (const Diagnostic& d : diags.Items())
        all += std::to_wstring(d.line) + L": " + d.reason + L"\n";
    return all;
}
