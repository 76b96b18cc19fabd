// Points carried between world and frame coordinates, for the modules that do it many times with
// one frame (defined in rk_reffr, whose exported transformations use them).
#pragma once

#include "rk_basekit.h"

namespace rk {

// The frame coordinates of a world point: each is the dot product with the point minus the dot
// product with the origin.
Rk_PointStruct world_to_frame(const Rk_RefFrameStruct& frame, const Rk_PointStruct& world);

// The frame whose world-to-frame transformation undoes `frame`'s: its origin is the world origin in
// `frame` coordinates and its axes complete, right-handed, the world x and y axes in `frame`
// components. Frame points become world points through world_to_frame(inverse, ...).
int inverse_frame(const Rk_RefFrameStruct& frame, Rk_RefFrameStruct* inverse);

}  // namespace rk
