// The tolerances in force, for the library's own hot paths: a plain read of the one record
// that rk_geom owns and Rk_GeometrySet* change.
#pragma once

#include "rk_basekit.h"

namespace rk {

extern Rk_GeometryStruct g_tolerances;

inline double angle_eps() { return g_tolerances.angle_eps; }
inline double point_eps() { return g_tolerances.point_eps; }
inline double zero_eps() { return g_tolerances.zero_eps; }

}  // namespace rk
