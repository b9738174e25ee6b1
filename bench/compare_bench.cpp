// Comparing two files of 50,000 nets (about 250,000 nodes, one net of
// 20,000 nodes, a fifth of the nets changed or renamed), against only
// reading the same two files, measured side by side in every iteration.
// Both include freeing what they built, as every real comparison does.
// times_reading is the comparison's time over the reading time.
#include "benchutil.h"

#include "netlist/differencer.h"
#include "netlist/mode.h"
#include "netlist/reader.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace
{
struct Files
{
    std::string first = benchutil::TempPath("compare1.net");
    std::string second = benchutil::TempPath("compare2.net");

    Files()
    {
        const kqNetList list = benchutil::Generate(50000, 20000, 3);
        benchutil::WriteAs(0, list, first);
        benchutil::WriteAs(0, benchutil::Perturb(list, 0.2, 4), second);
    }
    ~Files()
    {
        std::remove(first.c_str());
        std::remove(second.c_str());
    }
};

template <typename Work> double Seconds(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return seconds.count();
}

size_t ReadOnly(const std::string& path)
{
    std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(0));
    kqNetList list;
    reader->Read(path, list);
    return list.m_nets.size();
}

void BM_ExecuteAgainstReading(benchmark::State& state)
{
    const Files files;
    double executing = 0;
    double reading = 0;
    for (auto _ : state)
    {
        const double execute = Seconds([&] {
            kqNetDifferencer differencer;
            differencer.Execute(files.first, 0, files.second, 0);
            benchmark::DoNotOptimize(differencer.m_diffs.size());
        });
        state.SetIterationTime(execute);
        executing += execute;
        reading += Seconds([&] {
            benchmark::DoNotOptimize(ReadOnly(files.first) + ReadOnly(files.second));
        });
    }
    state.counters["read_ms"] = reading * 1000 / static_cast<double>(state.iterations());
    state.counters["times_reading"] = executing / reading;
}
BENCHMARK(BM_ExecuteAgainstReading)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
}

int main(int argc, char** argv)
{
    return benchutil::RunBenchmarks(argc, argv);
}
