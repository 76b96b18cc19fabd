// The rules that complete right-handed axes from one or two given directions, shared by planes,
// frames, rotations and arcs.
#include "geometry/frame_axes.hpp"

#include "core/fail.hpp"

namespace rk {

namespace {

constexpr Rk_VectorStruct kWorldX = {1.0, 0.0, 0.0};
constexpr Rk_VectorStruct kWorldY = {0.0, 1.0, 0.0};

// Makes the three unit axes from t_x, t_y and z, in that order.
int unit_axes(const Rk_VectorStruct& t_x, const Rk_VectorStruct& t_y, const Rk_VectorStruct& z, Axes* axes)
{
    Axes unit = {};
    RK_TRY(Rk_VectorUnitize(&t_x, &unit.x));
    RK_TRY(Rk_VectorUnitize(&t_y, &unit.y));
    RK_TRY(Rk_VectorUnitize(&z, &unit.z));
    *axes = unit;
    return 0;
}

}  // namespace

int axes_by_xy(const Rk_VectorStruct& x, const Rk_VectorStruct& y_hint, Axes* axes)
{
    Rk_VectorStruct t_y = {}, t_z = {};
    RK_TRY(Rk_VectorCross(&x, &y_hint, &t_z));
    RK_TRY(Rk_VectorCross(&t_z, &x, &t_y));
    return unit_axes(x, t_y, t_z, axes);
}

int axes_by_zx(const Rk_VectorStruct& z, const Rk_VectorStruct& x_hint, Axes* axes)
{
    Rk_VectorStruct t_x = {}, t_y = {};
    RK_TRY(Rk_VectorCross(&z, &x_hint, &t_y));
    RK_TRY(Rk_VectorCross(&t_y, &z, &t_x));
    return unit_axes(t_x, t_y, z, axes);
}

int axes_by_z(const Rk_VectorStruct& z, Axes* axes)
{
    int along_world_x = 0;
    RK_TRY(Rk_VectorIsParallelToVector(&z, &kWorldX, &along_world_x));
    Rk_VectorStruct t_x = {}, t_y = {};
    if (along_world_x) {
        RK_TRY(Rk_VectorCross(&kWorldY, &z, &t_x));
        RK_TRY(Rk_VectorCross(&z, &t_x, &t_y));
    } else {
        RK_TRY(Rk_VectorCross(&z, &kWorldX, &t_y));
        RK_TRY(Rk_VectorCross(&t_y, &z, &t_x));
    }
    return unit_axes(t_x, t_y, z, axes);
}

}  // namespace rk
