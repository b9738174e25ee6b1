// Shared pieces of the benchmarks: generated netlists, files to read, and
// the plain standard-library baselines they are held against.
#ifndef WIRELACE_BENCH_BENCHUTIL_H
#define WIRELACE_BENCH_BENCHUTIL_H

#include "netlist/netlist.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace benchutil
{
// A board-like netlist: `nets` nets of about five nodes ("U123.4"), plus one
// net of `bigNet` nodes when that is not 0.
kqNetList Generate(size_t nets, size_t bigNet, uint32_t seed);

// A copy of `list` in which about `fraction` of the nets are changed: some
// renamed, some with a node swapped for a new one, some with a node dropped.
kqNetList Perturb(const kqNetList& list, double fraction, uint32_t seed);

// A path under the system's temporary folder, unique to this process.
std::string TempPath(const std::string& name);

// Writes `list` with the writer of format `mode`; aborts on failure.
void WriteAs(uint32_t mode, const kqNetList& list, const std::string& path);

// Reads the file with std::getline into std::string and splits each line at
// blanks; returns the number of words, so the work cannot be optimised away.
size_t GetlineSplitBaseline(const std::string& path);

// Writes `bytes` with std::ofstream: the writing baseline.
void OfstreamBaseline(const std::string& path, const std::string& bytes);

size_t FileSize(const std::string& path);

// A benchmark program's main: the toolkit's base library started, then the
// benchmarks named on the command line run.
int RunBenchmarks(int argc, char** argv);
}

#endif
