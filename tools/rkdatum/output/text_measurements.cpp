// The text report's tables of the measurements: nominal and limits; worst case and root sum square
// from the sensitivities; the Monte Carlo statistics against the limits; and per measurement its
// contributors by both, per feature and (with more than one located part) per part.
#include <algorithm>
#include <cmath>

#include "output/text_writer.hpp"

namespace rkdatum {

namespace {

constexpr int kColumn = 14;
// Above this share of unexplained variance the report warns that the linear model does not hold.
constexpr double kNonLinearPercent = 5.0;

std::size_t name_width(const Scheme& scheme)
{
    std::size_t width = 14;
    for (const Measurement& m : scheme.measurements) width = std::max(width, m.name.size() + 2);
    return width;
}

std::string stat(double value) { return fixed(value, kStatDecimals, kColumn); }

std::string heads(std::size_t width, std::initializer_list<const char*> names)
{
    std::string text = padded("Measurement", width);
    for (const char* name : names) text += format("%*s", kColumn, name);
    return text;
}

void write_nominal(Writer& w, const Scheme& scheme, const Results& r, std::size_t width)
{
    w.title(std::string(scheme.single_link() ? "Measurements under transform 1, in " : "Measurements in ") +
            scheme.base_phrase() + " coordinates (angles in degrees)");
    w.indent(1);
    w.line(heads(width, {"nominal", "lsl", "usl"}) + "   definition");
    std::vector<std::string> outside;
    for (std::size_t m = 0; m < scheme.measurements.size(); ++m) {
        const Measurement& def = scheme.measurements[m];
        const double nominal = r.measurements[m].nominal;
        w.line(padded(def.name, width) + stat(nominal) + stat(def.has_lsl ? def.lsl : NAN) +
               stat(def.has_usl ? def.usl : NAN) + "   " + def.definition);
        if ((def.has_lsl && nominal < def.lsl) || (def.has_usl && nominal > def.usl)) outside.push_back(def.name);
    }
    for (const std::string& name : outside) w.line("The nominal of " + name + " lies outside its limits.");
}

void write_linear(Writer& w, const Scheme& scheme, const Results& r, std::size_t width)
{
    w.title(format("Worst case and root sum square, from the sensitivities to %zu varying coordinates",
                   r.inputs.inputs.size()));
    w.indent(1);
    w.line(heads(width, {"worst low", "worst high", "RSS mean", "RSS std dev", "RSS -3 sd", "RSS +3 sd", "RSS % out"}));
    for (std::size_t m = 0; m < scheme.measurements.size(); ++m) {
        const LinearModel& lm = r.models[m];
        w.line(padded(scheme.measurements[m].name, width) + stat(lm.worst_low) + stat(lm.worst_high) +
               stat(lm.rss_mean) + stat(lm.rss_std_dev) + stat(lm.rss_mean - 3.0 * lm.rss_std_dev) +
               stat(lm.rss_mean + 3.0 * lm.rss_std_dev) + fixed(r.measurements[m].rss_percent_out, 4, kColumn));
    }
}

void write_sampled(Writer& w, const Scheme& scheme, const Results& r, std::size_t width)
{
    w.title(format("Monte Carlo statistics of the measurements: %ld samples", r.run.total.used));
    w.indent(1);
    w.line(heads(width, {"mean", "std dev", "min", "max", "0.135%", "50%", "99.865%"}));
    for (std::size_t m = 0; m < scheme.measurements.size(); ++m) {
        const MeasurementSummary& s = r.measurements[m];
        w.line(padded(scheme.measurements[m].name, width) + stat(s.mean) + stat(s.std_dev) + stat(s.min) +
               stat(s.max) + stat(s.p00135) + stat(s.p50) + stat(s.p99865));
    }
    w.blank();
    w.line(heads(width, {"out", "% out", "95% from", "95% to", "ppm out", "Cp", "Cpk"}));
    for (std::size_t m = 0; m < scheme.measurements.size(); ++m) {
        const MeasurementSummary& s = r.measurements[m];
        w.line(padded(scheme.measurements[m].name, width) + format("%*ld", kColumn, s.out) +
               fixed(s.percent_out, 4, kColumn) + fixed(s.ci_low, 4, kColumn) + fixed(s.ci_high, 4, kColumn) +
               fixed(s.ppm_out, 1, kColumn) + fixed(s.cp, 3, kColumn) + fixed(s.cpk, 3, kColumn));
    }
}

void write_part_shares(Writer& w, const Scheme& scheme, const MeasurementSummary& s, bool sampled, std::size_t width)
{
    w.line(padded("part", width) + format("%10s", "RSS") + (sampled ? format("%10s", "MC") : ""));
    for (const Contributor& c : s.parts)
        w.line(padded(scheme.parts[c.index].name, width) + fixed(c.rss_percent, 2, 10) +
               (sampled ? fixed(c.mc_percent, 2, 10) : ""));
}

void write_contributors(Writer& w, const Scheme& scheme, const Measurement& def, const MeasurementSummary& s,
                        const Inputs& inputs, bool sampled)
{
    w.indent(1);
    w.blank();
    w.line("Contributors to " + def.name + ", in percent of its variance");
    w.indent(2);
    if (s.contributors.empty()) {
        w.line("No feature varies.");
        return;
    }
    const std::size_t width = feature_width(inputs);
    w.line(padded("feature", width) + format("%10s", "RSS") + (sampled ? format("%10s", "MC") : ""));
    for (const Contributor& c : s.contributors)
        w.line(padded(inputs.features[c.index].name, width) + fixed(c.rss_percent, 2, 10) +
               (sampled ? fixed(c.mc_percent, 2, 10) : ""));
    if (sampled) w.line(padded("unexplained", width) + std::string(10, ' ') + fixed(s.mc_unexplained, 2, 10));
    if (!scheme.single_link()) write_part_shares(w, scheme, s, sampled, width);
    if (sampled && s.mc_unexplained > kNonLinearPercent)
        w.line(format("More than %g%% of the sampled variance follows no feature's linear part: the measurement is "
                      "not linear in the deviations, and the worst case and RSS do not describe it; the samples do.",
                      kNonLinearPercent));
}

}  // namespace

void write_measurements(Writer& w, const Scheme& scheme, const Results& r)
{
    if (scheme.measurements.empty()) return;
    const std::size_t width = name_width(scheme);
    write_nominal(w, scheme, r, width);
    if (!r.has_run) return;
    write_linear(w, scheme, r, width);
    const bool sampled = r.run.total.used > 0;
    if (sampled) write_sampled(w, scheme, r, width);
    w.title(sampled ? "Contributors: shares of the variance by the linear model (RSS) and in the samples (MC)"
                    : "Contributors: shares of the variance by the linear model (RSS)");
    for (std::size_t m = 0; m < scheme.measurements.size(); ++m)
        write_contributors(w, scheme, scheme.measurements[m], r.measurements[m], r.inputs, sampled);
}

}  // namespace rkdatum
