// Frames of datum reference frames and the transforms between two of them, as a variation analysis
// calls them: the same rows again and again, nothing allocated.
#include <benchmark/benchmark.h>

#include "rk_basekit.h"

namespace {

// A plane tilted against the world axes, a line along it and a point beside it.
double g_plane[3][3] = {{0.5, -1.0, 2.0}, {4.2, 0.3, 2.9}, {0.1, 3.4, 1.7}};
double g_plane2[3][3] = {{3.0, 0.0, 0.0}, {3.1, 1.0, 0.2}, {2.9, 0.1, 1.0}};
double g_plane3[3][3] = {{0.0, 4.0, 0.0}, {0.2, 4.1, 1.0}, {1.0, 3.9, 0.1}};
double g_line[2][3] = {{1.0, 0.5, 3.0}, {6.0, 2.1, 3.9}};
double g_point[1][3] = {{2.0, 7.0, -1.0}};
double g_points[3][3] = {{1.0, 2.0, 3.0}, {4.0, -1.0, 2.0}, {0.0, 5.0, -2.0}};

struct Scheme {
    int pri_type;
    double (*pri)[3];
    int sec_type;
    double (*sec)[3];
    int ter_type;
    double (*ter)[3];
    double eps;
};

void BM_RefFrameSetByGeom(benchmark::State& state, Scheme s)
{
    Rk_RefFrameStruct frame;
    int redundant = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            Rk_RefFrameSetByGeom(&frame, s.pri_type, s.pri, s.sec_type, s.sec, s.ter_type, s.ter, s.eps, &redundant));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_RefFrameSetByGeom, PlaneLinePoint, Scheme{3, g_plane, 2, g_line, 1, g_point, 5.0});
BENCHMARK_CAPTURE(BM_RefFrameSetByGeom, PlanePlanePlane, Scheme{3, g_plane, 3, g_plane2, 3, g_plane3, 1.0});
BENCHMARK_CAPTURE(BM_RefFrameSetByGeom, PointPointPoint,
                  Scheme{1, &g_points[0], 1, &g_points[1], 1, &g_points[2], 1.0});

void BM_TransformsSetByGeomPlaneLinePoint(benchmark::State& state)
{
    Rk_TransformStruct tfms[4];
    int num = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_TransformsSetByGeom(&num, tfms, 3, g_plane, 3, g_plane, 2, g_line, 2, g_line, 1,
                                                        g_point, 1, g_point, 5.0));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransformsSetByGeomPlaneLinePoint);

}  // namespace
