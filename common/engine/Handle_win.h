// An owner of one handle of the system that a function frees: a menu, an
// icon, a process. Copying is disabled; the handle goes with the owner.
#pragma once

#include <windows.h>

template <class T, BOOL(WINAPI* Free)(T)>
class CSysHandle {
public:
    explicit CSysHandle(T handle) : m_h(handle) {}
    ~CSysHandle()
    {
        if (m_h)
            Free(m_h);
    }
    CSysHandle(const CSysHandle&) = delete;
    CSysHandle& operator=(const CSysHandle&) = delete;
    T Get() const { return m_h; }

private:
    T m_h;
};

using CMenuHandle = CSysHandle<HMENU, ::DestroyMenu>;
using CIconHandle = CSysHandle<HICON, ::DestroyIcon>;
using CProcessHandle = CSysHandle<HANDLE, ::CloseHandle>;
