// Storage-card enumeration.
//
// On the device, the note project library "Note_prj.dll" enumerates the cards
// through its ordinals 7 (find first) and 8 (find next). The names it returns
// are passed on unfiltered, empty ones included; the caller skips those.
//
// Where that library is absent (every PC) the stand-in lists the declared
// cards: DeclareMemCards() in the same process, or else the environment
// variable ORVANE_MEMCARDS with the card folder names separated by ';', in
// enumeration order ("Storage Card;SD Card"). A declared card is a folder in
// the device root (SetDeviceRoot), as on the device. Nothing declared: no card.
#pragma once

#include <string>
#include <vector>

std::vector<std::wstring> EnumFlashCardNames();

void DeclareMemCards(const std::vector<std::wstring>& names);
void ForgetDeclaredMemCards();
