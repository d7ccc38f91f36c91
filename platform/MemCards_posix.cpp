#include "MemCards.h"

std::vector<std::wstring> DeclaredMemCards();

std::vector<std::wstring> EnumFlashCardNames() { return DeclaredMemCards(); }
