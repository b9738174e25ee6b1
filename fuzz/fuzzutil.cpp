#include "fuzzutil.h"

#include "netlist/mode.h"
#include "netlist/reader.h"

#include <unistd.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

namespace fuzzutil
{
void Initialize()
{
    static wxInitializer toolkit;
    static wxLogNull quiet;
    if (!toolkit.IsOk())
        std::abort();
}

std::string ScratchPath(const char* suffix)
{
    return "/tmp/wirelace-fuzz-" + std::to_string(getpid()) + "-" + suffix;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

kqNetList ReadAs(uint32_t mode, const std::string& path)
{
    std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(mode));
    if (!reader)
        std::abort();
    kqNetList list;
    if (!reader->Read(path, list))
        std::abort();
    return list;
}
}
