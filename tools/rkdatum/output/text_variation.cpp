// The text report's variation section: the distribution of every varying feature, the samples used
// and failed, each varying part's placement change (with more than one located part) and each
// check point's displacement with its histogram.
#include <algorithm>
#include <cmath>

#include "output/text_writer.hpp"

namespace rkdatum {

namespace {

constexpr int kHistogramWidth = 40;

std::string distribution_text(const FeatureVariation& fv)
{
    Rk_DistribStruct record = fv.distrib;   // the getters take a writable record
    const Sampler s = make_sampler(fv);
    char* desc1 = nullptr;
    char* desc2 = nullptr;
    Rk_DistribGetDesc(&record, &desc1, &desc2);
    std::string text = s.normal ? format("normal, sigma %g", s.spread) : format("uniform, range %g", s.spread);
    text += format(", nominal %g", s.nominal);
    if (s.has_low) text += format(", low %g", s.low);
    if (s.has_high) text += format(", high %g", s.high);
    return text + "; " + desc1 + " " + desc2;
}

void write_stats_row(Writer& w, const char* label, const Moments& a, std::size_t width = 12)
{
    w.line(padded(label, width) + fixed(a.mean, kStatDecimals, 14) + fixed(a.std_dev(), kStatDecimals, 14) +
           fixed(a.min, kStatDecimals, 14) + fixed(a.max, kStatDecimals, 14));
}

// Equal bars from the smallest to the largest distance, each counting the run's fine bins whose
// middle falls in it.
void write_histogram(Writer& w, const Moments& distance, const Histogram& bins, int count)
{
    const double low = distance.min;
    const double width = (distance.max - low) / count;
    w.line("Histogram of the distance");
    if (width <= 0.0) {
        w.line(format("all %ld samples at %s", distance.count, fixed(low, kStatDecimals, 0).c_str()));
        return;
    }
    const std::vector<long> histogram = bars(bins, low, distance.max, count);
    const long most = *std::max_element(histogram.begin(), histogram.end());
    for (std::size_t b = 0; b < histogram.size(); ++b) {
        const long count = histogram[b];
        const int bar = static_cast<int>(std::lround(static_cast<double>(kHistogramWidth) * count / most));
        const bool last = b + 1 == histogram.size();
        w.line("[" + fixed(low + width * b, kStatDecimals, 10) + "," + fixed(low + width * (b + 1), kStatDecimals, 10) +
               (last ? "]" : ")") + format("%9ld", count) + (bar > 0 ? "  " + std::string(static_cast<std::size_t>(bar), '#') : ""));
    }
}

void write_failures(Writer& w, const Tally& run)
{
    w.line(padded("Samples failed", 36) + format("%ld (the first is sample %ld)", run.failed, run.first_failed_sample));
    w.indent(2);
    for (const FailureKind& kind : run.failure_kinds)
        w.line(format("error %ld at %s: %ld", kind.id, kind.location.c_str(), kind.count));
    if (run.other_failures > 0) w.line(format("errors of other kinds: %ld", run.other_failures));
    w.line("The errors of the first failed sample:");
    for (const std::string& line : error_lines("sample " + std::to_string(run.first_failed_sample) +
                                                   " could not be analysed",
                                               run.first_failure))
        w.line(line);
    w.indent(1);
}

// How each varying part's placement moved: its origin's displacement and its turn.
void write_placement_changes(Writer& w, const Scheme& scheme, const Results& r)
{
    for (std::size_t p = 1; p < scheme.parts.size(); ++p) {
        if (!r.inputs.part_varies[p]) continue;
        const PlacementTally& t = r.run.total.placements[p];
        w.indent(1);
        w.blank();
        w.line("Placement of the " + scheme.parts[p].name + ": its origin's displacement and its turn (degrees) in " +
               scheme.base_phrase() + " axes");
        w.indent(2);
        w.line(std::string(16, ' ') + format("%14s%14s%14s%14s", "mean", "std dev", "min", "max"));
        write_stats_row(w, "origin distance", t.distance, 16);
        write_stats_row(w, "origin along x", t.along[0], 16);
        write_stats_row(w, "origin along y", t.along[1], 16);
        write_stats_row(w, "origin along z", t.along[2], 16);
        write_stats_row(w, "turn angle", t.turn, 16);
        write_stats_row(w, "turn about x", t.about[0], 16);
        write_stats_row(w, "turn about y", t.about[1], 16);
        write_stats_row(w, "turn about z", t.about[2], 16);
    }
}

std::string redundancy_counts(const Scheme& scheme, const Tally& total)
{
    std::string text;
    for (std::size_t s = 0; s < scheme.sets.size(); ++s)
        text += (s ? ", " : "") + scheme.sets[s].name + format(" %ld", total.redundancy_changed[s]);
    return text + " samples";
}

}  // namespace

void write_variation(Writer& w, const Scheme& scheme, const Results& results)
{
    const RunResult& run = results.run;
    const Variation& v = scheme.variation;
    w.title(format("Variation: %ld samples from seed %d", v.samples, v.seed));
    w.indent(1);
    const std::size_t width = feature_width(results.inputs);
    for (const VaryingFeature& f : results.inputs.features)
        w.line(padded(f.name, width) + distribution_text(scheme.sets[f.set].variation[f.precedence]));
    const bool any = !results.inputs.features.empty();
    if (!any) w.line("No feature varies.");
    if (run.samples == 0) {
        w.line(scheme.measurements.empty()
                   ? "No samples drawn (samples = 0)."
                   : "No samples drawn (samples = 0): the measurements come from the linear model alone.");
        return;
    }
    w.line(padded("Samples used", 36) + format("%ld of %ld", run.total.used, run.samples));
    if (run.total.failed > 0) write_failures(w, run.total);
    w.line(padded("Redundancy other than nominal", 36) + redundancy_counts(scheme, run.total));
    if (run.samples > run.samples_without_reuse)
        w.line(format("The generator's 2147483646 values hold %ld samples of this scheme: from sample %ld on, the "
                      "samples reuse values drawn before and are not independent of the earlier ones.",
                      run.samples_without_reuse, run.samples_without_reuse + 1));
    if (run.total.used == 0) {
        w.line("No sample could be analysed, so there are no statistics.");
        return;
    }
    if (!scheme.single_link()) write_placement_changes(w, scheme, results);
    for (std::size_t c = 0; c < scheme.checks.size(); ++c) {
        const CheckTally& stats = run.total.checks[c];
        w.indent(1);
        w.blank();
        w.line("Check point " + scheme.checks[c].name +
               (scheme.single_link() ? ": displacement of its image under transform 1"
                                     : " on the " + scheme.parts[scheme.checks[c].part].name +
                                           ": displacement of its image in " + scheme.base_phrase() + " coordinates"));
        w.indent(2);
        w.line(std::string(12, ' ') + format("%14s%14s%14s%14s", "mean", "std dev", "min", "max"));
        write_stats_row(w, "distance", stats.magnitude);
        write_stats_row(w, "along x", stats.along[0]);
        write_stats_row(w, "along y", stats.along[1]);
        write_stats_row(w, "along z", stats.along[2]);
        write_histogram(w, stats.magnitude, run.check_bins[c], v.bins);
    }
}

}  // namespace rkdatum
