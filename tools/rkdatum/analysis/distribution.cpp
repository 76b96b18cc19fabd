// Drawing deviations and summarising their distributions. Draws come from the library's seeded
// generator (the draws themselves are in the header, to be inlined into the sampling loop).
#include "analysis/distribution.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/statistics.hpp"
#include "library/session.hpp"

namespace rkdatum {

namespace {

constexpr double kValuesPerNormal = 4.0 / 3.141592653589793;

}  // namespace

double Sampler::expected_values() const
{
    const double lo = has_low ? low : -HUGE_VAL;
    const double hi = has_high ? high : HUGE_VAL;
    double kept = 1.0;
    if (spread > 0.0 && normal) kept = normal_cdf((hi - nominal) / spread) - normal_cdf((lo - nominal) / spread);
    else if (spread > 0.0) kept = std::max(0.0, std::min(hi, nominal + spread / 2.0) - std::max(lo, nominal - spread / 2.0)) / spread;
    return (normal ? kValuesPerNormal : 1.0) / std::max(kept, 1e-3);
}

void Sampler::moments(double& mean, double& std_dev) const
{
    const double lo = has_low ? low : -HUGE_VAL;
    const double hi = has_high ? high : HUGE_VAL;
    if (normal) {
        truncated_normal_moments(nominal, spread, lo, hi, mean, std_dev);
        return;
    }
    const double a = std::max(lo, nominal - spread / 2.0);
    const double b = std::min(hi, nominal + spread / 2.0);
    mean = (a + b) / 2.0;
    std_dev = (b - a) / std::sqrt(12.0);
}

void Sampler::worst_range(double& lowest, double& highest) const
{
    const double half = normal ? 3.0 * spread : spread / 2.0;
    lowest = nominal - half;
    highest = nominal + half;
    if (has_low) lowest = normal ? low : std::max(lowest, low);
    if (has_high) highest = normal ? high : std::min(highest, high);
}

Sampler make_sampler(const FeatureVariation& variation)
{
    Sampler s;
    Rk_DistribStruct record = variation.distrib;   // the getters take a writable record
    int type = 0;
    int trunc = 0;
    char* desc1 = nullptr;
    char* desc2 = nullptr;
    Rk_DistribGetType(&record, &type);
    s.normal = type == RK_DISTRIB_NORMAL;
    double zone = 0.0;
    const int status = s.normal ? Rk_DistribGetNormalValues(&record, &s.nominal, &zone, &s.spread, &trunc, &s.low,
                                                            &s.high, &desc1, &desc2)
                                : Rk_DistribGetUniformValues(&record, &s.nominal, &s.spread, &trunc, &s.low, &s.high,
                                                             &desc1, &desc2);
    if (status != 0) throw LibraryFailure(std::string("cannot read the distribution of ") + record.name);
    s.has_low = (trunc & 1) != 0;
    s.has_high = (trunc & 2) != 0;
    std::copy(variation.along, variation.along + 3, s.along);
    return s;
}

}  // namespace rkdatum
