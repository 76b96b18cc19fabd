// The nominal analysis of an assembly: for each located part its datum reference frame and its
// seat's, the candidate transforms that carry it onto its seat with the images of its check points;
// the placement of every part in the base's coordinates (the placement of the part below composed
// with the first candidate); the check points' images there, the fixture's degrees of freedom
// mapped into a part's datum frame and the nominal value of every measurement.
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

// How one located part sits on the part below it, in that part's coordinates.
struct LinkResult {
    FrameResult datum, seat;
    int num_tfms = 0;
    Rk_TransformStruct tfms[4]{};
    std::vector<std::size_t> checks;                 // the part's own check points
    std::vector<std::array<double, 3>> images[4];    // per transform, per own check point
};

struct FixtureResult {
    Rk_RefFrameStruct fixture_frame{};
    Rk_RefFrameStruct placed_frame{};   // the part's datum frame as its placement puts it
    Rk_DofStruct axis_to_axis{};
    Rk_DofStruct root_sum_square{};
};

// One located part in one analysis: what the samples compare with the nominal, and its datum
// frame for measurements given in it. The seat's frame is the one the first candidate goes onto,
// its planes turned to face the part.
struct LinkState {
    int datum_redundant = 0, seat_redundant = 0;
    Rk_RefFrameStruct datum_frame{};
};

// A measurement's geometry in the base's coordinates: the point, a point of the line or plane (for
// a coordinate, the origin it is counted from), and the unit direction, line direction or normal.
struct Geometry {
    double origin[3] = {};
    double axis[3] = {};
};

// One analysis of the assembly with its features replaced by `work` (one DatumSet per feature set):
// what the nominal, each sample and each step of the sensitivities need. Its vectors are sized once
// by make_evaluation, so evaluating allocates nothing.
struct Evaluation {
    std::vector<LinkState> links;                  // per part; the base's is unused
    std::vector<Rk_TransformStruct> placements;    // per part, into the base's coordinates
    std::vector<std::array<double, 3>> images;     // per check point, in the base's coordinates
    std::vector<Geometry> geometry;                // per measurement
    std::vector<double> values;                    // per measurement
};

struct Nominal {
    std::vector<LinkResult> links;   // per part; the base's is empty
    Evaluation placed;               // the nominal placements, images, geometry and values
    bool has_fixture = false;
    FixtureResult fixture;
};

Evaluation make_evaluation(const Scheme& scheme);

// Returns the library's status; a failure leaves its error queued and `out` partly written. Each
// part's placement takes its first candidate transform alone, built as the library builds it (the
// part's frame carried onto its seat's, the seat's planes turned to face the part) without the
// other three orientations, which nothing varied needs.
int evaluate(const Scheme& scheme, std::vector<DatumSet>& work, Evaluation& out);

// The feature sets as the scheme gives them: the work of an evaluation before anything moves.
std::vector<DatumSet> nominal_work(const Scheme& scheme);

// The library calls on datum sets; each returns the library's status and leaves its error queued.
int build_frame(DatumSet& datums, double eps, Rk_RefFrameStruct* frame, int* redundant);
int build_transforms(DatumSet& object, DatumSet& target, double eps, int* num_tfms, Rk_TransformStruct tfms[4]);
int carry(const Rk_TransformStruct& tfm, const double xyz[3], std::array<double, 3>& image);

// Runs the nominal analysis; a failing library call throws LibraryFailure naming the step, with
// the cause left on the error queue.
Nominal analyse(const Scheme& scheme);

}  // namespace rkdatum
