// The Monte Carlo run: every varying coordinate drawn from its feature's distribution, every
// placement rebuilt down the chain, and the change of every placement, the displacement of every
// check point and the value of every measurement collected. Samples run in blocks whose tallies
// merge into the run's; all storage is taken before the first sample, so the loop allocates nothing.
#pragma once

#include <string>
#include <vector>

#include "analysis/linear.hpp"
#include "analysis/nominal.hpp"
#include "analysis/statistics.hpp"

namespace rkdatum {

struct CheckTally {
    Moments magnitude;
    Moments along[3];
    void merge(const CheckTally& other);
};

// How a part's placement moved from its nominal: the displacement of the part's origin (in the
// base's axes) and the turn that carries the nominal placement's axes onto the sample's, as an
// angle and as a rotation vector (degrees about the base's axes).
struct PlacementTally {
    Moments distance;
    Moments along[3];
    Moments turn;
    Moments about[3];
    void merge(const PlacementTally& other);
};

struct MeasureTally {
    Moments values;
    long below = 0, above = 0;        // samples below the lower limit, above the upper
    std::vector<CoMoments> features;  // the value against each varying feature's linear part
    std::vector<CoMoments> parts;     // against the sum of the linear parts of each part's features
    void merge(const MeasureTally& other);
};

// What a block of samples adds up; blocks merge in order into the run's total.
struct Tally {
    long used = 0;
    std::vector<long> redundancy_changed;   // per feature set: samples whose frame dropped another feature
    long candidates_changed = 0;            // samples where some part had another number of candidates
    std::vector<PlacementTally> placements; // per part
    std::vector<CheckTally> checks;
    std::vector<MeasureTally> measures;
    void merge(const Tally& other);
};

// Failures of samples grouped by error id and location.
struct FailureKind {
    long id = 0;
    char location[RK_TEXT_MAX + 1] = "";
    long count = 0;
};

struct RunResult {
    long samples = 0;
    long used = 0;
    long failed = 0;
    Tally total;
    std::vector<std::vector<long>> histograms;   // per check point: its distance over [min, max] in equal bins
    std::vector<double> values;      // per measurement, per used sample: values[m * samples + k]
    std::vector<double> images;      // when kept: per used sample, per check point, x y z
    std::vector<long> sample_of;     // when images are kept: the number (from 1) of each used sample
    long first_failed_sample = 0;              // 1-based; 0 when none failed
    std::vector<ErrorText> first_failure;      // the errors of that sample, with their texts
    std::vector<FailureKind> failure_kinds;    // all failures by id and location
    long other_failures = 0;                   // failures of kinds beyond those kept
    double seconds = 0.0;
};

// Shows progress on standard error once a run has taken longer than a second and a half.
class Progress {
public:
    explicit Progress(bool enabled) : enabled_(enabled) {}
    void start(long total);
    void update(long done);
    void finish();

private:
    bool enabled_;
    bool shown_ = false;
    long total_ = 0;
    double started_ = 0.0;
    double last_ = 0.0;
};

// Runs the scheme's samples (none when it asks for 0). `models` gives each measurement's
// sensitivities, from which each feature's linear part in a sample is formed; `keep_images` keeps
// every check point's image of every sample.
RunResult run_variation(const Scheme& scheme, const Nominal& nominal, const Inputs& inputs,
                        const std::vector<LinearModel>& models, bool keep_images, Progress& progress);

}  // namespace rkdatum
