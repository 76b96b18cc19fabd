// The tolerances in force, and the bounds the hot paths derive from them: cosines that stand for
// the angle tolerance and squares that stand for the point tolerance. rk_geom owns them and works
// the bounds out again whenever a tolerance is set. Each value is an atomic read with relaxed
// order, so a reader on another thread sees an old or a new value, never a torn one.
#pragma once

#include <atomic>

#include "rk_basekit.h"

namespace rk {

extern std::atomic<double> g_angle_eps;
extern std::atomic<double> g_point_eps;
extern std::atomic<double> g_zero_eps;

inline double angle_eps() { return g_angle_eps.load(std::memory_order_relaxed); }
inline double point_eps() { return g_point_eps.load(std::memory_order_relaxed); }
inline double zero_eps() { return g_zero_eps.load(std::memory_order_relaxed); }

// What a bound stands for. A cosine bound is NaN, and a square bound is out of reach, when its
// tolerance lies where the shortcut cannot be trusted; the comparisons then take the exact path.
enum Bound {
    kCosParallel,      // cos(angle_eps): above it, parallel in the same sense
    kCosAntiparallel,  // cos(180 - angle_eps): below it, parallel in opposite senses
    kCosPerpLow,       // cos(90 + angle_eps) and
    kCosPerpHigh,      // cos(90 - angle_eps): between them, perpendicular
    kPointSqBelow,     // a squared distance under it is below point_eps
    kPointSqAbove,     // a squared distance over it is above point_eps
    kBoundCount
};

extern std::atomic<double> g_bounds[kBoundCount];

inline double bound(Bound b) { return g_bounds[b].load(std::memory_order_relaxed); }

}  // namespace rk
