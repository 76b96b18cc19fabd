// Frames of datum reference frames, case by case through the whole table of feature types, and
// the transforms between two of them, as a variation analysis calls them: the same rows again and
// again, nothing allocated. The plane-line-point and point-point-point frames are set next to the
// same 3-2-1 constructions written with Eigen.
#include <Eigen/Geometry>

#include <string>

#include "bench_pairs.hpp"
#include "rk_basekit.h"

// Inputs and results, with external linkage: the optimiser can neither fold the inputs nor drop
// the results.
namespace rkbench_data {

// The feature of each type in each place of a scheme, chosen so that every case builds its frame
// from all its features: the primary point lies on the secondary line and the secondary point on
// the primary line; the secondary line of a line-line scheme with a tertiary runs beside the
// primary line.
double g_pri_point[1][3] = {{1.0, 2.0, 3.0}};
double g_sec_point[1][3] = {{1.25, 2.1, 8.0}};
double g_ter_point[1][3] = {{6.0, 9.0, 2.0}};
double g_pri_line[2][3] = {{1.0, 2.0, 3.0}, {1.5, 2.2, 13.0}};
double g_sec_line[2][3] = {{1.0, 2.0, 3.0}, {11.0, 3.0, 3.3}};
double g_sec_line_beside[2][3] = {{3.0, 2.0, 3.0}, {3.5, 2.2, 13.0}};
double g_ter_line[2][3] = {{4.0, 8.0, 0.0}, {5.0, 8.5, 10.0}};
double g_pri_plane[3][3] = {{0.0, 0.0, 0.1}, {10.0, 0.5, 0.0}, {0.3, 10.0, 0.2}};
double g_sec_plane[3][3] = {{20.0, 0.0, 0.0}, {20.2, 0.0, 10.0}, {20.1, 10.0, 0.0}};
double g_ter_plane[3][3] = {{0.0, -15.0, 0.0}, {10.0, -15.3, 0.0}, {0.0, -15.1, 10.0}};
// The headline scheme: a plane tilted against the world axes, a line nearly along it and a point
// beside it.
double g_plane[3][3] = {{0.5, -1.0, 2.0}, {4.2, 0.3, 2.9}, {0.1, 3.4, 1.7}};
double g_line[2][3] = {{1.0, 0.5, 3.0}, {6.0, 2.1, 3.9}};
double g_point[1][3] = {{2.0, 7.0, -1.0}};
double g_points[3][3] = {{1.0, 2.0, 3.0}, {4.0, -1.0, 2.0}, {0.0, 5.0, -2.0}};

Rk_RefFrameStruct g_frame;
int g_redundant;
Rk_TransformStruct g_tfms[4];
int g_num;
double g_eigen[4][3];

}  // namespace rkbench_data

namespace {

using namespace rkbench_data;

constexpr double kEps = 5.0;

using Rows = double (*)[3];

Rows Feature(int place, int type, bool beside)
{
    static const Rows points[3] = {g_pri_point, g_sec_point, g_ter_point};
    static const Rows lines[3] = {g_pri_line, g_sec_line, g_ter_line};
    static const Rows planes[3] = {g_pri_plane, g_sec_plane, g_ter_plane};
    if (type == 2 && place == 1 && beside) return g_sec_line_beside;
    return type == 1 ? points[place] : type == 2 ? lines[place] : type == 3 ? planes[place] : nullptr;
}


void RegisterCase(int pri, int sec, int ter)
{
    const bool beside = pri == 2 && sec == 2 && ter != 0;
    const Rows p = Feature(0, pri, beside), s = Feature(1, sec, beside), t = Feature(2, ter, beside);
    static const char* const kNames[4] = {"None", "Point", "Line", "Plane"};
    const std::string work = std::string("RefFrameSetByGeom/") + kNames[pri] + kNames[sec] + kNames[ter];
    rkbench::lib(work, [=] { Rk_RefFrameSetByGeom(&g_frame, pri, p, sec, s, ter, t, kEps, &g_redundant); });
}

using Vec = Eigen::Vector3d;
Vec Row(const double* r) { return Vec(r[0], r[1], r[2]); }

struct EigenFrame {
    Vec origin, x, y, z;
};

void Keep(const EigenFrame& f)
{
    const Vec* parts[4] = {&f.origin, &f.x, &f.y, &f.z};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) g_eigen[r][c] = (*parts[r])(c);
}

// Plane, line, point: z the plane's normal, x the line projected into the plane, origin the foot of
// the point on that projected line.
RK_NOINLINE EigenFrame EigenPlaneLinePoint(const double (*plane)[3], const double (*line)[3], const double (*point)[3])
{
    const Eigen::Hyperplane<double, 3> face = Eigen::Hyperplane<double, 3>::Through(Row(plane[0]), Row(plane[1]),
                                                                                     Row(plane[2]));
    const Vec z = -face.normal();
    const Vec a = face.projection(Row(line[0])), b = face.projection(Row(line[1]));
    const Eigen::ParametrizedLine<double, 3> trace = Eigen::ParametrizedLine<double, 3>::Through(a, b);
    const Vec origin = trace.projection(Row(point[0]));
    const Vec x = trace.direction();
    return {origin, x, z.cross(x), z};
}

// Point, point, point: z toward the second, x toward the third, made square to z.
RK_NOINLINE EigenFrame EigenPointPointPoint(const double (*points)[3])
{
    const Vec o = Row(points[0]);
    const Vec z = (Row(points[1]) - o).normalized();
    const Vec t = Row(points[2]) - o;
    const Vec x = (t - t.dot(z) * z).normalized();
    return {o, x, z.cross(x), z};
}


[[maybe_unused]] const int g_registered = [] {
    rkbench::lib("RefFrameSetByGeom/PlaneLinePoint/headline",
                 [] { Rk_RefFrameSetByGeom(&g_frame, 3, g_plane, 2, g_line, 1, g_point, kEps, &g_redundant); });
    rkbench::add("RefFrameSetByGeom/PlaneLinePoint/headline", "eigen_3_2_1",
                 [] { Keep(EigenPlaneLinePoint(g_plane, g_line, g_point)); });
    rkbench::lib("RefFrameSetByGeom/PointPointPoint/headline", [] {
        Rk_RefFrameSetByGeom(&g_frame, 1, &g_points[0], 1, &g_points[1], 1, &g_points[2], 1.0, &g_redundant);
    });
    rkbench::add("RefFrameSetByGeom/PointPointPoint/headline", "eigen",
                 [] { Keep(EigenPointPointPoint(g_points)); });
    for (int pri = 1; pri <= 3; ++pri)
        for (int sec = 0; sec <= 3; ++sec)
            for (int ter = 0; ter <= 3; ++ter)
                if (sec != 0 || ter == 0 || pri == 1) RegisterCase(pri, sec, ter);
    rkbench::lib("TransformsSetByGeom/PlaneLinePoint", [] {
        Rk_TransformsSetByGeom(&g_num, g_tfms, 3, g_plane, 3, g_plane, 2, g_line, 2, g_line, 1, g_point, 1, g_point,
                               kEps);
    });
    return 0;
}();

}  // namespace
