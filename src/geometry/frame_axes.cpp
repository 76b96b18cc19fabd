// The rules that complete right-handed axes from one or two given directions, shared by planes,
// frames, rotations and arcs.
#include "geometry/frame_axes.hpp"

#include "core/fail.hpp"
#include "geometry/geometry.hpp"

namespace rk {

namespace {

constexpr Rk_VectorStruct kWorldX = {1.0, 0.0, 0.0};
constexpr Rk_VectorStruct kWorldY = {0.0, 1.0, 0.0};

// Rk_VectorCross without the call; a zero cross product is refused by that function, which raises
// its error.
int cross_of(const Rk_VectorStruct& a, const Rk_VectorStruct& b, Rk_VectorStruct* c)
{
    const Rk_VectorStruct made = cross(a, b);
    if (is_zero_vector(made)) return Rk_VectorCross(&a, &b, c);
    *c = made;
    return 0;
}

// Rk_VectorUnitize without the call, multiplying by the inverse length (a unit in the last place
// from dividing by it); a vector shorter than zero_eps is refused by that function, which raises.
int unit(const Rk_VectorStruct& v, Rk_VectorStruct* u)
{
    const double length = magnitude(v);
    if (length < zero_eps()) return Rk_VectorUnitize(&v, u);
    const double inverse = 1.0 / length;
    *u = {v.i_comp * inverse, v.j_comp * inverse, v.k_comp * inverse};
    return 0;
}

// Makes the three unit axes from t_x, t_y and z, in that order.
int unit_axes(const Rk_VectorStruct& t_x, const Rk_VectorStruct& t_y, const Rk_VectorStruct& z, Axes* axes)
{
    Axes made = {};
    RK_TRY(unit(t_x, &made.x));
    RK_TRY(unit(t_y, &made.y));
    RK_TRY(unit(z, &made.z));
    *axes = made;
    return 0;
}

}  // namespace

int axes_by_xy(const Rk_VectorStruct& x, const Rk_VectorStruct& y_hint, Axes* axes)
{
    Rk_VectorStruct t_y = {}, t_z = {};
    RK_TRY(cross_of(x, y_hint, &t_z));
    RK_TRY(cross_of(t_z, x, &t_y));
    return unit_axes(x, t_y, t_z, axes);
}

int axes_by_zx(const Rk_VectorStruct& z, const Rk_VectorStruct& x_hint, Axes* axes)
{
    Rk_VectorStruct t_x = {}, t_y = {};
    RK_TRY(cross_of(z, x_hint, &t_y));
    RK_TRY(cross_of(t_y, z, &t_x));
    return unit_axes(t_x, t_y, z, axes);
}

int axes_by_z(const Rk_VectorStruct& z, Axes* axes)
{
    int along_world_x = 0;
    RK_TRY(angle_test(z, kWorldX, AngleTest::parallel, &along_world_x));
    Rk_VectorStruct t_x = {}, t_y = {};
    if (along_world_x) {
        RK_TRY(cross_of(kWorldY, z, &t_x));
        RK_TRY(cross_of(z, t_x, &t_y));
    } else {
        RK_TRY(cross_of(z, kWorldX, &t_y));
        RK_TRY(cross_of(t_y, z, &t_x));
    }
    return unit_axes(t_x, t_y, z, axes);
}

}  // namespace rk
