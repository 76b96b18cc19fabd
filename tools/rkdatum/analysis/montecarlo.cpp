// The Monte Carlo run of an assembly. Within a block, draws come from the library's seeded
// generator in a fixed order (the inputs' order: feature set by set, each located part's datum
// features then its seat, primary to tertiary; within a feature point by point, x before y before
// z), starting where the block's stream starts; so one seed and one sample count give one answer.
#include "analysis/montecarlo.hpp"

#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

namespace rkdatum {

namespace {

double now_seconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

constexpr double kDegreesPerRadian = 57.29577951308232;

// The turn R_s R_n^T from the nominal axes to the sampled ones, with R's columns the images of the
// part's axes (the transform's rows): its angle and its rotation vector, in degrees.
void add_turn(PlacementTally& t, const double (&sample)[4][3], const double (&nominal)[4][3], double share)
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
    t.turn.add(kDegreesPerRadian * angle, share);
    for (int a = 0; a < 3; ++a) t.about[a].add(kDegreesPerRadian * scale * half_skew[a], share);
}

void add_placement(PlacementTally& t, const Rk_TransformStruct& sample, const Rk_TransformStruct& nominal, double share)
{
    const double* at = sample.transform[3];
    const double* was = nominal.transform[3];
    const double d[3] = {at[0] - was[0], at[1] - was[1], at[2] - was[2]};
    t.distance.add(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), share);
    for (int a = 0; a < 3; ++a) t.along[a].add(d[a], share);
    add_turn(t, sample.transform, nominal.transform, share);
}

// One thread's working state, sized before its first sample.
class Sampling {
public:
    Sampling(const Scheme& scheme, const Nominal& nominal, const Inputs& inputs,
             const std::vector<LinearModel>& models, const std::vector<BinLayout>& layouts, RunResult& r)
        : scheme_(scheme), nominal_(nominal), inputs_(inputs), models_(models), r_(r), work_(nominal_work(scheme)),
          evaluation_(make_evaluation(scheme)), deviations_(inputs.inputs.size()), part_linear_(scheme.parts.size())
    {
        for (const Input& in : inputs.inputs) {
            const VaryingFeature& f = inputs.features[in.feature];
            slots_.push_back({&f.sampler, &work_[f.set].feature[f.precedence].rows[in.row][in.axis],
                              scheme.sets[f.set].datums.feature[f.precedence].rows[in.row][in.axis]});
        }
        const std::size_t m = scheme.measurements.size();
        for (std::size_t i = 0; i < layouts.size(); ++i) (i < m ? measure_bins_ : check_bins_).push_back({layouts[i]});
    }

    // Adds the samples of block `b` into `t`, starting from the block's own seed.
    void run_block(long b, const Streams& streams, Tally& t)
    {
        Stream stream;
        stream.seed = streams.block_seed(b);
        const long end = std::min(r_.samples, (b + 1) * kBlockSamples);
        for (long k = b * kBlockSamples; k < end; ++k) {
            draw(stream);
            if (evaluate(scheme_, work_, evaluation_) != 0) record_failure(t, k);
            else add(t, k);
        }
    }

    // Adds this thread's histograms into the run's.
    void hand_over_bins()
    {
        for (std::size_t i = 0; i < measure_bins_.size(); ++i) r_.measure_bins[i].merge(measure_bins_[i]);
        for (std::size_t i = 0; i < check_bins_.size(); ++i) r_.check_bins[i].merge(check_bins_[i]);
    }

private:
    void draw(Stream& stream)
    {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            const Slot& slot = slots_[i];
            deviations_[i] = slot.sampler->draw(stream);
            *slot.coordinate = slot.nominal + deviations_[i];
        }
    }

    // The first failing sample of a block keeps its errors with their texts; later ones are only
    // counted, so a scheme that fails often costs no allocation per sample.
    static void record_failure(Tally& t, long sample)
    {
        ++t.failed;
        if (t.first_failed_sample == 0) {
            t.first_failed_sample = sample + 1;
            t.first_failure = drain_errors();
            for (const ErrorText& e : t.first_failure) t.count_failure(e.id, e.location.c_str());
            return;
        }
        thread_local Rk_ErrorStruct error;   // a record holds 250 tokens: too large for the stack
        int found = 1;
        while (Rk_ErrorQueueGetError(&error, &found) == 0 && found) {
            long id = 0;
            char location[RK_TEXT_MAX + 1];
            Rk_ErrorGetId(&error, &id);
            Rk_ErrorGetLocation(&error, location);
            t.count_failure(id, location);
        }
    }

    void add(Tally& t, long sample)
    {
        const Evaluation& e = evaluation_;
        const Evaluation& was = nominal_.placed;
        const double share = 1.0 / static_cast<double>(++t.used);
        for (std::size_t p = 1; p < scheme_.parts.size(); ++p) {
            const Part& part = scheme_.parts[p];
            t.redundancy_changed[part.datum_set] += e.links[p].datum_redundant != was.links[p].datum_redundant;
            t.redundancy_changed[part.seat_set] += e.links[p].seat_redundant != was.links[p].seat_redundant;
            add_placement(t.placements[p], e.placements[p], was.placements[p], share);
        }
        const std::size_t checks = scheme_.checks.size();
        for (std::size_t c = 0; c < checks; ++c) {
            const std::array<double, 3>& at = was.images[c];
            const double d[3] = {e.images[c][0] - at[0], e.images[c][1] - at[1], e.images[c][2] - at[2]};
            const double magnitude = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            t.checks[c].magnitude.add(magnitude, share);
            for (int a = 0; a < 3; ++a) t.checks[c].along[a].add(d[a], share);
            check_bins_[c].add(magnitude);
        }
        for (std::size_t m = 0; m < scheme_.measurements.size(); ++m) add_measure(t.measures[m], m, e.values[m], share);
        if (r_.analysed.empty()) return;
        const std::size_t k = static_cast<std::size_t>(sample);
        r_.analysed[k] = 1;
        std::copy(e.values.begin(), e.values.end(), r_.values.begin() + static_cast<long>(k * e.values.size()));
        for (std::size_t c = 0; c < checks; ++c)
            std::copy(e.images[c].begin(), e.images[c].end(), &r_.images[(k * checks + c) * 3]);
    }

    void add_measure(MeasureTally& t, std::size_t m, double value, double share)
    {
        const Measurement& def = scheme_.measurements[m];
        const double dx = value - t.values.mean;
        t.values.add(value, share);
        t.below += def.has_lsl && value < def.lsl;
        t.above += def.has_usl && value > def.usl;
        measure_bins_[m].add(value);
        const std::vector<double>& s = models_[m].sensitivity;
        std::fill(part_linear_.begin(), part_linear_.end(), 0.0);
        for (std::size_t f = 0; f < inputs_.features.size(); ++f) {
            double linear = 0.0;
            for (std::size_t i = inputs_.features[f].first; i < inputs_.features[f].end; ++i) linear += s[i] * deviations_[i];
            t.features[f].add(dx, linear, share);
            part_linear_[inputs_.features[f].part] += linear;
        }
        for (std::size_t p = 0; p < part_linear_.size(); ++p) t.parts[p].add(dx, part_linear_[p], share);
    }

    const Scheme& scheme_;
    const Nominal& nominal_;
    const Inputs& inputs_;
    const std::vector<LinearModel>& models_;
    RunResult& r_;
    std::vector<DatumSet> work_;
    // Per input, in drawing order: its distribution, and the coordinate of `work_` it moves from
    // its nominal value.
    struct Slot {
        const Sampler* sampler;
        double* coordinate;
        double nominal;
    };
    std::vector<Slot> slots_;
    Evaluation evaluation_;
    std::vector<double> deviations_;
    std::vector<double> part_linear_;   // per part, in one sample: the sum of its features' linear parts
    std::vector<Histogram> measure_bins_, check_bins_;
};

// The threads' meeting point: which block is next to run, and the finished tallies waiting for
// their turn to be merged in block order. Taken once per block, never per sample.
class Blocks {
public:
    Blocks(BlockRange range, long samples, Progress& progress)
        : next_(range.first), end_(std::max(range.first, range.end)), merge_next_(range.first),
          samples_(samples), progress_(progress)
    {
    }

    // The next block to run, or -1 when none is left.
    long take()
    {
        const long b = next_.fetch_add(1);
        return b < end_ ? b : -1;
    }

    void finish(long b, Tally tally)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        waiting_.emplace(b, std::move(tally));
        done_ += std::min(samples_, (b + 1) * kBlockSamples) - b * kBlockSamples;
        for (auto it = waiting_.find(merge_next_); it != waiting_.end(); it = waiting_.find(merge_next_)) {
            fold_.add(merge_next_++, std::move(it->second));
            waiting_.erase(it);
        }
        progress_.update(done_);
    }

    std::vector<Node> nodes() { return fold_.take(); }

private:
    std::atomic<long> next_;
    const long end_;
    std::mutex mutex_;
    long merge_next_;
    long done_ = 0;
    const long samples_;
    std::map<long, Tally> waiting_;   // finished blocks that wait for an earlier one
    Fold fold_;
    Progress& progress_;
};

}  // namespace

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

int available_cores()
{
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

double draws_per_sample(const Inputs& inputs)
{
    double draws = 0.0;
    for (const Input& in : inputs.inputs) draws += inputs.features[in.feature].sampler.expected_values();
    return draws;
}

RunResult run_variation(const Scheme& scheme, const Nominal& nominal, const Inputs& inputs,
                        const std::vector<LinearModel>& models, const std::vector<BinLayout>& layouts,
                        const RunPlan& plan, Progress& progress)
{
    RunResult r;
    r.samples = plan.samples;
    r.blocks = plan.blocks;
    const std::size_t measures = scheme.measurements.size();
    for (std::size_t i = 0; i < layouts.size(); ++i) (i < measures ? r.measure_bins : r.check_bins).push_back({layouts[i]});
    const Streams streams(scheme.variation.seed, draws_per_sample(inputs));
    r.stride = streams.stride();
    r.samples_without_reuse = streams.samples_without_reuse();
    if (plan.keep_images) {
        const std::size_t samples = static_cast<std::size_t>(plan.samples);
        r.values.resize(samples * measures);
        r.images.resize(samples * scheme.checks.size() * 3);
        r.analysed.resize(samples);
    }
    const long blocks = std::max(0L, plan.blocks.end - plan.blocks.first);
    r.threads = static_cast<int>(std::max(1L, std::min<long>(plan.threads, blocks)));
    const Tally empty = empty_tally(scheme, inputs);
    progress.start(std::min(plan.samples, plan.blocks.end * kBlockSamples) - plan.blocks.first * kBlockSamples);
    Blocks shared(plan.blocks, plan.samples, progress);
    std::mutex bins;
    const auto work = [&] {
        Sampling sampling(scheme, nominal, inputs, models, layouts, r);
        for (long b = shared.take(); b >= 0; b = shared.take()) {
            Tally t = empty;
            sampling.run_block(b, streams, t);
            shared.finish(b, std::move(t));
        }
        const std::lock_guard<std::mutex> lock(bins);
        sampling.hand_over_bins();
    };
    const double started = now_seconds();
    std::vector<std::thread> helpers;
    for (int i = 1; i < r.threads; ++i) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();
    r.seconds = now_seconds() - started;
    progress.finish();
    r.nodes = shared.nodes();
    r.total = empty;
    for (const Node& n : r.nodes) r.total.merge(n.tally);
    return r;
}

}  // namespace rkdatum
