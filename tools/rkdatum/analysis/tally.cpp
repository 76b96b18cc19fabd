// The merges of the tallies. Each merge takes the later samples' tally into the earlier one's; the
// order of the merges is fixed by the blocks, never by the threads that ran them.
#include "analysis/tally.hpp"

namespace rkdatum {

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
    const double n_a = static_cast<double>(values.count);
    const double n_b = static_cast<double>(other.values.count);
    const double dx = other.values.mean - values.mean;
    for (std::size_t f = 0; f < features.size(); ++f) features[f].merge(other.features[f], n_a, n_b, dx);
    for (std::size_t p = 0; p < parts.size(); ++p) parts[p].merge(other.parts[p], n_a, n_b, dx);
    values.merge(other.values);
    below += other.below;
    above += other.above;
}

void Tally::count_failure(long id, const char* location, long count)
{
    for (FailureKind& kind : failure_kinds) {
        if (kind.id == id && kind.location == location) {
            kind.count += count;
            return;
        }
    }
    if (failure_kinds.size() == kMaxFailureKinds) other_failures += count;
    else failure_kinds.push_back({id, location, count});
}

void Tally::merge(const Tally& other)
{
    used += other.used;
    for (std::size_t s = 0; s < redundancy_changed.size(); ++s) redundancy_changed[s] += other.redundancy_changed[s];
    for (std::size_t p = 0; p < placements.size(); ++p) placements[p].merge(other.placements[p]);
    for (std::size_t c = 0; c < checks.size(); ++c) checks[c].merge(other.checks[c]);
    for (std::size_t m = 0; m < measures.size(); ++m) measures[m].merge(other.measures[m]);
    failed += other.failed;
    if (first_failed_sample == 0 && other.first_failed_sample != 0) {
        first_failed_sample = other.first_failed_sample;
        first_failure = other.first_failure;
    }
    for (const FailureKind& kind : other.failure_kinds) count_failure(kind.id, kind.location.c_str(), kind.count);
    other_failures += other.other_failures;
}

}  // namespace rkdatum
