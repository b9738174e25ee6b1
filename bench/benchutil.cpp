#include "benchutil.h"

#include "netlist/mode.h"
#include "netlist/writer.h"

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace benchutil
{
namespace
{
wxString RandomNode(std::mt19937& random)
{
    return wxString::Format("U%u.%u", static_cast<unsigned>(random() % 20000),
                            static_cast<unsigned>(random() % 64 + 1));
}
}

kqNetList Generate(size_t nets, size_t bigNet, uint32_t seed)
{
    std::mt19937 random(seed);
    kqNetList list;
    for (size_t i = 0; i < nets; ++i)
    {
        kqNetList::Net net;
        net.m_name = wxString::Format("NET%zu", i);
        const size_t count = (bigNet && i == nets / 2) ? bigNet : 3 + random() % 5;
        for (size_t n = 0; n < count; ++n)
            net.m_nodes.emplace_back(RandomNode(random));
        list.m_nets.push_back(std::move(net));
    }
    return list;
}

kqNetList Perturb(const kqNetList& list, double fraction, uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    kqNetList changed = list;
    for (kqNetList::Net& net : changed.m_nets)
    {
        if (chance(random) >= fraction)
            continue;
        switch (random() % 3)
        {
        case 0:
            net.m_name += "_R";
            break;
        case 1:
            if (!net.m_nodes.empty())
                net.m_nodes.front().m_text = RandomNode(random);
            break;
        default:
            if (!net.m_nodes.empty())
                net.m_nodes.pop_back();
            break;
        }
    }
    return changed;
}

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() /
            ("wirelace-bench-" + std::to_string(getpid()) + "-" + name))
        .string();
}

void WriteAs(uint32_t mode, const kqNetList& list, const std::string& path)
{
    std::unique_ptr<kqNetListWriter> writer(kqNetMode::GetWriter(mode));
    if (!writer || !writer->Write(path, list))
    {
        std::fprintf(stderr, "cannot write %s with format %u\n", path.c_str(), mode);
        std::abort();
    }
}

size_t GetlineSplitBaseline(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    size_t words = 0;
    while (std::getline(in, line))
    {
        size_t pos = 0;
        while ((pos = line.find_first_not_of(" \t\r", pos)) != std::string::npos)
        {
            const size_t end = line.find_first_of(" \t\r", pos);
            std::string word = line.substr(pos, end - pos);
            words += !word.empty();
            pos = end;
        }
    }
    return words;
}

void OfstreamBaseline(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

size_t FileSize(const std::string& path)
{
    return static_cast<size_t>(std::filesystem::file_size(path));
}

int RunBenchmarks(int argc, char** argv)
{
    wxInitializer toolkit;
    if (!toolkit.IsOk())
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
}
