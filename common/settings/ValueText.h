// How the settings program shows a setting's value: the text of a row in
// the setting list, the colour field's six digits and the colour of text
// drawn on a colour.
#pragma once

#include "config/SettingTable.h"

#include <cstdint>
#include <string>

// The "Value" cell: a text value as it is; a number by the definition's
// editor: a CMB option's label (the bare number when no option has it), a
// colour as "%06X" of the stored number (blue first), anything else "%d".
std::wstring ListValueText(const SettingDef* def, const SettingValue& value);

// White text reads on the colour (red in the low byte) when its weighted
// brightness (2 red + 4 green + blue) / 7 is below 128; black otherwise.
bool WantsWhiteText(std::uint32_t colour);
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;
inline std::uint32_t TextColourOn(std::uint32_t colour) { return WantsWhiteText(colour) ? kWhite : kBlack; }

// The colour field's text: red, green, blue as "%02X%02X%02X".
std::wstring ColorFieldText(std::uint32_t colour);
// Exactly six hexadecimal digits, red first, make a colour; anything else
// is refused (the field then shows its colour again).
bool ParseColorField(const std::wstring& text, std::uint32_t& colour);
