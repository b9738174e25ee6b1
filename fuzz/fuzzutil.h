// Shared set-up of the fuzz targets: the toolkit's base library, a quiet
// log, and one scratch file per process for the bytes under test.
#ifndef WIRELACE_FUZZ_FUZZUTIL_H
#define WIRELACE_FUZZ_FUZZUTIL_H

#include "netlist/netlist.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzutil
{
void Initialize();
// A path of this process's own under the temporary folder.
std::string ScratchPath(const char* suffix);
void WriteFile(const std::string& path, const uint8_t* data, size_t size);
std::string ReadFile(const std::string& path);
// Reads the file with format `mode`; aborts when the reader is missing.
kqNetList ReadAs(uint32_t mode, const std::string& path);
}

#endif
