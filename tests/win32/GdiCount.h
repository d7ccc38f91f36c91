// How many GDI objects the process holds, for leak checks.
#pragma once

#include <windows.h>

// GetGuiResources(GR_GDIOBJECTS) where the system answers it. Wine 8 always
// answers 0, so there the used entries of the process's GDI handle table are
// counted instead (Wine keeps one table per process; it holds stock objects
// too, which never change in number).
unsigned long GdiObjectCount();

// The same for any process (opened for PROCESS_QUERY_INFORMATION and
// PROCESS_VM_READ), whose table is read from its memory: the Today emulator's,
// which holds the plug-in. 0 when it cannot be read.
unsigned long GdiObjectCount(HANDLE process);
