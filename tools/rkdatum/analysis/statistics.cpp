// Mergeable moments and the closed forms of the results.
#include "analysis/statistics.hpp"

#include <algorithm>
#include <cmath>

namespace rkdatum {

namespace {

// The two-sided 95% quantile of the standard normal distribution.
constexpr double kZ95 = 1.959963984540054;

}  // namespace

void Moments::merge(const Moments& other)
{
    if (other.count == 0) return;
    if (count == 0) {
        *this = other;
        return;
    }
    const double n_a = static_cast<double>(count);
    const double n_b = static_cast<double>(other.count);
    const double n = n_a + n_b;
    const double delta = other.mean - mean;
    mean += delta * n_b / n;
    m2 += other.m2 + delta * delta * n_a * n_b / n;
    min = std::min(min, other.min);
    max = std::max(max, other.max);
    count += other.count;
}

double Moments::std_dev() const { return count > 0 ? std::sqrt(m2 / static_cast<double>(count)) : 0.0; }

void Against::merge(const Against& other, double n_a, double n_b, double dx)
{
    if (n_b == 0.0) return;
    if (n_a == 0.0) {
        *this = other;
        return;
    }
    const double n = n_a + n_b;
    const double dy = other.mean - mean;
    mean += dy * n_b / n;
    m2 += other.m2 + dy * dy * n_a * n_b / n;
    cxy += other.cxy + dx * dy * n_a * n_b / n;
}

double Against::r_squared(double m2x) const
{
    if (!(m2x > 0.0)) return NAN;
    if (!(m2 > 0.0)) return 0.0;
    return std::min(1.0, cxy * cxy / (m2x * m2));
}

double normal_cdf(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

double normal_pdf(double z) { return std::exp(-0.5 * z * z) / std::sqrt(2.0 * M_PI); }

double normal_share_outside(double mean, double std_dev, double low, double high)
{
    if (!(std_dev > 0.0)) return (mean < low || mean > high) ? 1.0 : 0.0;
    return normal_cdf((low - mean) / std_dev) + normal_cdf((mean - high) / std_dev);
}

void truncated_normal_moments(double mean, double std_dev, double low, double high, double& cut_mean,
                              double& cut_std_dev)
{
    cut_mean = mean;
    cut_std_dev = std_dev;
    if (!(std_dev > 0.0)) return;
    const double a = (low - mean) / std_dev;
    const double b = (high - mean) / std_dev;
    const double kept = normal_cdf(b) - normal_cdf(a);
    // An infinite limit contributes nothing: its density and its density times the limit are 0.
    const double pa = std::isinf(a) ? 0.0 : normal_pdf(a);
    const double pb = std::isinf(b) ? 0.0 : normal_pdf(b);
    const double apa = std::isinf(a) ? 0.0 : a * pa;
    const double bpb = std::isinf(b) ? 0.0 : b * pb;
    const double shift = (pa - pb) / kept;
    cut_mean = mean + std_dev * shift;
    cut_std_dev = std_dev * std::sqrt(std::max(0.0, 1.0 + (apa - bpb) / kept - shift * shift));
}

void wilson_interval(long hits, long trials, double& low, double& high)
{
    low = high = 0.0;
    if (trials <= 0) return;
    const double n = static_cast<double>(trials);
    const double p = static_cast<double>(hits) / n;
    const double z2 = kZ95 * kZ95;
    const double centre = (p + z2 / (2.0 * n)) / (1.0 + z2 / n);
    const double half = kZ95 / (1.0 + z2 / n) * std::sqrt(p * (1.0 - p) / n + z2 / (4.0 * n * n));
    low = std::max(0.0, centre - half);
    high = std::min(1.0, centre + half);
}

}  // namespace rkdatum
