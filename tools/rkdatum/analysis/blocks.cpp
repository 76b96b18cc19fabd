// Blocks, their streams and the merging tree.
//
// The tree: a block is a leaf; the node (l, i) merges (l - 1, 2i) with (l - 1, 2i + 1), left first.
// Any range of blocks is covered by its largest aligned nodes, and a range that holds several
// ranges has, for each of its own largest nodes, either a node of one of them or a node whose two
// halves are found the same way. So the shards' nodes merge into exactly the nodes, and the total,
// of the run that did every block itself: floating-point merges are not associative, but here they
// always happen in the same pairs.
#include "analysis/blocks.hpp"

#include <cmath>
#include <stdexcept>
#include <string>

namespace rkdatum {

namespace {

constexpr long long kModulus = 2147483647;   // 2^31 - 1
constexpr long long kCycle = kModulus - 1;   // the generator's states: every seed from 1 to 2^31 - 2
constexpr long long kMultiplier = 16807;

long long power_mod(long long base, long long exponent)
{
    long long result = 1;
    for (base %= kModulus; exponent > 0; exponent >>= 1) {
        if (exponent & 1) result = result * base % kModulus;
        base = base * base % kModulus;
    }
    return result;
}

const Tally* find(const std::map<std::pair<int, long>, const Tally*>& have, int level, long index)
{
    const auto it = have.find({level, index});
    return it == have.end() ? nullptr : it->second;
}

Tally node_tally(const std::map<std::pair<int, long>, const Tally*>& have, int level, long index)
{
    if (const Tally* t = find(have, level, index)) return *t;
    if (level == 0) throw std::logic_error("block " + std::to_string(index) + " is in no node");
    Tally left = node_tally(have, level - 1, 2 * index);
    left.merge(node_tally(have, level - 1, 2 * index + 1));
    return left;
}

}  // namespace

long block_count(long samples) { return (samples + kBlockSamples - 1) / kBlockSamples; }

BlockRange shard_blocks(long blocks, long k, long n)
{
    const auto at = [&](long i) { return blocks * i / n; };   // at most 2.5e7 blocks times 1e6 shards
    return {at(k - 1), at(k)};
}

Streams::Streams(int seed, double draws_per_sample)
    : seed_(seed), stride_(kBlockSamples * std::max(1L, static_cast<long>(std::ceil(1.25 * draws_per_sample))))
{
}

int Streams::block_seed(long block) const
{
    const long long position = (block % kCycle) * (stride_ % kCycle) % kCycle;
    return static_cast<int>(seed_ * power_mod(kMultiplier, position) % kModulus);
}

long Streams::samples_without_reuse() const { return kCycle / stride_ * kBlockSamples; }

std::vector<std::pair<int, long>> largest_nodes(BlockRange range)
{
    std::vector<std::pair<int, long>> nodes;
    for (long first = range.first; first < range.end;) {
        int level = 0;
        while (first % (2L << level) == 0 && first + (2L << level) <= range.end) ++level;
        nodes.emplace_back(level, first >> level);
        first += 1L << level;
    }
    return nodes;
}

void Fold::add(long block, Tally tally)
{
    nodes_.push_back({0, block, std::move(tally)});
    while (nodes_.size() >= 2) {
        Node& left = nodes_[nodes_.size() - 2];
        const Node& right = nodes_.back();
        if (left.level != right.level || left.index % 2 != 0 || left.index + 1 != right.index) break;
        left.tally.merge(right.tally);
        ++left.level;
        left.index /= 2;
        nodes_.pop_back();
    }
}

Tally fold_total(const std::vector<const Node*>& nodes, long blocks, const Tally& empty)
{
    std::map<std::pair<int, long>, const Tally*> have;
    for (const Node* n : nodes) have[{n->level, n->index}] = &n->tally;
    Tally total = empty;
    for (const auto& [level, index] : largest_nodes({0, blocks})) total.merge(node_tally(have, level, index));
    return total;
}

}  // namespace rkdatum
