// The rules that complete right-handed axes from one or two given directions, shared by planes,
// frames, rotations and arcs.
#include "geometry/frame_axes.hpp"

#include "core/fail.hpp"
#include "geometry/geometry.hpp"

namespace rk {

namespace {

constexpr Rk_VectorStruct kWorldX = {1.0, 0.0, 0.0};
constexpr Rk_VectorStruct kWorldY = {0.0, 1.0, 0.0};

// The vector operations raise the errors of a zero cross product and of a vector too short to be
// made unit; they are called only for that.
int refuse_cross(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    Rk_VectorStruct c = {};
    return Rk_VectorCross(&a, &b, &c);
}

int refuse_unit(const Rk_VectorStruct& v)
{
    Rk_VectorStruct u = {};
    return Rk_VectorUnitize(&v, &u);
}

Rk_VectorStruct scaled(const Rk_VectorStruct& v, double inverse)
{
    return {v.i_comp * inverse, v.j_comp * inverse, v.k_comp * inverse};
}

// Makes the three unit axes from t_x, t_y and z, in that order, each multiplied by its inverse
// length (a unit in the last place from dividing by it). Everything stays in registers: records
// passed through memory in pieces cost stalled loads.
int unit_axes(const Rk_VectorStruct& t_x, const Rk_VectorStruct& t_y, const Rk_VectorStruct& z, Axes* axes)
{
    const double zero = zero_eps();
    const double lx = magnitude(t_x), ly = magnitude(t_y), lz = magnitude(z);
    if (lx < zero) return refuse_unit(t_x);
    if (ly < zero) return refuse_unit(t_y);
    if (lz < zero) return refuse_unit(z);
    *axes = {scaled(t_x, 1.0 / lx), scaled(t_y, 1.0 / ly), scaled(z, 1.0 / lz)};
    return 0;
}

}  // namespace

int axes_by_xy(const Rk_VectorStruct& x, const Rk_VectorStruct& y_hint, Axes* axes)
{
    const Rk_VectorStruct t_z = cross(x, y_hint);
    if (is_zero_vector(t_z)) return refuse_cross(x, y_hint);
    const Rk_VectorStruct t_y = cross(t_z, x);
    if (is_zero_vector(t_y)) return refuse_cross(t_z, x);
    return unit_axes(x, t_y, t_z, axes);
}

int axes_by_zx(const Rk_VectorStruct& z, const Rk_VectorStruct& x_hint, Axes* axes)
{
    const Rk_VectorStruct t_y = cross(z, x_hint);
    if (is_zero_vector(t_y)) return refuse_cross(z, x_hint);
    const Rk_VectorStruct t_x = cross(t_y, z);
    if (is_zero_vector(t_x)) return refuse_cross(t_y, z);
    return unit_axes(t_x, t_y, z, axes);
}

int axes_by_z(const Rk_VectorStruct& z, Axes* axes)
{
    int along_world_x = 0;
    RK_TRY(angle_test(z, kWorldX, AngleTest::parallel, &along_world_x));
    if (along_world_x) {
        const Rk_VectorStruct t_x = cross(kWorldY, z);
        if (is_zero_vector(t_x)) return refuse_cross(kWorldY, z);
        const Rk_VectorStruct t_y = cross(z, t_x);
        if (is_zero_vector(t_y)) return refuse_cross(z, t_x);
        return unit_axes(t_x, t_y, z, axes);
    }
    const Rk_VectorStruct t_y = cross(z, kWorldX);
    if (is_zero_vector(t_y)) return refuse_cross(z, kWorldX);
    const Rk_VectorStruct t_x = cross(t_y, z);
    if (is_zero_vector(t_x)) return refuse_cross(t_y, z);
    return unit_axes(t_x, t_y, z, axes);
}

}  // namespace rk
