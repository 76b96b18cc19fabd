// rkdatum on bad input and on library failures: one clear message, a non-zero status, and no
// report printed as if it were whole.
#include "tool_helpers.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <tuple>

namespace {

const std::string kVaried = "\n[ Variation ]\nsamples = 10\n";
const std::string kVariation =
    "\n[ Variation ]\nsamples = 100\nseed = 7\nobject primary = normal sigma 0.01 along z\n";

class BadInput : public tooltest::ToolTest {
protected:
    // The plate example with `from` replaced by `to`; with no `from`, `to` appended.
    std::string Scheme(const std::string& from = "", const std::string& to = "")
    {
        std::string text = rktest::ReadFile(tooltest::example("plate.ini"));
        const std::size_t at = from.empty() ? text.size() : text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return WriteTempFile("scheme.ini", at == std::string::npos ? text : text.replace(at, from.size(), to));
    }
};

TEST_F(BadInput, EachFaultOfTheSettingsFileGetsOneMessageNamingItsPlace)
{
    const std::string plate_points = "primary points = 0 0 0; 0 60 0; 100 0 0";
    // A setting of a [Variation] section appended to the plate, and its fault.
    const auto varied = [](const std::string& setting, const std::string& phrase) {
        return std::array<std::string, 4>{"", kVaried + setting + "\n",
                                          "[Variation] " + setting.substr(0, setting.find(" =")) + ": ", phrase};
    };
    const std::vector<std::array<std::string, 4>> cases = {   // from, to, where, phrase
        {"primary = plane", "primary = plain", "[Object] primary: ",
         "unknown feature type 'plain'; expected point, line, plane or none"},
        {plate_points, "primary points = 0 0 0; 0 60 0", "[Object] primary points: ",
         "a plane takes 3 points \"x y z\", separated by ';', found 2"},
        {"tertiary points = 0 30 5", "tertiary points = 0 30 5; 1 2 3", "[Object] tertiary points: ",
         "a point takes 1 point"},
        {"secondary points = 10 0 5; 90 0 5", "secondary points = 10 0 5; 90 0", "[Object] secondary points: ",
         "expected three coordinates x y z (point 2), found 2 numbers in '90 0'"},
        {"tertiary points = 170 100 25", "tertiary points = 170 l00 25", "[Target] tertiary points: ",
         "'l00' is not a number (point 1)"},
        {"far corner = 100 60 0", "far corner = 100 60mm 0", "[Check points] far corner: ", "'60mm' is not a number"},
        {"far corner = 100 60 0", "far corner = 100 60", "[Check points] far corner: ",
         "expected three coordinates x y z, found 2 numbers in '100 60'"},
        {"controls = -Tz", "controls = -Tw", "[Fixture] controls: ",
         "unknown degree '-Tw'; expected labels among +Tx -Tx +Ty -Ty +Tz -Tz +Rx -Rx +Ry -Ry +Rz -Rz"},
        {"angle = 10", "angle = 95", "[Fixture] angle: ",
         "expected an angle in degrees above 0 and below 90, found 95"},
        {"angle = 10", "angle = 10\nz axis = 0 0 1\nx axis = 0 0 -2", "[Fixture] x axis: ", "parallel to the z axis"},
        {"[ Object ]", "[ Objekt ]", "",
         "unknown section [Objekt]; the sections are [Scheme], [Part NAME] (one per part; or an [Object] and a "
         "[Target]), [Check points], [Measurements], [Fixture] and [Variation]"},
        {"secondary = line", "secundary = line", "[Object] secundary: ",
         "unknown setting; this section takes primary, primary points, secondary"},
        {"primary = plane", "primary plane", "[Object] primary plane: ",
         "unknown setting (a setting is written \"name = value\")"},
        {"primary = plane\n" + plate_points + "\n", "", "[Object] primary: ", "missing; expected point, line or plane"},
        {"tertiary points = 0 30 5", "", "[Object] tertiary points: ", "missing; a point takes 1 point"},
        {"tertiary = point", "tertiary = none", "[Object] tertiary points: ",
         "given, but the tertiary feature is none"},
        {"secondary = line\nsecondary points = 10 0 5; 90 0 5", "secondary = none", "[Object] tertiary: ",
         "given without a secondary feature"},
        {"angle tolerance = 1", "angle tolerance = one", "[Scheme] angle tolerance: ", "'one' is not a number"},
        {"[ Scheme ]", "units = mm\n[ Scheme ]", "", "setting 'units' stands before the first section header"},
        {"[ Scheme ]", "# " + std::string(300, 'x') + "\n[ Scheme ]", "", "line 6 is longer than 254 characters"},
        {"", "\n[ Variation ]\nsamples = -20\n", "[Variation] samples: ",
         "expected a whole number of samples from 0 to 100000000000, found '-20'"},
        {"", "\n[ Variation ]\nsamples = 2.5\n", "[Variation] samples: ", "found '2.5'"},
        {"", "\n[ Variation ]\nseed = 3\n", "[Variation] samples: ", "missing; expected the number of samples"},
        varied("seed = 0", "expected a whole number from 1 to 2147483646, found '0'"),
        varied("object primary = gaussian sigma 1",
               "unknown distribution 'gaussian'; expected normal, uniform or none"),
        varied("object primary = normal low -1", "a normal distribution needs its sigma"),
        varied("target secondary = uniform sigma 1", "unknown word 'sigma'; a uniform distribution takes range"),
        varied("object primary = normal sigma -0.1", "sigma must not be negative"),
        varied("object primary = normal sigma 1 low 2 high 1", "the low limit must lie below the high limit"),
        varied("object primary = normal sigma 0.001 low 0.01", "keep less than 0.1% of the distribution"),
        varied("object primary = normal sigma", "'sigma' needs a value after it"),
        varied("object primary = normal sigma 1 along xw", "'along' takes the world axes to vary"),
        {"far corner = 100 60 0", "far corner = objekt 100 60 0", "[Check points] far corner: ",
         "unknown part 'objekt'; the parts are target and object"},
        {"angle = 10", "angle = 10\npart = target", "[Fixture] part: ", "target is the base, which is not located"},
        {"angle = 10", "angle = 10\nangle = 20", "[Fixture] angle: ", "given twice (lines 40 and 41)"},
        {"[ Fixture ]", "[ Scheme ]\n[ Fixture ]", "", "section [Scheme] is given twice (lines 6 and 36)"},
        {"tertiary = point\ntertiary points = 0 30 5\n\n[ Target ]",
         "[ Variation ]\nsamples = 10\nobject tertiary = normal sigma 0.1\n[ Target ]", "[Variation] object tertiary: ",
         "the object has no tertiary feature to vary"},
        {"[ Check points ]\nfar corner = 100 60 0\ntop centre = 50 30 10\n", kVariation, "[Variation]: ",
         "variation needs at least one check point"},
    };
    for (const auto& [from, to, where, phrase] : cases) {   // where: "[Section] setting: ", or "" for the file
        SCOPED_TRACE(phrase);
        const std::string file = Scheme(from, to);
        ExpectRefused({file}, "rkdatum: " + file + ": " + where, phrase);
    }
}

// A fault of the command line or of reading the file names the option or the file; a usage fault adds
// a line pointing to --help.
TEST_F(BadInput, CommandLineFaultsAndUnreadableFilesGetOneMessageAndHelpAndVersionSucceed)
{
    const std::string plate = tooltest::example("plate.ini");
    const std::string varied = Scheme("", kVariation);
    const std::string missing = TempDir() + "/no-such.ini";
    const std::string lone = WriteTempFile("object-only.ini", "[ Object ]\nprimary = point\nprimary points = 0 0 0\n");
    std::string many_checks;
    for (int i = 0; i < 11; ++i) many_checks += "point " + std::to_string(i) + " = 1 2 3\n";
    const std::string crowded = Scheme("[ Check points ]", kVariation + "[ Check points ]\n" + many_checks);
    const std::string try_help = "\nTry 'rkdatum --help'.\n";
    const struct {
        std::vector<std::string> args;
        std::string start, phrase;
        long lines = 1;
    } cases[] = {
        {{missing}, "rkdatum: " + missing + ": ", "no such settings file"},
        {{TempDir()}, "rkdatum: " + TempDir() + ": ", "is a directory, not a settings file"},
        {{lone}, "rkdatum: " + lone + ": ", "no section [Target]; every scheme has one"},
        {{"--samples", "100000000001", varied}, "rkdatum: --samples: ",
         "expected a whole number of samples from 0 to 100000000000, found '100000000001'"},
        {{"--samples=lots", varied}, "rkdatum: --samples: ", "found 'lots'"},
        {{"--seed", "-1", varied}, "rkdatum: --seed: ", "expected a whole number from 1 to 2147483646"},
        {{"--samples", "5", plate}, "rkdatum: --samples: ", "has no [Variation] section to run"},
        {{"--samples-csv", "s.csv", plate}, "rkdatum: --samples-csv: ", "has no [Variation] section to sample"},
        {{"--plots", TempDir(), plate}, "rkdatum: --plots: ", "has no [Measurements] section to plot"},
        // 13 check points keep 39 values a sample: 256410 samples keep 9999990, one more is too many.
        {{"--samples", "256411", "--samples-csv", "s.csv", crowded}, "rkdatum: --samples-csv: ",
         "256411 samples of 13 check points exceed the 10000000 values --samples-csv keeps"},
        {{"--frobnicate", plate}, "rkdatum: unknown option --frobnicate", try_help, 2},
        {{}, "rkdatum: no settings file named", try_help, 2},
        {{plate, plate}, "rkdatum: one settings file at a time", try_help, 2},
        {{plate, "--report"}, "rkdatum: --report needs a value", try_help, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start + c.phrase);
        ExpectRefused(c.args, c.start, c.phrase, c.lines);
    }
    const tooltest::Run help = Tool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(tooltest::has(help.out, "usage: rkdatum [options] SETTINGS_FILE\n", true));
    const tooltest::Run version = Tool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(tooltest::has(version.out, "rkdatum ", true));
}

TEST_F(BadInput, AnUnreadableSettingsFileIsNamed)
{
    if (geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
    const std::string file = WriteTempFile("locked.ini", rktest::ReadFile(tooltest::example("plate.ini")));
    ASSERT_EQ(chmod(file.c_str(), 0), 0);
    ExpectRefused({file}, "rkdatum: " + file + ": ", "cannot be read: Permission denied");
}

// Two coincident points make no line: the library refuses the frame with error 10, and the tool shows
// its location and both texts from the message file (or says it could not read one), on standard error and
// in the report file, whose earlier report must not survive looking current; no report is printed.
TEST_F(BadInput, LibraryFailuresAreShownWithTheirTextsAndNoReport)
{
    const std::string file = Scheme("secondary points = 10 0 5; 90 0 5", "secondary points = 10 0 5; 10 0 5");
    const std::string report_file = WriteTempFile("report.txt", "an earlier report\n");
    const std::string messages =
        WriteTempFile("custom.txt", "#10\n*Line points %T1coincide here\n&First detail\n&Second\n");
    const std::string absent = TempDir() + "/absent.txt";
    const std::string nowhere = TempDir() + "/no/such/dir/report.txt";
    const std::string no_line = "rkdatum: cannot build the object's datum reference frame\n  error 10 at rk_line(";
    const std::tuple<std::vector<std::string>, std::string, std::vector<std::string>> cases[] = {
        {{"--report", report_file, file}, no_line, {"): The two points of a line coincide\n",
          "\n    A line was set from two points closer together than the point tolerance"}},
        {{"--messages", messages, file}, no_line, {"): Line points coincide here\n    First detail\n    Second\n"}},
        {{"--messages", absent, file}, no_line,
         {"): (Message file could not be read)\n", "\n  (the message file: " + absent + ")\n"}},
        {{"--report", nowhere, tooltest::example("plate.ini")},
         "rkdatum: cannot open the report file " + nowhere + "\n  error 37 at rk_rpt(", {"): File cannot be opened\n"}},
    };
    for (const auto& [args, start, phrases] : cases) {
        SCOPED_TRACE(args[1]);
        const tooltest::Run run = Tool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "") << "a half-built report was printed";
        EXPECT_TRUE(tooltest::has(run.err, start, true));
        for (const std::string& phrase : phrases) EXPECT_TRUE(tooltest::has(run.err, phrase));
    }
    const tooltest::Run again = Tool(std::get<0>(cases[0]));
    EXPECT_EQ(rktest::ReadFile(report_file), "rkdatum: no report: the run failed.\n" + again.err);
}

}  // namespace
