// Reading a datum scheme from its settings file, one section at a time through the library's user
// configuration. Every value is checked here, before any geometry is built, and the first fault
// ends the reading with one message that names the file, the section, the setting and what was
// expected.
#include "input/read_scheme.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "input/read_measurements.hpp"
#include "input/settings.hpp"
#include "library/session.hpp"

namespace rkdatum {

namespace {

// A settings line is read in pieces of at most 255 characters, newline included.
constexpr std::size_t kMaxLineChars = 254;
constexpr int kMaxSeed = 2147483646;

const char* const kSections[] = {"Scheme", "Object", "Target", "Check points", "Measurements", "Fixture", "Variation"};

int parse_feature_type(const Section& s, const std::string& setting, const std::string& text)
{
    for (int type : {kNone, kPoint, kLine, kPlane})
        if (same_word(text, feature_type_name(type))) return type;
    s.fail(setting, "unknown feature type " + quote(text) + "; expected point, line, plane or none");
}

void read_feature(const Section& s, int precedence, Feature& feature)
{
    const std::string kind = precedence_name(precedence);
    const std::string points_var = kind + " points";
    std::string text;
    feature.type = kNone;
    if (s.get(kind.c_str(), text)) feature.type = parse_feature_type(s, kind, text);
    else if (precedence == kPrimary) s.fail(kind, "missing; expected point, line or plane");

    std::string points;
    const bool has_points = s.get(points_var.c_str(), points);
    if (feature.type == kNone) {
        if (has_points) s.fail(points_var, "given, but the " + kind + " feature is none");
        return;
    }
    const std::string expected = std::to_string(feature.type) + (feature.type == 1 ? " point" : " points");
    if (!has_points)
        s.fail(points_var, "missing; a " + std::string(feature_type_name(feature.type)) + " takes " +
                               expected + " \"x y z\", separated by ';'");
    const std::vector<std::string> rows = split(points, ";");
    if (static_cast<int>(rows.size()) != feature.type)
        s.fail(points_var, "a " + std::string(feature_type_name(feature.type)) + " takes " + expected +
                               " \"x y z\", separated by ';', found " + std::to_string(rows.size()));
    for (int r = 0; r < feature.type; ++r)
        parse_xyz(s, points_var, rows[r], " (point " + std::to_string(r + 1) + ")", feature.rows[r]);
}

void read_datums(const std::string& file, const char* section, DatumSet& datums)
{
    Section s(file, section);
    if (!s.found()) Section::fail_file(file, "no section [" + std::string(section) + "]; every scheme has one");
    s.allow_only({"primary", "primary points", "secondary", "secondary points", "tertiary", "tertiary points"});
    for (int p = kPrimary; p <= kTertiary; ++p) read_feature(s, p, datums.feature[p]);
    if (datums.feature[kSecondary].type == kNone && datums.feature[kTertiary].type != kNone)
        s.fail("tertiary", "given without a secondary feature; name it the secondary instead");
}

void read_scheme_section(const std::string& file, Scheme& scheme)
{
    Section s(file, "Scheme");
    s.allow_only({"name", "angle tolerance", "point tolerance"});
    scheme.name = std::filesystem::path(file).stem().string();
    s.get("name", scheme.name);
    std::string text;
    if (s.get("angle tolerance", text)) {
        scheme.angle_tolerance = parse_number(s, "angle tolerance", text, " (degrees)");
        if (scheme.angle_tolerance <= 0.0 || scheme.angle_tolerance >= 90.0)
            s.fail("angle tolerance", "expected an angle in degrees above 0 and below 90, found " + text);
    }
    if (s.get("point tolerance", text)) {
        scheme.point_tolerance = parse_number(s, "point tolerance", text, "");
        scheme.point_tolerance_given = true;
        if (scheme.point_tolerance <= 0.0)
            s.fail("point tolerance", "expected a length above 0, found " + text);
    }
}

void read_check_points(const std::string& file, Scheme& scheme)
{
    Section s(file, "Check points");
    for (const std::string& name : s.names()) {
        CheckPoint check;
        check.name = name;
        std::string text;
        if (!s.get(name.c_str(), text)) s.fail(name, "missing coordinates; expected \"name = x y z\"");
        parse_xyz(s, name, text, "", check.xyz);
        scheme.checks.push_back(check);
    }
}

Rk_DofStruct parse_controls(const Section& s, const std::string& text)
{
    int flags[12] = {};
    const std::vector<std::string> labels = split(text, " \t,");
    if (!(labels.size() == 1 && same_word(labels[0], "none"))) {
        for (const std::string& label : labels) {
            int bit = 0;
            while (bit < 12 && !same_word(label, kDofLabels[bit])) ++bit;
            if (bit == 12)
                s.fail("controls", "unknown degree " + quote(label) +
                                       "; expected labels among +Tx -Tx +Ty -Ty +Tz -Tz +Rx -Rx +Ry -Ry +Rz -Rz, or none");
            flags[bit] = 1;
        }
    }
    Rk_DofStruct dof{};
    Rk_DofSet(&dof, flags[0], flags[1], flags[2], flags[3], flags[4], flags[5], flags[6], flags[7],
              flags[8], flags[9], flags[10], flags[11]);
    return dof;
}

double length(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void read_axis(const Section& s, const char* var, double axis[3], bool& given)
{
    std::string text;
    if (!s.get(var, text)) return;
    parse_xyz(s, var, text, "", axis);
    if (length(axis) == 0.0) s.fail(var, "a direction cannot be the zero vector");
    given = true;
}

void read_fixture(const std::string& file, Fixture& fixture)
{
    Section s(file, "Fixture");
    if (!s.found()) return;
    fixture.present = true;
    s.allow_only({"controls", "z axis", "x axis", "angle"});
    fixture.controls = parse_controls(s, s.require("controls", "the controlled degrees, such as +Tz -Tz +Rx"));
    read_axis(s, "z axis", fixture.z_axis, fixture.z_given);
    read_axis(s, "x axis", fixture.x_axis, fixture.x_given);
    if (fixture.x_given && !fixture.z_given) s.fail("x axis", "given without a z axis; give both, or the z axis alone");
    if (fixture.x_given) {
        const double* z = fixture.z_axis;
        const double* x = fixture.x_axis;
        const double c[3] = {z[1] * x[2] - z[2] * x[1], z[2] * x[0] - z[0] * x[2], z[0] * x[1] - z[1] * x[0]};
        if (length(c) <= 1e-9 * length(z) * length(x)) s.fail("x axis", "parallel to the z axis; it must point across it");
    }
    std::string text;
    if (s.get("angle", text)) {
        fixture.max_angle = parse_number(s, "angle", text, " (degrees)");
        if (fixture.max_angle <= 0.0 || fixture.max_angle >= 90.0)
            s.fail("angle", "expected an angle in degrees above 0 and below 90, found " + text);
    }
}

double normal_cdf(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

// The share of draws that a truncation window keeps: rejection sampling needs a usable share.
double kept_share(bool normal, double nom, double spread, bool has_low, double low, bool has_high, double high)
{
    const double lo = has_low ? low : -HUGE_VAL;
    const double hi = has_high ? high : HUGE_VAL;
    if (spread == 0.0) return (nom >= lo && nom <= hi) ? 1.0 : 0.0;
    if (normal) return normal_cdf((hi - nom) / spread) - normal_cdf((lo - nom) / spread);
    const double a = std::max(lo, nom - spread / 2.0);
    const double b = std::min(hi, nom + spread / 2.0);
    return b > a ? (b - a) / spread : 0.0;
}

struct DistribWords {
    bool normal = false;
    bool has_sigma = false, has_range = false, has_low = false, has_high = false;
    double sigma = 0.0, range = 0.0, nominal = 0.0, low = 0.0, high = 0.0;
    bool along[3] = {false, false, false};
    bool has_along = false;
};

void parse_along(const Section& s, const std::string& var, const std::string& word, DistribWords& w)
{
    for (char c : word) {
        const char* axes = "xyzXYZ";
        const char* at = std::strchr(axes, c);
        if (at == nullptr || w.along[(at - axes) % 3])
            s.fail(var, "'along' takes the world axes to vary, such as z or xyz; found " + quote(word));
        w.along[(at - axes) % 3] = true;
    }
    w.has_along = true;
}

// "normal sigma S [nominal N] [low L] [high H] [along AXES]" or
// "uniform range R [nominal N] [low L] [high H] [along AXES]" or "none".
void parse_distribution(const Section& s, const std::string& var, const std::string& text, FeatureVariation& fv)
{
    const std::vector<std::string> words = split(text, " \t");
    if (words.size() == 1 && same_word(words[0], "none")) return;
    DistribWords w;
    if (same_word(words[0], "normal")) w.normal = true;
    else if (!same_word(words[0], "uniform"))
        s.fail(var, "unknown distribution " + quote(words[0]) + "; expected normal, uniform or none");
    const char* spread_word = w.normal ? "sigma" : "range";
    for (std::size_t i = 1; i < words.size(); i += 2) {
        const std::string& key = words[i];
        if (i + 1 >= words.size()) s.fail(var, quote(key) + " needs a value after it");
        const std::string& value = words[i + 1];
        if (same_word(key, "along")) { parse_along(s, var, value, w); continue; }
        const std::string context = " (after " + key + ")";
        if (same_word(key, spread_word)) {
            (w.normal ? w.sigma : w.range) = parse_number(s, var, value, context);
            (w.normal ? w.has_sigma : w.has_range) = true;
        } else if (same_word(key, "nominal")) {
            w.nominal = parse_number(s, var, value, context);
        } else if (same_word(key, "low")) {
            w.low = parse_number(s, var, value, context);
            w.has_low = true;
        } else if (same_word(key, "high")) {
            w.high = parse_number(s, var, value, context);
            w.has_high = true;
        } else {
            s.fail(var, "unknown word " + quote(key) + "; a " + words[0] + " distribution takes " + spread_word +
                            ", nominal, low, high and along");
        }
    }
    const double spread = w.normal ? w.sigma : w.range;
    if (!(w.normal ? w.has_sigma : w.has_range))
        s.fail(var, std::string("a ") + (w.normal ? "normal" : "uniform") + " distribution needs its " +
                        spread_word + ", such as \"" + words[0] + " " + spread_word + " 0.01\"");
    if (spread < 0.0) s.fail(var, std::string(spread_word) + " must not be negative, found " + number_text(spread));
    if (w.has_low && w.has_high && !(w.low < w.high))
        s.fail(var, "the low limit must lie below the high limit, found low " + number_text(w.low) + " and high " +
                        number_text(w.high));
    if (kept_share(w.normal, w.nominal, spread, w.has_low, w.low, w.has_high, w.high) < 1e-3)
        s.fail(var, "the low and high limits keep less than 0.1% of the distribution; widen them");

    const int trunc = (w.has_low ? 1 : 0) + (w.has_high ? 2 : 0);
    std::string desc2 = "along";
    for (int a = 0; a < 3; ++a) {
        fv.along[a] = !w.has_along || w.along[a];
        if (fv.along[a]) desc2 += std::string(" ") + "xyz"[a];
    }
    const std::string desc1 = "deviation of each coordinate";
    Rk_DistribSetName(&fv.distrib, var.c_str());
    if (w.normal)
        Rk_DistribSetNormalValues(&fv.distrib, w.nominal, 6.0 * w.sigma, w.sigma, trunc, w.low, w.high,
                                  desc1.c_str(), desc2.c_str());
    else
        Rk_DistribSetUniformValues(&fv.distrib, w.nominal, w.range, trunc, w.low, w.high, desc1.c_str(),
                                   desc2.c_str());
    fv.varies = true;
}

void read_variation(const std::string& file, Scheme& scheme)
{
    Section s(file, "Variation");
    Variation& v = scheme.variation;
    if (!s.found()) return;
    v.present = true;
    s.allow_only({"samples", "seed", "bins", "object primary", "object secondary", "object tertiary",
                  "target primary", "target secondary", "target tertiary"});
    const std::string where = file + ": [Variation] ";
    v.samples = parse_samples(s.require("samples", "the number of samples, such as 10000"), where + "samples");
    std::string text;
    if (s.get("seed", text)) v.seed = parse_seed(text, where + "seed");
    if (s.get("bins", text)) {
        char* end = nullptr;
        const long bins = std::strtol(text.c_str(), &end, 10);
        if (end == text.c_str() || *end != '\0' || bins < 1 || bins > kMaxBins)
            s.fail("bins", "expected a whole number of histogram bins from 1 to " + std::to_string(kMaxBins) +
                               ", found " + quote(text));
        v.bins = static_cast<int>(bins);
    }
    for (Part& part : scheme.parts) {
        for (int p = kPrimary; p <= kTertiary; ++p) {
            const std::string var = part.name + " " + precedence_name(p);
            if (!s.get(var.c_str(), text)) continue;
            FeatureVariation& fv = part.variation[p];
            parse_distribution(s, var, text, fv);
            if (fv.varies && part.datums.feature[p].type == kNone)
                s.fail(var, "the " + part.name + " has no " + precedence_name(p) + " feature to vary");
        }
    }
    if (scheme.checks.empty())
        s.fail_section("variation needs at least one check point to follow; add a [Check points] section");
}

// The file itself: present, readable, and without lines the settings reader would split.
void check_file(const std::string& file)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status)) Section::fail_file(file, "no such settings file");
    if (fs::is_directory(status)) Section::fail_file(file, "is a directory, not a settings file");
    std::ifstream in(file, std::ios::binary);
    if (!in) Section::fail_file(file, std::string("cannot be read: ") + std::strerror(errno));
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kMaxLineChars)
            Section::fail_file(file, "line " + std::to_string(number) + " is longer than " +
                                         std::to_string(kMaxLineChars) + " characters; split the value");
    }
    if (in.bad()) Section::fail_file(file, "cannot be read to its end");
}

void check_sections(const std::string& file)
{
    Rk_UserConfigStruct unused{};
    Rk_StrList sections{};
    if (Rk_StrListInit(&sections, 1) != 0) throw LibraryFailure("cannot list the sections of " + file);
    const int status = Rk_UserConfigGetSectionList(&unused, file.c_str(), &sections);
    int size = 0;
    Rk_StrListGetSize(&sections, &size);
    std::vector<std::string> names;
    for (int i = 0; i < size; ++i) {
        char* name = nullptr;
        if (Rk_StrListGet(&sections, i, &name) == 0) names.emplace_back(name);
    }
    Rk_StrListFree(&sections);
    if (status != 0) throw LibraryFailure("cannot list the sections of " + file);
    for (const std::string& name : names) {
        bool known = false;
        for (const char* k : kSections) known = known || same_word(name, k);
        if (!known)
            Section::fail_file(file, "unknown section [" + name +
                                         "]; the sections are [Scheme], [Object], [Target], [Check points], "
                                         "[Measurements], [Fixture] and [Variation]");
    }
    Section unnamed(file, "");
    if (unnamed.size() > 0)
        Section::fail_file(file, "setting " + quote(unnamed.names().front()) +
                                     " stands before the first section header; put it in its section");
}

bool parse_whole(const std::string& text, long long max, long long& value)
{
    if (text.empty() || text.size() > 12) return false;
    std::size_t i = text[0] == '+' ? 1 : 0;
    if (i == text.size()) return false;
    value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return value <= max;
}

}  // namespace

long parse_samples(const std::string& text, const std::string& where)
{
    long long value = 0;
    if (!parse_whole(text, kMaxSamples, value))
        throw InputError(where + ": expected a whole number of samples from 0 to " + std::to_string(kMaxSamples) +
                         ", found " + quote(text));
    return static_cast<long>(value);
}

int parse_seed(const std::string& text, const std::string& where)
{
    long long value = 0;
    if (!parse_whole(text, kMaxSeed, value) || value < 1)
        throw InputError(where + ": expected a whole number from 1 to " + std::to_string(kMaxSeed) + ", found " +
                         quote(text));
    return static_cast<int>(value);
}

void check_run_size(const Scheme& scheme, bool keep_images, const std::string& where)
{
    const long long checks = static_cast<long long>(scheme.checks.size());
    const long long measurements = static_cast<long long>(scheme.measurements.size());
    const long long samples = scheme.variation.samples;
    if (samples * (checks * (keep_images ? 4 : 1) + measurements) <= kMaxStoredValues) return;
    std::string what = std::to_string(checks) + " check points";
    if (measurements > 0) what += " and " + std::to_string(measurements) + " measurements";
    if (keep_images) what += ", with the images --samples-csv writes,";
    throw InputError(where + ": " + std::to_string(samples) + " samples of " + what + " exceed the " +
                     std::to_string(kMaxStoredValues) + " values a run keeps; take fewer samples");
}

Scheme read_scheme(const std::string& path)
{
    Scheme scheme;
    scheme.file = path;
    check_file(path);
    check_sections(path);
    read_scheme_section(path, scheme);
    read_datums(path, "Object", scheme.parts[kObject].datums);
    read_datums(path, "Target", scheme.parts[kTarget].datums);
    read_check_points(path, scheme);
    read_measurements(path, scheme);
    read_fixture(path, scheme.fixture);
    read_variation(path, scheme);
    if (scheme.variation.present) check_run_size(scheme, false, path + ": [Variation] samples");
    return scheme;
}

}  // namespace rkdatum
