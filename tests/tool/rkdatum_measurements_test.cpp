// rkdatum's measurements: the nominal of each kind worked out by hand, the linear model and the
// samples against closed forms within their statistical error, and the files a program reads.
//
// Most cases use a point scheme: object and target each located by one point, so transform 1 is
// the shift from the object's point (0,0,0) to the target's (10,20,30) and the probe (5,5,5) lands
// at (15,25,35). A deviation d1 of the object's point along x moves the image by -d1, a deviation
// d2 of the target's by +d2: the image's x is 15 - d1 + d2, with sensitivities -1 and +1.
#include "tool_helpers.hpp"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>

namespace {

using nlohmann::json;

constexpr long kSamples = 20000;
const double kRoot5 = std::sqrt(5.0);

double phi(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

const json& by_name(const json& doc, const std::string& name)
{
    for (const json& m : doc.at("measurements"))
        if (m.at("name") == name) return m;
    throw std::runtime_error("no measurement " + name);
}

class Measurements : public rktest::LibraryTest {
protected:
    std::string PointScheme(const std::string& measurements, const std::string& variation, long samples = kSamples)
    {
        return WriteTempFile("m.ini", "[ Object ]\nprimary = point\nprimary points = 0 0 0\n"
                                      "[ Target ]\nprimary = point\nprimary points = 10 20 30\n"
                                      "[ Check points ]\nprobe = 5 5 5\n[ Measurements ]\n" +
                                          measurements + "[ Variation ]\nsamples = " + std::to_string(samples) +
                                          "\nseed = 4242\n" + variation);
    }

    // Runs the tool on `file` with --json and `args`; returns the document.
    json Run(const std::string& file, std::vector<std::string> args = {})
    {
        const std::string out = TempDir() + "/run.json";
        args.insert(args.begin(), {"--quiet", "--json", out});
        args.push_back(file);
        const tooltest::Run run = tooltest::rkdatum(args, TempDir());
        EXPECT_EQ(run.status, 0) << run.err;
        report = run.out;
        return json::parse(rktest::ReadFile(out));
    }

    std::string report;
};

const std::string kTwoInputs = "object primary = normal sigma 1 along x\ntarget primary = normal sigma 2 along x\n";

// Plate, transform 1: far corner (100,60,0) -> (140,200,20), top centre (50,30,10) -> (170,150,30);
// from the first image to the second d = (30,-50,10), |d| = sqrt(3500).
TEST_F(Measurements, EachKindMeasuresTheImagesAsWorkedOutByHand)
{
    const struct {
        const char* definition;
        double nominal;
    } cases[] = {
        {"coordinate far corner along x", 140.0},
        {"coordinate corner in object along x", 140.0},   // "in" within a check point's name
        {"coordinate far corner along 0 3 4", (200.0 * 3 + 20.0 * 4) / 5},
        {"distance far corner to point 140 204 23", 5.0},
        {"distance far corner to line 0 0 20; 1 0 20", 200.0},
        {"distance far corner to plane 0 0 0; 1 0 0; 0 1 0", 20.0},
        {"distance far corner to plane 0 0 0; 0 1 0; 1 0 0", -20.0},
        {"angle far corner to top centre with direction 1 0 0", std::acos(30 / std::sqrt(3500.0)) * 180 / M_PI},
        {"angle far corner to top centre with plane 0 0 0; 1 0 0; 0 1 0", std::asin(10 / std::sqrt(3500.0)) * 180 / M_PI},
    };
    std::string section = "\n[ Measurements ]\n";
    for (std::size_t i = 0; i < std::size(cases); ++i) section += "m" + std::to_string(i) + " = " + cases[i].definition + "\n";
    std::string plate = rktest::ReadFile(tooltest::example("plate.ini"));
    plate.insert(plate.find("top centre ="), "corner in object = 100 60 0\n");
    const json doc = Run(WriteTempFile("plate.ini", plate + section));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].definition);
        EXPECT_NEAR(by_name(doc, "m" + std::to_string(i))["nominal"].get<double>(), cases[i].nominal, 1e-9);
    }
    EXPECT_EQ(doc["samples"], 0);
    EXPECT_EQ(doc["seed"], nullptr);
}

// x = 15 - d1 + d2 with sigmas 1 and 2: RSS sqrt(5); worst case 15 -+ (3 + 6); shares 1/5 and 4/5;
// outside [12, 19] the normal tails Phi(-3/sqrt5) + Phi(-4/sqrt5). Sampled values are held to four
// standard errors of 20000 samples.
TEST_F(Measurements, ALinearMeasurementMeetsItsClosedFormsByBothMethods)
{
    const json doc = Run(PointScheme("x = coordinate probe along x lsl 12 usl 19\n"
                                     "x below = coordinate probe along x usl 19\n"
                                     "x wide = coordinate probe along x lsl -15 usl 45\n",
                                     kTwoInputs));
    const double n = kSamples;
    const json& x = by_name(doc, "x");
    EXPECT_TRUE(tooltest::near(x["sensitivities"].get<std::vector<double>>(), {-1, 1}, 1e-6));
    EXPECT_TRUE(tooltest::near(x["worst_case"].get<std::vector<double>>(), {6, 24}, 1e-6));
    EXPECT_NEAR(x["rss_std_dev"].get<double>(), kRoot5, 1e-6);
    EXPECT_TRUE(tooltest::near(x["rss_range"].get<std::vector<double>>(), {15 - 3 * kRoot5, 15 + 3 * kRoot5}, 1e-6));
    const json& first = x["contributors"][0];
    const json& second = x["contributors"][1];
    EXPECT_EQ(first["feature"], "target primary");
    EXPECT_NEAR(first["rss_percent"].get<double>(), 80.0, 1e-6);
    EXPECT_NEAR(first["mc_percent"].get<double>(), 80.0, 1.5);
    EXPECT_EQ(second["feature"], "object primary");
    EXPECT_NEAR(second["rss_percent"].get<double>(), 20.0, 1e-6);
    EXPECT_NEAR(second["mc_percent"].get<double>(), 20.0, 1.5);

    EXPECT_NEAR(x["mean"].get<double>(), 15.0, 4 * kRoot5 / std::sqrt(n));
    EXPECT_NEAR(x["std_dev"].get<double>(), kRoot5, 4 * kRoot5 / std::sqrt(2 * n));
    EXPECT_NEAR(x["percentiles"]["50"].get<double>(), 15.0, 4 * 1.2533 * kRoot5 / std::sqrt(n));
    EXPECT_NEAR(x["percentiles"]["0.135"].get<double>(), 15 - 3 * kRoot5, 0.6);
    EXPECT_NEAR(x["percentiles"]["99.865"].get<double>(), 15 + 3 * kRoot5, 0.6);

    const double p = phi(-3 / kRoot5) + phi(-4 / kRoot5);
    const double out = x["percent_out"].get<double>() / 100;
    EXPECT_NEAR(out, p, 4 * std::sqrt(p * (1 - p) / n));
    EXPECT_NEAR(x["ppm_out"].get<double>(), out * 1e6, 1e-6);
    EXPECT_NEAR(x["rss_percent_out"].get<double>(), 100 * p, 1e-9);
    const std::vector<double> ci = x["percent_out_ci95"];
    EXPECT_LT(ci[0], 100 * out);
    EXPECT_GT(ci[1], 100 * out);
    EXPECT_NEAR(ci[1] - ci[0], 100 * 2 * 1.96 * std::sqrt(out * (1 - out) / n), 0.002);
    EXPECT_NEAR(x["cp"].get<double>(), 7 / (6 * kRoot5), 0.02 * 7 / (6 * kRoot5));
    EXPECT_NEAR(x["cpk"].get<double>(), 3 / (3 * kRoot5), 0.03 / kRoot5);

    const json& below = by_name(doc, "x below");
    EXPECT_EQ(below["lsl"], nullptr);
    EXPECT_EQ(below["cp"], nullptr);
    EXPECT_NEAR(below["cpk"].get<double>(), 4 / (3 * kRoot5), 0.02 * 4 / (3 * kRoot5));
    const double q = phi(-4 / kRoot5);
    EXPECT_NEAR(below["percent_out"].get<double>() / 100, q, 4 * std::sqrt(q * (1 - q) / n));
    EXPECT_NEAR(below["rss_percent_out"].get<double>(), 100 * q, 1e-9);

    // None of 20000 outside 13 standard deviations: Wilson's interval still bounds the share, by
    // z^2 / (n + z^2).
    EXPECT_EQ(by_name(doc, "x wide")["out"], 0);
    EXPECT_TRUE(tooltest::near(by_name(doc, "x wide")["percent_out_ci95"].get<std::vector<double>>(),
                               {0, 100 * 1.96 * 1.96 / (n + 1.96 * 1.96)}, 1e-5));

    // The text report shows the same results.
    const std::string linear = tooltest::part(report, "Worst case and root sum square");
    EXPECT_TRUE(tooltest::near(tooltest::numbers(linear, "x"), {6, 24, 15, kRoot5, 15 - 3 * kRoot5, 15 + 3 * kRoot5,
                                                               100 * p},
                               1e-4))
        << linear;
    EXPECT_TRUE(tooltest::near(tooltest::numbers(tooltest::part(report, "Contributors to x,"), "target primary"),
                               {80.0, first["mc_percent"].get<double>()}, 0.01));
}

// x = 15 + d for the target's deviation d: the linear model takes its mean, spread and worst-case
// range from the distribution as drawn. Cut to [a, b] in sigmas, a unit normal has mean
// (phi(a) - phi(b)) / Z and variance 1 + (a phi(a) - b phi(b)) / Z - mean^2, Z = Phi(b) - Phi(a).
TEST_F(Measurements, TheLinearModelTakesEachDistributionAsDrawn)
{
    const double pdf1 = std::exp(-0.5) / std::sqrt(2 * M_PI);   // phi(1) = phi(-1)
    const double cut_mean = pdf1 / phi(1);                       // below -1 cut away
    const double pdf_half = std::exp(-0.125) / std::sqrt(2 * M_PI);
    const struct {
        const char* distribution;
        double mean, std_dev, low, high;
    } cases[] = {
        {"normal sigma 2", 0, 2, -6, 6},
        {"uniform range 2", 0, 2 / std::sqrt(12.0), -1, 1},
        {"uniform range 2 nominal 0.5 high 1", 0.25, 1.5 / std::sqrt(12.0), -0.5, 1},
        {"normal sigma 1 low -0.5 high 0.5", 0, std::sqrt(1 - pdf_half / (2 * phi(0.5) - 1)), -0.5, 0.5},
        {"normal sigma 1 low -1", cut_mean, std::sqrt(1 - pdf1 / phi(1) - cut_mean * cut_mean), -1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.distribution);
        const json x = by_name(Run(PointScheme("x = coordinate probe along x\n",
                                               std::string("target primary = ") + c.distribution + " along x\n", 0)),
                               "x");
        EXPECT_NEAR(x["rss_mean"].get<double>(), 15 + c.mean, 1e-6);
        EXPECT_NEAR(x["rss_std_dev"].get<double>(), c.std_dev, 1e-6);
        EXPECT_TRUE(tooltest::near(x["worst_case"].get<std::vector<double>>(), {15 + c.low, 15 + c.high}, 1e-6));
    }
}

// With samples = 0 the linear model still answers; every sampled value is absent, not zero.
TEST_F(Measurements, NoSamplesStillGiveTheLinearModel)
{
    const std::string file = PointScheme("x = coordinate probe along x lsl 12 usl 19\n", kTwoInputs, 0);
    const json doc = Run(file, {"--plots", TempDir() + "/plots", "--samples-csv", TempDir() + "/s.csv"});
    EXPECT_EQ(doc["samples"], 0);
    EXPECT_EQ(doc["samples_used"], 0);
    const json& x = by_name(doc, "x");
    EXPECT_NEAR(x["rss_std_dev"].get<double>(), kRoot5, 1e-6);
    for (const char* key : {"mean", "std_dev", "percent_out", "percent_out_ci95", "ppm_out", "cp", "cpk"})
        EXPECT_EQ(x[key], nullptr) << key;
    EXPECT_EQ(x["contributors"][0]["mc_percent"], nullptr);
    EXPECT_NE(report.find("No samples drawn (samples = 0): the measurements come from the linear model alone."),
              std::string::npos);
    EXPECT_EQ(tooltest::part(report, "Monte Carlo statistics"), "");
    EXPECT_EQ(rktest::ReadFile(TempDir() + "/s.csv"), "sample,x,probe x,probe y,probe z\n");
    EXPECT_EQ(rktest::ReadFile(TempDir() + "/plots/x.png").substr(0, 4), "\x89PNG");
}

// The distance from the probe's image to its own nominal image is |d1|: the central differences
// see a slope of 0 on both sides, so the linear model finds no spread, while the samples follow the
// half-normal: mean sqrt(2/pi), standard deviation sqrt(1 - 2/pi), and no linear part explains them.
TEST_F(Measurements, SamplingShowsWhatTheLinearModelCannot)
{
    const json doc = Run(PointScheme("folded = distance probe to point 15 25 35 usl 2\n",
                                     "object primary = normal sigma 1 along x\n"));
    const json& folded = by_name(doc, "folded");
    EXPECT_NEAR(folded["sensitivities"][0].get<double>(), 0.0, 1e-6);
    EXPECT_NEAR(folded["rss_std_dev"].get<double>(), 0.0, 1e-6);
    EXPECT_NEAR(folded["mean"].get<double>(), std::sqrt(2 / M_PI), 4 * 0.6028 / std::sqrt(double(kSamples)));
    EXPECT_NEAR(folded["std_dev"].get<double>(), std::sqrt(1 - 2 / M_PI), 0.02);
    EXPECT_EQ(folded["contributors"][0]["mc_percent"], 0.0);
    EXPECT_EQ(folded["mc_percent_unexplained"], 100.0);
    EXPECT_NEAR(folded["percent_out"].get<double>() / 100, 2 * phi(-2), 4 * std::sqrt(0.0455 / kSamples));
}

TEST_F(Measurements, BadDefinitionsGetOneMessageNamingTheMeasurement)
{
    const struct {
        const char* definition;
        const char* phrase;
    } cases[] = {
        {"diameter probe", "unknown kind 'diameter'; a measurement is written as coordinate CHECK along"},
        {"distance prob to point 1 2 3", "unknown check point 'prob'; the check points are 'probe'"},
        {"coordinate probe along x lsl 3 usl 1", "the lower limit must lie below the upper limit, found lsl 3 and usl 1"},
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.definition);
        const std::string file = PointScheme(std::string("bad = ") + c.definition + "\n", "");
        const tooltest::Run run = tooltest::rkdatum({file}, TempDir());
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("rkdatum: " + file + ": [Measurements] bad: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.phrase), std::string::npos) << run.err;
    }
}

// Documents with and without samples, with a fixture and without variation, all follow the
// schema; one with a required key taken out does not, so the check can fail.
TEST_F(Measurements, TheJsonDocumentFollowsItsSchema)
{
    const std::string plate = WriteTempFile("plate.ini", rktest::ReadFile(tooltest::example("plate.ini")) +
                                                             "\n[ Measurements ]\nh = coordinate far corner along z\n");
    const std::vector<std::pair<std::string, std::vector<std::string>>> runs = {
        {tooltest::example("housing_variation.ini"), {"--samples", "500"}},
        {tooltest::example("housing_variation.ini"), {"--samples", "0"}},
        {tooltest::example("sensor_assembly.ini"), {"--samples", "500"}},
        {plate, {}},
    };
    const auto validate = [this](const std::string& doc) {
        const std::string path = WriteTempFile("doc.json", doc);
        return std::system((std::string(RKDATUM_VALIDATE) + " " + RKDATUM_SCHEMA + " " + path + " >" + TempDir() +
                            "/why.txt")
                               .c_str());
    };
    for (const auto& [file, args] : runs) {
        SCOPED_TRACE(file + (args.empty() ? "" : " " + args[1]));
        json doc = Run(file, args);
        EXPECT_EQ(validate(doc.dump()), 0) << rktest::ReadFile(TempDir() + "/why.txt");
        doc["measurements"][0].erase("nominal");
        EXPECT_NE(validate(doc.dump()), 0) << "the schema does not require a measurement's nominal";
    }
}

// A primary line 0.03 long whose points vary over +-0.02 along it fails in about one sample in
// eight: the CSV holds the samples used, numbered as drawn, and its columns agree with the JSON.
TEST_F(Measurements, TheSamplesCsvHoldsEverySampleUsed)
{
    const std::string file = WriteTempFile(
        "short.ini", "[ Object ]\nprimary = line\nprimary points = 0 0 0; 0.03 0 0\n"
                     "[ Target ]\nprimary = line\nprimary points = 0 0 0; 0.03 0 0\n"
                     "[ Check points ]\nprobe, \"tip\" = 1 1 1\n"
                     "[ Measurements ]\nheight = coordinate probe, \"tip\" along z\n"
                     "[ Variation ]\nsamples = 2000\nobject primary = uniform range 0.04 along x\n");
    const std::string csv = TempDir() + "/s.csv";
    const tooltest::Run run = tooltest::rkdatum({"--json", TempDir() + "/r.json", "--samples-csv", csv, file}, TempDir());
    ASSERT_EQ(run.status, 3) << run.err;
    const json doc = json::parse(rktest::ReadFile(TempDir() + "/r.json"));
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
    EXPECT_EQ(skipped + (2000 - last), doc["samples_failed"].get<long>());
    EXPECT_NEAR(sum / static_cast<double>(rows.size() - 1), by_name(doc, "height")["mean"].get<double>(), 1e-12);
}

TEST_F(Measurements, PlotsAreOnePngPerMeasurementNamedAfterIt)
{
    const std::string file =
        PointScheme("Gap (A) = coordinate probe along x\ngap a! = coordinate probe along y lsl 24\n", kTwoInputs, 400);
    Run(file, {"--plots", TempDir() + "/new/plots"});
    for (const char* name : {"gap-a.png", "gap-a-2.png"}) {
        const std::string png = rktest::ReadFile(TempDir() + "/new/plots/" + name);
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << name;
        EXPECT_GT(png.size(), 10000u) << name << " holds little more than a blank page";
    }
}

}  // namespace
