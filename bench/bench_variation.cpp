// Cost of the variation primitives: one step of the seeded generator, a long run of it, and the
// fixture adjustment of a degree-of-freedom set.
#include <benchmark/benchmark.h>

#include "rk_basekit.h"

namespace {

void BM_SeededRandomStep(benchmark::State& state)
{
    int seed = 1;
    for (auto _ : state) benchmark::DoNotOptimize(Rk_MathSeededRandom(&seed));
    benchmark::DoNotOptimize(seed);
}
BENCHMARK(BM_SeededRandomStep);

// Each call depends on the seed the previous one left, as in a sampling loop.
void BM_SeededRandomRun(benchmark::State& state)
{
    const int64_t calls = state.range(0);
    for (auto _ : state) {
        int seed = 1;
        double sum = 0.0;
        for (int64_t i = 0; i < calls; ++i) sum += Rk_MathSeededRandom(&seed);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * calls);
}
BENCHMARK(BM_SeededRandomRun)->Arg(10000);

void BM_DofAdjustForFixture(benchmark::State& state)
{
    Rk_DofStruct dof;
    Rk_DofMapFromInt(&dof, 1 | 2048);
    for (auto _ : state) {
        Rk_DofStruct adj;
        Rk_DofAdjustForFixture(&dof, &adj);
        benchmark::DoNotOptimize(adj);
        dof.dof ^= 0x421;
    }
}
BENCHMARK(BM_DofAdjustForFixture);

}  // namespace
