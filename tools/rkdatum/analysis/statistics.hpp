// The statistics of a run, kept so that runs split into blocks, threads and machines give the
// same totals: every accumulator is a count, sums about the mean, extremes or
// co-moments, each with a merge. Also the closed forms the results need: the normal distribution
// and Wilson's interval for a proportion.
#pragma once

#include <cstddef>
#include <vector>

namespace rkdatum {

// Count, mean, sum of squared deviations and extremes of one value (Welford's update; Chan's merge).
struct Moments {
    long count = 0;
    double mean = 0.0;
    double m2 = 0.0;
    double min = 0.0;
    double max = 0.0;

    void add(double value);
    void merge(const Moments& other);
    double std_dev() const;   // of the population of values seen
};

// Count, means, sums of squared deviations and the co-moment of two values.
struct CoMoments {
    long count = 0;
    double mean_x = 0.0, mean_y = 0.0;
    double m2x = 0.0, m2y = 0.0, cxy = 0.0;

    void add(double x, double y);
    void merge(const CoMoments& other);
    // The share of x's variance that a linear function of y explains (the squared correlation):
    // 0 when y does not vary, NaN when x does not.
    double r_squared() const;
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
