// Cost of the variation primitives: one step of the seeded generator (next to std::minstd_rand0,
// the same generator), a long run of it, one sample of a variation analysis (18 draws perturbing a
// plane-line-point scheme, its frame, the transform of the frame and 4 points carried by it; next
// to the same work with Eigen), the fixture adjustment of a degree-of-freedom set and its mapping
// into another frame.
#include <Eigen/Geometry>

#include <cmath>
#include <random>

#include "bench_pairs.hpp"
#include "rk_basekit.h"

// Inputs and results, with external linkage: the optimiser can neither fold the inputs nor drop
// the results.
namespace rkbench_data {

double g_nominal[6][3] = {{0.5, -1.0, 2.0}, {4.2, 0.3, 2.9}, {0.1, 3.4, 1.7},  // plane
                          {1.0, 0.5, 3.0},  {6.0, 2.1, 3.9},                   // line
                          {2.0, 7.0, -1.0}};                                   // point
double g_checks[4][3] = {{0.0, 0.0, 120.0}, {40.0, 40.0, 0.0}, {-25.0, 10.0, 5.0}, {3.0, -8.0, 60.0}};
double g_images[4][3];
double g_draw;
int g_seed = 20240611;

}  // namespace rkbench_data

namespace {

using namespace rkbench_data;

constexpr double kSpread = 0.01;
constexpr double kEps = 5.0;

std::minstd_rand0 g_minstd(20240611);

// One sample: 18 draws, the frame, its transform, 4 points carried.
void LibrarySample()
{
    double work[6][3];
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 3; ++c) work[r][c] = g_nominal[r][c] + kSpread * (Rk_MathSeededRandom(&g_seed) - 0.5);
    Rk_RefFrameStruct frame;
    int redundant = 0;
    Rk_RefFrameSetByGeom(&frame, 3, &work[0], 2, &work[3], 1, &work[5], kEps, &redundant);
    Rk_TransformStruct tfm;
    Rk_TransformSetByRefFrame(&tfm, &frame);
    for (int p = 0; p < 4; ++p)
        Rk_TransformApply(&tfm, g_checks[p][0], g_checks[p][1], g_checks[p][2], &g_images[p][0], &g_images[p][1],
                          &g_images[p][2]);
}

using Vec = Eigen::Vector3d;
Vec Row(const double* r) { return Vec(r[0], r[1], r[2]); }

// The same sample with std::minstd_rand0 and Eigen: z the plane's normal, x the line projected into
// the plane, origin the foot of the point on that line; frame coordinates carried to the world.
RK_NOINLINE void EigenSample()
{
    double work[6][3];
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 3; ++c) work[r][c] = g_nominal[r][c] + kSpread * (g_minstd() / 2147483647.0 - 0.5);
    const Eigen::Hyperplane<double, 3> face = Eigen::Hyperplane<double, 3>::Through(Row(work[0]), Row(work[1]),
                                                                                     Row(work[2]));
    const Eigen::ParametrizedLine<double, 3> trace = Eigen::ParametrizedLine<double, 3>::Through(
        face.projection(Row(work[3])), face.projection(Row(work[4])));
    const Vec z = -face.normal(), x = trace.direction();
    Eigen::Isometry3d frame = Eigen::Isometry3d::Identity();
    frame.linear().col(0) = x;
    frame.linear().col(1) = z.cross(x);
    frame.linear().col(2) = z;
    frame.translation() = trace.projection(Row(work[5]));
    for (int p = 0; p < 4; ++p) {
        const Vec image = frame * Row(g_checks[p]);
        for (int c = 0; c < 3; ++c) g_images[p][c] = image(c);
    }
}

[[maybe_unused]] const int g_registered = [] {
    rkbench::lib("SeededRandom/step", [] { g_draw = Rk_MathSeededRandom(&g_seed); });
    rkbench::add("SeededRandom/step", "std_minstd_rand0", [] { g_draw = g_minstd() / 2147483647.0; });
    rkbench::lib("VariationSample/18draws_frame_transform_4points", LibrarySample);
    rkbench::add("VariationSample/18draws_frame_transform_4points", "eigen", EigenSample);
    return 0;
}();

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
