// The deviation of one coordinate, as the distribution record of its feature describes it: drawn
// for a sample, and summarised (mean, standard deviation, worst-case range) for the linear model.
#pragma once

#include "model/scheme.hpp"

namespace rkdatum {

struct Sampler {
    bool normal = false;
    double nominal = 0.0;
    double spread = 0.0;   // sigma of a normal, full range of a uniform
    bool has_low = false, has_high = false;
    double low = 0.0, high = 0.0;
    bool along[3] = {true, true, true};

    // The next deviation; a truncated distribution draws again until a value falls inside.
    double draw(int* seed) const;

    // The generator's values a draw takes on average: two per try for a normal, one for a
    // uniform, over the share of tries its limits keep.
    double expected_values() const;

    // Mean and standard deviation of the deviations drawn, truncation included.
    void moments(double& mean, double& std_dev) const;

    // The worst-case range of a deviation: the truncation limits where given, else 3 sigma about
    // the nominal for a normal, the whole range for a uniform.
    void worst_range(double& lowest, double& highest) const;
};

// Reads the distribution record back through the library's getters; throws LibraryFailure.
Sampler make_sampler(const FeatureVariation& variation);

}  // namespace rkdatum
