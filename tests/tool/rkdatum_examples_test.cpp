// The shipped examples through rkdatum: datum frames, candidate transforms, check points and the
// fixture's degrees of freedom, each compared with values worked out by hand from the features.
//
// Notation: a frame is (origin; x, y, z). The transform carrying object frame A onto target frame
// B takes a point p to B.origin + f.x B.x + f.y B.y + f.z B.z with f = ((p - A.origin).A.x, ...).
// ZX(z, x): y = z cross x, then x = y cross z. A plane's normal is (p2 - p1) cross (p3 - p1).
#include "tool_helpers.hpp"

#include <array>

namespace {

using nlohmann::json;
using tooltest::near;
using tooltest::numbers;
using tooltest::part;

using Examples = tooltest::ToolTest;

using Frame = std::vector<std::vector<double>>;   // origin, x, y, z

struct Transform {
    Frame rows;                                 // the images of x, y and z, then the shift
    std::vector<std::vector<double>> images;   // per check point: object x y z, target x y z
};

struct ExampleCase {
    const char* file;
    Frame object, target;
    const char* redundant;   // the start of the Redundant line's text
    std::vector<std::string> check_names;
    std::vector<Transform> transforms;
    const char* fixture_frame;   // the frame line of the fixture's block; none without a fixture
    const char* controls;        // C and O cells: the fixture's own, then mapped by axis and by RSS alike
    const char* mapped;
};

// The words after `label`, joined by `separator`.
std::string joined(const std::string& text, const std::string& label, const std::string& separator = "")
{
    std::string words;
    for (const std::string& w : tooltest::words_after(text, label)) words += (words.empty() ? "" : separator) + w;
    return words;
}

void expect_rows(const std::string& text, const std::array<const char*, 4>& labels, const Frame& expected)
{
    for (int r = 0; r < 4; ++r) EXPECT_TRUE(near(numbers(text, labels[r]), expected[r])) << text;
}

// Plate: primary plane (0,0,0) (0,60,0) (100,0,0), normal (0,0,-6000); secondary line (10,0,5)-(90,0,5)
// along +x, parallel to the plane; tertiary point (0,30,5). Origin = the point's foot on the line
// projected on the plane = (0,0,0); z = (0,0,-1); x = the projected line (1,0,0); y = (0,-1,0).
// Target: normal (50,0,0)x(0,50,0) = +z; rail along +y projected to (200,y,20); the pin (170,100,25)
// falls on (200,100,20). z = (0,0,1), x = (0,1,0), y = (-1,0,0).
// Transforms: the target's planes turned to face the object (normal -z), its primary and secondary in
// each sense, origin always (200,100,20); all four differ:
//  1. z (0,0,-1), x (0,1,0), y (1,0,0):   p -> (200 - y, 100 + x, 20 + z)
//  2. rail reversed: x (0,-1,0), y (-1,0,0): p -> (200 + y, 100 - x, 20 + z)
//  3. face reversed: z (0,0,1), x (0,1,0), y (-1,0,0): p -> (200 + y, 100 + x, 20 - z)
//  4. both reversed: z (0,0,1), x (0,-1,0), y (1,0,0): p -> (200 - y, 100 - x, 20 - z)
// Fixture, in world axes: -Tz, +Tx, -Ty and every rotation. World x lies along the placed y (same
// sense): +Tx -> +Ty. World y along the placed x: -Ty -> -Tx. World z against the placed z: -Tz -> +Tz.
//
// Housing: face normal (0,0,-1); bore axis (0,0,0)-(0,0,40) square to it; slot plane normal +y.
// Origin = bore meets face = (0,0,0); z = (0,0,-1); x along the face's and the slot's common line,
// n(face) x n(slot) = (1,0,0); y = (0,-1,0). Wall: face x = 500, normal +x; spigot (500,0,300)-
// (540,0,300); pin plane z = 300, normal +z. Origin (500,0,300); z = (1,0,0); x = (0,-1,0); y = (0,0,-1).
// Transforms, planes facing the object (wall -x, pin plane -z); the bore sets only the origin, so
// reversing the spigot repeats a frame and is dropped:
//  1. z (-1,0,0), x (0,-1,0), y (0,0,1): p -> (500 + z, -x, 300 - y)
//  2. wall reversed: z (1,0,0), x (0,1,0), y (0,0,1): p -> (500 - z, x, 300 - y)
// Fixture frame ZX((1,0,0), (0,1,0)): x (0,1,0), y (0,0,1), z (1,0,0); the object placed by 1:
// x (0,-1,0), y (0,0,1), z (-1,0,0). x against x: +Tx <-> -Tx; y along y; z against z: -Tz -> +Tz.
//
// Block: bottom face normal (0,0,-1), top face parallel: the secondary is left out, the frame is the
// face's and the end point's: origin (0,20,0); from z alone y = z x (1,0,0) = (0,-1,0), x = (1,0,0).
// Table: normal +z, clamp face parallel: origin (300,220,50), world axes. Facing, the table gives a
// pure shift p -> (300 + x, 200 + y, 50 + z); reversed, p -> (300 + x, 240 - y, 50 - z).
const ExampleCase kExamples[] = {
    {"plate.ini", {{0, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 0, -1}}, {{200, 100, 20}, {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
     "no", {"far corner", "top centre"},
     {{{{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {200, 100, 20}}, {{100, 60, 0, 140, 200, 20}, {50, 30, 10, 170, 150, 30}}},
      {{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}, {200, 100, 20}}, {{100, 60, 0, 260, 0, 20}, {50, 30, 10, 230, 50, 30}}},
      {{{0, 1, 0}, {1, 0, 0}, {0, 0, -1}, {200, 100, 20}}, {{100, 60, 0, 260, 200, 20}, {50, 30, 10, 230, 150, 10}}},
      {{{0, -1, 0}, {-1, 0, 0}, {0, 0, -1}, {200, 100, 20}}, {{100, 60, 0, 140, 0, 20}, {50, 30, 10, 170, 50, 10}}}},
     "Object frame        x (0.0000, 1.0000, 0.0000), y (1.0000, 0.0000, 0.0000), z (0.0000, 0.0000, -1.0000)",
     //+Tx-Tx+Ty-Ty+Tz-Tz+Rx-Rx+Ry-Ry+Rz-Rz
     "COOCOCCCCCCC", "OCCOCOCCCCCC"},
    {"housing.ini", {{0, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 0, -1}}, {{500, 0, 300}, {0, -1, 0}, {0, 0, -1}, {1, 0, 0}},
     "no", {"shaft end", "mounting hole"},
     {{{{0, -1, 0}, {0, 0, -1}, {1, 0, 0}, {500, 0, 300}}, {{0, 0, 120, 620, 0, 300}, {40, 40, 0, 500, -40, 260}}},
      {{{0, 1, 0}, {0, 0, -1}, {-1, 0, 0}, {500, 0, 300}}, {{0, 0, 120, 380, 0, 300}, {40, 40, 0, 500, 40, 260}}}},
     "Fixture frame       x (0.0000, 1.0000, 0.0000), y (0.0000, 0.0000, 1.0000), z (1.0000, 0.0000, 0.0000)",
     "CCCCOCCCCCCC", "CCCCCOCCCCCC"},
    {"redundant.ini", {{0, 20, 0}, {1, 0, 0}, {0, -1, 0}, {0, 0, -1}},
     {{300, 220, 50}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
     "yes: the secondary feature was left out", {"far top corner"},
     {{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {300, 200, 50}}, {{80, 40, 20, 380, 240, 70}}},
      {{{1, 0, 0}, {0, -1, 0}, {0, 0, -1}, {300, 240, 50}}, {{80, 40, 20, 380, 200, 30}}}},
     nullptr, "", ""},
};

const char* const kPlacementRows[] = {"x_axis_to", "y_axis_to", "z_axis_to", "moved_by"};

// A placement is built from the part's frame and its seat's, without the library's other three
// orientations; on the base it must be the library's first candidate, bit for bit.
void expect_placement_is_first_candidate(const json& doc)
{
    int on_base = 0;
    for (const json& placed : doc["parts"]) {
        if (placed["located_on"] != doc["scheme"]["base"]) continue;
        ++on_base;
        for (const char* row : kPlacementRows)
            EXPECT_EQ(placed["placement"][row], placed["transforms"][0][row]) << placed["name"] << " " << row;
    }
    EXPECT_GT(on_base, 0);
}

TEST_F(Examples, FramesTransformsAndFixturesAreAsWorkedOutByHand)
{
    for (const ExampleCase& c : kExamples) {
        SCOPED_TRACE(c.file);
        expect_placement_is_first_candidate(Json({tooltest::example(c.file)}));
        for (const auto& [title, frame] : {std::pair{"Object datum", &c.object}, {"Target datum", &c.target}}) {
            const std::string text = part(report, title + std::string(" reference frame"));
            expect_rows(text, {"Origin", "X axis", "Y axis", "Z axis"}, *frame);
            EXPECT_TRUE(tooltest::has(joined(text, "Redundant", " "), c.redundant, true));
        }
        const std::string all = part(report, "Candidate transforms");
        ASSERT_TRUE(tooltest::has(all, "onto the target: " + std::to_string(c.transforms.size())));
        for (std::size_t t = 0; t < c.transforms.size(); ++t) {
            const std::string head = "Transform " + std::to_string(t + 1) + " of";
            const std::string block = part(all, head, "Transform " + std::to_string(t + 2) + " of");
            expect_rows(block, {"x axis to", "y axis to", "z axis to", "moved by"}, c.transforms[t].rows);
            for (std::size_t k = 0; k < c.check_names.size(); ++k)
                EXPECT_TRUE(near(numbers(block, c.check_names[k]), c.transforms[t].images[k])) << c.check_names[k];
        }
        if (c.fixture_frame == nullptr) continue;
        const std::string fixture = part(report, "Fixture degrees of freedom");
        EXPECT_TRUE(tooltest::has(fixture, c.fixture_frame));
        EXPECT_EQ(joined(fixture, "Fixture controls"), c.controls);
        EXPECT_EQ(joined(fixture, "Axis to axis"), c.mapped);
        EXPECT_EQ(joined(fixture, "Root sum square"), c.mapped);
    }
    const std::string file = TempDir() + "/plate-report.txt";
    const tooltest::Run to_file = Tool({"--report", file, tooltest::example("plate.ini")});
    ASSERT_EQ(to_file.status, 0) << to_file.err;
    EXPECT_EQ(to_file.out, "") << "the report went to the console as well";
    EXPECT_EQ(rktest::ReadFile(file), Tool({tooltest::example("plate.ini")}).out);
}

// The bracket stands on the plate shifted to its seat's corner (8,20,10). The sensor's frame
// (0; x, -y, -z) goes onto its seat on the bracket, planes turned to face it: z (-1,0,0), x along
// the face's and the keyway's common line (-1,0,0) x (0,0,1) = (0,1,0), y (0,0,-1). So the
// sensor's x goes to +y, its y to +z, its z to +x, its origin to (60,20,40), and in the plate
// to (68,40,50): the tip (0,0,30) at (98,40,50). The cover is shifted by (100,10,10): its end
// wall x = 0 is at x = 100, 2 beyond the tip, its mark (0,30,40) at (100,40,50), dead ahead.
TEST_F(Examples, SensorAssemblyPlacesEachPartDownItsChain)
{
    const json doc = Json({"--plots", TempDir() + "/plots", tooltest::example("sensor_assembly.ini")});
    const json& sensor = doc["parts"][2];
    ASSERT_EQ(sensor["name"], "sensor");
    EXPECT_EQ(sensor["located_on"], "bracket");
    const Frame placement = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}, {68, 40, 50}};
    for (int r = 0; r < 4; ++r) EXPECT_TRUE(near(sensor["placement"][kPlacementRows[r]], placement[r])) << r;
    EXPECT_TRUE(near(doc["check_points"][0]["image"], {98, 40, 50}));
    EXPECT_TRUE(near(doc["check_points"][2]["image"], {100, 40, 50}));
    const double nominal[] = {2, 30, 40, 0, 0};   // gap, offset y and z, pitch, yaw
    for (std::size_t m = 0; m < std::size(nominal); ++m)
        EXPECT_NEAR(doc["measurements"][m]["nominal"], nominal[m], 1e-9) << m;
    EXPECT_GT(doc["measurements"][0]["out"].get<long>(), 0) << "the example shows some gaps out of limits";
    EXPECT_NE(part(report, "Placement of the sensor:"), "");
    EXPECT_EQ(rktest::ReadFile(TempDir() + "/plots/placements.png").substr(0, 4), "\x89PNG");
    expect_placement_is_first_candidate(doc);
}

}  // namespace
