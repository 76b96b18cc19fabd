// The rules that complete right-handed axes from one or two given directions, shared by planes,
// frames, rotations and arcs.
#include "geometry/frame_axes.hpp"

#include "core/fail.hpp"
#include "geometry/geometry.hpp"

namespace rk {

namespace {

constexpr Rk_VectorStruct kWorldX = {1.0, 0.0, 0.0};
constexpr Rk_VectorStruct kWorldY = {0.0, 1.0, 0.0};

}  // namespace

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

int axes_by_xy(const Rk_VectorStruct& x, const Rk_VectorStruct& y_hint, Axes* axes)
{
    const Rk_VectorStruct t_z = cross(x, y_hint);
    if (is_zero_vector(t_z)) return refuse_cross(x, y_hint);
    const Rk_VectorStruct t_y = cross(t_z, x);
    if (is_zero_vector(t_y)) return refuse_cross(t_z, x);
    return unit_axes(x, t_y, t_z, axes);
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
