// Reading and writing a 10 MB BSch/Allegro file (200,000 nets), beside
// plain std::getline reading and std::ofstream writing of the same bytes.
#include "benchutil.h"

#include "netlist/bsch.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace
{
const uint32_t BSCH = 0;
const size_t NETS = 200000;

// The generated file, written once and removed at exit.
class Sample
{
public:
    Sample() : m_path(benchutil::TempPath("sample.bsch"))
    {
        benchutil::WriteAs(BSCH, benchutil::Generate(NETS, 0, 42), m_path);
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        m_bytes = bytes.str();
    }
    ~Sample() { std::remove(m_path.c_str()); }

    const std::string& Path() const { return m_path; }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_path;
    std::string m_bytes;
};

const Sample& TheSample()
{
    static const Sample sample;
    return sample;
}

void SetBytes(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(TheSample().Bytes().size()));
}

void BM_BschRead(benchmark::State& state)
{
    const Sample& sample = TheSample();
    for (auto _ : state)
    {
        kqNetList list;
        kqNetBschReader().Read(sample.Path(), list);
        benchmark::DoNotOptimize(list.m_nets.size());
        // Freeing the netlist is no part of reading it.
        state.PauseTiming();
        list.m_nets.clear();
        state.ResumeTiming();
    }
    SetBytes(state);
}

void BM_GetlineBaseline(benchmark::State& state)
{
    const Sample& sample = TheSample();
    for (auto _ : state)
        benchmark::DoNotOptimize(benchutil::GetlineSplitBaseline(sample.Path()));
    SetBytes(state);
}

void BM_BschWrite(benchmark::State& state)
{
    const Sample& sample = TheSample();
    kqNetList list;
    kqNetBschReader().Read(sample.Path(), list);
    const std::string path = benchutil::TempPath("written.bsch");
    for (auto _ : state)
    {
        kqNetBschWriter writer;
        writer.Write(path, list);
    }
    std::remove(path.c_str());
    SetBytes(state);
}

void BM_OfstreamBaseline(benchmark::State& state)
{
    const Sample& sample = TheSample();
    const std::string path = benchutil::TempPath("ofstream.bsch");
    for (auto _ : state)
        benchutil::OfstreamBaseline(path, sample.Bytes());
    std::remove(path.c_str());
    SetBytes(state);
}
}

// Files are measured by the clock on the wall: the system's share of the
// work counts as much as the program's.
BENCHMARK(BM_BschRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GetlineBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BschWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OfstreamBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return benchutil::RunBenchmarks(argc, argv);
}
