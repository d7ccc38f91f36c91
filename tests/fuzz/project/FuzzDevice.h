// A device root in a scratch folder for the fuzz targets, with one file that
// each input is written to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Sets up the device root once and writes the input as the device file path.
void WriteFuzzFile(const std::wstring& devicePath, const std::uint8_t* data, std::size_t size);
