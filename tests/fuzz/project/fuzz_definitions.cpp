// Any definition file, in both parser modes: fields stay within their limits
// and no more than the asked number of definitions is read.
#include "FuzzDevice.h"
#include "config/SettingTable.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WriteFuzzFile(L"\\d.ini", data, size);
    for (unsigned mode : {unsigned(DEFS_KEYS), unsigned(DEFS_FULL)}) {
        CDiagList diags;
        CSettingTable table;
        table.LoadDefinitions(L"\\d.ini", mode, 49, &diags);
        if (table.m_Defs.size() > 49 || table.m_Values.size() != table.m_Defs.size())
            std::abort();
        for (const SettingDef& d : table.m_Defs)
            if (d.key.size() > kDefKeyMax || d.label.size() > kDefLabelMax || d.params.size() > kDefParamsMax ||
                d.help.size() > kDefHelpMax)
                std::abort();
        for (int i = 0; i < table.Count(); ++i)
            table.GetText(i);
    }
    return 0;
}
