// The Monte Carlo run: every datum point perturbed by the distribution of its feature, both datum
// frames and the first transform rebuilt, and the displacement of every check point collected.
// All storage is taken before the first sample; the loop itself allocates nothing.
#pragma once

#include <string>
#include <vector>

#include "analysis/nominal.hpp"

namespace rkdatum {

// A deviation drawn from a distribution record, read back through the library's getters.
struct Sampler {
    bool normal = false;
    double nominal = 0.0;
    double spread = 0.0;   // sigma of a normal, full range of a uniform
    bool has_low = false, has_high = false;
    double low = 0.0, high = 0.0;
    bool along[3] = {true, true, true};

    // The next deviation; a truncated distribution draws again until a value falls inside.
    double draw(int* seed) const;
};

Sampler make_sampler(const FeatureVariation& variation);

// Running mean, spread and extremes (Welford's update: one pass, no stored values).
struct Accumulator {
    long count = 0;
    double mean = 0.0;
    double m2 = 0.0;
    double min = 0.0;
    double max = 0.0;

    void add(double value);
    double std_dev() const;   // of the population of values seen
};

struct CheckStats {
    Accumulator magnitude;
    Accumulator along[3];
    std::vector<long> histogram;   // counts of the magnitude over [min, max] in equal bins
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
    long object_redundancy_changed = 0;
    long target_redundancy_changed = 0;
    long candidates_changed = 0;
    std::vector<CheckStats> checks;
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

RunResult run_variation(const Scheme& scheme, const Nominal& nominal, Progress& progress);

}  // namespace rkdatum
