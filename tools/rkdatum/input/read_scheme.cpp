// Reading a datum scheme from its settings file, one section at a time through the library's user
// configuration. Every value is checked here, before any geometry is built, and the first fault
// ends the reading with one message that names the file, the section, the setting and what was
// expected.
#include "input/read_scheme.hpp"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "input/layout.hpp"
#include "input/read_measurements.hpp"
#include "input/read_parts.hpp"
#include "input/settings.hpp"
#include "library/session.hpp"

namespace rkdatum {

namespace {

constexpr int kMaxSeed = 2147483646;

const char* const kSections[] = {"Scheme", "Object", "Target", "Check points", "Measurements", "Fixture", "Variation"};

void read_scheme_section(const std::string& file, Scheme& scheme)
{
    Section s(file, "Scheme");
    s.allow_only({"name", "angle tolerance", "point tolerance"});
    scheme.name = std::filesystem::path(scheme.file).stem().string();
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

bool is_number(const std::string& word)
{
    char* end = nullptr;
    std::strtod(word.c_str(), &end);
    return end != word.c_str() && *end == '\0';
}

// "name = PART x y z"; in [Object]/[Target] files "name = x y z" is a point of the object.
void read_check_points(const std::string& file, Scheme& scheme)
{
    Section s(file, "Check points");
    for (const std::string& name : s.names()) {
        CheckPoint check;
        check.name = name;
        std::string text;
        if (!s.get(name.c_str(), text)) s.fail(name, "missing coordinates; expected \"name = PART x y z\"");
        const std::vector<std::string> words = split(text, " \t,");
        const bool named = words.size() > 3 && !is_number(words[0]);
        if (!named && !scheme.classic)
            s.fail(name, "expected the part and the point's coordinates in it, \"PART x y z\"; the parts are " +
                             part_list(scheme));
        check.part = scheme.classic ? 1 : 0;
        std::string xyz = text;
        if (named) {
            std::string part;
            for (std::size_t i = 0; i + 3 < words.size(); ++i) part += (i ? " " : "") + words[i];
            check.part = find_part(scheme, part);
            if (check.part == scheme.parts.size())
                s.fail(name, "unknown part " + quote(part) + "; the parts are " + part_list(scheme));
            xyz = words[words.size() - 3] + " " + words[words.size() - 2] + " " + words.back();
        }
        parse_xyz(s, name, xyz, "", check.xyz);
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

// The located part whose datum frame the fixture's degrees are mapped into: the only one, or the
// one named.
void read_fixture_part(const Section& s, const Scheme& scheme, Fixture& fixture)
{
    std::string name;
    fixture.part = 1;
    if (!s.get("part", name)) {
        if (scheme.single_link()) return;
        s.fail("part", "missing; with more than one located part, name the one whose datum frame the degrees are "
                       "mapped into");
    }
    fixture.part = find_part(scheme, name);
    if (fixture.part == scheme.parts.size())
        s.fail("part", "unknown part " + quote(name) + "; the parts are " + part_list(scheme));
    if (fixture.part == 0)
        s.fail("part", scheme.parts[0].name + " is the base, which is not located and has no datum frame; name a located part");
}

void read_fixture(const std::string& file, const Scheme& scheme, Fixture& fixture)
{
    Section s(file, "Fixture");
    if (!s.found()) return;
    fixture.present = true;
    s.allow_only({"part", "controls", "z axis", "x axis", "angle"});
    read_fixture_part(s, scheme, fixture);
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
    std::vector<std::string> known{"samples", "seed", "bins"};
    for (const FeatureSet& set : scheme.sets)
        for (int p = kPrimary; p <= kTertiary; ++p) known.push_back(set.name + " " + precedence_name(p));
    s.allow_only(known);
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
    for (FeatureSet& set : scheme.sets) {
        for (int p = kPrimary; p <= kTertiary; ++p) {
            const std::string var = set.name + " " + precedence_name(p);
            if (!s.get(var.c_str(), text)) continue;
            FeatureVariation& fv = set.variation[p];
            parse_distribution(s, var, text, fv);
            if (fv.varies && set.datums.feature[p].type == kNone)
                s.fail(var, "the " + set.name + " has no " + precedence_name(p) + " feature to vary");
        }
    }
    if (scheme.checks.empty())
        s.fail_section("variation needs at least one check point to follow; add a [Check points] section");
}

std::string section_list()
{
    return "the sections are [Scheme], [Part NAME] (one per part; or an [Object] and a [Target]), [Check points], "
           "[Measurements], [Fixture] and [Variation]";
}

// Every section known and given once, every setting given once in its section, none above the first
// header.
void check_layout(const std::string& file, const FileLayout& layout)
{
    if (!layout.before_first.empty())
        Section::fail_file(file, "setting " + quote(layout.before_first.front().name) +
                                     " stands before the first section header; put it in its section");
    for (std::size_t i = 0; i < layout.sections.size(); ++i) {
        const SectionLines& section = layout.sections[i];
        const std::vector<std::string> words = split(section.name, " \t");
        const bool part = !words.empty() && same_word(words[0], "part");
        bool known = part;
        for (const char* k : kSections) known = known || same_word(single_spaced(section.name), k);
        if (!known) Section::fail_file(file, "unknown section [" + section.name + "]; " + section_list());
        for (std::size_t j = 0; j < i && !part; ++j)
            if (same_word(single_spaced(layout.sections[j].name), single_spaced(section.name).c_str()))
                Section::fail_file(file, "section [" + section.name + "] is given twice (lines " +
                                             std::to_string(layout.sections[j].line) + " and " +
                                             std::to_string(section.line) + "); give its settings in one");
        for (std::size_t k = 0; k < section.settings.size(); ++k) {
            for (std::size_t l = 0; l < k; ++l) {
                const SettingLine& first = section.settings[l];
                const SettingLine& again = section.settings[k];
                if (!same_word(first.name, again.name.c_str())) continue;
                const std::string lines = " (lines " + std::to_string(first.line) + " and " + std::to_string(again.line) + ")";
                throw InputError(file + ": [" + section.name + "] " + again.name + ": given twice" + lines +
                                 (part && same_word(again.name, "located on")
                                      ? "; a part is located on exactly one other part"
                                      : "; the reader would keep the last in silence"));
            }
        }
    }
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

void check_kept_size(const Scheme& scheme, const std::string& where)
{
    const long long checks = static_cast<long long>(scheme.checks.size());
    const long long measurements = static_cast<long long>(scheme.measurements.size());
    const long long samples = scheme.variation.samples;
    if (samples * (3 * checks + measurements) <= kMaxStoredValues) return;
    std::string what = std::to_string(checks) + " check points";
    if (measurements > 0) what += " and " + std::to_string(measurements) + " measurements";
    throw InputError(where + ": " + std::to_string(samples) + " samples of " + what + " exceed the " +
                     std::to_string(kMaxStoredValues) + " values --samples-csv keeps; take fewer samples");
}

Scheme read_scheme(const std::string& path, const std::string& shown_as)
{
    Scheme scheme;
    scheme.file = shown_as.empty() ? path : shown_as;
    const FileLayout layout = read_layout(path);
    check_layout(path, layout);
    read_scheme_section(path, scheme);
    read_parts(path, layout, scheme);
    read_check_points(path, scheme);
    read_measurements(path, scheme);
    read_fixture(path, scheme, scheme.fixture);
    read_variation(path, scheme);
    return scheme;
}

}  // namespace rkdatum
