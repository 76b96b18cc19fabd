// The geometry kernel's hottest operations: vectors, projections, intersections, frames,
// transforms and arcs.
#include <benchmark/benchmark.h>

#include <cmath>

#include "rk_basekit.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

const Rk_VectorStruct kA = {1.5, -2.25, 0.75};
const Rk_VectorStruct kB = {-0.5, 3.0, 2.0};
const Rk_VectorStruct kAxis = {0.2, 0.3, 1.0};

void BM_VectorSet(benchmark::State& state)
{
    Rk_VectorStruct v;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_VectorSet(&v, 1.5, -2.25, 0.75));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_VectorSet);

void BM_VectorUnitize(benchmark::State& state)
{
    Rk_VectorStruct v;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_VectorUnitize(&kA, &v));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_VectorUnitize);

void BM_VectorDot(benchmark::State& state)
{
    double dot = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_VectorDot(&kA, &kB, &dot));
        benchmark::DoNotOptimize(dot);
    }
}
BENCHMARK(BM_VectorDot);

void BM_VectorCross(benchmark::State& state)
{
    Rk_VectorStruct v;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_VectorCross(&kA, &kB, &v));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_VectorCross);

void BM_VectorAngleFromVector(benchmark::State& state)
{
    double angle = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_VectorAngleFromVector(&kA, &kB, &angle));
        benchmark::DoNotOptimize(angle);
    }
}
BENCHMARK(BM_VectorAngleFromVector);

void BM_VectorIsParallelToVector(benchmark::State& state)
{
    int parallel = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_VectorIsParallelToVector(&kA, &kB, &parallel));
        benchmark::DoNotOptimize(parallel);
    }
}
BENCHMARK(BM_VectorIsParallelToVector);

void BM_VectorSignedAngleFromVector(benchmark::State& state)
{
    double angle = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_VectorSignedAngleFromVector(&kA, &kB, &kAxis, &angle));
        benchmark::DoNotOptimize(angle);
    }
}
BENCHMARK(BM_VectorSignedAngleFromVector);

void BM_VectorRotate(benchmark::State& state)
{
    Rk_VectorStruct v;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_VectorRotate(&kA, &kAxis, 37.0, &v));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_VectorRotate);

void BM_PointProjOnLine(benchmark::State& state)
{
    const Rk_LineStruct line = {{1, 2, 3}, {4, -1, 7}};
    const Rk_PointStruct p = {5, 5, 5};
    Rk_PointStruct foot;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_PointProjOnLine(&p, &line, &foot));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PointProjOnLine);

void BM_PointProjOnPlane(benchmark::State& state)
{
    const Rk_PlaneStruct plane = {{1, 2, 3}, {0.3, -0.2, 2.0}};
    const Rk_PointStruct p = {5, 5, 5};
    Rk_PointStruct foot;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_PointProjOnPlane(&p, &plane, &foot));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PointProjOnPlane);

void BM_LineIntersectPlane(benchmark::State& state)
{
    const Rk_LineStruct line = {{1, 2, 3}, {4, -1, 7}};
    const Rk_PlaneStruct plane = {{0, 0, -2}, {0.3, -0.2, 2.0}};
    Rk_PointStruct pt;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_LineIntersectPlane(&line, &plane, &pt));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LineIntersectPlane);

// Lines `degrees` apart, 5 units apart at their closest, the search starting 100 units away.
void BM_LinePointClosestToLine(benchmark::State& state, double degrees)
{
    const double r = degrees * kPi / 180.0;
    const Rk_LineStruct line1 = {{-100, 0, 0}, {-99, 0, 0}};
    const Rk_LineStruct line2 = {{0, 0, 5}, {std::cos(r), std::sin(r), 5}};
    Rk_PointStruct pt;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_LinePointClosestToLine(&line1, &line2, &pt));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_LinePointClosestToLine, at_30_degrees, 30.0);
BENCHMARK_CAPTURE(BM_LinePointClosestToLine, at_1_05_degrees, 1.05);

void BM_PlaneIntersectPlane(benchmark::State& state, double degrees)
{
    const double r = degrees * kPi / 180.0;
    const Rk_PlaneStruct plane1 = {{10, 20, 0}, {0, 0, 1}};
    const Rk_PlaneStruct plane2 = {{0, 0, 3}, {std::sin(r), 0.1, std::cos(r)}};
    Rk_LineStruct line;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_PlaneIntersectPlane(&plane1, &plane2, &line));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_PlaneIntersectPlane, at_60_degrees, 60.0);
BENCHMARK_CAPTURE(BM_PlaneIntersectPlane, at_1_05_degrees, 1.05);

const Rk_RefFrameStruct kFrame = {{0.0, 0.6, 0.8}, {1.0, 0.0, 0.0}, {0.0, 0.8, -0.6}, {4.0, -2.0, 7.0}};

Rk_TransformStruct FrameTransform()
{
    Rk_TransformStruct t;
    Rk_TransformSetByRefFrame(&t, &kFrame);
    return t;
}

void BM_TransformApplyToPoint(benchmark::State& state)
{
    const Rk_TransformStruct t = FrameTransform();
    const Rk_PointStruct p = {1, 2, 3};
    Rk_PointStruct out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_TransformApplyToPoint(&t, &p, &out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransformApplyToPoint);

void BM_TransformSetByTransforms(benchmark::State& state)
{
    const Rk_TransformStruct a = FrameTransform();
    Rk_TransformStruct b;
    Rk_TransformInvert(&a, &b);
    Rk_TransformStruct out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_TransformSetByTransforms(&out, &b, &a));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransformSetByTransforms);

void BM_TransformInvert(benchmark::State& state)
{
    const Rk_TransformStruct a = FrameTransform();
    Rk_TransformStruct out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_TransformInvert(&a, &out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransformInvert);

void BM_RefFrameTransformFramePt(benchmark::State& state)
{
    const Rk_PointStruct p = {1, 2, 3};
    Rk_PointStruct out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_RefFrameTransformFramePt(&kFrame, &p, &out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RefFrameTransformFramePt);

void BM_RefFrameSetAxesByZX(benchmark::State& state)
{
    Rk_RefFrameStruct frame = kFrame;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_RefFrameSetAxesByZX(&frame, &kAxis, &kA));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RefFrameSetAxesByZX);

const Rk_ArcStruct kUnitArc = {{0, 0, 0}, {0, 0, 1}, 1.0};

void BM_ArcSetByPoints(benchmark::State& state)
{
    const Rk_PointStruct p1 = {3, 0, 1}, p2 = {0, 2, 1.5}, p3 = {-1, -1, 2};
    Rk_ArcStruct arc;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_ArcSetByPoints(&arc, &p1, &p2, &p3));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ArcSetByPoints);

void BM_LineIntersectArc(benchmark::State& state)
{
    const Rk_LineStruct line = {{-3, 0.5, 0}, {-2, 0.6, 0}};
    int num = 0;
    Rk_PointStruct p1, p2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_LineIntersectArc(&line, &kUnitArc, &num, &p1, &p2));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LineIntersectArc);

void BM_ArcIntersectPlane(benchmark::State& state)
{
    const Rk_PlaneStruct plane = {{0.5, 0, 0}, {1, 0.2, 0.3}};
    int num = 0;
    Rk_PointStruct p1, p2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_ArcIntersectPlane(&kUnitArc, &plane, &num, &p1, &p2));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ArcIntersectPlane);

void BM_ArcIntersectArc(benchmark::State& state)
{
    const Rk_ArcStruct other = {{1, 0.5, 0}, {0, 0, 1}, 0.8};
    int num = 0;
    Rk_PointStruct p1, p2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_ArcIntersectArc(&kUnitArc, &other, &num, &p1, &p2));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ArcIntersectArc);

void BM_ArcClearance(benchmark::State& state)
{
    const Rk_ArcStruct hole = {{0, 0, 0}, {0, 0, 1}, 5}, pin = {{0.5, 0, 10}, {0, 0, -1}, 4};
    double least = 0, most = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_ArcClearance(&hole, 1, &pin, 0, &least, &most));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ArcClearance);

void BM_ArcGetApparentArc(benchmark::State& state)
{
    const Rk_ArcStruct bottom = {{0, 0, 0}, {0, 0, 1}, 5}, top = {{0, 0, 10}, {0, 0, 1}, 5};
    const Rk_VectorStruct view = {0, 0.17, 0.98};
    Rk_PointStruct centre;
    double radius = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_ArcGetApparentArc(&bottom, &top, 1, &view, &centre, &radius));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ArcGetApparentArc);

void BM_ArcGetVirtualArc(benchmark::State& state)
{
    const Rk_ArcStruct holes[4] = {{{0, 0, 0}, {0, 0, 1}, 5}, {{0.5, 0, 10}, {0, 0, 1}, 4.5},
                                   {{-0.3, 0.2, 20}, {0, 0, 1}, 4.8}, {{0, -0.4, 30}, {0, 0, 1}, 5}};
    const Rk_VectorStruct dir = {0, 0, 1};
    Rk_ArcStruct virt;
    double diam = 0;
    int found = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rk_ArcGetVirtualArc(&virt, 4, holes, &dir, 1, &diam, &found));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ArcGetVirtualArc);

}  // namespace
