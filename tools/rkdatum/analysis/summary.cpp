// Per measurement: the linear model's results, the sampled statistics and the contributors.
// Percentiles are read from the run's fixed bins (analysis/histogram.hpp); the interval of the
// share out of limits is Wilson's score interval, which stays inside [0, 1] and gives an upper
// bound when no sample falls outside; Cp and Cpk take the samples' standard deviation.
#include "analysis/summary.hpp"

#include <algorithm>
#include <cmath>

namespace rkdatum {

namespace {

void sampled(const Measurement& def, const MeasureTally& t, const Histogram& bins, MeasurementSummary& s)
{
    const double n = static_cast<double>(t.values.count);
    s.mean = t.values.mean;
    s.std_dev = t.values.std_dev();
    s.min = t.values.min;
    s.max = t.values.max;
    s.p00135 = percentile(bins, 0.00135, s.min, s.max);
    s.p50 = percentile(bins, 0.5, s.min, s.max);
    s.p99865 = percentile(bins, 0.99865, s.min, s.max);
    s.out = t.below + t.above;
    s.percent_out = 100.0 * static_cast<double>(s.out) / n;
    s.ppm_out = 1e6 * static_cast<double>(s.out) / n;
    wilson_interval(s.out, t.values.count, s.ci_low, s.ci_high);
    s.ci_low *= 100.0;
    s.ci_high *= 100.0;
    if (!(s.std_dev > 0.0)) return;
    const double upper = def.has_usl ? (def.usl - s.mean) / (3.0 * s.std_dev) : NAN;
    const double lower = def.has_lsl ? (s.mean - def.lsl) / (3.0 * s.std_dev) : NAN;
    if (def.has_lsl && def.has_usl) {
        s.cp = (def.usl - def.lsl) / (6.0 * s.std_dev);
        s.cpk = std::min(upper, lower);
    } else if (def.has_lsl || def.has_usl) {
        s.cpk = def.has_usl ? upper : lower;
    }
}

void by_rss_share(std::vector<Contributor>& list)
{
    std::stable_sort(list.begin(), list.end(), [](const Contributor& a, const Contributor& b) {
        return (std::isnan(b.rss_percent) ? -1.0 : b.rss_percent) < (std::isnan(a.rss_percent) ? -1.0 : a.rss_percent);
    });
}

void contributors(const Inputs& inputs, const LinearModel& model, const MeasureTally* t, MeasurementSummary& s)
{
    double variance = 0.0;
    for (double v : model.feature_variance) variance += v;
    double explained = 0.0;
    std::vector<bool> owns(model.part_variance.size(), false);
    for (std::size_t f = 0; f < model.feature_variance.size(); ++f) {
        Contributor c;
        c.index = f;
        c.rss_percent = variance > 0.0 ? 100.0 * model.feature_variance[f] / variance : NAN;
        c.mc_percent = t != nullptr ? 100.0 * t->features[f].r_squared(t->values.m2) : NAN;
        explained += c.mc_percent;
        s.contributors.push_back(c);
        owns[inputs.features[f].part] = true;
    }
    if (t != nullptr && !std::isnan(explained)) s.mc_unexplained = std::max(0.0, 100.0 - explained);
    for (std::size_t p = 0; p < owns.size(); ++p) {
        if (!owns[p]) continue;
        const double rss = variance > 0.0 ? 100.0 * model.part_variance[p] / variance : NAN;
        s.parts.push_back({p, rss, t != nullptr ? 100.0 * t->parts[p].r_squared(t->values.m2) : NAN});
    }
    by_rss_share(s.contributors);
    by_rss_share(s.parts);
}

std::vector<MeasurementSummary> summarise(const Scheme& scheme, const Nominal& nominal, const Inputs& inputs,
                                          const std::vector<LinearModel>& models, const RunResult* run)
{
    std::vector<MeasurementSummary> result(scheme.measurements.size());
    const bool has_samples = run != nullptr && run->total.used > 0;
    for (std::size_t m = 0; m < result.size(); ++m) {
        const Measurement& def = scheme.measurements[m];
        MeasurementSummary& s = result[m];
        s.nominal = nominal.placed.values[m];
        s.rss_percent_out = 100.0 * normal_share_outside(models[m].rss_mean, models[m].rss_std_dev,
                                                         def.has_lsl ? def.lsl : -HUGE_VAL,
                                                         def.has_usl ? def.usl : HUGE_VAL);
        const MeasureTally* t = has_samples ? &run->total.measures[m] : nullptr;
        if (t != nullptr) {
            s.samples_used = run->total.used;
            sampled(def, *t, run->measure_bins[m], s);
        }
        contributors(inputs, models[m], t, s);
    }
    return result;
}

}  // namespace

Results prepare(const Scheme& scheme)
{
    Results r;
    r.nominal = analyse(scheme);
    r.inputs = varying_inputs(scheme);
    r.has_run = scheme.variation.present;
    std::vector<double> check_spread(scheme.checks.size(), 0.0);
    if (!scheme.measurements.empty() || r.has_run) r.models = linearise(scheme, r.inputs, r.nominal, check_spread);
    for (const LinearModel& m : r.models) r.layouts.push_back(layout_for(m.rss_mean, m.rss_std_dev));
    for (double spread : check_spread) r.layouts.push_back(layout_for(0.0, spread));
    return r;
}

void conclude(const Scheme& scheme, Results& r)
{
    r.measurements = summarise(scheme, r.nominal, r.inputs, r.models, r.has_run ? &r.run : nullptr);
}

Results run_analyses(const Scheme& scheme, const RunOptions& options, Progress& progress)
{
    Results r = prepare(scheme);
    if (r.has_run) {
        RunPlan plan;
        plan.samples = scheme.variation.samples;
        plan.blocks = shard_blocks(block_count(plan.samples), options.shard, options.shards);
        plan.threads = options.threads;
        plan.keep_images = options.keep_images;
        r.run = run_variation(scheme, r.nominal, r.inputs, r.models, r.layouts, plan, progress);
    }
    conclude(scheme, r);
    return r;
}

}  // namespace rkdatum
