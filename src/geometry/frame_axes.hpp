// The rules that complete a right-handed orthonormal set of axes: from an x direction and a
// vector of the xy half-plane, from a z direction and a vector of the zx half-plane, or from z
// alone. Frames, plane points and rotations all rest on them. Failures are raised by the vector
// operations (error 6 in src/rk_vec).
#pragma once

#include "rk_basekit.h"

namespace rk {

struct Axes {
    Rk_VectorStruct x;
    Rk_VectorStruct y;
    Rk_VectorStruct z;
};

// x made unit, y = unit((x × y_hint) × x), z = unit(x × y_hint): y_hint only picks the half-plane.
int axes_by_xy(const Rk_VectorStruct& x, const Rk_VectorStruct& y_hint, Axes* axes);

// y = unit(z × x_hint), x = unit((z × x_hint) × z), z made unit: x_hint only picks the half-plane.
int axes_by_zx(const Rk_VectorStruct& z, const Rk_VectorStruct& x_hint, Axes* axes);

// The world x axis is the reference for x (projected on the plane normal to z); when z lies
// within angle_eps of the world x axis, in either sense, the world y axis is the reference for y.
int axes_by_z(const Rk_VectorStruct& z, Axes* axes);

}  // namespace rk
