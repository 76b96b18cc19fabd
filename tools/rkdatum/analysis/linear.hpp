// The linear model of the measurements: the varying coordinates (inputs), each measurement's
// sensitivity to each by central differences through the library, and what follows without
// sampling: the worst case, the root-sum-square spread and each feature's share of it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/distribution.hpp"
#include "analysis/nominal.hpp"

namespace rkdatum {

// One varying coordinate: a datum point's coordinate along an axis its feature varies along.
struct Input {
    std::size_t feature = 0;   // into Inputs::features
    int row = 0, axis = 0;
    double mean = 0.0, std_dev = 0.0;        // of its deviation, truncation included
    double lowest = 0.0, highest = 0.0;      // its worst-case range
    double step = 0.0;                       // of the central differences
};

struct VaryingFeature {
    std::size_t set = 0;      // into Scheme::sets
    std::size_t part = 0;     // the part the feature belongs to: the set's owner
    int precedence = 0;
    std::string name;         // "object primary", "bracket seat primary"
    Sampler sampler;
    std::size_t first = 0, end = 0;   // its inputs
};

// The inputs in the order a sample draws them: feature set by set (each located part's datum
// features, then its seat), feature by feature, point by point, x before y before z.
struct Inputs {
    std::vector<VaryingFeature> features;
    std::vector<Input> inputs;
    std::vector<bool> part_varies;   // per part: whether its placement varies
};

Inputs varying_inputs(const Scheme& scheme);

struct LinearModel {
    std::vector<double> sensitivity;        // per input
    double worst_low = 0.0, worst_high = 0.0;
    double rss_mean = 0.0, rss_std_dev = 0.0;
    std::vector<double> feature_variance;   // per varying feature: its inputs' (sensitivity x std dev)^2
    std::vector<double> part_variance;      // per part: the sum over the varying features it owns
};

// Two analyses per input, once per run; throws LibraryFailure when a stepped scheme fails. Also
// gives, per check point, the root-sum-square spread of its image's displacement (the root of the
// sum over its coordinates and the inputs of (sensitivity x std dev)^2) in `check_spread`.
std::vector<LinearModel> linearise(const Scheme& scheme, const Inputs& inputs, const Nominal& nominal,
                                   std::vector<double>& check_spread);

}  // namespace rkdatum
