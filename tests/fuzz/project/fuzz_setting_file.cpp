// Any "Orvane.ini" over the shipped definitions: loading and writing back
// never crash, values stay within the format's limits.
#include "FuzzDevice.h"
#include "config/Folders.h"
#include "config/FontList.h"
#include "config/Setting.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kDefinitions[] =
    "SettingA=0,1,A,INT,0;9;1;1,Help\r\n"
    "RefSize=0,480,R,INT,1;2000;1;10,Help\r\n"
    "Language=0,0,L,CMB,0:Auto;1:Japanese;2:English,Help\r\n"
    "RefSize2=0,480,R,INT,1;2000;1;10,Help\r\n"
    "ScreenSize=0,-1,S,INT,-1;2000;1;10,Help\r\n"
    "Text5=1,abc,T,STR,63,Help\r\n"
    "Num6=0,10,N,INT,0;9;1;1,Help\r\n"
    "FirstPage=1,,P,CST,,Help\r\n"
    "CaptionFont=1,90;Tahoma,F,FONT,P;60;240,Help\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool once = [] {
        FontList().Fill({{L"Tahoma", 0x22}, {L"Courier New", 0x31}});
        return true;
    }();
    (void)once;
    WriteFuzzFile(L"\\Program Files\\Orvane\\OrvaneSetInfoEng.ini",
                  reinterpret_cast<const std::uint8_t*>(kDefinitions), sizeof(kDefinitions) - 1);
    WriteFuzzFile(L"\\Program Files\\Orvane\\Orvane.ini", data, size);
    CSetting setting(DEFS_FULL);
    setting.Load();
    for (int i = 0; i < setting.Count(); ++i)
        if (setting.GetStr(i).size() > kSettingValueMax + 40)  // a rewritten font value may add a face
            std::abort();
    for (const std::wstring& path : AddPaths)
        if (path.size() > kSettingValueMax)
            std::abort();
    setting.Scale(setting.GetNum(3));
    // What was read is what a Save writes and the next start reads.
    const std::vector<std::wstring> paths = AddPaths;
    if (!setting.Write())
        std::abort();
    CSetting again(DEFS_FULL);
    again.Load();
    if (again.m_Exclusions != setting.m_Exclusions || AddPaths != paths)
        std::abort();
    for (int i = 0; i < setting.Count(); ++i)
        if (again.GetStr(i) != setting.GetStr(i) || again.GetNum(i) != setting.GetNum(i))
            std::abort();
    return 0;
}
