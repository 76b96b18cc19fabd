// Sensitivities by central differences, and the worst case and root sum square they give.
//
// The step of an input is a hundredth of its standard deviation, and at least a thousand times
// the library's zero tolerance. Small against the tolerance, the step keeps the error of the
// central difference (which falls with the square of the step) far below the non-linearity a
// sample meets; large against the zero tolerance, within which the library's iterative
// constructions stop, it keeps that noise (and the far smaller rounding of coordinates) below a
// thousandth of a unit sensitivity. A change over the two steps within ten times the zero
// tolerance is that noise, and counts as no change: a measurement at a fold (a distance of 0,
// which grows whichever way a point moves) has no slope, not a slope of rounding.
#include "analysis/linear.hpp"

#include <algorithm>
#include <cmath>

namespace rkdatum {

namespace {

constexpr double kStepPerStdDev = 0.01;
constexpr double kStepPerZeroTolerance = 1000.0;
constexpr double kNoisePerZeroTolerance = 10.0;

double zero_tolerance()
{
    double angle_eps = 0.0, point_eps = 0.0, zero_eps = 0.0;
    Rk_GeometryGet(&angle_eps, &point_eps, &zero_eps);
    return zero_eps;
}

double step_for(double std_dev) { return std::max(kStepPerStdDev * std_dev, kStepPerZeroTolerance * zero_tolerance()); }

std::string input_name(const Inputs& inputs, const Input& in)
{
    return inputs.features[in.feature].name + " point " + std::to_string(in.row + 1) + " along " + "xyz"[in.axis];
}

// The measurements with one input moved by `offset`; throws when the library refuses the scheme.
void evaluate_moved(const Scheme& scheme, const Inputs& inputs, const Input& in, double offset,
                    std::vector<DatumSet>& work, Evaluation& out)
{
    const VaryingFeature& f = inputs.features[in.feature];
    double& coordinate = work[f.set].feature[f.precedence].rows[in.row][in.axis];
    const double nominal = coordinate;
    coordinate = nominal + offset;
    const int status = evaluate(scheme, work, out);
    coordinate = nominal;
    if (status != 0)
        throw LibraryFailure("cannot compute the sensitivities: the scheme with " + input_name(inputs, in) +
                             " moved by " + std::to_string(offset) + " cannot be analysed");
}

}  // namespace

Inputs varying_inputs(const Scheme& scheme)
{
    Inputs result;
    for (std::size_t set = 0; set < scheme.sets.size(); ++set) {
        for (int p = kPrimary; p <= kTertiary; ++p) {
            const FeatureVariation& fv = scheme.sets[set].variation[p];
            if (!fv.varies) continue;
            VaryingFeature f;
            f.set = set;
            f.part = scheme.sets[set].owner;
            f.precedence = p;
            f.name = scheme.sets[set].name + " " + precedence_name(p);
            f.sampler = make_sampler(fv);
            f.first = result.inputs.size();
            Input in;
            in.feature = result.features.size();
            f.sampler.moments(in.mean, in.std_dev);
            f.sampler.worst_range(in.lowest, in.highest);
            in.step = step_for(in.std_dev);
            for (in.row = 0; in.row < scheme.sets[set].datums.feature[p].type; ++in.row)
                for (in.axis = 0; in.axis < 3; ++in.axis)
                    if (fv.along[in.axis]) result.inputs.push_back(in);
            f.end = result.inputs.size();
            result.features.push_back(f);
        }
    }
    // A placement varies with the features of its own link and with the placement below it.
    result.part_varies.assign(scheme.parts.size(), false);
    for (std::size_t p = 1; p < scheme.parts.size(); ++p) {
        const Part& part = scheme.parts[p];
        bool varies = result.part_varies[part.parent];
        for (int f = kPrimary; f <= kTertiary; ++f)
            varies = varies || scheme.sets[part.datum_set].variation[f].varies ||
                     scheme.sets[part.seat_set].variation[f].varies;
        result.part_varies[p] = varies;
    }
    return result;
}

std::vector<LinearModel> linearise(const Scheme& scheme, const Inputs& inputs, const Nominal& nominal,
                                   std::vector<double>& check_spread)
{
    const std::size_t count = scheme.measurements.size();
    std::vector<LinearModel> models(count);
    std::vector<DatumSet> work = nominal_work(scheme);
    const double noise = kNoisePerZeroTolerance * zero_tolerance();
    Evaluation plus = make_evaluation(scheme);
    Evaluation minus = make_evaluation(scheme);
    check_spread.assign(scheme.checks.size(), 0.0);
    for (LinearModel& model : models) {
        model.sensitivity.assign(inputs.inputs.size(), 0.0);
        model.feature_variance.assign(inputs.features.size(), 0.0);
        model.part_variance.assign(scheme.parts.size(), 0.0);
    }
    for (std::size_t i = 0; i < inputs.inputs.size(); ++i) {
        const Input& in = inputs.inputs[i];
        evaluate_moved(scheme, inputs, in, in.step, work, plus);
        evaluate_moved(scheme, inputs, in, -in.step, work, minus);
        for (std::size_t m = 0; m < count; ++m) {
            const double change = plus.values[m] - minus.values[m];
            models[m].sensitivity[i] = std::fabs(change) <= noise ? 0.0 : change / (2.0 * in.step);
        }
        for (std::size_t c = 0; c < scheme.checks.size(); ++c) {
            for (int a = 0; a < 3; ++a) {
                const double change = (plus.images[c][a] - minus.images[c][a]) / (2.0 * in.step) * in.std_dev;
                check_spread[c] += change * change;
            }
        }
    }
    for (double& spread : check_spread) spread = std::sqrt(spread);
    for (std::size_t m = 0; m < count; ++m) {
        LinearModel& model = models[m];
        model.worst_low = model.worst_high = model.rss_mean = nominal.placed.values[m];
        double variance = 0.0;
        for (std::size_t i = 0; i < inputs.inputs.size(); ++i) {
            const Input& in = inputs.inputs[i];
            const double s = model.sensitivity[i];
            model.worst_low += std::min(s * in.lowest, s * in.highest);
            model.worst_high += std::max(s * in.lowest, s * in.highest);
            model.rss_mean += s * in.mean;
            const double share = (s * in.std_dev) * (s * in.std_dev);
            model.feature_variance[in.feature] += share;
            variance += share;
        }
        model.rss_std_dev = std::sqrt(variance);
        for (std::size_t f = 0; f < inputs.features.size(); ++f)
            model.part_variance[inputs.features[f].part] += model.feature_variance[f];
    }
    return models;
}

}  // namespace rkdatum
