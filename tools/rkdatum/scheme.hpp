// The datum scheme that rkdatum analyses, as read from its settings file: the datum features of an
// object and of a target, named check points, the degrees a fixture controls and the variation of
// every feature. Reading checks everything a later library call would trip over, so that bad input
// ends in one message naming the file, the section, the setting and what was expected.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include <rk_basekit.h>

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

// The three datum features of one part, in precedence order.
struct DatumSet {
    Feature feature[3];
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

// The variation of one feature: every coordinate of each of its points along the chosen world axes
// deviates from its nominal value by a draw from `distrib`.
struct FeatureVariation {
    bool varies = false;
    Rk_DistribStruct distrib{};
    bool along[3] = {true, true, true};
};

struct Variation {
    bool present = false;
    long samples = 0;
    int seed = 1;
    int bins = 10;
    FeatureVariation object[3];
    FeatureVariation target[3];
};

struct Scheme {
    std::string file;
    std::string name;
    double angle_tolerance = 1.0;   // degrees, for the datum operations' within-angle tests
    bool point_tolerance_given = false;
    double point_tolerance = 0.0;
    DatumSet object, target;
    std::vector<CheckPoint> checks;
    Fixture fixture;
    Variation variation;
};

// Limits of a run: the histograms keep one value per sample and check point.
constexpr long kMaxSamples = 1000000;
constexpr long kMaxStoredValues = 10000000;
constexpr int kMaxBins = 50;

// Bad input: the text is complete and names the file, section and setting.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A library call failed; the error queue holds the cause and `what()` names the step.
class LibraryFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads and checks the settings file at `path`.
Scheme read_scheme(const std::string& path);

// Parses the sample count and the seed as the settings file and the command line give them;
// `where` opens the message of an InputError ("FILE: [Variation] samples").
long parse_samples(const std::string& text, const std::string& where);
int parse_seed(const std::string& text, const std::string& where);

// Refuses a run whose samples times check points exceed what the histograms may keep.
void check_run_size(const Scheme& scheme, const std::string& where);

}  // namespace rkdatum
