#include "MemCards.h"

#include <windows.h>

std::vector<std::wstring> DeclaredMemCards();

namespace {

using FindFirstFlashCardFn = HANDLE(WINAPI*)(WIN32_FIND_DATAW*);
using FindNextFlashCardFn = BOOL(WINAPI*)(HANDLE, WIN32_FIND_DATAW*);

// The device's own enumeration; false when the library is not there.
bool EnumWithNoteLibrary(std::vector<std::wstring>& names)
{
    HMODULE lib = ::LoadLibraryW(L"Note_prj.dll");
    if (!lib)
        return false;
    auto findFirst = reinterpret_cast<FindFirstFlashCardFn>(
        reinterpret_cast<void*>(::GetProcAddress(lib, MAKEINTRESOURCEA(7))));
    auto findNext = reinterpret_cast<FindNextFlashCardFn>(
        reinterpret_cast<void*>(::GetProcAddress(lib, MAKEINTRESOURCEA(8))));
    if (findFirst && findNext) {
        WIN32_FIND_DATAW fd = {};
        HANDLE h = findFirst(&fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                names.emplace_back(fd.cFileName);
                fd = {};
            } while (findNext(h, &fd));
            ::FindClose(h);
        }
    }
    ::FreeLibrary(lib);
    return true;
}

}  // namespace

std::vector<std::wstring> EnumFlashCardNames()
{
    std::vector<std::wstring> names;
    if (EnumWithNoteLibrary(names))
        return names;
    return DeclaredMemCards();
}
