// The Monte Carlo run: every varying coordinate drawn from its feature's distribution, every
// placement rebuilt down the chain, and the change of every placement, the displacement of every
// check point and the value of every measurement collected. Samples run in blocks
// (analysis/blocks.hpp) on as many threads as asked; each thread takes the next block, adds it
// into a tally of its own, and the tallies merge in the blocks' order, so the statistics are the
// same for any number of threads. All storage of a thread is taken before its first sample: the
// loop allocates nothing and takes no lock.
#pragma once

#include <string>
#include <vector>

#include "analysis/blocks.hpp"
#include "analysis/histogram.hpp"
#include "analysis/linear.hpp"
#include "analysis/nominal.hpp"

namespace rkdatum {

// What to run: the whole run's sample count, which of its blocks, on how many threads.
struct RunPlan {
    long samples = 0;
    BlockRange blocks;
    int threads = 1;
    bool keep_images = false;   // keep every sample's values and images (--samples-csv)
};

struct RunResult {
    long samples = 0;                  // of the whole run
    BlockRange blocks;                 // the blocks run
    std::vector<Node> nodes;           // their tallies, merged as far as these blocks alone allow
    Tally total;                       // the nodes merged: the run's tally when every block was run
    std::vector<Histogram> measure_bins;   // per measurement: its values
    std::vector<Histogram> check_bins;     // per check point: its displacement's length
    long stride = 0;                   // the generator's values between the starts of two blocks
    long samples_without_reuse = 0;    // samples before the generator's values come round again
    int threads = 1;
    double seconds = 0.0;
    // When kept, per sample k of the whole run: values[k * measurements + m], images[(k * checks +
    // c) * 3 + axis] and whether it was analysed.
    std::vector<double> values, images;
    std::vector<char> analysed;
};

// Shows progress on standard error, one line, once a run has taken longer than a second and a
// half, at most twice a second; its caller makes the calls of the threads take turns.
class Progress {
public:
    explicit Progress(bool enabled) : enabled_(enabled) {}
    void start(long total);
    void update(long done);
    void finish();

private:
    bool enabled_;
    bool shown_ = false;
    long total_ = 0;
    double started_ = 0.0;
    double last_ = 0.0;
};

// The cores this process may run on.
int available_cores();

// The values of the generator that one sample takes on average.
double draws_per_sample(const Inputs& inputs);

// Runs the plan's blocks of the scheme's samples. `models` gives each measurement's sensitivities,
// from which each feature's linear part in a sample is formed; `layouts` the bins of each
// measurement's values, then of each check point's displacement.
RunResult run_variation(const Scheme& scheme, const Nominal& nominal, const Inputs& inputs,
                        const std::vector<LinearModel>& models, const std::vector<BinLayout>& layouts,
                        const RunPlan& plan, Progress& progress);

// A tally with every vector sized for the scheme and nothing counted.
Tally empty_tally(const Scheme& scheme, const Inputs& inputs);

}  // namespace rkdatum
