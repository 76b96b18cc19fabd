// rkdatum's Monte Carlo run: drawing from the distributions the scheme names, as the linear model
// takes them, and counting the samples that fail or change redundancy.
#include "tool_helpers.hpp"

#include <cmath>

namespace {

using nlohmann::json;
using tooltest::has;
using tooltest::part;
using tooltest::phi;

using Variation = tooltest::ToolTest;

// x = 15 + d for the target's deviation d (15 - d for the object's). The linear model takes its
// mean, spread and worst-case range from the distribution as drawn; 20000 samples meet them within
// their sampling error and reach the range's ends (beyond them only where the normal is not cut).
// Zero sigma, zero range and none draw the nominal deviation alone, the same in every sample.
// Cut to [a, b] in sigmas, a unit normal has mean (phi(a) - phi(b)) / Z and variance
// 1 + (a phi(a) - b phi(b)) / Z - mean^2, Z = Phi(b) - Phi(a).
TEST_F(Variation, EachDistributionIsDrawnAsTheLinearModelTakesIt)
{
    const double pdf1 = std::exp(-0.5) / std::sqrt(2 * M_PI);   // phi(1) = phi(-1)
    const double cut_mean = pdf1 / phi(1);                       // below -1 cut away
    const double pdf_half = std::exp(-0.125) / std::sqrt(2 * M_PI);
    const struct {
        const char* variation;
        double mean, std_dev, low, high;
        bool cut_low, cut_high;
    } cases[] = {
        {"target primary = normal sigma 2 along x", 0, 2, -6, 6, false, false},
        {"target primary = uniform range 2 along x", 0, 2 / std::sqrt(12.0), -1, 1, true, true},
        {"target primary = uniform range 2 nominal 0.5 high 1 along x", 0.25, 1.5 / std::sqrt(12.0),
         -0.5, 1, true, true},
        {"target primary = normal sigma 1 low -0.5 high 0.5 along x", 0, std::sqrt(1 - pdf_half / (2 * phi(0.5) - 1)),
         -0.5, 0.5, true, true},
        {"target primary = normal sigma 1 low -1 along x", cut_mean, std::sqrt(1 - pdf1 / phi(1) - cut_mean * cut_mean),
         -1, 3, true, false},
        {"object primary = uniform range 0 nominal 0.5 along x", -0.5, 0, -0.5, -0.5, true, true},
        {"target primary = normal sigma 0 along x", 0, 0, 0, 0, true, true},
        {"target primary = none", 0, 0, 0, 0, true, true},
    };
    const long n = 20000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variation);
        const std::string scheme = tooltest::point_scheme("x = coordinate probe along x\n", c.variation, n);
        const json doc = Json({WriteTempFile("m.ini", scheme + "\n")});
        const json& x = doc["measurements"][0];
        EXPECT_NEAR(x["rss_mean"], 15 + c.mean, 1e-6);
        EXPECT_NEAR(x["rss_std_dev"], c.std_dev, 1e-6);
        EXPECT_TRUE(tooltest::near(x["worst_case"], {15 + c.low, 15 + c.high}, 1e-6));
        EXPECT_NEAR(x["mean"], 15 + c.mean, 4 * c.std_dev / std::sqrt(n) + 1e-9);
        EXPECT_NEAR(x["std_dev"], c.std_dev, 0.025 * c.std_dev + 1e-9);
        const double min = x["min"], max = x["max"], reach = 0.01 * (c.high - c.low);
        EXPECT_LE(min, 15 + c.low + reach);
        EXPECT_GE(max, 15 + c.high - reach);
        EXPECT_TRUE(!c.cut_low || min >= 15 + c.low - 1e-9) << min;
        EXPECT_TRUE(!c.cut_high || max <= 15 + c.high + 1e-9) << max;

        // The image moves along x alone, so its distance is |along x| in every sample.
        const json& moved = doc["check_point_displacements"][0];
        EXPECT_NEAR(moved["along_x"]["min"], min - 15, 1e-9);
        EXPECT_NEAR(moved["distance"]["max"], std::max(15 - min, max - 15), 1e-9);
        for (const char* axis : {"along_y", "along_z"})
            EXPECT_EQ(moved[axis]["max"].get<double>() - moved[axis]["min"].get<double>(), 0.0) << axis;
        const json& ax = moved["along_x"];
        const std::string block = part(report, "Check point probe:");
        const json sampled = {ax["mean"], ax["std_dev"], ax["min"], ax["max"]};
        EXPECT_TRUE(tooltest::near(tooltest::numbers(block, "along x"), sampled, 1e-6));
        EXPECT_EQ(block.find("all 20000 samples at ") != std::string::npos, c.std_dev == 0) << block;
    }
}

// Object located by two points 0.015 apart (more than the point tolerance of 0.01). With the
// second point uniform over +-0.01 along x, it comes within 0.01 of the first in a quarter of the
// samples, which the library then drops as redundant.
TEST_F(Variation, SamplesWhoseRedundancyDiffersFromNominalAreCounted)
{
    const std::string two_points =
        "primary = point\nprimary points = 0 0 0\nsecondary = point\nsecondary points = 0.015 0 0\n";
    const tooltest::Run run = Tool({WriteTempFile(
        "near.ini", "[ Object ]\n" + two_points + "[ Target ]\n" + two_points + "[ Check points ]\nprobe = 1 1 1\n"
                    "[ Variation ]\nsamples = 4000\nobject secondary = uniform range 0.02 along x\n")});
    const std::string variation = part(run.out, "Variation:");
    const std::string marker = "Redundancy other than nominal       object ";
    ASSERT_TRUE(has(variation, marker));
    const long changed = std::stol(variation.substr(variation.find(marker) + marker.size()));
    EXPECT_GT(changed, 800);
    EXPECT_LT(changed, 1200);
    EXPECT_TRUE(has(variation, ", target 0 samples"));
}

// Failed samples are counted with their error and left out of the statistics, and the status says
// some failed. The CSV holds the samples used, numbered as drawn, its columns agreeing with the JSON.
TEST_F(Variation, FailedSamplesAreCountedShownAndLeftOutOfTheCsv)
{
    const std::string csv = TempDir() + "/s.csv";
    const tooltest::Run run = Tool({"--json", TempDir() + "/r.json", "--samples-csv", csv,
                                    WriteTempFile("short.ini", tooltest::short_line_scheme(2000))});
    ASSERT_EQ(run.status, 3) << run.err;
    const json doc = json::parse(rktest::ReadFile(TempDir() + "/r.json"));
    const std::string variation = part(run.out, "Variation:");
    const long failed = doc["samples_failed"];
    EXPECT_TRUE(has(variation, "Samples used                        " + doc["samples_used"].dump() + " of 2000"));
    EXPECT_TRUE(has(variation, "Samples failed                      " + std::to_string(failed)));
    EXPECT_EQ(doc["samples_used"].get<long>() + failed, 2000);
    EXPECT_GT(failed, 150);
    EXPECT_LT(failed, 350);
    EXPECT_TRUE(has(variation, "error 10 at rk_line("));
    EXPECT_TRUE(has(run.err, "samples could not be analysed; the first, sample "));
    EXPECT_TRUE(has(run.err, "The two points of a line coincide"));

    const std::vector<std::string> rows = tooltest::lines_of(rktest::ReadFile(csv));
    ASSERT_EQ(rows.size(), doc["samples_used"].get<std::size_t>() + 1);
    EXPECT_EQ(rows[0], "sample,height,\"probe, \"\"tip\"\" x\",\"probe, \"\"tip\"\" y\",\"probe, \"\"tip\"\" z\"");
    long last = 0, skipped = 0;
    double sum = 0.0;
    for (std::size_t k = 1; k < rows.size(); ++k) {
        const std::vector<std::string> cells = tooltest::split(rows[k], ',');
        ASSERT_EQ(cells.size(), 5u) << rows[k];
        const long sample = std::stol(cells[0]);
        EXPECT_GT(sample, last);
        skipped += sample - last - 1;
        last = sample;
        EXPECT_EQ(cells[1], cells[4]) << "the height is the image's z";
        sum += std::stod(cells[1]);
    }
    EXPECT_EQ(skipped + (2000 - last), failed);
    EXPECT_NEAR(sum / static_cast<double>(rows.size() - 1), doc["measurements"][0]["mean"], 1e-12);
}

}  // namespace
