// How many GDI objects the process holds, for leak checks.
#pragma once

// GetGuiResources(GR_GDIOBJECTS) where the system answers it. Wine 8 always
// answers 0, so there the used entries of the process's GDI handle table are
// counted instead (Wine keeps one table per process; it holds stock objects
// too, which never change in number).
unsigned long GdiObjectCount();
