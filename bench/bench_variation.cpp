// Cost of the variation primitives: one step of the seeded generator, a long run of it, the
// fixture adjustment of a degree-of-freedom set and its mapping into another frame.
#include <benchmark/benchmark.h>

#include <cmath>

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

// A frame turned 30 degrees about z and tilted about x, so that no axis pair is exactly aligned.
Rk_RefFrameStruct oblique_frame()
{
    Rk_RefFrameStruct frame;
    Rk_RefFrameInit(&frame);
    const double c = std::cos(30.0 * 0.017453292519943295), s = std::sin(30.0 * 0.017453292519943295);
    const Rk_VectorStruct z = {0.0, -0.1, 1.0}, x = {c, s, 0.0};
    Rk_RefFrameSetAxesByZX(&frame, &z, &x);
    return frame;
}

using DofMapOp = int (*)(const Rk_DofStruct*, const Rk_RefFrameStruct*, const Rk_RefFrameStruct*, double,
                         Rk_DofStruct*);

// The set changes each round so the twelve degrees are exercised in every combination.
void run_dof_map(benchmark::State& state, DofMapOp op)
{
    Rk_RefFrameStruct world;
    Rk_RefFrameInit(&world);
    const Rk_RefFrameStruct other = oblique_frame();
    int word = 0;
    for (auto _ : state) {
        Rk_DofStruct dof = {word}, out;
        op(&dof, &world, &other, 45.0, &out);
        benchmark::DoNotOptimize(out);
        word = (word + 1) & 0xFFF;
    }
}

void BM_DofMapContToRefFrame(benchmark::State& state) { run_dof_map(state, Rk_DofMapContToRefFrame); }
BENCHMARK(BM_DofMapContToRefFrame);

void BM_DofMapContToRefFrameRss(benchmark::State& state) { run_dof_map(state, Rk_DofMapContToRefFrameRss); }
BENCHMARK(BM_DofMapContToRefFrameRss);

}  // namespace
