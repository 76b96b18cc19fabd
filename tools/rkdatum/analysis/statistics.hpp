// The statistics of a run, kept so that runs split into blocks, threads and machines give the
// same totals: every accumulator is a count, sums about the mean, extremes or
// co-moments, each with a merge. Also the closed forms the results need: the normal distribution
// and Wilson's interval for a proportion.
#pragma once

#include <cstddef>
#include <vector>

namespace rkdatum {

// Count, mean, sum of squared deviations and extremes of one value (Welford's update; Chan's merge).
// An update takes `share`, 1 / the count with the new value: every accumulator of a sample has the
// same count, so the sample divides once for all of them.
struct Moments {
    long count = 0;
    double mean = 0.0;
    double m2 = 0.0;
    double min = 0.0;
    double max = 0.0;

    void add(double value, double share)
    {
        min = count == 0 || value < min ? value : min;
        max = count == 0 || value > max ? value : max;
        ++count;
        const double delta = value - mean;
        mean += delta * share;
        m2 += delta * (value - mean);
    }
    void merge(const Moments& other);
    double std_dev() const;   // of the population of values seen
};

// A second value y taken with a first, x, whose Moments are kept beside it (a measurement against
// each feature's linear part): y's mean and sum of squared deviations and the co-moment of x and y.
// The count and x's moments are those of x's Moments, shared by every y taken with it.
struct Against {
    double mean = 0.0, m2 = 0.0, cxy = 0.0;

    // `dx`: x less x's mean before this sample; `share` as for Moments::add.
    void add(double dx, double y, double share)
    {
        const double dy = y - mean;
        mean += dy * share;
        m2 += dy * (y - mean);
        cxy += dx * (y - mean);
    }
    // Chan's merge of `other`, which came with `n_b` values, into this, with `n_a`; `dx` is the
    // difference of x's means (other's less this one's).
    void merge(const Against& other, double n_a, double n_b, double dx);
    // The share of x's variance (m2x, x's sum of squared deviations) that a linear function of y
    // explains, the squared correlation: 0 when y does not vary, NaN when x does not.
    double r_squared(double m2x) const;
};

double normal_cdf(double z);
double normal_pdf(double z);

// The share of a normal distribution (mean, std_dev) outside [low, high]; a missing limit is
// given as an infinity.
double normal_share_outside(double mean, double std_dev, double low, double high);

// Mean and standard deviation of a normal distribution cut to [low, high] (infinities allowed).
void truncated_normal_moments(double mean, double std_dev, double low, double high, double& cut_mean,
                              double& cut_std_dev);

// Wilson's score interval at 95% for `hits` of `trials`; [0, 0] when there are no trials.
void wilson_interval(long hits, long trials, double& low, double& high);

}  // namespace rkdatum
