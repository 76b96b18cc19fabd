// Cost of the point-set operations whose work grows fastest with the number of points: the
// farthest pair (every pair), duplicate removal (the table's exchange sort), the extent sweep
// (a pass over the set per direction) and rigid motion (one pass, table reads and writes).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "rk_basekit.h"

namespace {

// Points scattered in a 100-unit box, each with a normal; every tenth repeats an earlier point
// within the point tolerance, as a sampled surface with overlapping patches would.
void fill(Rk_DiscPtsStruct* set, int count)
{
    std::mt19937 gen(12345);
    std::uniform_real_distribution<double> u(0.0, 100.0);
    Rk_DiscPtsInit(set);
    const Rk_VectorStruct up = {0.0, 0.0, 1.0};
    for (int i = 0; i < count; ++i) {
        Rk_PointStruct p = {u(gen), u(gen), u(gen)};
        if (i % 10 == 9) {
            Rk_VectorStruct n;
            int flag = 0;
            Rk_DiscPtsGetPt(set, i / 2, &p, &n, &flag);
            p.pt_x += 0.001;
        }
        Rk_DiscPtsAddPt(set, &p, &up, 1);
    }
}

void BM_DiscPtsGet2FarthestPts(benchmark::State& state)
{
    Rk_DiscPtsStruct set;
    fill(&set, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int a = 0, b = 0;
        Rk_DiscPtsGet2FarthestPts(&set, &a, &b);
        benchmark::DoNotOptimize(a + b);
    }
    Rk_DiscPtsFree(&set);
}
BENCHMARK(BM_DiscPtsGet2FarthestPts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Each round removes the duplicates of a fresh copy of the unsorted set; making the copy is not timed.
void BM_DiscPtsRemoveDupPts(benchmark::State& state)
{
    Rk_DiscPtsStruct source, work;
    fill(&source, static_cast<int>(state.range(0)));
    Rk_DiscPtsInit(&work);
    for (auto _ : state) {
        state.PauseTiming();
        Rk_DiscPtsClear(&work);
        Rk_DiscPtsAddAllPts(&work, &source);
        state.ResumeTiming();
        Rk_DiscPtsRemoveDupPts(&work);
        benchmark::DoNotOptimize(work.num_pts);
    }
    Rk_DiscPtsFree(&work);
    Rk_DiscPtsFree(&source);
}
BENCHMARK(BM_DiscPtsRemoveDupPts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DiscPtsGetExtentPts(benchmark::State& state)
{
    Rk_DiscPtsStruct set, extent;
    fill(&set, static_cast<int>(state.range(0)));
    Rk_DiscPtsInit(&extent);
    Rk_RefFrameStruct frame;
    Rk_RefFrameInit(&frame);
    for (auto _ : state) {
        Rk_DiscPtsClear(&extent);
        Rk_DiscPtsGetExtentPts(&set, &frame, 1.0, &extent);
        benchmark::DoNotOptimize(extent.num_pts);
    }
    Rk_DiscPtsFree(&extent);
    Rk_DiscPtsFree(&set);
}
BENCHMARK(BM_DiscPtsGetExtentPts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A small turn about z with a shift, applied again each round.
void BM_DiscPtsApplyTransform(benchmark::State& state)
{
    Rk_DiscPtsStruct set;
    const int count = static_cast<int>(state.range(0));
    fill(&set, count);
    const double c = std::cos(0.01), s = std::sin(0.01);
    double rows[4][3] = {{c, s, 0.0}, {-s, c, 0.0}, {0.0, 0.0, 1.0}, {0.5, -0.25, 0.125}};
    Rk_TransformStruct tfm;
    Rk_TransformSet(&tfm, rows);
    for (auto _ : state) {
        Rk_DiscPtsApplyTransform(&set, &tfm);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * count);
    Rk_DiscPtsFree(&set);
}
BENCHMARK(BM_DiscPtsApplyTransform)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
