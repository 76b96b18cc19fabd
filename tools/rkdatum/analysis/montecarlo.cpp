// The Monte Carlo run of an assembly. Draws come from the library's seeded generator in a fixed
// order (the inputs' order: feature set by set, each located part's datum features then its seat,
// primary to tertiary; within a feature point by point, x before y before z), so one seed
// reproduces a run exactly.
#include "analysis/montecarlo.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace rkdatum {

namespace {

constexpr std::size_t kMaxFailureKinds = 8;
constexpr long kBlockSamples = 1024;

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

void fill_histograms(RunResult& r, const std::vector<double>& magnitudes, int bins)
{
    r.histograms.assign(r.total.checks.size(), std::vector<long>(static_cast<std::size_t>(bins), 0));
    for (std::size_t c = 0; c < r.total.checks.size(); ++c) {
        const Moments& distance = r.total.checks[c].magnitude;
        const double width = (distance.max - distance.min) / bins;
        const double* values = magnitudes.data() + c * static_cast<std::size_t>(r.samples);
        for (long k = 0; k < r.used; ++k) {
            int bin = width > 0.0 ? static_cast<int>((values[k] - distance.min) / width) : 0;
            ++r.histograms[c][static_cast<std::size_t>(std::clamp(bin, 0, bins - 1))];
        }
    }
}

constexpr double kDegreesPerRadian = 57.29577951308232;

// The turn R_s R_n^T from the nominal axes to the sampled ones, with R's columns the images of the
// part's axes (the transform's rows): its angle and its rotation vector, in degrees.
void add_turn(PlacementTally& t, const double (&sample)[4][3], const double (&nominal)[4][3])
{
    double d[3][3];
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            d[i][k] = sample[0][i] * nominal[0][k] + sample[1][i] * nominal[1][k] + sample[2][i] * nominal[2][k];
    const double half_skew[3] = {(d[2][1] - d[1][2]) / 2.0, (d[0][2] - d[2][0]) / 2.0, (d[1][0] - d[0][1]) / 2.0};
    const double sine = std::sqrt(half_skew[0] * half_skew[0] + half_skew[1] * half_skew[1] + half_skew[2] * half_skew[2]);
    const double cosine = (d[0][0] + d[1][1] + d[2][2] - 1.0) / 2.0;
    const double angle = std::atan2(sine, cosine);
    const double scale = sine > 0.0 ? angle / sine : 1.0;
    t.turn.add(kDegreesPerRadian * angle);
    for (int a = 0; a < 3; ++a) t.about[a].add(kDegreesPerRadian * scale * half_skew[a]);
}

void add_placement(PlacementTally& t, const Rk_TransformStruct& sample, const Rk_TransformStruct& nominal)
{
    const double* at = sample.transform[3];
    const double* was = nominal.transform[3];
    const double d[3] = {at[0] - was[0], at[1] - was[1], at[2] - was[2]};
    t.distance.add(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]));
    for (int a = 0; a < 3; ++a) t.along[a].add(d[a]);
    add_turn(t, sample.transform, nominal.transform);
}

Tally empty_tally(const Scheme& scheme, const Inputs& inputs)
{
    Tally t;
    t.redundancy_changed.assign(scheme.sets.size(), 0);
    t.placements.resize(scheme.parts.size());
    t.checks.resize(scheme.checks.size());
    t.measures.resize(scheme.measurements.size());
    for (MeasureTally& m : t.measures) {
        m.features.resize(inputs.features.size());
        m.parts.resize(scheme.parts.size());
    }
    return t;
}

// One run's working state, sized before the first sample.
class Sampling {
public:
    Sampling(const Scheme& scheme, const Nominal& nominal, const Inputs& inputs,
             const std::vector<LinearModel>& models, bool keep_images, RunResult& r)
        : scheme_(scheme), nominal_(nominal), inputs_(inputs), models_(models), keep_images_(keep_images), r_(r),
          work_(nominal_work(scheme)), evaluation_(make_evaluation(scheme)), deviations_(inputs.inputs.size()),
          part_linear_(scheme.parts.size()), block_(empty_tally(scheme, inputs)), empty_(block_)
    {
        const std::size_t samples = static_cast<std::size_t>(r.samples);
        magnitudes_.resize(samples * scheme.checks.size());
        r.values.resize(samples * scheme.measurements.size());
        if (keep_images) {
            r.images.resize(samples * scheme.checks.size() * 3);
            r.sample_of.resize(samples);
        }
    }

    void run_block(long first, long count, int* seed)
    {
        block_ = empty_;   // same sizes: copies into the storage already held
        for (long k = first; k < first + count; ++k) {
            draw(seed);
            if (evaluate(scheme_, work_, evaluation_) != 0) record_failure(r_, k);
            else add(k);
        }
        r_.total.merge(block_);
    }

    const std::vector<double>& magnitudes() const { return magnitudes_; }

private:
    void draw(int* seed)
    {
        for (std::size_t i = 0; i < inputs_.inputs.size(); ++i) {
            const Input& in = inputs_.inputs[i];
            const VaryingFeature& f = inputs_.features[in.feature];
            deviations_[i] = f.sampler.draw(seed);
            work_[f.set].feature[f.precedence].rows[in.row][in.axis] =
                scheme_.sets[f.set].datums.feature[f.precedence].rows[in.row][in.axis] + deviations_[i];
        }
    }

    void add(long sample)
    {
        const Evaluation& e = evaluation_;
        const std::size_t stored = static_cast<std::size_t>(r_.used);
        const std::size_t samples = static_cast<std::size_t>(r_.samples);
        ++block_.used;
        ++r_.used;
        bool candidates_changed = false;
        for (std::size_t p = 1; p < scheme_.parts.size(); ++p) {
            const Part& part = scheme_.parts[p];
            const LinkResult& was = nominal_.links[p];
            block_.redundancy_changed[part.datum_set] += e.links[p].datum_redundant != was.datum.redundant;
            block_.redundancy_changed[part.seat_set] += e.links[p].seat_redundant != was.seat.redundant;
            candidates_changed = candidates_changed || e.links[p].num_tfms != was.num_tfms;
            add_placement(block_.placements[p], e.placements[p], nominal_.placed.placements[p]);
        }
        block_.candidates_changed += candidates_changed;
        for (std::size_t c = 0; c < scheme_.checks.size(); ++c) {
            const std::array<double, 3>& at = nominal_.placed.images[c];
            const double d[3] = {e.images[c][0] - at[0], e.images[c][1] - at[1], e.images[c][2] - at[2]};
            const double magnitude = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            block_.checks[c].magnitude.add(magnitude);
            for (int a = 0; a < 3; ++a) block_.checks[c].along[a].add(d[a]);
            magnitudes_[c * samples + stored] = magnitude;
            if (keep_images_) std::copy(e.images[c].begin(), e.images[c].end(), &r_.images[(stored * scheme_.checks.size() + c) * 3]);
        }
        if (keep_images_) r_.sample_of[stored] = sample + 1;
        for (std::size_t m = 0; m < scheme_.measurements.size(); ++m) add_measure(m, e.values[m], stored);
    }

    void add_measure(std::size_t m, double value, std::size_t stored)
    {
        const Measurement& def = scheme_.measurements[m];
        MeasureTally& t = block_.measures[m];
        t.values.add(value);
        t.below += def.has_lsl && value < def.lsl;
        t.above += def.has_usl && value > def.usl;
        r_.values[m * static_cast<std::size_t>(r_.samples) + stored] = value;
        const std::vector<double>& s = models_[m].sensitivity;
        std::fill(part_linear_.begin(), part_linear_.end(), 0.0);
        for (std::size_t f = 0; f < inputs_.features.size(); ++f) {
            double linear = 0.0;
            for (std::size_t i = inputs_.features[f].first; i < inputs_.features[f].end; ++i) linear += s[i] * deviations_[i];
            t.features[f].add(value, linear);
            part_linear_[inputs_.features[f].part] += linear;
        }
        for (std::size_t p = 0; p < part_linear_.size(); ++p) t.parts[p].add(value, part_linear_[p]);
    }

    const Scheme& scheme_;
    const Nominal& nominal_;
    const Inputs& inputs_;
    const std::vector<LinearModel>& models_;
    bool keep_images_;
    RunResult& r_;
    std::vector<DatumSet> work_;
    Evaluation evaluation_;
    std::vector<double> deviations_;
    std::vector<double> part_linear_;   // per part, in one sample: the sum of its features' linear parts
    std::vector<double> magnitudes_;
    Tally block_;
    const Tally empty_;
};

}  // namespace

void CheckTally::merge(const CheckTally& other)
{
    magnitude.merge(other.magnitude);
    for (int a = 0; a < 3; ++a) along[a].merge(other.along[a]);
}

void PlacementTally::merge(const PlacementTally& other)
{
    distance.merge(other.distance);
    turn.merge(other.turn);
    for (int a = 0; a < 3; ++a) {
        along[a].merge(other.along[a]);
        about[a].merge(other.about[a]);
    }
}

void MeasureTally::merge(const MeasureTally& other)
{
    values.merge(other.values);
    below += other.below;
    above += other.above;
    for (std::size_t f = 0; f < features.size(); ++f) features[f].merge(other.features[f]);
    for (std::size_t p = 0; p < parts.size(); ++p) parts[p].merge(other.parts[p]);
}

void Tally::merge(const Tally& other)
{
    used += other.used;
    for (std::size_t s = 0; s < redundancy_changed.size(); ++s) redundancy_changed[s] += other.redundancy_changed[s];
    candidates_changed += other.candidates_changed;
    for (std::size_t p = 0; p < placements.size(); ++p) placements[p].merge(other.placements[p]);
    for (std::size_t c = 0; c < checks.size(); ++c) checks[c].merge(other.checks[c]);
    for (std::size_t m = 0; m < measures.size(); ++m) measures[m].merge(other.measures[m]);
}

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

RunResult run_variation(const Scheme& scheme, const Nominal& nominal, const Inputs& inputs,
                        const std::vector<LinearModel>& models, bool keep_images, Progress& progress)
{
    RunResult r;
    r.samples = scheme.variation.samples;
    r.total = empty_tally(scheme, inputs);
    r.failure_kinds.reserve(kMaxFailureKinds);
    Sampling sampling(scheme, nominal, inputs, models, keep_images, r);
    int seed = scheme.variation.seed;
    progress.start(r.samples);
    const double started = now_seconds();
    for (long first = 0; first < r.samples; first += kBlockSamples) {
        progress.update(first);
        sampling.run_block(first, std::min(kBlockSamples, r.samples - first), &seed);
    }
    r.seconds = now_seconds() - started;
    progress.finish();
    fill_histograms(r, sampling.magnitudes(), scheme.variation.bins);
    return r;
}

}  // namespace rkdatum
