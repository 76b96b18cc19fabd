// Partial results: what a shard of a run (--shard K/N) writes for `rkdatum merge` to join. A
// partial holds the run's identity (the settings file's text, the sample count, the seed, the block
// size and the program's version), the blocks it covers, the bins it counted on, and the mergeable
// state of its blocks: the nodes of the merging tree with their tallies, and its bins' counts.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "analysis/summary.hpp"

namespace rkdatum {

struct Partial {
    std::string file;            // where it was read from
    std::string version;         // of the rkdatum that wrote it
    std::string settings_file;   // as the shard was given it
    std::string settings;        // the settings file's text
    long samples = 0;
    int seed = 0;
    long block_samples = 0;
    long shard = 0, shards = 0;
    BlockRange blocks;
    int threads = 0;
    double seconds = 0.0;
    std::vector<BinLayout> layouts;   // each measurement's, then each check point's
    std::vector<Histogram> bins;      // counted on them
    std::vector<Node> nodes;          // the largest aligned nodes of its blocks
};

// Writes the shard's partial result; `settings` is the text of the settings file it read.
void write_partial(std::ostream& out, const Scheme& scheme, const std::string& settings, const RunOptions& options,
                   const Results& results);

// Reads a partial; throws InputError naming the file when it is not one, or is damaged.
Partial read_partial(const std::string& path);

// Checks that the partials belong to one run and cover each of its blocks exactly once; throws
// InputError naming the partial at fault.
void check_partials(const std::vector<Partial>& parts);

// The run the partials make up, merged in the order the whole run merges its blocks. `prepared`
// holds the nominal analysis and linear model of their scheme, whose bins every partial must have
// counted on; throws InputError naming a partial that does not fit.
RunResult merge_partials(const std::vector<Partial>& parts, const Scheme& scheme, const Results& prepared);

}  // namespace rkdatum
