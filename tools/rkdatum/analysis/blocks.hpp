// How a run is cut into blocks that any thread or machine can run on its own and that still add up
// to one answer: sample k belongs to block k / kBlockSamples; each block draws from its own stretch
// of the generator's stream, found from the run's seed and the block's index alone; and the
// blocks' tallies are merged in one fixed order, a binary tree over the block indices.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "analysis/tally.hpp"

namespace rkdatum {

constexpr long kBlockSamples = 4096;

long block_count(long samples);

// Blocks [first, end).
struct BlockRange {
    long first = 0, end = 0;
};

// The k-th (from 1) of n ranges of nearly equal size: blocks [(k-1) B / n, k B / n) of B.
BlockRange shard_blocks(long blocks, long k, long n);

// Where each block starts in the stream of Rk_MathSeededRandom (16807 x mod 2^31 - 1, whose
// 2^31 - 2 states form one cycle). Block b starts `stride` values after block b - 1, block 0 at
// the run's seed, so the blocks take the stream in turn as a single thread would, each with room
// for a quarter more draws than its samples are expected to take; the start is found by raising
// 16807 to the power b x stride, in O(log) steps. Blocks that start a whole cycle or more in
// reuse the values of earlier ones: `samples_without_reuse` says from which sample on.
class Streams {
public:
    // `draws_per_sample`: the expected number of values a sample takes.
    Streams(int seed, double draws_per_sample);
    int block_seed(long block) const;
    long stride() const { return stride_; }
    long samples_without_reuse() const;

private:
    int seed_;
    long stride_;
};

// A node of the merging tree: blocks [index 2^level, (index + 1) 2^level), merged.
struct Node {
    int level = 0;
    long index = 0;
    Tally tally;
};

// The largest aligned nodes that cover `range`, in order, as (level, index).
std::vector<std::pair<int, long>> largest_nodes(BlockRange range);

// Takes the tallies of the blocks of a range in order and keeps, merged, the largest aligned runs
// of them: the nodes from which the tally of any range that holds this one is built the same way.
class Fold {
public:
    void add(long block, Tally tally);
    const std::vector<Node>& nodes() const { return nodes_; }
    std::vector<Node> take() { return std::move(nodes_); }

private:
    std::vector<Node> nodes_;
};

// The tally of blocks [0, blocks), merged down the tree from `nodes` (which must hold, among them,
// every block exactly once), starting from `empty`.
Tally fold_total(const std::vector<const Node*>& nodes, long blocks, const Tally& empty);

}  // namespace rkdatum
