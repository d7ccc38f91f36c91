// Small pieces shared by the configuration tests.
#pragma once

#include "DeviceSandbox.h"
#include "base/Diagnostics.h"

#include <map>
#include <string>

// Definitions of all 49 settings as plain numbers "S<i>"; each value is
// fallback, or the given one.
std::string NumberDefinitions(const std::map<int, int>& values, int fallback);
// Writes the definitions as both language variants into the installation
// folder (a Japanese process reads the Japanese one).
void WriteDefinitions(const CDeviceSandbox& dev, const std::string& text);
// Every report as "line: reason", one per line, for failure messages.
std::wstring Reasons(const CDiagList& diags);
