// rkdatum's Monte Carlo run: reproducible from its seed, exact when nothing varies, and drawing
// from the distributions the scheme names.
//
// Most cases use a one-point scheme: object and target are each located by a primary point
// alone, which gives a frame at the point with the world axes. The transform is then the shift
// from the object's point to the target's, so a deviation d of the object's point moves every
// check point's image by -d, and a deviation of the target's point moves it by +d.
#include "tool_helpers.hpp"

#include <cmath>

namespace {

using tooltest::numbers;
using tooltest::part;

class Variation : public rktest::LibraryTest {
protected:
    std::string PointScheme(const std::string& variation, long samples = 20000)
    {
        return WriteTempFile("points.ini", "[ Object ]\nprimary = point\nprimary points = 0 0 0\n"
                                           "[ Target ]\nprimary = point\nprimary points = 10 20 30\n"
                                           "[ Check points ]\nprobe = 5 5 5\n"
                                           "[ Variation ]\nsamples = " +
                                               std::to_string(samples) + "\nseed = 12345\n" + variation);
    }

    std::string Run(const std::vector<std::string>& args, int status = 0)
    {
        const tooltest::Run run = tooltest::rkdatum(args, TempDir());
        EXPECT_EQ(run.status, status) << run.err;
        return run.out;
    }

    // Mean, standard deviation, minimum and maximum of a row of a check point's statistics.
    std::vector<double> Stats(const std::string& report, const std::string& check, const std::string& row)
    {
        return numbers(part(report, "Check point " + check + ":"), row);
    }
};

TEST_F(Variation, TheSameSeedGivesTheSameStatistics)
{
    const std::string example = tooltest::example("housing_variation.ini");
    const std::string first = Run({"--quiet", "--samples", "3000", example});
    const std::string second = Run({"--quiet", "--samples", "3000", example});
    ASSERT_NE(part(first, "Check point shaft end:"), "");
    EXPECT_EQ(first, second);

    const std::string reseeded = Run({"--quiet", "--samples", "3000", "--seed", "99", example});
    EXPECT_NE(Stats(reseeded, "shaft end", "distance"), Stats(first, "shaft end", "distance"))
        << "the seed does not reach the draws";
}

// Zero sigma and zero range draw nothing but the nominal deviation of 0: every sample rebuilds
// the nominal frames exactly, so every displacement is 0.
TEST_F(Variation, FeaturesWithoutVariationGiveZeroSpread)
{
    const std::string file = WriteTempFile(
        "still.ini", rktest::ReadFile(tooltest::example("plate.ini")) +
                         "\n[ Variation ]\nsamples = 500\nobject primary = normal sigma 0\n"
                         "target secondary = uniform range 0 along x\nobject tertiary = none\n");
    const std::string report = Run({file});
    for (const char* check : {"far corner", "top centre"}) {
        for (const char* row : {"distance", "along x", "along y", "along z"})
            EXPECT_TRUE(tooltest::near(Stats(report, check, row), {0, 0, 0, 0}, 0.0)) << check << ", " << row;
        EXPECT_NE(part(report, std::string("Check point ") + check + ":").find("all 500 samples at 0.000000"),
                  std::string::npos);
    }
}

// A normal deviation of the object's point along x: the image moves by -d along x only. The
// distance is |d|, whose mean is sigma sqrt(2/pi). 20000 draws put the sample mean within 4
// standard errors (4 x 0.1 / 141) and the spread within a few percent.
TEST_F(Variation, ANormalDeviationHasItsSigmaAlongItsAxisOnly)
{
    const std::string report = Run({PointScheme("object primary = normal sigma 0.1 along x\n")});
    const std::vector<double> x = Stats(report, "probe", "along x");
    ASSERT_EQ(x.size(), 4u);
    EXPECT_NEAR(x[0], 0.0, 0.003);
    EXPECT_NEAR(x[1], 0.1, 0.003);
    EXPECT_LT(x[2], -0.3) << "20000 normal draws reach beyond 3 sigma";
    EXPECT_GT(x[3], 0.3);
    EXPECT_NEAR(Stats(report, "probe", "distance")[0], 0.1 * std::sqrt(2.0 / M_PI), 0.003);
    EXPECT_TRUE(tooltest::near(Stats(report, "probe", "along y"), {0, 0, 0, 0}, 0.0));
    EXPECT_TRUE(tooltest::near(Stats(report, "probe", "along z"), {0, 0, 0, 0}, 0.0));
}

// Cut at half a sigma on either side, a normal keeps the spread
// sigma sqrt(1 - 2 a phi(a) / (2 Phi(a) - 1)) with a = 0.5: 0.1 x 0.28388.
TEST_F(Variation, TruncationLimitsBoundTheDraws)
{
    const std::string report = Run({PointScheme("object primary = normal sigma 0.1 low -0.05 high 0.05 along x\n")});
    const std::vector<double> x = Stats(report, "probe", "along x");
    ASSERT_EQ(x.size(), 4u);
    EXPECT_NEAR(x[1], 0.028388, 0.0008);
    EXPECT_GE(x[2], -0.05);
    EXPECT_LE(x[3], 0.05);
    EXPECT_LE(Stats(report, "probe", "distance")[3], 0.05);
}

// A uniform range r on the target's point along y: the image moves by +d with d uniform in
// [-r/2, r/2], whose spread is r / sqrt(12).
TEST_F(Variation, AUniformRangeSpreadsEvenlyOverItsWidth)
{
    const std::string report = Run({PointScheme("target primary = uniform range 0.2 along y\n")});
    const std::vector<double> y = Stats(report, "probe", "along y");
    ASSERT_EQ(y.size(), 4u);
    EXPECT_NEAR(y[0], 0.0, 0.002);
    EXPECT_NEAR(y[1], 0.2 / std::sqrt(12.0), 0.0015);
    EXPECT_GE(y[2], -0.1);
    EXPECT_LT(y[2], -0.099);
    EXPECT_LE(y[3], 0.1);
    EXPECT_GT(y[3], 0.099);
    EXPECT_TRUE(tooltest::near(Stats(report, "probe", "along x"), {0, 0, 0, 0}, 0.0));
}

// A nominal offset moves every sample alike; its sign tells the object's side from the target's.
TEST_F(Variation, NominalOffsetsMoveTheImageAwayFromTheObjectAndWithTheTarget)
{
    const std::string report = Run({PointScheme("object primary = uniform range 0 nominal 0.5 along x\n"
                                                "target primary = uniform range 0 nominal 0.25 along z\n",
                                                50)});
    EXPECT_TRUE(tooltest::near(Stats(report, "probe", "along x"), {-0.5, 0, -0.5, -0.5}, 1e-6));
    EXPECT_TRUE(tooltest::near(Stats(report, "probe", "along z"), {0.25, 0, 0.25, 0.25}, 1e-6));
    EXPECT_TRUE(tooltest::near(Stats(report, "probe", "distance"), {std::sqrt(0.3125), 0, std::sqrt(0.3125),
                                                                    std::sqrt(0.3125)},
                               1e-6));
}

// Object located by two points 0.015 apart (more than the point tolerance of 0.01). With the
// second point uniform over +-0.01 along x, it comes within 0.01 of the first in a quarter of the
// samples, which the library then drops as redundant.
TEST_F(Variation, SamplesWhoseRedundancyDiffersFromNominalAreCounted)
{
    const std::string file =
        WriteTempFile("near.ini", "[ Object ]\nprimary = point\nprimary points = 0 0 0\nsecondary = point\n"
                                  "secondary points = 0.015 0 0\n"
                                  "[ Target ]\nprimary = point\nprimary points = 0 0 0\nsecondary = point\n"
                                  "secondary points = 0.015 0 0\n"
                                  "[ Check points ]\nprobe = 1 1 1\n"
                                  "[ Variation ]\nsamples = 4000\nobject secondary = uniform range 0.02 along x\n");
    const std::string report = Run({file});
    const std::string variation = part(report, "Variation:");
    const std::string marker = "Redundancy other than nominal       object ";
    const std::size_t at = variation.find(marker);
    ASSERT_NE(at, std::string::npos) << variation;
    const long changed = std::stol(variation.substr(at + marker.size()));
    EXPECT_GT(changed, 800);
    EXPECT_LT(changed, 1200);
    EXPECT_NE(variation.find(", target 0 samples"), std::string::npos) << variation;
}

// A primary line 0.03 long whose points vary uniformly over +-0.02 along it: in about one sample
// in eight its points come within the point tolerance and the line cannot be built. Those samples
// are counted with their error and left out of the statistics; the status says some failed.
TEST_F(Variation, FailedSamplesAreCountedShownAndLeftOut)
{
    const std::string file =
        WriteTempFile("short.ini", "[ Object ]\nprimary = line\nprimary points = 0 0 0; 0.03 0 0\n"
                                   "[ Target ]\nprimary = line\nprimary points = 0 0 0; 0.03 0 0\n"
                                   "[ Check points ]\nprobe = 1 1 1\n"
                                   "[ Variation ]\nsamples = 2000\nobject primary = uniform range 0.04 along x\n");
    const tooltest::Run run = tooltest::rkdatum({file}, TempDir());
    EXPECT_EQ(run.status, 3);
    const std::string variation = part(run.out, "Variation:");
    const std::string used = "Samples used                        ";
    const std::string failed = "Samples failed                      ";
    ASSERT_NE(variation.find(used), std::string::npos) << variation;
    ASSERT_NE(variation.find(failed), std::string::npos) << variation;
    const long n_used = std::stol(variation.substr(variation.find(used) + used.size()));
    const long n_failed = std::stol(variation.substr(variation.find(failed) + failed.size()));
    EXPECT_EQ(n_used + n_failed, 2000);
    EXPECT_GT(n_failed, 150);
    EXPECT_LT(n_failed, 350);
    EXPECT_NE(variation.find("error 10 at rk_line("), std::string::npos) << variation;
    EXPECT_EQ(tooltest::numbers(part(run.out, "Check point probe:"), "distance").size(), 4u);
    EXPECT_NE(run.err.find("samples could not be analysed; the first, sample "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("The two points of a line coincide"), std::string::npos) << run.err;
}

TEST_F(Variation, TimingReportsThroughputOnStandardError)
{
    const tooltest::Run run = tooltest::rkdatum({"--timing", PointScheme("", 100)}, TempDir());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err.rfind("rkdatum: 100 samples in ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(" samples per second\n"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("per second"), std::string::npos) << "timing would make reports differ between runs";
}

}  // namespace
