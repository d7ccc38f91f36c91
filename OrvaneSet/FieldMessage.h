// The message that tells the user why a text cannot be kept as typed,
// naming the field (by its label string) and the reason.
#pragma once

#include "settings/FieldCheck.h"

#include <string>

std::wstring FieldFaultMessage(const FieldCheck& check, unsigned fieldLabel, size_t limit);
// The same for a field whose label is a text (a definition file's).
std::wstring FieldFaultMessage(const FieldCheck& check, const std::wstring& field, size_t limit);
