// rkdatum's measurements: the nominal of each kind worked out by hand, the linear model and the
// samples against closed forms within their statistical error, and the files a program reads.
#include "tool_helpers.hpp"

#include <cmath>
#include <tuple>

namespace {

using nlohmann::json;
using tooltest::has;
using tooltest::named;
using tooltest::near;
using tooltest::numbers;
using tooltest::part;
using tooltest::phi;
using tooltest::point_scheme;

const double kRoot5 = std::sqrt(5.0);

using Measurements = tooltest::ToolTest;

// Plate, transform 1: far corner (100,60,0) -> (140,200,20), top centre (50,30,10) -> (170,150,30);
// from the first image to the second d = (30,-50,10), |d| = sqrt(3500).
TEST_F(Measurements, EachKindMeasuresTheImagesAsWorkedOutByHand)
{
    const double to_degrees = 180 / M_PI;
    const std::pair<const char*, double> cases[] = {
        {"coordinate far corner along x", 140.0},
        {"coordinate far corner along 0 3 4", (200.0 * 3 + 20.0 * 4) / 5},
        {"distance far corner to point 140 204 23", 5.0},
        {"distance far corner to line 0 0 20; 1 0 20", 200.0},
        {"distance far corner to plane 0 0 0; 1 0 0; 0 1 0", 20.0},
        {"distance far corner to plane 0 0 0; 0 1 0; 1 0 0", -20.0},
        {"angle far corner to top centre with direction 1 0 0", std::acos(30 / std::sqrt(3500.0)) * to_degrees},
        {"angle far corner to top centre with plane 0 0 0; 1 0 0; 0 1 0",
         std::asin(10 / std::sqrt(3500.0)) * to_degrees},
    };
    std::string plate = rktest::ReadFile(tooltest::example("plate.ini"));
    plate += "\n[ Measurements ]\n";
    for (std::size_t i = 0; i < std::size(cases); ++i) plate += "m" + std::to_string(i) + " = " + cases[i].first + "\n";
    const json doc = Json({WriteTempFile("plate.ini", plate)});
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_NEAR(doc["measurements"][i]["nominal"], cases[i].second, 1e-9) << cases[i].first;
}

// x = 15 - d1 + d2 with sigmas 1 and 2: RSS sqrt(5); worst case 15 -+ (3 + 6); shares 1/5 and 4/5;
// outside [12, 19] the normal tails Phi(-3/sqrt5) + Phi(-4/sqrt5). Sampled values are held to four
// standard errors of 20000 samples. The distance from the image to its nominal, |d2 - d1|, has a
// slope of 0 on both sides, so the linear model sees no spread while the samples follow the
// half-normal: mean sqrt5 sqrt(2/pi), standard deviation sqrt5 sqrt(1 - 2/pi).
TEST_F(Measurements, ALinearMeasurementMeetsItsClosedFormsByBothMethods)
{
    const long n = 20000;
    const std::string file = WriteTempFile(
        "m.ini", point_scheme("x = coordinate probe along x lsl 12 usl 19\nx below = coordinate probe along x usl 19\n"
                              "x wide = coordinate probe along x lsl -15 usl 45\n"
                              "folded = distance probe to point 15 25 35 usl 4\nGap (A) = coordinate probe along x\n"
                              "gap a! = coordinate probe along y lsl 24\n",
                              "object primary = normal sigma 1 along x\ntarget primary = normal sigma 2 along x\n", n));
    const json doc = Json({"--plots", TempDir() + "/new/plots", file});
    const json& x = named(doc["measurements"], "x");
    EXPECT_TRUE(near(x["sensitivities"], {-1, 1}, 1e-6));
    EXPECT_TRUE(near(x["worst_case"], {6, 24}, 1e-6));
    EXPECT_NEAR(x["rss_std_dev"], kRoot5, 1e-6);
    EXPECT_TRUE(near(x["rss_range"], {15 - 3 * kRoot5, 15 + 3 * kRoot5}, 1e-6));
    for (const auto& [k, feature, share] : {std::tuple{0, "target primary", 80.0}, {1, "object primary", 20.0}}) {
        EXPECT_EQ(x["contributors"][k]["feature"], feature);
        EXPECT_NEAR(x["contributors"][k]["rss_percent"], share, 1e-6);
        EXPECT_NEAR(x["contributors"][k]["mc_percent"], share, 1.5);
    }
    EXPECT_NEAR(x["mean"], 15.0, 4 * kRoot5 / std::sqrt(n));
    EXPECT_NEAR(x["std_dev"], kRoot5, 4 * kRoot5 / std::sqrt(2 * n));
    EXPECT_NEAR(x["percentiles"]["50"], 15.0, 4 * 1.2533 * kRoot5 / std::sqrt(n));
    EXPECT_NEAR(x["percentiles"]["0.135"], 15 - 3 * kRoot5, 0.6);
    EXPECT_NEAR(x["percentiles"]["99.865"], 15 + 3 * kRoot5, 0.6);
    const json sampled = {x["mean"], x["std_dev"], x["min"], x["max"], x["percentiles"]["0.135"],
                          x["percentiles"]["50"], x["percentiles"]["99.865"]};
    EXPECT_TRUE(near(numbers(part(report, "Monte Carlo statistics"), "x"), sampled, 1e-5));
    const double p = phi(-3 / kRoot5) + phi(-4 / kRoot5);
    const double out = x["percent_out"].get<double>() / 100;
    EXPECT_NEAR(out, p, 4 * std::sqrt(p * (1 - p) / n));
    EXPECT_NEAR(x["ppm_out"], out * 1e6, 1e-6);
    EXPECT_NEAR(x["rss_percent_out"], 100 * p, 1e-9);
    const std::vector<double> ci = x["percent_out_ci95"];
    EXPECT_LT(ci[0], 100 * out);
    EXPECT_GT(ci[1], 100 * out);
    EXPECT_NEAR(ci[1] - ci[0], 100 * 2 * 1.96 * std::sqrt(out * (1 - out) / n), 0.002);
    EXPECT_NEAR(x["cp"], 7 / (6 * kRoot5), 0.02 * 7 / (6 * kRoot5));
    EXPECT_NEAR(x["cpk"], 3 / (3 * kRoot5), 0.03 / kRoot5);

    const json& below = named(doc["measurements"], "x below");
    EXPECT_EQ(below["lsl"], nullptr);
    EXPECT_EQ(below["cp"], nullptr);
    EXPECT_NEAR(below["cpk"], 4 / (3 * kRoot5), 0.02 * 4 / (3 * kRoot5));
    const double q = phi(-4 / kRoot5);
    EXPECT_NEAR(below["percent_out"].get<double>() / 100, q, 4 * std::sqrt(q * (1 - q) / n));
    EXPECT_NEAR(below["rss_percent_out"], 100 * q, 1e-9);
    // None of 20000 outside 13 standard deviations: Wilson's interval still bounds the share, by
    // z^2 / (n + z^2).
    EXPECT_EQ(named(doc["measurements"], "x wide")["out"], 0);
    const double wilson = 100 * 1.96 * 1.96 / (n + 1.96 * 1.96);
    EXPECT_TRUE(near(named(doc["measurements"], "x wide")["percent_out_ci95"], {0, wilson}, 1e-5));

    const json& folded = named(doc["measurements"], "folded");
    EXPECT_TRUE(near(folded["sensitivities"], {0, 0}, 1e-6));
    EXPECT_NEAR(folded["rss_std_dev"], 0.0, 1e-6);
    EXPECT_NEAR(folded["mean"], kRoot5 * std::sqrt(2 / M_PI), 4 * 0.6028 * kRoot5 / std::sqrt(n));
    EXPECT_NEAR(folded["std_dev"], kRoot5 * std::sqrt(1 - 2 / M_PI), 0.04);
    EXPECT_EQ(folded["contributors"][0]["mc_percent"], 0.0);
    EXPECT_EQ(folded["mc_percent_unexplained"], 100.0);
    EXPECT_TRUE(has(part(report, "Contributors to folded"), "the measurement is not linear"));
    EXPECT_NEAR(folded["percent_out"].get<double>() / 100, 2 * q, 4 * std::sqrt(2 * q / n));

    // The text report shows the same results.
    const std::string linear = part(report, "Worst case and root sum square");
    EXPECT_TRUE(near(numbers(linear, "x"), {6, 24, 15, kRoot5, 15 - 3 * kRoot5, 15 + 3 * kRoot5, 100 * p})) << linear;
    EXPECT_TRUE(near(numbers(part(report, "Contributors to x,"), "target primary"),
                     {80.0, x["contributors"][0]["mc_percent"].get<double>()}, 0.01));
    // One plot per measurement, named after it, each more than a blank page.
    for (const char* name : {"x.png", "gap-a.png", "gap-a-2.png"}) {
        const std::string png = rktest::ReadFile(TempDir() + "/new/plots/" + name);
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << name;
        EXPECT_GT(png.size(), 10000u) << name;
    }

    // With samples = 0 the linear model still answers; every sampled value is absent, not zero.
    const std::string csv = TempDir() + "/s.csv";
    const json none = Json({"--samples", "0", "--plots", TempDir() + "/plots", "--samples-csv", csv, file});
    EXPECT_EQ(none["samples"], 0);
    EXPECT_EQ(none["samples_used"], 0);
    const json& linear_only = named(none["measurements"], "x");
    EXPECT_NEAR(linear_only["rss_std_dev"], kRoot5, 1e-6);
    for (const char* key : {"mean", "std_dev", "percent_out", "percent_out_ci95", "ppm_out", "cp", "cpk"})
        EXPECT_EQ(linear_only[key], nullptr) << key;
    EXPECT_EQ(linear_only["contributors"][0]["mc_percent"], nullptr);
    EXPECT_TRUE(has(report, "No samples drawn (samples = 0): the measurements come from the linear model alone."));
    EXPECT_EQ(part(report, "Monte Carlo statistics"), "");
    EXPECT_EQ(rktest::ReadFile(csv), "sample,x,x below,x wide,folded,Gap (A),gap a!,probe x,probe y,probe z\n");
    EXPECT_EQ(rktest::ReadFile(TempDir() + "/plots/x.png").substr(0, 4), "\x89PNG");
}

TEST_F(Measurements, BadDefinitionsGetOneMessageNamingTheMeasurement)
{
    const std::pair<const char*, const char*> cases[] = {
        {"diameter probe", "unknown kind 'diameter'; a measurement is written as coordinate CHECK along"},
        {"distance prob to point 1 2 3", "unknown check point 'prob'; the check points are 'probe'"},
        {"coordinate probe along x lsl 3 usl 1",
         "the lower limit must lie below the upper limit, found lsl 3 and usl 1"},
        {"coordinate probe along x lsl 1 lsl 2", "'lsl' given twice"},
        {"coordinate probe along x usl", "'usl' needs a value after it"},
        {"coordinate probe along x usl wide", "'wide' is not a number (after usl)"},
        {"coordinate probe along 0 0 0", "a direction cannot be the zero vector"},
        {"coordinate probe x", "expected 'along' after the check point's name"},
        {"distance probe to circle 1 2 3", "expected point or line or plane or feature after 'to', found 'circle'"},
        {"distance probe to line 1 2 3", "a line takes 2 points \"x y z\", separated by ';', found 1"},
        {"distance probe to line 1 2 3; 1 2 3", "the two points of the line coincide"},
        {"distance probe to plane 0 0 0; 1 0 0; 2 0 0", "the three points of the plane lie on one line"},
        {"angle probe to probe with direction x", "the two check points of the direction coincide"},
        {"lsl 1", "no kind given"},
        {"coordinate probe along x in objet", "unknown part 'objet' after 'in'; the parts are target and object"},
        {"coordinate probe along x in datum frame of target", "target is the base, which is not located"},
        {"distance probe to feature object secondary", "the object has no secondary feature"},
        {"distance probe to feature target primary in object", "a feature moves with its own part"},
    };
    for (const auto& [definition, phrase] : cases) {
        SCOPED_TRACE(definition);
        const std::string file = WriteTempFile("m.ini", point_scheme(std::string("bad = ") + definition + "\n", "", 0));
        ExpectRefused({file}, "rkdatum: " + file + ": [Measurements] bad: ", phrase);
    }
}

// Documents with and without samples, of two parts and of an assembly, follow the schema; one with
// a required key taken out does not, so the check can fail. One validator run reads them all.
TEST_F(Measurements, TheJsonDocumentFollowsItsSchema)
{
    const std::string plate = WriteTempFile("plate.ini", rktest::ReadFile(tooltest::example("plate.ini")) +
                                                             "\n[ Measurements ]\nh = coordinate far corner along z\n");
    const std::vector<std::vector<std::string>> runs = {
        {"--samples", "500", tooltest::example("housing_variation.ini")},
        {"--samples", "0", tooltest::example("housing_variation.ini")},
        {"--samples", "500", tooltest::example("sensor_assembly.ini")},
        {plate},
    };
    std::string command = std::string(RKDATUM_VALIDATE) + " " + RKDATUM_SCHEMA;
    json broken;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        broken = Json(runs[i]);
        command += " " + WriteTempFile("doc" + std::to_string(i) + ".json", broken.dump());
    }
    broken["measurements"][0].erase("nominal");
    command += " " + WriteTempFile("broken.json", broken.dump()) + " >" + TempDir() + "/why.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(rktest::ReadFile(TempDir() + "/why.txt"),   // one line a document, in the order given
              "valid\nvalid\nvalid\nvalid\nmeasurements/0: 'nominal' is a required property\n");
}

}  // namespace
