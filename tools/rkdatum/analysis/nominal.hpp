// The nominal analysis of a datum scheme: the object's and the target's datum reference frames,
// the candidate transforms that carry the object onto the target with the images of the check
// points, and the fixture's degrees of freedom mapped into the object's datum frame.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "library/session.hpp"
#include "model/scheme.hpp"

namespace rkdatum {

struct FrameResult {
    Rk_RefFrameStruct frame{};
    int redundant = 0;
    std::string dropped;   // which feature the library left out, when `redundant`
};

struct FixtureResult {
    Rk_RefFrameStruct fixture_frame{};
    Rk_RefFrameStruct placed_object_frame{};   // the object's datum frame carried by transform 1
    Rk_DofStruct axis_to_axis{};
    Rk_DofStruct root_sum_square{};
};

struct Nominal {
    FrameResult object, target;
    int num_tfms = 0;
    Rk_TransformStruct tfms[4]{};
    std::vector<std::array<double, 3>> images[4];   // per transform, per check point
    bool has_fixture = false;
    FixtureResult fixture;
};

// The library calls on a datum set, shared by the nominal analysis and the variation run; each
// returns the library's status and leaves its error queued.
int build_frame(DatumSet& datums, double eps, Rk_RefFrameStruct* frame, int* redundant);
int build_transforms(DatumSet& object, DatumSet& target, double eps, int* num_tfms, Rk_TransformStruct tfms[4]);
int carry(const Rk_TransformStruct& tfm, const double xyz[3], std::array<double, 3>& image);

// Runs the nominal analysis; a failing library call throws LibraryFailure naming the step, with
// the cause left on the error queue.
Nominal analyse(const Scheme& scheme);

}  // namespace rkdatum
