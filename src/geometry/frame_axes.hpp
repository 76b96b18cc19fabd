// The rules that complete a right-handed orthonormal set of axes: from an x direction and a
// vector of the xy half-plane, from a z direction and a vector of the zx half-plane, or from z
// alone. Frames, plane points and rotations all rest on them. Failures are raised by the vector
// operations (error 6 in src/rk_vec).
#pragma once

#include "geometry/geometry.hpp"

namespace rk {

struct Axes {
    Rk_VectorStruct x;
    Rk_VectorStruct y;
    Rk_VectorStruct z;
};

// x made unit, y = unit((x × y_hint) × x), z = unit(x × y_hint): y_hint only picks the half-plane.
int axes_by_xy(const Rk_VectorStruct& x, const Rk_VectorStruct& y_hint, Axes* axes);

// The vector operations' errors of a zero cross product and of a vector too short to be made
// unit (error 6 in src/rk_vec); called only to raise them.
int refuse_cross(const Rk_VectorStruct& a, const Rk_VectorStruct& b);
int refuse_unit(const Rk_VectorStruct& v);

inline Rk_VectorStruct scaled(const Rk_VectorStruct& v, double inverse)
{
    return {v.i_comp * inverse, v.j_comp * inverse, v.k_comp * inverse};
}

// Makes the three unit axes from t_x, t_y and z, in that order, each multiplied by its inverse
// length (a unit in the last place from dividing by it). Inline, so that the axes stay in
// registers: records passed through memory in pieces cost stalled loads.
inline int unit_axes(const Rk_VectorStruct& t_x, const Rk_VectorStruct& t_y, const Rk_VectorStruct& z, Axes* axes)
{
    const double zero = zero_eps();
    const double lx = magnitude(t_x), ly = magnitude(t_y), lz = magnitude(z);
    if (lx < zero) return refuse_unit(t_x);
    if (ly < zero) return refuse_unit(t_y);
    if (lz < zero) return refuse_unit(z);
    *axes = {scaled(t_x, 1.0 / lx), scaled(t_y, 1.0 / ly), scaled(z, 1.0 / lz)};
    return 0;
}

// y = unit(z × x_hint), x = unit((z × x_hint) × z), z made unit: x_hint only picks the half-plane.
inline int axes_by_zx(const Rk_VectorStruct& z, const Rk_VectorStruct& x_hint, Axes* axes)
{
    const Rk_VectorStruct t_y = cross(z, x_hint);
    if (is_zero_vector(t_y)) return refuse_cross(z, x_hint);
    const Rk_VectorStruct t_x = cross(t_y, z);
    if (is_zero_vector(t_x)) return refuse_cross(t_y, z);
    return unit_axes(t_x, t_y, z, axes);
}

// The world x axis is the reference for x (projected on the plane normal to z); when z lies
// within angle_eps of the world x axis, in either sense, the world y axis is the reference for y.
int axes_by_z(const Rk_VectorStruct& z, Axes* axes);

}  // namespace rk
