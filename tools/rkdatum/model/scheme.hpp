// The model that rkdatum analyses: parts with their datum features and the variation of each
// feature, named check points of the located part, measurements taken from them, and the degrees a
// fixture controls. Today a scheme holds two parts, an object located on a target; an assembly
// would hold many, each located on another by its datum features, so everything that belongs to a
// part lives in its Part.
#pragma once

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

// The parts of a scheme: the object is located on the target.
enum PartRole { kObject = 0, kTarget = 1 };

// The labels of the twelve degrees of freedom, in the order of their bits.
extern const char* const kDofLabels[12];

const char* feature_type_name(int type);
const char* precedence_name(int precedence);   // "primary", "secondary", "tertiary"

struct Feature {
    int type = kNone;
    double rows[3][3] = {};   // `type` rows of x, y, z
};

// The three datum features of one part, in precedence order.
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

struct Part {
    std::string name;   // "object", "target": with a precedence it names a feature ("object primary")
    DatumSet datums;
    FeatureVariation variation[3];   // per precedence
};

struct CheckPoint {
    std::string name;
    double xyz[3] = {};
};

// The degrees of freedom a fixture controls, named in the axes of the fixture frame.
struct Fixture {
    bool present = false;
    Rk_DofStruct controls{};
    bool z_given = false, x_given = false;
    double z_axis[3] = {0.0, 0.0, 1.0};
    double x_axis[3] = {1.0, 0.0, 0.0};
    double max_angle = 10.0;   // degrees, tolerance of both mappings
};

// The Monte Carlo run's settings; what varies is held by each part.
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
    std::vector<Part> parts{Part{"object", {}, {}}, Part{"target", {}, {}}};   // indexed by PartRole
    std::vector<CheckPoint> checks;                                            // of the object
    std::vector<Measurement> measurements;
    Fixture fixture;
    Variation variation;

    const Part& object() const { return parts[kObject]; }
    const Part& target() const { return parts[kTarget]; }
};

// Limits of a run: the histograms keep one value per sample and check point, the statistics one
// per sample and measurement.
constexpr long kMaxSamples = 1000000;
constexpr long kMaxStoredValues = 10000000;
constexpr int kMaxBins = 50;

}  // namespace rkdatum
