// The tolerances in force, and the bounds the hot paths derive from them: the cosines that stand
// for the angle tolerance (and their squares with a margin), and squares that stand for the point
// and zero tolerances. rk_geom owns them and works the bounds out again whenever a tolerance is
// set. Each value is an atomic read with relaxed order, so a reader on another thread sees an old
// or a new value, never a torn one.
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

// log(zero_eps), for the closed forms of refine.cpp.
extern std::atomic<double> g_log_zero_eps;

inline double log_zero_eps() { return g_log_zero_eps.load(std::memory_order_relaxed); }

// The angles that bound the parallel and perpendicular bands, by their cosines.
enum CosineBound {
    kParallel,      // cos(angle_eps): above it, parallel in the same sense
    kAntiparallel,  // cos(180 - angle_eps): below it, parallel in opposite senses
    kPerpLow,       // cos(90 + angle_eps) and
    kPerpHigh,      // cos(90 - angle_eps): between them, perpendicular
    kCosineBounds
};

// Each bound's cosine, NaN when its angle lies outside 0 to 180 (the shortcut is then not used).
extern std::atomic<double> g_cosine[kCosineBounds];

inline double cosine_bound(CosineBound b) { return g_cosine[b].load(std::memory_order_relaxed); }

// Squares that stand for the tolerances, each compared with a square of the vectors in hand; out
// of reach (NaN, -1 or +infinity) where the shortcut cannot be trusted: the square of a tolerance
// that could underflow or overflow, bands that do not straddle their cosines' signs.
enum SquareBound {
    kPointBelow2,     // a squared distance under it is below point_eps
    kPointAbove2,     // a squared distance over it is above point_eps
    kZeroAbove2,      // a squared length over it is at least zero_eps
    kDirection2,      // a squared length over it is a direction every vector operation accepts:
                      // not a zero vector, at least zero_eps long, and so is its unit vector
    kParallelIn2,     // (dot product)² over it times the product of the squared lengths: parallel
    kParallelOut2,    // under it: not parallel
    kPerpendicularIn2,   // under it: perpendicular
    kPerpendicularOut2,  // over it: not perpendicular
    kNearPointBelow2,    // point_eps squared with a wider margin, for distances whose rounding
    kNearPointAbove2,    // depends on the coordinates (near_point_reach)
    kSquareBounds
};

extern std::atomic<double> g_square[kSquareBounds];

inline double square_bound(SquareBound b) { return g_square[b].load(std::memory_order_relaxed); }

// The largest coordinate for which a distance from a point to its foot, worked out through the
// foot, stays on the side of point_eps that kNearPointBelow2 and kNearPointAbove2 tell; -1 where
// those bounds cannot be trusted.
extern std::atomic<double> g_near_point_reach;

inline double near_point_reach() { return g_near_point_reach.load(std::memory_order_relaxed); }

}  // namespace rk
