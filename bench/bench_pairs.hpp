// Registers each measured operation next to its peer, in the order added, named
// "<work>:rkbasekit" and "<work>:<peer>", so that a report lists them side by side (and
// bench/compare.py can pair them). A body reads its inputs from globals and writes its results to
// globals; memory is clobbered after every iteration, so the inputs are read afresh each time and
// no result can be dropped. Peers are written by hand in the benchmark files and kept out of line,
// as the library's functions are: both sides pay one call.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace rkbench {

template <class Body>
benchmark::internal::Benchmark* add(const std::string& work, const std::string& who, Body body)
{
    return benchmark::RegisterBenchmark((work + ":" + who).c_str(), [body](benchmark::State& state) {
        for (auto _ : state) {
            body();
            benchmark::ClobberMemory();
        }
    });
}

template <class Body>
benchmark::internal::Benchmark* lib(const std::string& work, Body body)
{
    return add(work, "rkbasekit", body);
}

// "1.05deg", "90deg": an angle as a benchmark name shows it.
inline std::string degrees(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%gdeg", value);
    return text;
}

}  // namespace rkbench

#define RK_NOINLINE __attribute__((noinline))
