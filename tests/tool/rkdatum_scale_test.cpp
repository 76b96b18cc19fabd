// rkdatum at scale: a run's statistics depend on its seed and sample count alone, on any threads or shards
// merged afterwards; merge refuses partials that are not one whole run; a failed shard leaves none.
#include "tool_helpers.hpp"

#include <sys/stat.h>

#include <set>

namespace {

// 30000 samples: seven full blocks of 4096 and one of 1328.
const std::vector<std::string> kHousing = {"--quiet", "--samples", "30000", tooltest::example("housing_variation.ini")};

std::vector<std::string> with(std::vector<std::string> front, const std::vector<std::string>& back)
{
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

class Scale : public tooltest::ToolTest {
protected:
    struct Output {
        int status = -1;
        std::string report, json, err;
    };

    // The report and the JSON document of a run, or of a merge of `parts`.
    Output Run(std::vector<std::string> args)
    {
        const std::string json = TempDir() + "/run.json";
        args.insert(args.begin() + (args[0] == "merge" ? 1 : 0), {"--json", json});
        const tooltest::Run run = Tool(args);
        return {run.status, run.out, run.status <= 3 ? rktest::ReadFile(json) : "", run.err};
    }

    // Runs every shard of `shards` into partials by GNU parallel, as docs/rkdatum.md shows for SSH
    // hosts (':' is this machine); returns their paths, last shard first.
    std::vector<std::string> Shards(const std::vector<std::string>& args, int shards)
    {
        const std::string of = "-of-" + std::to_string(shards);
        std::string command = "parallel --will-cite --jobs 2 --sshlogin : " + tooltest::shell_quoted(RKDATUM_EXE) +
                              " --shard {}/" + std::to_string(shards) + " --partial " +
                              tooltest::shell_quoted(TempDir() + "/part-{}" + of);
        for (const std::string& arg : args) command += " " + tooltest::shell_quoted(arg);
        command += " :::";
        std::vector<std::string> parts;
        for (int k = shards; k >= 1; --k) {
            command += " " + std::to_string(k);
            parts.push_back(TempDir() + "/part-" + std::to_string(k) + of);
        }
        const std::string log = TempDir() + "/parallel.txt";
        EXPECT_EQ(std::system((command + " 2>" + log).c_str()), 0) << rktest::ReadFile(log);
        return parts;
    }
};

// One thread or many, one process or shards merged afterwards: the same report and document.
// --timing reports on standard error only, or the reports would differ. The failing scheme checks
// that the failures, and the first failed sample's errors, merge as the whole run counts them.
TEST_F(Scale, EveryThreadCountAndEveryShardingGiveTheSameStatisticsAndOnlyTheSeedChangesThem)
{
    const std::vector<std::string> failing = {"--quiet", WriteTempFile("f.ini", tooltest::short_line_scheme(9000))};
    const struct {
        std::vector<std::string> args;
        const char *samples, *threads;
        int shards, status;
    } cases[] = {{kHousing, "30000", "2", 1, 0}, {kHousing, "30000", "3", 3, 0}, {kHousing, "30000", "8", 7, 0},
                 {failing, "9000", "3", 3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back() + " on " + c.threads + " threads, and in " + std::to_string(c.shards) + " shards");
        const Output single = Run(with({"--threads", "1"}, c.args));
        ASSERT_EQ(single.status, c.status) << single.err;
        ASSERT_TRUE(tooltest::has(single.json, "\"samples\": " + std::string(c.samples)));
        const Output many = Run(with({"--threads", c.threads, "--timing"}, c.args));
        EXPECT_EQ(many.status, c.status) << many.err;
        EXPECT_EQ(many.json, single.json);
        EXPECT_EQ(many.report, single.report);
        EXPECT_TRUE(tooltest::has(many.err, "rkdatum: " + std::string(c.samples) + " samples in ", true));
        EXPECT_TRUE(tooltest::has(many.err, " on " + std::string(c.threads) + " threads"));
        EXPECT_TRUE(tooltest::has(many.err, " samples per second\n"));
        const Output merged = Run(with({"merge"}, Shards(c.args, c.shards)));
        EXPECT_EQ(merged.status, c.status) << merged.err;
        EXPECT_EQ(merged.report, single.report);
        EXPECT_EQ(merged.json, single.json);
        EXPECT_EQ(merged.err, single.err);
    }
    const auto mean = [&](const std::vector<std::string>& args) {
        return nlohmann::json::parse(Run(args).json)["measurements"][0]["mean"];
    };
    EXPECT_NE(mean(with({"--seed", "99"}, kHousing)), mean(kHousing)) << "the seed does not reach the draws";
}

// A shard that fails removes the partial an earlier run left at its place, so a merge finds the
// shard missing rather than mixing in a stale result.
TEST_F(Scale, MergeRefusesPartialsThatAreNotOneWholeRunAndAFailedShardLeavesNone)
{
    const std::vector<std::string> p = Shards(kHousing, 3);   // shards 3, 2, 1
    Shards(kHousing, 1);
    const std::string example = kHousing.back();
    const std::string edited = WriteTempFile("edited.ini", rktest::ReadFile(example) + "# edited\n");
    const auto shard_2 = [&](const std::string& name, const std::vector<std::string>& args) {
        const std::string partial = TempDir() + "/" + name;
        EXPECT_EQ(Tool(with({"--quiet", "--shard", "2/3", "--partial", partial}, args)).status, 0) << partial;
        return partial;
    };
    const std::string other_seed = shard_2("other-seed", {"--samples", "30000", "--seed", "7", example});
    const std::string other_count = shard_2("other-count", {"--samples", "30001", example});
    const std::string other_scheme = shard_2("other-scheme", {"--samples", "30000", edited});
    const std::string cut = WriteTempFile("cut", rktest::ReadFile(p[1]).substr(0, 2000));
    const std::string report = WriteTempFile("report.txt", "rkdatum: a report\n");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{p[0], p[2]}, "no partial holds shard 2/3 (samples 8193 to 20480): the run is incomplete"},
        {{p[1], p[2]}, "no partial holds shard 3/3 (samples 20481 to 30000)"},
        {{p[0], p[1], p[2], p[1]}, p[1] + " repeats shard 2/3, which " + p[1] + " holds already"},
        {{p[0], other_seed, p[2]}, other_seed + " belongs to another run than " + p[0] + ": its seed is 7"},
        {{p[0], other_count, p[2]}, "its run has 30001 samples, not 30000"},
        {{p[0], other_scheme, p[2]}, "its settings file " + edited + " differs from " + example},
        {{p[0], p[1], p[2], TempDir() + "/part-1-of-1"}, "it is a shard of 1, not of 3"},
        {{p[0], cut, p[2]}, cut + " is damaged or incomplete"},
        {{p[0], p[1], report}, report + " is not a partial result of rkdatum --shard"},
        {{p[0], p[1], TempDir() + "/absent"}, "cannot read " + TempDir() + "/absent"},
    };
    for (const auto& [parts, phrase] : cases) {
        SCOPED_TRACE(phrase);
        ExpectRefused(with({"merge"}, parts), "rkdatum: merge: ", phrase);
    }

    std::string broken = rktest::ReadFile(example);
    broken.replace(broken.find("70 0 0; 70 0 10; 90 0 0"), 23, "70 0 0; 80 0 0; 90 0 0");   // three points on a line
    const tooltest::Run failed = Tool(
        {"--quiet", "--samples", "30000", "--shard", "2/3", "--partial", p[1], WriteTempFile("broken.ini", broken)});
    EXPECT_EQ(failed.status, 2);
    EXPECT_TRUE(tooltest::has(failed.err, "cannot build the object's datum reference frame"));
    struct stat info;
    EXPECT_NE(stat(p[1].c_str(), &info), 0) << "the earlier partial of shard 2/3 is still there";
    EXPECT_NE(stat((p[1] + ".unfinished").c_str(), &info), 0);
    const tooltest::Run unwritable = Tool({"--shard", "1/3", "--partial", TempDir() + "/no/such/dir/part", example});
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_TRUE(tooltest::has(unwritable.err, "cannot write " + TempDir() + "/no/such/dir/part.unfinished"));
}

// One uniform deviation along x moves the probe's image to 15 + d. Block 0 starts at the run's seed,
// so the first sample's d is 0.2 (16807 x 4242 mod (2^31 - 1) / (2^31 - 1) - 0.5); each block draws
// from its own stretch of the stream, so no value comes twice across the blocks. With a value per
// sample, a block's stride is 4096 x 2 values, and the 2^31 - 2 values of the generator hold 262143
// blocks.
TEST_F(Scale, EachBlockDrawsFromItsOwnStretchOfTheStream)
{
    const std::string file =
        WriteTempFile("uniform.ini", tooltest::point_scheme("", "target primary = uniform range 0.2 along x\n", 12388));
    const std::string csv = TempDir() + "/s.csv";
    const Output run = Run({"--quiet", "--threads", "3", "--samples-csv", csv, file});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> rows = tooltest::lines_of(rktest::ReadFile(csv));
    ASSERT_EQ(rows.size(), 12389u);
    std::set<double> seen;
    for (std::size_t k = 1; k < rows.size(); ++k) {
        const std::vector<std::string> cells = tooltest::split(rows[k], ',');
        ASSERT_EQ(cells[0], std::to_string(k));
        EXPECT_TRUE(seen.insert(std::stod(cells[1])).second) << "sample " << k << " repeats a value drawn before";
    }
    const double first = 16807.0 * 4242.0 / 2147483647.0;
    EXPECT_NEAR(std::stod(tooltest::split(rows[1], ',')[1]), 15 + 0.2 * (first - 0.5), 1e-12);
    EXPECT_TRUE(tooltest::has(run.json, "\"samples_without_reuse\": " + std::to_string(262143L * 4096)));
}

}  // namespace
