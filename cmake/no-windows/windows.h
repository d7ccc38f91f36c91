#error "A portable file includes <windows.h>: move the Windows part into a _win file or behind platform/."
