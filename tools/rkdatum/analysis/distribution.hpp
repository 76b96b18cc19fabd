// The deviation of one coordinate, as the distribution record of its feature describes it: drawn
// for a sample, and summarised (mean, standard deviation, worst-case range) for the linear model.
#pragma once

#include <algorithm>
#include <cmath>

#include <rk_basekit.h>

#include "model/scheme.hpp"

namespace rkdatum {

// The generator's stream as the samplers take it: uniform values from Rk_MathSeededRandom, and
// standard normal deviates made two at a time from pairs of them by Marsaglia's polar method (no
// trigonometry: a pair inside the unit circle, about 4 in 5, gives two), the second kept for the
// next normal draw.
struct Stream {
    int seed = 1;
    bool has_spare = false;
    double spare = 0.0;

    double uniform() { return Rk_MathSeededRandom(&seed); }

    // (u, v) uniform in the square [-1, 1]^2, kept inside the unit circle (s = u^2 + v^2 < 1, not
    // 0): u and v times sqrt(-2 ln s / s) are two independent standard normal deviates.
    double normal()
    {
        if (has_spare) {
            has_spare = false;
            return spare;
        }
        double u = 0.0, v = 0.0, s = 0.0;
        do {
            u = 2.0 * uniform() - 1.0;
            v = 2.0 * uniform() - 1.0;
            s = u * u + v * v;
        } while (s >= 1.0 || s == 0.0);
        const double factor = std::sqrt(-2.0 * std::log(s) / s);
        spare = v * factor;
        has_spare = true;
        return u * factor;
    }
};

struct Sampler {
    bool normal = false;
    double nominal = 0.0;
    double spread = 0.0;   // sigma of a normal, full range of a uniform
    bool has_low = false, has_high = false;
    double low = 0.0, high = 0.0;
    bool along[3] = {true, true, true};

    // The next deviation; a truncated distribution draws again until a value falls inside.
    double draw(Stream& stream) const
    {
        double value = nominal;
        for (int attempt = 0; attempt < kMaxTries; ++attempt) {
            value = nominal + spread * (normal ? stream.normal() : stream.uniform() - 0.5);
            if ((!has_low || value >= low) && (!has_high || value <= high)) return value;
        }
        // Reached only if a window kept almost nothing, which reading the scheme refuses.
        if (has_low) value = std::max(value, low);
        return has_high ? std::min(value, high) : value;
    }
    static constexpr int kMaxTries = 100000;

    // The generator's values a draw takes on average: 4/pi per try for a normal (8/pi for a pair),
    // one for a uniform, over the share of tries its limits keep.
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
