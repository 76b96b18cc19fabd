// The Monte Carlo run of a datum scheme. Draws come from the library's seeded generator in a fixed
// order (object primary, secondary, tertiary, then the target's; within a feature point by point,
// x before y before z), so one seed reproduces a run exactly.
#include "analysis/montecarlo.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace rkdatum {

namespace {

constexpr std::size_t kMaxFailureKinds = 8;
constexpr int kMaxDraws = 100000;
constexpr double kTwoPi = 6.283185307179586;

// A standard normal deviate by the Box-Muller transform. The generator's values lie strictly
// between 0 and 1 for every seed a scheme accepts, so the logarithm is finite.
double gaussian(int* seed)
{
    const double u1 = Rk_MathSeededRandom(seed);
    const double u2 = Rk_MathSeededRandom(seed);
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(kTwoPi * u2);
}

double now_seconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void count_failure(RunResult& r, long id, const char* location)
{
    for (FailureKind& kind : r.failure_kinds) {
        if (kind.id == id && std::string(kind.location) == location) {
            ++kind.count;
            return;
        }
    }
    if (r.failure_kinds.size() == kMaxFailureKinds) {
        ++r.other_failures;
        return;
    }
    FailureKind kind;
    kind.id = id;
    rk_strncpy(kind.location, location, RK_TEXT_MAX);
    kind.count = 1;
    r.failure_kinds.push_back(kind);
}

// The first failing sample keeps its errors with their texts; later ones are only counted, so a
// scheme that fails often costs no allocation per sample.
void record_failure(RunResult& r, long sample)
{
    ++r.failed;
    if (r.first_failed_sample == 0) {
        r.first_failed_sample = sample + 1;
        r.first_failure = drain_errors();
        for (const ErrorText& e : r.first_failure) count_failure(r, e.id, e.location.c_str());
        return;
    }
    static Rk_ErrorStruct error;
    int found = 1;
    while (Rk_ErrorQueueGetError(&error, &found) == 0 && found) {
        long id = 0;
        char location[RK_TEXT_MAX + 1];
        Rk_ErrorGetId(&error, &id);
        Rk_ErrorGetLocation(&error, location);
        count_failure(r, id, location);
    }
}

void perturb(const Feature& nominal, const Sampler& sampler, int* seed, Feature& work)
{
    for (int row = 0; row < nominal.type; ++row)
        for (int axis = 0; axis < 3; ++axis)
            if (sampler.along[axis]) work.rows[row][axis] = nominal.rows[row][axis] + sampler.draw(seed);
}

void fill_histograms(RunResult& r, const std::vector<double>& magnitudes, int bins)
{
    for (std::size_t c = 0; c < r.checks.size(); ++c) {
        CheckStats& stats = r.checks[c];
        stats.histogram.assign(static_cast<std::size_t>(bins), 0);
        const double low = stats.magnitude.min;
        const double width = (stats.magnitude.max - low) / bins;
        const double* values = magnitudes.data() + c * static_cast<std::size_t>(r.samples);
        for (long k = 0; k < r.used; ++k) {
            int bin = width > 0.0 ? static_cast<int>((values[k] - low) / width) : 0;
            bin = std::clamp(bin, 0, bins - 1);
            ++stats.histogram[static_cast<std::size_t>(bin)];
        }
    }
}

}  // namespace

double Sampler::draw(int* seed) const
{
    double value = nominal;
    for (int attempt = 0; attempt < kMaxDraws; ++attempt) {
        value = nominal + spread * (normal ? gaussian(seed) : Rk_MathSeededRandom(seed) - 0.5);
        if ((!has_low || value >= low) && (!has_high || value <= high)) return value;
    }
    // Reached only if a window kept almost nothing, which reading the scheme refuses.
    if (has_low) value = std::max(value, low);
    if (has_high) value = std::min(value, high);
    return value;
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

void Accumulator::add(double value)
{
    ++count;
    if (count == 1) min = max = value;
    min = std::min(min, value);
    max = std::max(max, value);
    const double delta = value - mean;
    mean += delta / static_cast<double>(count);
    m2 += delta * (value - mean);
}

double Accumulator::std_dev() const { return count > 0 ? std::sqrt(m2 / static_cast<double>(count)) : 0.0; }

void Progress::start(long total)
{
    total_ = total;
    started_ = last_ = now_seconds();
}

void Progress::update(long done)
{
    if (!enabled_) return;
    const double now = now_seconds();
    if (now - started_ < 1.5 || now - last_ < 0.5) return;
    last_ = now;
    shown_ = true;
    const int percent = static_cast<int>(100.0 * static_cast<double>(done) / static_cast<double>(total_));
    if (isatty(STDERR_FILENO))
        std::fprintf(stderr, "\rrkdatum: sample %ld of %ld (%d%%)", done, total_, percent);
    else
        std::fprintf(stderr, "rkdatum: sample %ld of %ld (%d%%)\n", done, total_, percent);
}

void Progress::finish()
{
    if (shown_ && isatty(STDERR_FILENO)) std::fprintf(stderr, "\rrkdatum: %ld samples done          \n", total_);
}

RunResult run_variation(const Scheme& scheme, const Nominal& nominal, Progress& progress)
{
    const Variation& v = scheme.variation;
    const double eps = scheme.angle_tolerance;
    const std::size_t num_checks = scheme.checks.size();
    const std::size_t num_parts = scheme.parts.size();

    RunResult r;
    r.samples = v.samples;
    r.checks.resize(num_checks);
    r.failure_kinds.reserve(kMaxFailureKinds);
    std::vector<double> magnitudes(static_cast<std::size_t>(v.samples) * num_checks);
    std::vector<std::array<double, 3>> images(num_checks);
    std::vector<std::array<Sampler, 3>> samplers(num_parts);
    std::vector<DatumSet> work(num_parts);
    for (std::size_t part = 0; part < num_parts; ++part) {
        work[part] = scheme.parts[part].datums;
        for (int p = kPrimary; p <= kTertiary; ++p)
            if (scheme.parts[part].variation[p].varies) samplers[part][p] = make_sampler(scheme.parts[part].variation[p]);
    }
    int seed = v.seed;
    progress.start(v.samples);
    const double started = now_seconds();
    for (long k = 0; k < v.samples; ++k) {
        if ((k & 63) == 0) progress.update(k);
        for (std::size_t part = 0; part < num_parts; ++part)
            for (int p = kPrimary; p <= kTertiary; ++p)
                if (scheme.parts[part].variation[p].varies)
                    perturb(scheme.parts[part].datums.feature[p], samplers[part][p], &seed, work[part].feature[p]);

        Rk_RefFrameStruct object_frame, target_frame;
        Rk_TransformStruct tfms[4];
        int object_redundant = 0, target_redundant = 0, num_tfms = 0;
        bool ok = build_frame(work[kObject], eps, &object_frame, &object_redundant) == 0 &&
                  build_frame(work[kTarget], eps, &target_frame, &target_redundant) == 0 &&
                  build_transforms(work[kObject], work[kTarget], eps, &num_tfms, tfms) == 0;
        for (std::size_t c = 0; ok && c < num_checks; ++c) ok = carry(tfms[0], scheme.checks[c].xyz, images[c]) == 0;
        if (!ok) {
            record_failure(r, k);
            continue;
        }
        r.object_redundancy_changed += object_redundant != nominal.object.redundant;
        r.target_redundancy_changed += target_redundant != nominal.target.redundant;
        r.candidates_changed += num_tfms != nominal.num_tfms;
        for (std::size_t c = 0; c < num_checks; ++c) {
            const std::array<double, 3>& at = nominal.images[0][c];
            const double d[3] = {images[c][0] - at[0], images[c][1] - at[1], images[c][2] - at[2]};
            const double magnitude = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            r.checks[c].magnitude.add(magnitude);
            for (int a = 0; a < 3; ++a) r.checks[c].along[a].add(d[a]);
            magnitudes[c * static_cast<std::size_t>(v.samples) + static_cast<std::size_t>(r.used)] = magnitude;
        }
        ++r.used;
    }
    r.seconds = now_seconds() - started;
    progress.finish();
    fill_histograms(r, magnitudes, v.bins);
    return r;
}

}  // namespace rkdatum
