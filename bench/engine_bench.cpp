// Line reading and tokenizing against a plain std::getline baseline, and
// pairing two netlists as their size doubles.
#include "benchutil.h"

#include "netlist/bytes.h"
#include "netlist/reader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <random>

namespace
{
// About 10 MB in 200,000 lines of blank-separated words with ";" and ",".
const std::string& TokenFile()
{
    static const std::string path = [] {
        const std::string file = benchutil::TempPath("tokens.txt");
        std::ofstream out(file, std::ios::binary);
        std::mt19937 random(7);
        for (int line = 0; line < 200000; ++line)
        {
            out << "NET" << line << ";";
            for (int node = 0; node < 5; ++node)
                out << " U" << random() % 100000 << "." << random() % 64 << " ,";
            out << "\n";
        }
        return file;
    }();
    return path;
}

// Counts tokens, so that the tokenizing cannot be optimised away.
class CountingReader : public kqNetListReader
{
public:
    CountingReader() { m_tokenizer.SetKeywords(";,"); }
    void OnToken(const wxString&) override { ++tokens; }
    size_t tokens = 0;
};

void BM_GetlineSplitBaseline(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(benchutil::GetlineSplitBaseline(TokenFile()));
    state.SetBytesProcessed(state.iterations() * benchutil::FileSize(TokenFile()));
}
BENCHMARK(BM_GetlineSplitBaseline)->Unit(benchmark::kMillisecond);

void BM_ReadAndTokenize(benchmark::State& state)
{
    for (auto _ : state)
    {
        CountingReader reader;
        kqNetList list;
        reader.Read(TokenFile(), list);
        benchmark::DoNotOptimize(reader.tokens);
    }
    state.SetBytesProcessed(state.iterations() * benchutil::FileSize(TokenFile()));
}
BENCHMARK(BM_ReadAndTokenize)->Unit(benchmark::kMillisecond);

// Sort both lists, then pair every net of the first: the comparison's core.
void BM_SortAndPickup(benchmark::State& state)
{
    const size_t nets = static_cast<size_t>(state.range(0));
    const kqNetList first = benchutil::Generate(nets, 20000, 1);
    const kqNetList second = benchutil::Perturb(first, 0.2, 2);
    for (auto _ : state)
    {
        state.PauseTiming();
        kqNetList list1 = first, list2 = second;
        state.ResumeTiming();
        list1.Sort();
        list2.Sort();
        size_t paired = 0;
        for (kqNetList::Net& net : list1.m_nets)
        {
            kqNetList::PICKUP_STATUS status;
            paired += list2.Pickup(&net, status) != nullptr;
        }
        benchmark::DoNotOptimize(paired);
    }
}
BENCHMARK(BM_SortAndPickup)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
    const int result = benchutil::RunBenchmarks(argc, argv);
    std::remove(TokenFile().c_str());
    return result;
}
