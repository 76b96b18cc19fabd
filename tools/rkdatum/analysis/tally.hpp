// What a block of samples adds up, and how two such tallies merge: counts, moments about the mean,
// extremes, co-moments and the failures. Blocks merge in a fixed order (analysis/blocks.hpp), so a
// run gives the same totals however its blocks were shared among threads and machines.
#pragma once

#include <vector>

#include "analysis/statistics.hpp"
#include "library/session.hpp"

namespace rkdatum {

struct CheckTally {
    Moments magnitude;
    Moments along[3];
    void merge(const CheckTally& other);
};

// How a part's placement moved from its nominal: the displacement of the part's origin (in the
// base's axes) and the turn that carries the nominal placement's axes onto the sample's, as an
// angle and as a rotation vector (degrees about the base's axes).
struct PlacementTally {
    Moments distance;
    Moments along[3];
    Moments turn;
    Moments about[3];
    void merge(const PlacementTally& other);
};

struct MeasureTally {
    Moments values;
    long below = 0, above = 0;        // samples below the lower limit, above the upper
    std::vector<Against> features;    // each varying feature's linear part, against the value
    std::vector<Against> parts;       // the sum of the linear parts of each part's features
    void merge(const MeasureTally& other);
};

// Failures of samples grouped by error id and location.
struct FailureKind {
    long id = 0;
    std::string location;
    long count = 0;
};

struct Tally {
    long used = 0;
    std::vector<long> redundancy_changed;   // per feature set: samples whose frame dropped another feature
    std::vector<PlacementTally> placements; // per part
    std::vector<CheckTally> checks;
    std::vector<MeasureTally> measures;

    long failed = 0;
    long first_failed_sample = 0;              // 1-based; 0 when none failed
    std::vector<ErrorText> first_failure;      // the errors of that sample, with their texts
    std::vector<FailureKind> failure_kinds;    // the first kinds met, by id and location
    long other_failures = 0;                   // failures of kinds beyond those kept

    // `other` holds later samples than this tally.
    void merge(const Tally& other);
    // Counts one failure of the kind (id, location).
    void count_failure(long id, const char* location, long count = 1);
};

// At most this many kinds of failure are told apart; the rest are counted together.
constexpr std::size_t kMaxFailureKinds = 8;

}  // namespace rkdatum
