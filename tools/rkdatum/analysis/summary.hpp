// The results of each measurement as every output shows them: the nominal and the linear model's
// worst case and root sum square, the Monte Carlo statistics against the limits, and each
// feature's share of the spread by both. NaN stands for a value that is not defined (no samples,
// no limit, no spread).
#pragma once

#include <cmath>
#include <vector>

#include "analysis/linear.hpp"
#include "analysis/montecarlo.hpp"

namespace rkdatum {

struct Contributor {
    std::size_t index = 0;     // into Inputs::features; for a part's share, into Scheme::parts
    double rss_percent = 0.0;  // its share of the linear model's variance
    double mc_percent = 0.0;   // the share of the sampled variance its linear part explains
};

struct MeasurementSummary {
    double nominal = 0.0;
    double rss_percent_out = 0.0;   // outside the limits, for a normal of the linear model's mean and spread
    long samples_used = 0;
    double mean = NAN, std_dev = NAN, min = NAN, max = NAN;
    double p00135 = NAN, p50 = NAN, p99865 = NAN;   // percentiles 0.135, 50, 99.865
    long out = 0;
    double percent_out = NAN, ci_low = NAN, ci_high = NAN, ppm_out = NAN;   // ci in percent
    double cp = NAN, cpk = NAN;
    std::vector<Contributor> contributors;   // largest RSS share first
    std::vector<Contributor> parts;          // per part owning a varying feature, its features together
    double mc_unexplained = NAN;             // percent of the sampled variance no feature's linear part explains
};

// Everything a run computes, as the outputs read it.
struct Results {
    Nominal nominal;
    Inputs inputs;
    std::vector<LinearModel> models;   // per measurement
    std::vector<BinLayout> layouts;    // the bins of each measurement's values, then each check point's
    bool has_run = false;              // the scheme has a [Variation] section (its samples may be 0)
    RunResult run;
    std::vector<MeasurementSummary> measurements;
};

// How to run the samples: on how many threads, which shard (k of n) of the blocks.
struct RunOptions {
    int threads = 1;
    long shard = 1, shards = 1;
    bool keep_images = false;
};

// The nominal analysis and the linear model, with the bins they fix; throws LibraryFailure when the
// nominal scheme or a stepped one cannot be analysed.
Results prepare(const Scheme& scheme);

// Fills the measurements' summaries from `r.run`.
void conclude(const Scheme& scheme, Results& r);

// prepare, the samples of the options' shard, and conclude.
Results run_analyses(const Scheme& scheme, const RunOptions& options, Progress& progress);

}  // namespace rkdatum
