// rkdatum on assemblies: placements composed down a chain, variation stacked through it, and every
// malformed chain refused by name.
#include "tool_helpers.hpp"

#include <array>
#include <cmath>

namespace {

using nlohmann::json;
using tooltest::named;

const char* const kRows[] = {"x_axis_to", "y_axis_to", "z_axis_to", "moved_by"};

class Assembly : public tooltest::ToolTest {
protected:
    json Run(const std::string& text) { return Json({WriteTempFile("assembly.ini", text)}); }
};

std::string point_part(const std::string& name, const std::string& on, const std::string& own, const std::string& seat)
{
    return "[ Part " + name + " ]\nlocated on = " + on + "\nprimary = point\nprimary points = " + own +
           "\nseat primary = point\nseat primary points = " + seat + "\n";
}

// Parts located by one point each are placed by shifts: b on a by (10,0,0) - (0,0,0); c on b by
// (5,5,5) - (1,1,1); d on a by (50,0,0). The tip (2,3,4) of c lands at (16,7,8), at x -34 in d.
// A part's own point moving by +e moves it by -e; the point of its seat, by +e. So the tip's x
// goes with -b +b.seat -c +c.seat, and in d's coordinates also with +d -d.seat.
TEST_F(Assembly, TranslationsStackWithUnitSensitivitiesDownTheChain)
{
    const double v[] = {0.01, 0.16 / 12, 0.04, 0.36 / 12, 0.0025, 0.09 / 12};   // sigma^2, or range^2 / 12
    const json doc = Run("[ Part a ]\n" + point_part("b", "a", "0 0 0", "10 0 0") +
                         point_part("c", "b", "1 1 1", "5 5 5") + point_part("d", "a", "0 0 0", "50 0 0") +
                         "[ Check points ]\ntip = c 2 3 4\n[ Measurements ]\nx = coordinate tip along x\n"
                         "x in d = coordinate tip along x in d\n[ Variation ]\nsamples = 4000\n"
                         "b primary = normal sigma 0.1 along x\nb seat primary = uniform range 0.4 along x\n"
                         "c primary = normal sigma 0.2 along x\nc seat primary = uniform range 0.6 along x\n"
                         "d primary = normal sigma 0.05 along x\nd seat primary = uniform range 0.3 along x\n");
    const double chain = v[0] + v[1] + v[2] + v[3];   // the variance b and c add
    const struct {
        const char* name;
        double nominal, variance, reach;   // reach: 3 sigma or half the range, summed (b and c: 0.3 + 0.2 + 0.6 + 0.3)
        std::vector<double> sensitivity;
        std::vector<std::pair<std::string, double>> part_variance;   // what each part's features add
    } cases[] = {
        {"x", 16, chain, 1.4, {-1, 1, -1, 1, 0, 0},
         {{"a", v[1]}, {"b", v[0] + v[3]}, {"c", v[2]}, {"d", 0.0}}},
        {"x in d", -34, chain + v[4] + v[5], 1.4 + 0.15 + 0.15, {-1, 1, -1, 1, 1, -1},
         {{"a", v[1] + v[5]}, {"b", v[0] + v[3]}, {"c", v[2]}, {"d", v[4]}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const json& m = named(doc["measurements"], c.name);
        EXPECT_NEAR(m["nominal"], c.nominal, 1e-9);
        EXPECT_TRUE(tooltest::near(m["sensitivities"], c.sensitivity, 1e-6));
        EXPECT_TRUE(tooltest::near(m["worst_case"], {c.nominal - c.reach, c.nominal + c.reach}, 1e-6));
        EXPECT_NEAR(m["rss_std_dev"], std::sqrt(c.variance), 1e-6);
        EXPECT_NEAR(m["std_dev"], std::sqrt(c.variance), 0.05 * std::sqrt(c.variance));
        ASSERT_EQ(m["part_contributors"].size(), c.part_variance.size());
        for (const auto& [part, added] : c.part_variance)
            EXPECT_NEAR(named(m["part_contributors"], part, "part")["rss_percent"], 100 * added / c.variance, 1e-4)
                << part;
    }
    // c's placement carries every deviation below it and no turn.
    const json& c = named(doc["parts"], "c")["placement_variation"];
    const double along = std::sqrt(chain);
    EXPECT_NEAR(c["origin_along_x"]["std_dev"], along, 0.05 * along);
    EXPECT_EQ(c["origin_along_y"]["std_dev"], 0.0);
    EXPECT_NEAR(c["turn_angle"]["max"], 0.0, 1e-9);
    EXPECT_EQ(named(doc["parts"], "a")["placement_variation"], nullptr) << "the base never moves";
}

// Each part stands on the one below by its bottom face (normal -z), its edge along +x and an end
// point at x = 0; its seat there is a top face at height h (normal +z), an edge along +y through
// (s, t, h) and a stop beside it. The frames: the part's (0; x, -y, -z), the seat's, its plane
// turned to face the part, ((s,t,h); (0,1,0), (1,0,0), (0,0,-1)). So the part's x goes to +y,
// its y to -x, its z to +z: a quarter turn about z, then the shift (s, t, h).
std::string turning_part(const std::string& name, const std::string& on, double s, double t, double h)
{
    const auto at = [&](double x, double y) {
        return std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(h);
    };
    return "[ Part " + name + " ]\nlocated on = " + on +
           "\nprimary = plane\nprimary points = 0 0 0; 0 10 0; 10 0 0\nsecondary = line\n"
           "secondary points = 0 0 0; 10 0 0\ntertiary = point\ntertiary points = 0 5 0\n"
           "seat primary = plane\nseat primary points = " + at(s, t) + "; " + at(s + 10, t) + "; " + at(s, t + 10) +
           "\nseat secondary = line\nseat secondary points = " + at(s, t) + "; " + at(s, t + 10) +
           "\nseat tertiary = point\nseat tertiary points = " + at(s - 5, t) + "\n";
}

TEST_F(Assembly, QuarterTurnsComposeDownTheChain)
{
    const json doc = Run("[ Part p0 ]\n" + turning_part("p1", "p0", 100, 0, 10) +
                         turning_part("p2", "p1", 20, 30, 10) + turning_part("p3", "p2", 5, -5, 10) +
                         "[ Check points ]\ntip = p3 1 2 3\n[ Measurements ]\ntip x = coordinate tip along x\n"
                         "tip y = coordinate tip along y\ntip z = coordinate tip along z\n"
                         "in p1 = coordinate tip along x in p1\n"
                         "in p3's frame = coordinate tip along y in datum frame of p3\n"
                         "above p2's seat = distance tip to feature p3 seat primary\n"
                         "[ Variation ]\nsamples = 4000\np1 seat secondary = normal sigma 0.01 along x\n");
    // A part seated at (s, t, h) thus takes p to (s - p.y, t + p.x, h + p.z). p1 on the base is placed
    // by (100, 0, 10); p2 by that after (20, 30, 10): p -> (70 - p.x, 20 - p.y, 20 + p.z); p3 by those
    // after (5, -5, 10): p -> (65 + p.y, 25 - p.x, 30 + p.z). The tip (1,2,3) lands at (67, 24, 33); in
    // p2 it is at (3, -4, 13), in p1 at (24, 33, 23).
    const std::vector<std::vector<double>> placed[] = {{{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {100, 0, 10}},
                                                       {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}, {70, 20, 20}},
                                                       {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}, {65, 25, 30}}};
    for (int p = 0; p < 3; ++p) {
        const json& got = named(doc["parts"], "p" + std::to_string(p + 1))["placement"];
        for (int r = 0; r < 4; ++r) EXPECT_TRUE(tooltest::near(got[kRows[r]], placed[p][r], 1e-9)) << "p" << p + 1;
    }
    const std::pair<const char*, double> cases[] = {
        {"tip x", 67}, {"tip y", 24}, {"tip z", 33}, {"in p1", 24},
        {"in p3's frame", -2},     // the frame's y axis is the part's -y
        {"above p2's seat", 3},    // the seat's face at z = 10 of p2, normal +z
    };
    for (const auto& [name, value] : cases)
        EXPECT_NEAR(named(doc["measurements"], name)["nominal"], value, 1e-9) << name;
    // p1's seat edge turns about z by the difference of its two points' x over their 10 apart; every
    // part above inherits the turn.
    const double turn = std::sqrt(2.0) * 0.01 / 10 * 180 / M_PI;
    for (const char* part : {"p1", "p2", "p3"}) {
        const json& v = named(doc["parts"], part)["placement_variation"];
        EXPECT_NEAR(v["turn_about_z"]["std_dev"], turn, 0.05 * turn) << part;
        EXPECT_NEAR(v["turn_about_x"]["std_dev"], 0.0, 1e-9) << part;
    }
}

TEST_F(Assembly, EachMalformedChainIsRefusedNamingThePart)
{
    const auto on = [](const std::string& name, const std::string& base) {
        return point_part(name, base, "0 0 0", "1 0 0");
    };
    const std::string a = "[ Part a ]\n";
    const std::string b = on("b", "a");
    const std::string c = on("c", "b");
    const std::array<std::string, 4> cases[] = {   // what, text, start, phrase
        {"cycle", a + on("b", "c") + c, "[Part b] located on: ",
         "b and c are located on one another in a cycle (b on c and c on b): no chain joins them to the base, a"},
        {"cycle without a base", on("b", "c") + c, "[Part b] located on: ", "no part is the base"},
        {"located on itself", a + b + on("c", "c"), "[Part c] located on: ", "a part cannot be located on itself"},
        {"unknown part", a + b + on("c", "bb"), "[Part c] located on: ",
         "unknown part 'bb'; the parts are a, b and c, and world"},
        {"located on two parts", a + b + on("c", "a, b"), "[Part c] located on: ",
         "a part is located on exactly one other part, found 'a, b'"},
        {"located twice", a + b + "[ Part c ]\nlocated on = a\n" + c.substr(c.find("located on")),
         "[Part c] located on: ", "given twice (lines"},
        {"described twice", a + b + c + "[ Part c ]\n", "[Part c]: ", "part c is described twice"},
        {"unjoined", a + b + c + "[ Part d ]\n", "[Part d]: ", "no chain joins d to the base, a"},
        {"unjoined, with datum features", a + b + c.substr(0, c.find("located on")) + c.substr(c.find("primary =")),
         "[Part c]: ", "no chain joins c to the base, a"},
        {"on the world beside a base", a + on("b", "world"), "[Part b] located on: ",
         "the world is the base only when every part is located"},
        {"both forms", a + b + "[ Object ]\nprimary = point\nprimary points = 0 0 0\n", "",
         "[Object] and [Target] cannot be mixed with [Part ...] sections"},
    };
    for (const auto& [what, text, start, phrase] : cases) {
        SCOPED_TRACE(what);
        const std::string file = WriteTempFile("bad.ini", text);
        ExpectRefused({file}, "rkdatum: " + file + ": " + start, phrase);
    }
}

}  // namespace
