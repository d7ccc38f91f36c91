// Whether two icon entries hold the same nine stored fields (the text form).
#pragma once

#include "config/IconEntry.h"

inline bool SameStoredFields(const IconEntry& a, const IconEntry& b)
{
    return a.nAppType == b.nAppType && a.RegMode == b.RegMode && a.RegRoot == b.RegRoot && a.Name == b.Name &&
           a.Path == b.Path && a.Args == b.Args && a.IconFile == b.IconFile && a.RegKey == b.RegKey &&
           a.RegValue == b.RegValue;
}
