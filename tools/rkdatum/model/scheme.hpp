// The model that rkdatum analyses: an assembly of parts, each in its own coordinates. One part (or
// the world) is the base; every other part is located on one other part, its datum features mating
// onto a seat: features of the part it sits on, in that part's coordinates. Every feature may vary.
// Check points and measurements belong to parts; a fixture controls one located part.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <rk_basekit.h>

#include "model/measurement.hpp"

namespace rkdatum {

// Feature type codes, as the library's datum operations take them; the code is also the number of
// coordinate rows the feature carries.
enum FeatureType { kNone = 0, kPoint = 1, kLine = 2, kPlane = 3 };

// Precedence of a datum feature.
enum Precedence { kPrimary = 0, kSecondary = 1, kTertiary = 2 };

// The labels of the twelve degrees of freedom, in the order of their bits.
extern const char* const kDofLabels[12];

const char* feature_type_name(int type);
const char* precedence_name(int precedence);   // "primary", "secondary", "tertiary"

struct Feature {
    int type = kNone;
    double rows[3][3] = {};   // `type` rows of x, y, z
};

// The three datum features of one set, in precedence order.
struct DatumSet {
    Feature feature[3];
};

// The variation of one feature: every coordinate of each of its points along the chosen world axes
// deviates from its nominal value by a draw from `distrib`.
struct FeatureVariation {
    bool varies = false;
    Rk_DistribStruct distrib{};
    bool along[3] = {true, true, true};
};

// Three features by precedence with their variation, all in the coordinates of part `owner`: a
// located part's datum features, or the seat it sits on (features of the part below it). The set's
// name names its features: "bracket" gives "bracket primary", "bracket seat" "bracket seat primary".
struct FeatureSet {
    std::string name;
    std::size_t owner = 0;   // into Scheme::parts
    DatumSet datums;
    FeatureVariation variation[3];
};

struct Part {
    std::string name;
    // Located parts only: the part it sits on, its datum features and its seat (into Scheme::sets).
    std::size_t parent = 0;
    std::size_t datum_set = 0, seat_set = 0;
};

struct CheckPoint {
    std::string name;
    std::size_t part = 0;
    double xyz[3] = {};   // in the part's coordinates
};

// The degrees of freedom a fixture controls, named in the axes of the fixture frame (given in the
// base's coordinates), mapped into the datum frame of one located part.
struct Fixture {
    bool present = false;
    std::size_t part = 0;
    Rk_DofStruct controls{};
    bool z_given = false, x_given = false;
    double z_axis[3] = {0.0, 0.0, 1.0};
    double x_axis[3] = {1.0, 0.0, 0.0};
    double max_angle = 10.0;   // degrees, tolerance of both mappings
};

// The Monte Carlo run's settings; what varies is held by each feature set.
struct Variation {
    bool present = false;
    long samples = 0;
    int seed = 1;
    int bins = 10;
};

struct Scheme {
    std::string file;
    std::string name;
    double angle_tolerance = 1.0;   // degrees, for the datum operations' within-angle tests
    bool point_tolerance_given = false;
    double point_tolerance = 0.0;
    // Read from [Object] and [Target]: the object is located on the target, the base, and the
    // target's features are the object's seat.
    bool classic = false;
    bool world_base = false;   // no part is the base: parts[0] is the world, which has no features
    // The base is parts[0] (the world when no part is the base); every other part comes after the
    // part it sits on, so placing the parts in this order finds each parent placed.
    std::vector<Part> parts;
    std::vector<FeatureSet> sets;   // per located part in order: its datum features, then its seat
    std::vector<CheckPoint> checks;
    std::vector<Measurement> measurements;
    Fixture fixture;
    Variation variation;

    // One located part, on the base: its first candidate transform is its placement, and the
    // report keeps the layout of an object on a target.
    bool single_link() const { return parts.size() == 2; }
    // "the plate's", "the world's": whose coordinates the results are given in.
    std::string base_phrase() const { return "the " + parts[0].name + "'s"; }
};

// Limits of a run: its samples, and the values --samples-csv keeps (per sample, one per
// measurement and three per check point).
constexpr long kMaxSamples = 100000000000;
constexpr long kMaxStoredValues = 10000000;
constexpr int kMaxBins = 50;

}  // namespace rkdatum
