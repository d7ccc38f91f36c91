// How many GDI objects the process holds, for leak checks.
#pragma once

#include <windows.h>

#include <array>

// GetGuiResources(GR_GDIOBJECTS) where the system answers it. Wine 8 always
// answers 0, so there the used entries of the process's GDI handle table are
// counted instead (Wine keeps one table per process; it holds stock objects
// too, which never change in number).
unsigned long GdiObjectCount();

// The same for any process (opened for PROCESS_QUERY_INFORMATION and
// PROCESS_VM_READ), whose table is read from its memory: the Today emulator's,
// which holds the plug-in. 0 when it cannot be read.
unsigned long GdiObjectCount(HANDLE process);

// The same, by the table's type byte (Wine's: 1 DC, 4 region, 5 bitmap,
// 8 palette, 10 font, 16 brush, 48 pen, ...): used entries of each type.
std::array<unsigned long, 256> GdiObjectTypes(HANDLE process);
