// Reading and writing a PADS netlist of about 10 MB, beside plain
// std::getline and std::ofstream doing the same amount of input and output.
#include "benchutil.h"

#include "netlist/mode.h"
#include "netlist/reader.h"
#include "netlist/writer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

namespace
{
const uint32_t PADS = 1;
// About 68 bytes a net in the generated netlist: some 10 MB in all.
const size_t NETS = 150000;

struct Sample
{
    kqNetList list;
    std::string path;
    std::string bytes;

    Sample() : list(benchutil::Generate(NETS, 0, 1)), path(benchutil::TempPath("sample.pads"))
    {
        benchutil::WriteAs(PADS, list, path);
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        bytes = content.str();
    }
    ~Sample() { std::remove(path.c_str()); }
};

const Sample& GetSample()
{
    static const Sample sample;
    return sample;
}

void Finish(benchmark::State& state, size_t bytes)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_PadsRead(benchmark::State& state)
{
    const Sample& sample = GetSample();
    for (auto _ : state)
    {
        std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(PADS));
        kqNetList list;
        reader->Read(sample.path, list);
        benchmark::DoNotOptimize(list.m_nets.size());
    }
    Finish(state, sample.bytes.size());
}

void BM_GetlineBaseline(benchmark::State& state)
{
    const Sample& sample = GetSample();
    for (auto _ : state)
        benchmark::DoNotOptimize(benchutil::GetlineSplitBaseline(sample.path));
    Finish(state, sample.bytes.size());
}

void BM_PadsWrite(benchmark::State& state)
{
    const Sample& sample = GetSample();
    const std::string out = benchutil::TempPath("written.pads");
    for (auto _ : state)
    {
        std::unique_ptr<kqNetListWriter> writer(kqNetMode::GetWriter(PADS));
        writer->Write(out, sample.list);
    }
    Finish(state, benchutil::FileSize(out));
    std::remove(out.c_str());
}

void BM_OfstreamBaseline(benchmark::State& state)
{
    const Sample& sample = GetSample();
    const std::string out = benchutil::TempPath("baseline.pads");
    for (auto _ : state)
        benchutil::OfstreamBaseline(out, sample.bytes);
    Finish(state, sample.bytes.size());
    std::remove(out.c_str());
}
}

BENCHMARK(BM_PadsRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetlineBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PadsWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OfstreamBaseline)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return benchutil::RunBenchmarks(argc, argv);
}
