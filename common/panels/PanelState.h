// What the panels share: the clock they show, the date the calendar counts
// from, the kind of each panel entry, and the check on the task timer's tick
// that decides when they are drawn again.
#pragma once

#include "config/IconEntry.h"
#include "panels/PanelTime.h"

#include <functional>
#include <string>

class CSheet;

enum class PanelKind { Calendar, Clock, DateText };
// By the entry's Path: "CAL", "ACLOCK", any other text a time format.
PanelKind PanelKindOf(const IconEntry& entry);

struct PanelState {
    int refreshInterval = 1;  // seconds between two draws of a panel
    PanelTime now;            // renewed on each refresh check
    PanelTime loadDate;       // when the configuration was last loaded
    PanelTime shown;          // the now that the panels were last drawn with
};

// Every icon of layers 0 and 1 that stands in a visible slot (margin 0).
void ForEachVisibleIcon(const CSheet& sheet, const std::function<void(IconEntry&)>& fn);
bool AnyVisiblePanel(const CSheet& sheet);
// The panels must be drawn again: their clock has moved on by at least the
// refresh interval in whole seconds since they were drawn, or has gone back.
// Whole seconds of the clock rather than milliseconds since the last draw:
// a 100 ms tick would otherwise find 999 ms after a draw one tick too
// early, and a clock drawn every 1.1 s skips a second now and then.
bool PanelsDue(const PanelState& state);
