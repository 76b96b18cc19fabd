// Counts of a value on bins fixed before the first sample, from a centre and a scale that the
// nominal scheme and its sensitivities give. Counts on fixed bins add up exactly, so histograms of
// blocks, threads and machines merge into the one a single run would count; the percentiles, the
// report's histograms and the plots are all read from them.
//
// The bins: within 8 scales of the centre, 128 equal bins per scale; beyond, on each side, 16 bins
// per doubling of the distance from the centre, over 64 doublings (the last bins take whatever
// lies further). A value is then placed within 1/256 of a scale near the centre, and within about
// 2% of its distance from the centre far out, whatever the spread turns out to be.
#pragma once

#include <vector>

namespace rkdatum {

struct BinLayout {
    double centre = 0.0;
    double scale = 1.0;   // above 0
};

// The layout for values expected about `centre` with the spread `spread`; a spread of 0 (a
// measurement that has no slope at its nominal) takes a millionth of the centre's size, at least a
// millionth, so that the logarithmic bins place whatever the samples show.
BinLayout layout_for(double centre, double spread);

constexpr int kBins = 4096;

int bin_of(const BinLayout& layout, double value);
double bin_low(const BinLayout& layout, int bin);
double bin_high(const BinLayout& layout, int bin);

struct Histogram {
    BinLayout layout;
    std::vector<long> counts = std::vector<long>(kBins, 0);

    void add(double value) { ++counts[static_cast<std::size_t>(bin_of(layout, value))]; }
    void merge(const Histogram& other);
};

// The value at rank p (n - 1) of the n values counted (0 the smallest), each bin's values taken as
// spread evenly over it and interpolated between neighbours, kept within [min, max], the exact
// extremes. NaN when nothing was counted.
double percentile(const Histogram& h, double p, double min, double max);

// The counts in `bars` equal bars from `low` to `high`, each bin counted in the bar that holds its
// middle (clamped to [low, high]).
std::vector<long> bars(const Histogram& h, double low, double high, int bars);

}  // namespace rkdatum
