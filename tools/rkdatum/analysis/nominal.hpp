// The nominal analysis of a datum scheme: the object's and the target's datum reference frames,
// the candidate transforms that carry the object onto the target with the images of the check
// points, the fixture's degrees of freedom mapped into the object's datum frame and the nominal
// value of every measurement.
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
    std::vector<double> values;   // per measurement, under transform 1
};

// One analysis of the scheme with its datum features replaced by `work` (one DatumSet per part):
// what each sample and each step of the sensitivities needs. Its vectors are sized once by
// make_evaluation, so evaluating allocates nothing.
struct Evaluation {
    int object_redundant = 0, target_redundant = 0, num_tfms = 0;
    std::vector<std::array<double, 3>> images;   // per check point, under transform 1
    std::vector<double> values;                  // per measurement
};

Evaluation make_evaluation(const Scheme& scheme);

// Returns the library's status; a failure leaves its error queued and `out` partly written.
int evaluate(const Scheme& scheme, std::vector<DatumSet>& work, Evaluation& out);

// The library calls on a datum set, shared by the nominal analysis and the variation run; each
// returns the library's status and leaves its error queued.
int build_frame(DatumSet& datums, double eps, Rk_RefFrameStruct* frame, int* redundant);
int build_transforms(DatumSet& object, DatumSet& target, double eps, int* num_tfms, Rk_TransformStruct tfms[4]);
int carry(const Rk_TransformStruct& tfm, const double xyz[3], std::array<double, 3>& image);

// Runs the nominal analysis; a failing library call throws LibraryFailure naming the step, with
// the cause left on the error queue.
Nominal analyse(const Scheme& scheme);

}  // namespace rkdatum
