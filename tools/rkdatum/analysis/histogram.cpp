// Fixed bins: the linear middle and the logarithmic tails, and what is read from their counts.
#include "analysis/histogram.hpp"

#include <algorithm>
#include <cmath>

namespace rkdatum {

namespace {

constexpr double kLinearScales = 8.0;    // the middle covers the centre +- 8 scales
constexpr double kPerScale = 128.0;      // bins per scale in the middle
constexpr int kMiddle = 2048;            // bins of the middle; bin kMiddle / 2 + k starts at k / 128 scales
constexpr int kTail = (kBins - kMiddle) / 2;
constexpr double kPerDoubling = 16.0;    // tail bins per doubling of the distance

// The distance from the centre, in scales, at which tail bin j (0 nearest) starts.
double tail_start(int j) { return kLinearScales * std::exp2(j / kPerDoubling); }

}  // namespace

BinLayout layout_for(double centre, double spread)
{
    return {centre, spread > 0.0 ? spread : 1e-6 * std::max(1.0, std::fabs(centre))};
}

int bin_of(const BinLayout& layout, double value)
{
    const double d = (value - layout.centre) / layout.scale;
    if (d >= -kLinearScales && d < kLinearScales)   // d * 128 + 1024 lies in [0, 2048): truncation is floor
        return std::min(kTail + static_cast<int>(d * kPerScale + kMiddle / 2), kTail + kMiddle - 1);
    const double j = std::floor(kPerDoubling * std::log2(std::fabs(d) / kLinearScales));
    const int tail = j >= 0.0 && j < kTail ? static_cast<int>(j) : (j < 0.0 ? 0 : kTail - 1);   // NaN: the far end
    return d > 0.0 ? kTail + kMiddle + tail : kTail - 1 - tail;
}

double bin_low(const BinLayout& layout, int bin)
{
    double d = 0.0;
    if (bin < kTail) d = -tail_start(kTail - bin);
    else if (bin < kTail + kMiddle) d = (bin - kTail - kMiddle / 2) / kPerScale;
    else d = tail_start(bin - kTail - kMiddle);
    return layout.centre + layout.scale * d;
}

double bin_high(const BinLayout& layout, int bin)
{
    return bin + 1 < kBins ? bin_low(layout, bin + 1) : layout.centre + layout.scale * tail_start(kTail);
}

void Histogram::merge(const Histogram& other)
{
    for (std::size_t b = 0; b < counts.size(); ++b) counts[b] += other.counts[b];
}

double percentile(const Histogram& h, double p, double min, double max)
{
    long n = 0;
    for (long c : h.counts) n += c;
    if (n == 0) return NAN;
    const double rank = p * static_cast<double>(n - 1);
    const long k = static_cast<long>(std::floor(rank));
    // The k-th value (from 0) and the next, each where the values of its bin fall when spread evenly.
    double at[2] = {min, max};
    long before = 0;
    int found = 0;
    for (int b = 0; b < kBins && found < 2; ++b) {
        const long c = h.counts[static_cast<std::size_t>(b)];
        while (found < 2 && k + found < before + c) {
            const double share = (static_cast<double>(k + found - before) + 0.5) / static_cast<double>(c);
            at[found] = bin_low(h.layout, b) + share * (bin_high(h.layout, b) - bin_low(h.layout, b));
            ++found;
        }
        before += c;
    }
    const double value = at[0] + (rank - static_cast<double>(k)) * (at[1] - at[0]);
    return std::clamp(value, min, max);
}

std::vector<long> bars(const Histogram& h, double low, double high, int bars)
{
    std::vector<long> counts(static_cast<std::size_t>(bars), 0);
    const double width = (high - low) / bars;
    for (int b = 0; b < kBins; ++b) {
        const long c = h.counts[static_cast<std::size_t>(b)];
        if (c == 0) continue;
        const double middle = std::clamp((bin_low(h.layout, b) + bin_high(h.layout, b)) / 2.0, low, high);
        const int bar = width > 0.0 ? static_cast<int>((middle - low) / width) : 0;
        counts[static_cast<std::size_t>(std::clamp(bar, 0, bars - 1))] += c;
    }
    return counts;
}

}  // namespace rkdatum
