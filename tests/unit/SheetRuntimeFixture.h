// A setting object, the built-in motions and a sheet object in a private
// device, for the tests of the sheet runtime and the scroll step. Screen and
// reference size are equal, so file values are screen pixels.
#pragma once

#include "DeviceSandbox.h"
#include "TestConfig.h"
#include "config/IconEntry.h"
#include "config/Motion.h"
#include "config/Setting.h"
#include "config/SettingIndex.h"
#include "config/Sheet.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class SheetRuntimeFixture : public ::testing::Test {
protected:
    // The given settings over the defaults; unnamed ones are 0.
    void UseSettings(std::map<int, int> values)
    {
        for (const auto& [index, value] : Defaults())
            values.emplace(index, value);
        WriteDefinitions(dev, NumberDefinitions(values, 0));
        sheets.reset();
        setting = std::make_unique<CSetting>();
        setting->Load();
        motions = CMotionTable();
        motions.InitDefaultMotions();
        sheets = std::make_unique<CSheet>(*setting, motions);
        sheets->m_Area = {480, 300};
    }
    virtual std::map<int, int> Defaults() const
    {
        return {{Set::RefSize, 480}, {Set::ScreenSize, 480}, {Set::FramePeriod, 40}, {Set::ZoomFactor, 13},
                {Set::ZoomTime, 200}};
    }

    // Defines sheet "S_T" from slot lines ("x,y,delay in,delay out,in,out,frame,size").
    void LoadSheet(const std::string& slotLines)
    {
        dev.WriteFile(L"\\Sheet.ini", "[SHEET_DEF]\r\n[S_T]\r\n" + slotLines);
        ASSERT_EQ(1, sheets->LoadSheetFile(L"\\Sheet.ini", SHEET_NORMAL));
        ASSERT_NE(nullptr, sheets->FindSheet(L"S_T"));
    }
    // One slot line per x, all on row y, of the given size.
    static std::string Row(const std::vector<int>& xs, int y, int size)
    {
        std::string lines;
        for (int x : xs)
            lines += std::to_string(x) + "," + std::to_string(y) + ",0,0,DMOV_IN,DMOV_OUT,F_DEF," +
                     std::to_string(size) + "\r\n";
        return lines;
    }
    static IconList Page(const std::vector<int>& types)
    {
        IconList page;
        for (int type : types) {
            IconEntry& e = page.entries.emplace_back();
            e.nAppType = static_cast<std::uint16_t>(type);
        }
        return page;
    }
    static IconList Programs(int count) { return Page(std::vector<int>(static_cast<size_t>(count), APP_PROGRAM)); }

    IconEntry& Entry(int layer, int icon) { return *sheets->Icon({icon, layer}); }
    std::vector<int> ZoomStates(int layer)
    {
        std::vector<int> states;
        for (const IconEntry& e : sheets->m_Layers[layer].icons->entries)
            states.push_back(e.zoomState);
        return states;
    }
    // Layer 1 as the engine fills it while pages switch.
    void ShowOld(const wchar_t* sheetName, IconList& page)
    {
        SheetLayer& old = sheets->m_Layers[1];
        old.sheet = sheets->FindSheet(sheetName);
        old.icons = &page;
        old.slotCount = static_cast<int>(old.sheet->slots.size());
        old.iconCount = static_cast<int>(page.entries.size());
        old.overflow = old.slotCount < old.iconCount;
    }

    CDeviceSandbox dev;
    std::unique_ptr<CSetting> setting;
    CMotionTable motions;
    std::unique_ptr<CSheet> sheets;
};
