// Reading and writing a 10 MB ZukenECF file, beside reading it with
// std::getline and writing its bytes with std::ofstream.
#include "benchutil.h"

#include "netlist/ecf.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
const uint32_t ECF = 2;
const size_t FILE_BYTES = 10 * 1000 * 1000;

// The generated file, written once and removed at exit.
class EcfFile
{
public:
    EcfFile() : m_path(benchutil::TempPath("ecf.net")), m_outPath(benchutil::TempPath("ecf.out"))
    {
        // Measure a sample to size the netlist that makes FILE_BYTES.
        const size_t sampleNets = 10000;
        benchutil::WriteAs(ECF, benchutil::Generate(sampleNets, 0, 1), m_path);
        const size_t nets = sampleNets * FILE_BYTES / benchutil::FileSize(m_path);
        m_list = benchutil::Generate(nets, 0, 1);
        benchutil::WriteAs(ECF, m_list, m_path);
        m_size = benchutil::FileSize(m_path);

        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        m_bytes = bytes.str();
    }
    ~EcfFile()
    {
        std::remove(m_path.c_str());
        std::remove(m_outPath.c_str());
    }
    EcfFile(const EcfFile&) = delete;
    EcfFile& operator=(const EcfFile&) = delete;

    static const EcfFile& Get()
    {
        static const EcfFile file;
        return file;
    }

    std::string m_path;
    std::string m_outPath;
    kqNetList m_list;
    std::string m_bytes;
    size_t m_size = 0;
};

void SetBytes(benchmark::State& state, size_t bytes)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_EcfRead(benchmark::State& state)
{
    const EcfFile& file = EcfFile::Get();
    kqNetList list;
    for (auto _ : state)
    {
        kqNetECFReader reader;
        reader.Read(file.m_path, list);
        benchmark::DoNotOptimize(list.m_nets.size());
        // Freeing the netlist is no part of reading it.
        state.PauseTiming();
        list.m_nets.clear();
        state.ResumeTiming();
    }
    SetBytes(state, file.m_size);
}

void BM_GetlineBaseline(benchmark::State& state)
{
    const EcfFile& file = EcfFile::Get();
    for (auto _ : state)
        benchmark::DoNotOptimize(benchutil::GetlineSplitBaseline(file.m_path));
    SetBytes(state, file.m_size);
}

void BM_EcfWrite(benchmark::State& state)
{
    const EcfFile& file = EcfFile::Get();
    for (auto _ : state)
    {
        kqNetECFWriter writer;
        writer.Write(file.m_outPath, file.m_list);
    }
    SetBytes(state, file.m_size);
}

void BM_OfstreamBaseline(benchmark::State& state)
{
    const EcfFile& file = EcfFile::Get();
    for (auto _ : state)
        benchutil::OfstreamBaseline(file.m_outPath, file.m_bytes);
    SetBytes(state, file.m_size);
}
}

// By the wall clock: the system's share of file work counts too.
BENCHMARK(BM_EcfRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GetlineBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EcfWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OfstreamBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return benchutil::RunBenchmarks(argc, argv);
}
