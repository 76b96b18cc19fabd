// Vectors: the kernel's direction type, and the angle measurement on which every parallel and
// perpendicular test of the kernel rests. Vectors keep their length; operations that need a
// direction make a unit copy of their own.
#include <cmath>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "geometry/frame_axes.hpp"
#include "geometry/geometry.hpp"

namespace {

constexpr char kModule[] = "src/rk_vec";

// Rk_PointProjOnPlane's refusal of a normal too short for a plane (error 24, rk_point).
__attribute__((noinline)) int refuse_normal(const Rk_VectorStruct& v, const Rk_VectorStruct& n)
{
    const Rk_PlaneStruct through_origin = {{0.0, 0.0, 0.0}, n};
    const Rk_PointStruct tip = rk::as_point(v);
    Rk_PointStruct foot = {};
    return Rk_PointProjOnPlane(&tip, &through_origin, &foot);
}

// The projection of `v` on the plane through the origin normal to `n`, once `v` is known not to be
// parallel to `n`: the foot of v's tip on that plane (error 24 from the point module when n is
// too short for a plane).
inline int foot_normal_to(const Rk_VectorStruct& v, const Rk_VectorStruct& n, Rk_VectorStruct* proj)
{
    const Rk_PlaneStruct through_origin = {{0.0, 0.0, 0.0}, n};
    Rk_PointStruct foot = {};
    if (!rk::foot_on_plane(rk::as_point(v), through_origin, &foot)) return refuse_normal(v, n);
    *proj = rk::as_vector(foot);
    return 0;
}

// The projection of `v` on the plane normal to `n`; a vector parallel to `n` has none.
inline int project_normal_to(const Rk_VectorStruct& v, const Rk_VectorStruct& n, Rk_VectorStruct* proj)
{
    int parallel = 0;
    RK_TRY(rk::angle_test(v, n, rk::AngleTest::parallel, &parallel));
    if (parallel) return RK_FAIL(RK_ERR_ZERO_VECTOR);
    return foot_normal_to(v, n, proj);
}

}  // namespace

extern "C" RK_API int Rk_VectorInit(Rk_VectorStruct* vec)
{
    *vec = {1.0, 1.0, 1.0};
    return 0;
}

extern "C" RK_API int Rk_VectorSet(Rk_VectorStruct* vec, double i, double j, double k)
{
    if (rk::is_zero_vector(i, j, k)) return RK_FAIL(RK_ERR_ZERO_VECTOR);
    *vec = {i, j, k};
    return 0;
}

extern "C" RK_API int Rk_VectorGet(const Rk_VectorStruct* vec, double* i, double* j, double* k)
{
    *i = vec->i_comp;
    *j = vec->j_comp;
    *k = vec->k_comp;
    return 0;
}

extern "C" RK_API int Rk_VectorSetByPoints(Rk_VectorStruct* vec, const Rk_PointStruct* origin,
                                           const Rk_PointStruct* head)
{
    *vec = {head->pt_x - origin->pt_x, head->pt_y - origin->pt_y, head->pt_z - origin->pt_z};
    if (rk::is_zero_vector(vec->i_comp, vec->j_comp, vec->k_comp)) return RK_FAIL(RK_ERR_ZERO_VECTOR);
    return 0;
}

extern "C" RK_API int Rk_VectorInvert(const Rk_VectorStruct* vec, Rk_VectorStruct* new_vec)
{
    *new_vec = {-vec->i_comp, -vec->j_comp, -vec->k_comp};
    return 0;
}

extern "C" RK_API int Rk_VectorMagnitude(const Rk_VectorStruct* vec, double* mag)
{
    *mag = rk::magnitude(*vec);
    return 0;
}

extern "C" RK_API int Rk_VectorUnitize(const Rk_VectorStruct* vec1, Rk_VectorStruct* vec2)
{
    if (!rk::unit_of(*vec1, vec2)) return RK_FAIL(RK_ERR_ZERO_VECTOR);
    return 0;
}

extern "C" RK_API int Rk_VectorDot(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2, double* dot)
{
    *dot = rk::dot(*vec1, *vec2);
    return 0;
}

extern "C" RK_API int Rk_VectorCross(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                     Rk_VectorStruct* cross)
{
    const Rk_VectorStruct a = *vec1, b = *vec2;
    return Rk_VectorSet(cross, a.j_comp * b.k_comp - a.k_comp * b.j_comp, a.k_comp * b.i_comp - a.i_comp * b.k_comp,
                        a.i_comp * b.j_comp - a.j_comp * b.i_comp);
}

extern "C" RK_API int Rk_VectorAngleFromVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                               double* angle)
{
    double q = 0.0;
    if (!rk::cosine_between(*vec1, *vec2, &q)) return RK_FAIL(RK_ERR_ZERO_VECTOR);
    *angle = rk::angle_of_cosine(q);
    return 0;
}

extern "C" RK_API int Rk_VectorIsParallelToVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                                  int* parallel)
{
    return rk::angle_test(*vec1, *vec2, rk::AngleTest::parallel, parallel);
}

extern "C" RK_API int Rk_VectorIsPerpToVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                              int* perpendicular)
{
    return rk::angle_test(*vec1, *vec2, rk::AngleTest::perpendicular, perpendicular);
}

extern "C" RK_API int Rk_VectorIsEqualToVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                               int* equal)
{
    Rk_VectorStruct unit1 = {}, unit2 = {};
    RK_TRY(Rk_VectorUnitize(vec1, &unit1));
    RK_TRY(Rk_VectorUnitize(vec2, &unit2));
    const Rk_PointStruct tip1 = rk::as_point(unit1), tip2 = rk::as_point(unit2);
    return Rk_PointIsEqualToPoint(&tip1, &tip2, equal);
}

extern "C" RK_API int Rk_VectorAngleFromVecInView(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                                  const Rk_VectorStruct* view_dir, double* angle)
{
    Rk_VectorStruct seen1 = {}, seen2 = {};
    RK_TRY(project_normal_to(*vec1, *view_dir, &seen1));
    RK_TRY(project_normal_to(*vec2, *view_dir, &seen2));
    return Rk_VectorAngleFromVector(&seen1, &seen2, angle);
}

extern "C" RK_API int Rk_VectorSignedAngleFromVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                                     const Rk_VectorStruct* dir, double* angle)
{
    int parallel = 0;
    RK_TRY(rk::angle_test(*vec1, *dir, rk::AngleTest::parallel, &parallel));
    if (parallel) return RK_FAIL(RK_ERR_UNDEFINED);
    RK_TRY(rk::angle_test(*vec2, *dir, rk::AngleTest::parallel, &parallel));
    if (parallel) return RK_FAIL(RK_ERR_UNDEFINED);

    Rk_VectorStruct seen1 = {}, seen2 = {};
    RK_TRY(foot_normal_to(*vec1, *dir, &seen1));
    RK_TRY(foot_normal_to(*vec2, *dir, &seen2));
    double unsigned_angle = 0.0;
    RK_TRY(Rk_VectorAngleFromVector(&seen1, &seen2, &unsigned_angle));
    *angle = unsigned_angle;
    if (std::fabs(unsigned_angle) <= rk::zero_eps() || std::fabs(180.0 - unsigned_angle) <= rk::zero_eps())
        return 0;

    // The turn is positive when seen1 × seen2 points to the side of `dir`.
    Rk_VectorStruct turn = rk::cross(seen1, seen2);
    if (rk::is_zero_vector(turn)) return Rk_VectorCross(&seen1, &seen2, &turn);  // raises error 6
    double side = 0.0;
    RK_TRY(rk::measured_cosine(*dir, turn, &side));
    if (rk::obtuse(*dir, turn)) *angle = -unsigned_angle;
    return 0;
}

extern "C" RK_API int Rk_VectorRotate(const Rk_VectorStruct* vec, const Rk_VectorStruct* rot_vec, double angle,
                                      Rk_VectorStruct* new_vec)
{
    const Rk_VectorStruct v = *vec;
    int parallel = 0;
    RK_TRY(rk::angle_test(v, *rot_vec, rk::AngleTest::parallel, &parallel));
    if (parallel) {
        *new_vec = v;
        return 0;
    }
    // In the frame whose z is the axis and whose x half-plane holds v, v is (h, 0, z): turning it
    // is turning (h, 0) in the xy plane.
    rk::Axes frame = {};
    RK_TRY(rk::axes_by_zx(*rot_vec, v, &frame));
    const double x = rk::dot(v, frame.x);
    const double y = rk::dot(v, frame.y);
    const double z = rk::dot(v, frame.z);
    const double h = std::sqrt(x * x + y * y);
    const double r = angle * rk::kRadiansPerDegree;
    const double xr = std::cos(r) * h;
    const double yr = std::sin(r) * h;
    *new_vec = {xr * frame.x.i_comp + yr * frame.y.i_comp + z * frame.z.i_comp,
                xr * frame.x.j_comp + yr * frame.y.j_comp + z * frame.z.j_comp,
                xr * frame.x.k_comp + yr * frame.y.k_comp + z * frame.z.k_comp};
    return 0;
}

extern "C" RK_API int Rk_VectorSetByLine(Rk_VectorStruct* vec, const Rk_LineStruct* line)
{
    return Rk_VectorSetByPoints(vec, &line->point1, &line->point2);
}

extern "C" RK_API int Rk_VectorProjOnPlane(const Rk_VectorStruct* orig_vec, const Rk_PlaneStruct* plane,
                                           Rk_VectorStruct* proj_vec)
{
    return project_normal_to(*orig_vec, plane->normal, proj_vec);
}

extern "C" RK_API int Rk_VectorIsParallelToPlane(const Rk_VectorStruct* vec, const Rk_PlaneStruct* plane,
                                                 int* parallel)
{
    return Rk_VectorIsPerpToVector(vec, &plane->normal, parallel);
}

extern "C" RK_API int Rk_VectorIsPerpToPlane(const Rk_VectorStruct* vec, const Rk_PlaneStruct* plane, int* perp)
{
    return Rk_VectorIsParallelToVector(vec, &plane->normal, perp);
}

extern "C" RK_API int Rk_VectorDebugRpt(const Rk_VectorStruct* vec, Rk_ReportStruct* report)
{
    double i = 0.0;
    double j = 0.0;
    double k = 0.0;
    Rk_VectorGet(vec, &i, &j, &k);
    return rk::dump::checked_line(report, kModule, " Vector  i, j, k : %9.4f %9.4f %9.4f\n", i, j, k);
}

extern "C" RK_API int Rk_VectorDebug(const Rk_VectorStruct* vec)
{
    return rk::dump::to_console(Rk_VectorDebugRpt, vec);
}
