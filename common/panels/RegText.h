// Captions fed by registry values: the value's text for each caption mode,
// and the refresh of an entry's RegText from a registry that the caller
// supplies (the real one on Windows, a table in tests).
#pragma once

#include "config/IconEntry.h"

#include <cstdint>
#include <functional>
#include <string>

class CSheet;

// Longer value texts are cut here.
inline constexpr size_t kRegTextMax = 255;

struct RegValueData {
    enum class Kind : std::uint8_t { Text, Number, Other };
    Kind kind = Kind::Other;
    std::wstring text;        // a string value, up to its first terminator
    std::int32_t number = 0;  // a 32-bit number value
};

// The value text of mode 1 to 4 (empty for a value of another type). Mode
// 4 uses the name as a printf-style format, safely: the first conversion
// that fits the value (%s for text; %d %i %u %x %X for a number, or %s for
// its decimal text; flags, width and precision allowed) takes the value,
// "%%" is a percent sign, and every other conversion is shown as written.
std::wstring RegValueText(std::uint8_t mode, const std::wstring& name, const RegValueData& value);

// Registry value types as the system numbers them.
enum : std::uint32_t { REGTYPE_SZ = 1, REGTYPE_EXPAND_SZ = 2, REGTYPE_DWORD = 4 };
// A value larger than this is not read.
inline constexpr std::uint32_t kRegValueMaxBytes = 64 * 1024;

// The value of its type and bytes: a string up to its first terminator (one
// that has none ends with its data), a number from four bytes; any other
// type, or a number of another size, counts as Other.
RegValueData RegValueFromBytes(std::uint32_t type, const std::uint8_t* data, size_t size);

// One query of a value into a buffer: Ok with size and type set, MoreData
// with the size needed, or Failed.
enum class RegQuery { Ok, MoreData, Failed };
using RegQueryFn = std::function<RegQuery(std::uint8_t* buffer, std::uint32_t& size, std::uint32_t& type)>;
// Queries into 256 bytes, then into the size asked for, again while the
// value keeps growing between two queries, up to kRegValueMaxBytes and a
// few attempts. False when it cannot be read.
bool ReadGrowingValue(const RegQueryFn& query, RegValueData& out);

class CRegistrySource {
public:
    // The named value under root (1 HKCR, 2 HKCU, 3 HKLM, 4 HKU); a key that
    // does not exist yet is created, empty. False when the key cannot be
    // opened or the value not read.
    virtual bool ReadValue(std::uint8_t root, const std::wstring& key, const std::wstring& value,
                           RegValueData& out) = 0;

protected:
    ~CRegistrySource() = default;
};

// Reads the entry's value again; 1 when its RegText changed (the caption is
// then composed again), else 0. Entries without a root or a mode that
// shows the value never reach the registry.
int RefreshRegistryItem(IconEntry& entry, CRegistrySource& registry);
// The same for every icon in a visible slot of both layers (a recent or task
// slot refreshes the entry it shows); 1 when any text changed.
int RefreshRegistryItems(const CSheet& sheet, CRegistrySource& registry);
