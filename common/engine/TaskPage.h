// The task page's own arrangement: the occupied task slots gather in a
// block in the bottom-right corner of the item, shrunk when wider than it,
// the page's regular icons right-aligned just above the block, and the
// empty task slots out of sight. Every layout starts from the sheet's slots
// as they were first seen, never from an earlier layout's result.
#pragma once

#include "System.h"
#include "config/IconEntry.h"
#include "config/Sheet.h"

#include <cstdint>
#include <utility>
#include <vector>

struct TaskPageLayout {
    // The slots of the sheet as first seen.
    std::vector<std::pair<std::int32_t, std::int32_t>> savedPositions;
    std::vector<std::int32_t> savedSizes;
    std::int32_t lastWidth = -1;  // the width of the task block last laid out
    // The sheet the saved slots belong to: the other orientation's sheet
    // gets its own, and this one its slots back.
    SheetDef* sheet = nullptr;
};

// Puts the sheet's slots back where they were first seen and forgets them.
void RestoreTaskSheet(TaskPageLayout& saved);
// Forgets them without touching the sheet (which is about to go).
void ForgetTaskSheet(TaskPageLayout& saved);

// Lays out the task page's entries on its sheet for the item's client
// rectangle; s64 is the screen size of a 64-pixel reference icon. Returns
// true when a slot moved or changed its size (the background must be
// rebuilt). Nothing is laid out while the item has no width.
bool LayOutTaskPage(TaskPageLayout& saved, IconList& page, SheetDef& sheet, const std::vector<SheetFrame>& frames,
                    int s64, const ScreenRect& client);
