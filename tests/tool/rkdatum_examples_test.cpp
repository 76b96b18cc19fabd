// The shipped examples through rkdatum: datum frames, candidate transforms, check points and the
// fixture's degrees of freedom, each compared with values worked out by hand from the features.
//
// Notation: a frame is (origin; x, y, z). The transform carrying object frame A onto target frame
// B takes a point p to B.origin + f.x B.x + f.y B.y + f.z B.z with f = ((p - A.origin).A.x, ...).
// ZX(z, x): y = z cross x, then x = y cross z. A plane's normal is (p2 - p1) cross (p3 - p1).
#include "tool_helpers.hpp"

#include <nlohmann/json.hpp>

namespace {

using tooltest::cells;
using tooltest::near;
using tooltest::numbers;
using tooltest::part;

class Examples : public rktest::LibraryTest {
protected:
    std::string Report(const std::string& example)
    {
        const tooltest::Run run = tooltest::rkdatum({tooltest::example(example)}, TempDir());
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        return run.out;
    }
};

struct FrameCase {
    const char* title;
    std::vector<double> origin, x, y, z;
    const char* redundant;   // the start of the Redundant line's text
};

void expect_frame(const std::string& report, const FrameCase& c)
{
    const std::string frame = part(report, c.title);
    EXPECT_TRUE(near(numbers(frame, "Origin"), c.origin)) << c.title;
    EXPECT_TRUE(near(numbers(frame, "X axis"), c.x)) << c.title;
    EXPECT_TRUE(near(numbers(frame, "Y axis"), c.y)) << c.title;
    EXPECT_TRUE(near(numbers(frame, "Z axis"), c.z)) << c.title;
    const std::vector<std::string> words = tooltest::words_after(frame, "Redundant");
    ASSERT_FALSE(words.empty()) << c.title;
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
    EXPECT_EQ(text.rfind(c.redundant, 0), 0u) << c.title << ": " << text;
}

struct TransformCase {
    std::vector<double> x_to, y_to, z_to, moved;
    std::vector<std::vector<double>> images;   // per check point: object x y z, target x y z
};

void expect_transforms(const std::string& report, const std::vector<TransformCase>& expected,
                       const std::vector<std::string>& check_names)
{
    const std::string all = part(report, "Candidate transforms");
    ASSERT_NE(all.find("onto the target: " + std::to_string(expected.size())), std::string::npos) << all;
    for (std::size_t t = 0; t < expected.size(); ++t) {
        const std::string head = "Transform " + std::to_string(t + 1) + " of";
        const std::string next = "Transform " + std::to_string(t + 2) + " of";
        const std::string block = part(all, head, next);
        const TransformCase& c = expected[t];
        EXPECT_TRUE(near(numbers(block, "x axis to"), c.x_to)) << head;
        EXPECT_TRUE(near(numbers(block, "y axis to"), c.y_to)) << head;
        EXPECT_TRUE(near(numbers(block, "z axis to"), c.z_to)) << head;
        EXPECT_TRUE(near(numbers(block, "moved by"), c.moved)) << head;
        for (std::size_t k = 0; k < check_names.size(); ++k)
            EXPECT_TRUE(near(numbers(block, check_names[k]), c.images[k])) << head << ", " << check_names[k];
    }
}

// Plate: primary plane (0,0,0) (0,60,0) (100,0,0), normal (0,60,0)x(100,0,0) = (0,0,-6000);
// secondary line (10,0,5)-(90,0,5) along +x, parallel to the plane; tertiary point (0,30,5).
// Plane, line, point with the line parallel: origin = foot of the point on the line projected on
// the plane = (0,0,0); z = n = (0,0,-1); x = the projected line's direction (1,0,0);
// ZX gives y = (0,0,-1)x(1,0,0) = (0,-1,0).
// Target as given: normal (50,0,0)x(0,50,0) = +z; rail along +y projected to (200,y,20); the pin
// (170,100,25) falls on (200,100,20). z = (0,0,1), x = (0,1,0), y = (0,0,1)x(0,1,0) = (-1,0,0).
TEST_F(Examples, PlateFramesFollowThePlaneTheEdgeAndTheCorner)
{
    const std::string report = Report("plate.ini");
    expect_frame(report, {"Object datum reference frame", {0, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 0, -1}, "no"});
    expect_frame(report, {"Target datum reference frame", {200, 100, 20}, {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, "no"});
}

// The transforms: the target's planes turned to face the object (normal -z), then its primary
// and secondary in each sense, origin always (200,100,20):
//  1. z (0,0,-1), x (0,1,0), y (1,0,0):   p -> (200 - y, 100 + x, 20 + z)
//  2. rail reversed: x (0,-1,0), y (-1,0,0): p -> (200 + y, 100 - x, 20 + z)
//  3. face reversed: z (0,0,1), x (0,1,0), y (-1,0,0): p -> (200 + y, 100 + x, 20 - z)
//  4. both reversed: z (0,0,1), x (0,-1,0), y (1,0,0): p -> (200 - y, 100 - x, 20 - z)
// All four differ, so four candidates. Far corner (100,60,0), top centre (50,30,10).
TEST_F(Examples, PlateHasFourCandidatesOneForEachSenseOfTheFaceAndTheRail)
{
    const std::string report = Report("plate.ini");
    expect_transforms(report,
                      {
                          {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {200, 100, 20},
                           {{100, 60, 0, 140, 200, 20}, {50, 30, 10, 170, 150, 30}}},
                          {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}, {200, 100, 20},
                           {{100, 60, 0, 260, 0, 20}, {50, 30, 10, 230, 50, 30}}},
                          {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}, {200, 100, 20},
                           {{100, 60, 0, 260, 200, 20}, {50, 30, 10, 230, 150, 10}}},
                          {{0, -1, 0}, {-1, 0, 0}, {0, 0, -1}, {200, 100, 20},
                           {{100, 60, 0, 140, 0, 20}, {50, 30, 10, 170, 50, 10}}},
                      },
                      {"far corner", "top centre"});
}

// The object's frame as transform 1 places it: x (0,1,0), y (1,0,0), z (0,0,-1). The fixture,
// in world axes, controls -Tz, +Tx, -Ty and both senses of every rotation. World x lies along the
// placed y (same sense): +Tx -> +Ty. World y along the placed x: -Ty -> -Tx. World z against
// the placed z: -Tz -> +Tz, +Rz <-> -Rz. Axis-aligned frames give the same under root sum square.
TEST_F(Examples, PlateFixtureDegreesLandOnTheObjectsAxes)
{
    const std::string fixture = part(Report("plate.ini"), "Fixture degrees of freedom");
    EXPECT_NE(fixture.find("Object frame        x (0.0000, 1.0000, 0.0000), y (1.0000, 0.0000, 0.0000), "
                           "z (0.0000, 0.0000, -1.0000)"),
              std::string::npos)
        << fixture;
    //                                             +Tx-Tx+Ty-Ty+Tz-Tz+Rx-Rx+Ry-Ry+Rz-Rz
    EXPECT_EQ(cells(fixture, "Fixture controls"), "COOCOCCCCCCC");
    EXPECT_EQ(cells(fixture, "Axis to axis"), "OCCOCOCCCCCC");
    EXPECT_EQ(cells(fixture, "Root sum square"), "OCCOCOCCCCCC");
}

// Housing: face (-50,-50,0) (-50,50,0) (50,-50,0), normal (0,0,-1); bore axis (0,0,0)-(0,0,40)
// square to it; slot plane (70,0,0) (70,0,10) (90,0,0), normal (0,10,0)x... = +y.
// Plane, line, plane with the line perpendicular: origin = bore meets face = (0,0,0); z = (0,0,-1);
// x along the line the face and the slot plane share, which runs along n(face) x n(slot) =
// (0,0,-1)x(0,1,0) = (1,0,0); y = (0,-1,0).
// Wall as given: face x = 500, normal (0,100,0)x(0,0,100) = +x; spigot (500,0,300)-(540,0,300);
// pin plane z = 300, normal +z. Origin (500,0,300); z = (1,0,0); x = (1,0,0)x(0,0,1) = (0,-1,0);
// y = (1,0,0)x(0,-1,0) = (0,0,-1).
TEST_F(Examples, HousingFramesFollowTheFaceTheBoreAndTheSlot)
{
    const std::string report = Report("housing.ini");
    expect_frame(report, {"Object datum reference frame", {0, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 0, -1}, "no"});
    expect_frame(report, {"Target datum reference frame", {500, 0, 300}, {0, -1, 0}, {0, 0, -1}, {1, 0, 0}, "no"});
}

// Target planes turned to face the object: wall normal -x, pin plane -z.
//  1. z (-1,0,0), x = (-1,0,0)x(0,0,-1) = (0,-1,0), y = (0,0,1): p -> (500 + z, -x, 300 - y)
//  2. spigot reversed: the bore sets only the origin, so the frame repeats 1 and is dropped
//  3. wall reversed: z (1,0,0), x = (1,0,0)x(0,0,-1) = (0,1,0), y = (0,0,1): p -> (500 - z, x, 300 - y)
//  4. both reversed: repeats 3.
// Shaft end (0,0,120), mounting hole (40,40,0).
TEST_F(Examples, HousingHasTwoCandidatesSinceTheBoreAxisSetsNoSense)
{
    expect_transforms(Report("housing.ini"),
                      {
                          {{0, -1, 0}, {0, 0, -1}, {1, 0, 0}, {500, 0, 300},
                           {{0, 0, 120, 620, 0, 300}, {40, 40, 0, 500, -40, 260}}},
                          {{0, 1, 0}, {0, 0, -1}, {-1, 0, 0}, {500, 0, 300},
                           {{0, 0, 120, 380, 0, 300}, {40, 40, 0, 500, 40, 260}}},
                      },
                      {"shaft end", "mounting hole"});
}

// Fixture frame ZX((1,0,0), (0,1,0)): x (0,1,0), y (0,0,1), z (1,0,0). The object's frame placed by
// transform 1: x (0,-1,0), y (0,0,1), z (-1,0,0). Fixture x against placed x: +Tx <-> -Tx;
// y along y; z against z: -Tz -> +Tz. Everything but +Tz controlled becomes everything but -Tz.
TEST_F(Examples, HousingFixtureInItsOwnAxesMapsIntoTheObjectsFrame)
{
    const std::string fixture = part(Report("housing.ini"), "Fixture degrees of freedom");
    EXPECT_NE(fixture.find("Fixture frame       x (0.0000, 1.0000, 0.0000), y (0.0000, 0.0000, 1.0000), "
                           "z (1.0000, 0.0000, 0.0000)"),
              std::string::npos)
        << fixture;
    EXPECT_EQ(cells(fixture, "Fixture controls"), "CCCCOCCCCCCC");
    EXPECT_EQ(cells(fixture, "Axis to axis"), "CCCCCOCCCCCC");
    EXPECT_EQ(cells(fixture, "Root sum square"), "CCCCCOCCCCCC");
}

// Block: bottom face normal (0,40,0)x(80,0,0) = (0,0,-1), top face parallel to it: the secondary
// is left out and the frame is that of the bottom face and the end point: origin = the point
// projected on the face = (0,20,0); axes from z = (0,0,-1) alone: y = z x (1,0,0) = (0,-1,0),
// x = y x z = (1,0,0). Table: normal +z, clamp face parallel: origin (300,220,50), world axes.
TEST_F(Examples, RedundantSchemeReportsTheDroppedSecondary)
{
    const std::string report = Report("redundant.ini");
    expect_frame(report, {"Object datum reference frame", {0, 20, 0}, {1, 0, 0}, {0, -1, 0}, {0, 0, -1},
                          "yes: the secondary feature was left out"});
    expect_frame(report, {"Target datum reference frame", {300, 220, 50}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1},
                          "yes: the secondary feature was left out"});
}

// Facing planes: table normal -z, so frame (300,220,50; (1,0,0), (0,-1,0), (0,0,-1)), the object's
// axes: a pure shift p -> (300 + x, 200 + y, 50 + z). The clamp's sense changes nothing (it is
// dropped); the table reversed gives world axes: p -> (300 + x, 240 - y, 50 - z).
TEST_F(Examples, RedundantSchemeStillGivesItsTwoCandidates)
{
    expect_transforms(Report("redundant.ini"),
                      {
                          {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {300, 200, 50}, {{80, 40, 20, 380, 240, 70}}},
                          {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}, {300, 240, 50}, {{80, 40, 20, 380, 200, 30}}},
                      },
                      {"far top corner"});
}

// The variation example runs the housing of housing.ini (with one more check point), and shows its
// measurements.
TEST_F(Examples, VariationExampleRunsTheHousingSchemeAndItsMeasurements)
{
    const tooltest::Run run = tooltest::rkdatum({"--quiet", tooltest::example("housing_variation.ini")}, TempDir());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(part(run.out, "Variation:").find("Samples used                        20000 of 20000"), std::string::npos);
    const std::string housing = Report("housing.ini");
    for (const char* frame : {"Object datum reference frame", "Target datum reference frame"}) {
        EXPECT_NE(part(run.out, frame), "");
        EXPECT_EQ(part(run.out, frame), part(housing, frame)) << frame;
    }
    const std::string first = part(run.out, "Transform 1 of 2", "Check point");
    EXPECT_NE(first, "");
    EXPECT_EQ(first, part(housing, "Transform 1 of 2", "Check point"));
    for (const char* name : {"shaft height", "shaft offset", "shaft tilt", "hole gap"})
        EXPECT_EQ(numbers(part(run.out, "Monte Carlo statistics"), name).size(), 7u) << name;
}

// The plate in its fixture: the hole lands at (200 - 30, 100 + 70, 20 + 10); some parts fall outside
// the hole's limits, and its distance from the true position is flagged as not linear.
TEST_F(Examples, PlateLimitsExampleHasPartsOutAndANonLinearMeasurement)
{
    const std::string json = TempDir() + "/plate.json";
    const tooltest::Run run = tooltest::rkdatum({"--quiet", "--json", json, tooltest::example("plate_limits.ini")}, TempDir());
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json measurements = nlohmann::json::parse(rktest::ReadFile(json))["measurements"];
    ASSERT_EQ(measurements.size(), 4u);
    EXPECT_EQ(measurements[0]["name"], "hole x");
    EXPECT_NEAR(measurements[0]["nominal"].get<double>(), 170.0, 1e-9);
    EXPECT_NEAR(measurements[1]["nominal"].get<double>(), 170.0, 1e-9);
    const nlohmann::json& position = measurements[2];
    EXPECT_GT(position["out"].get<long>(), 0);
    EXPECT_EQ(position["rss_std_dev"], 0.0);
    EXPECT_GT(position["mc_percent_unexplained"].get<double>(), 99.0);
    EXPECT_NE(part(run.out, "Contributors to hole position").find("the measurement is not linear"), std::string::npos);
}

// The bracket stands on the plate shifted to its seat's corner (8,20,10). The sensor's frame
// (0; x, -y, -z) goes onto its seat on the bracket, planes turned to face it: z (-1,0,0), x along
// the face's and the keyway's common line (-1,0,0) x (0,0,1) = (0,1,0), y (0,0,-1). So the
// sensor's x goes to +y, its y to +z, its z to +x, its origin to (60,20,40), and in the plate
// to (68,40,50): the tip (0,0,30) at (98,40,50). The cover is shifted by (100,10,10): its end
// wall x = 0 is at x = 100, 2 beyond the tip, its mark (0,30,40) at (100,40,50), dead ahead.
TEST_F(Examples, SensorAssemblyPlacesEachPartDownItsChain)
{
    const std::string json_file = TempDir() + "/sensor.json";
    const tooltest::Run run = tooltest::rkdatum(
        {"--quiet", "--json", json_file, "--plots", TempDir() + "/plots", tooltest::example("sensor_assembly.ini")},
        TempDir());
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json doc = nlohmann::json::parse(rktest::ReadFile(json_file));
    const auto row = [](const nlohmann::json& j) { return j.get<std::vector<double>>(); };
    const nlohmann::json& sensor = doc["parts"][2];
    ASSERT_EQ(sensor["name"], "sensor");
    EXPECT_EQ(sensor["located_on"], "bracket");
    EXPECT_TRUE(near(row(sensor["placement"]["x_axis_to"]), {0, 1, 0}));
    EXPECT_TRUE(near(row(sensor["placement"]["y_axis_to"]), {0, 0, 1}));
    EXPECT_TRUE(near(row(sensor["placement"]["z_axis_to"]), {1, 0, 0}));
    EXPECT_TRUE(near(row(sensor["placement"]["moved_by"]), {68, 40, 50}));
    EXPECT_TRUE(near(row(doc["check_points"][0]["image"]), {98, 40, 50}));
    EXPECT_TRUE(near(row(doc["check_points"][2]["image"]), {100, 40, 50}));
    const double nominal[] = {2, 30, 40, 0, 0};   // gap, offset y and z, pitch, yaw
    for (std::size_t m = 0; m < std::size(nominal); ++m)
        EXPECT_NEAR(doc["measurements"][m]["nominal"].get<double>(), nominal[m], 1e-9) << m;
    EXPECT_GT(doc["measurements"][0]["out"].get<long>(), 0) << "the example shows some gaps out of limits";
    EXPECT_NE(part(run.out, "Placement of the sensor:"), "");
    EXPECT_EQ(rktest::ReadFile(TempDir() + "/plots/placements.png").substr(0, 4), "\x89PNG");
}

// A placement is built from the part's frame and its seat's, without the library's other three
// orientations; for a part on the base it must be the library's first candidate, bit for bit.
TEST_F(Examples, APlacementOnTheBaseIsTheLibrarysFirstCandidate)
{
    for (const char* example : {"plate.ini", "housing.ini", "redundant.ini", "sensor_assembly.ini"}) {
        SCOPED_TRACE(example);
        const std::string json_file = TempDir() + "/placed.json";
        std::vector<std::string> args = {"--json", json_file, tooltest::example(example)};
        if (example == std::string("sensor_assembly.ini")) args.insert(args.begin(), {"--samples", "0"});
        ASSERT_EQ(tooltest::rkdatum(args, TempDir()).status, 0);
        const nlohmann::json doc = nlohmann::json::parse(rktest::ReadFile(json_file));
        int on_base = 0;
        for (const nlohmann::json& part : doc["parts"]) {
            if (part["located_on"] != doc["scheme"]["base"]) continue;
            ++on_base;
            for (const char* row : {"x_axis_to", "y_axis_to", "z_axis_to", "moved_by"})
                EXPECT_EQ(part["placement"][row], part["transforms"][0][row]) << part["name"] << " " << row;
        }
        EXPECT_GT(on_base, 0);
    }
}

TEST_F(Examples, AReportFileHoldsWhatTheConsoleShows)
{
    const std::string file = TempDir() + "/plate-report.txt";
    const tooltest::Run to_file = tooltest::rkdatum({"--report", file, tooltest::example("plate.ini")}, TempDir());
    ASSERT_EQ(to_file.status, 0) << to_file.err;
    EXPECT_EQ(to_file.out, "") << "the report went to the console as well";
    EXPECT_EQ(rktest::ReadFile(file), Report("plate.ini"));
}

}  // namespace
