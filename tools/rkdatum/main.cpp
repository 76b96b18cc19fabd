// rkdatum: datum schemes and their variation from the command line. Reads a scheme from a settings
// file, builds the datum reference frames of an object and a target, the candidate transforms
// between them and the fixture's degrees of freedom, runs the variation the scheme describes and
// reports it all through the library's report writer.
#include <cstdio>
#include <cstring>
#include <string>

#include "analysis/montecarlo.hpp"
#include "analysis/nominal.hpp"
#include "input/read_scheme.hpp"
#include "library/session.hpp"
#include "output/text_report.hpp"

namespace {

using namespace rkdatum;

// Exit statuses.
constexpr int kOk = 0;
constexpr int kBadInput = 1;
constexpr int kLibraryFailed = 2;
constexpr int kSamplesFailed = 3;

const char kUsage[] =
    "usage: rkdatum [options] SETTINGS_FILE\n"
    "\n"
    "Builds the datum reference frames of an object and a target from their datum features, the\n"
    "candidate transforms that carry the object onto the target and where they take its check\n"
    "points, maps a fixture's degrees of freedom into the object's datum frame and, when the scheme\n"
    "describes variation, runs a Monte Carlo analysis of the check points' displacement.\n"
    "The settings file format is described in docs/rkdatum.md.\n"
    "\n"
    "options:\n"
    "  --report FILE     write the report to FILE (rewritten) instead of standard output\n"
    "  --samples N       run N samples instead of the count the settings file gives\n"
    "  --seed N          start the random generator from N (1 to 2147483646)\n"
    "  --messages FILE   the message file that holds the texts of the library's errors\n"
    "  --quiet           show no progress on standard error\n"
    "  --timing          print the variation run's time and samples per second on standard error\n"
    "  --help            show this text\n"
    "  --version         show the version\n"
    "\n"
    "exit status: 0 done; 1 bad input or usage; 2 the library failed; 3 some samples failed\n";

struct Options {
    std::string file;
    std::string report;
    std::string samples;
    std::string seed;
    std::string messages;
    bool quiet = false;
    bool timing = false;
    bool help = false;
    bool version = false;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "--name VALUE" or "--name=VALUE".
bool take_value(const std::string& arg, const char* name, int& i, int argc, char** argv, std::string& value)
{
    const std::string flag = name;
    if (arg.compare(0, flag.size() + 1, flag + "=") == 0) {
        value = arg.substr(flag.size() + 1);
    } else if (arg == flag) {
        if (i + 1 >= argc) throw UsageError(flag + " needs a value");
        value = argv[++i];
    } else {
        return false;
    }
    if (value.empty()) throw UsageError(flag + " needs a value");
    return true;
}

Options parse_args(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (take_value(arg, "--report", i, argc, argv, o.report) ||
            take_value(arg, "--samples", i, argc, argv, o.samples) ||
            take_value(arg, "--seed", i, argc, argv, o.seed) ||
            take_value(arg, "--messages", i, argc, argv, o.messages))
            continue;
        if (arg == "--quiet") o.quiet = true;
        else if (arg == "--timing") o.timing = true;
        else if (arg == "--help" || arg == "-h") o.help = true;
        else if (arg == "--version") o.version = true;
        else if (arg.size() > 1 && arg[0] == '-') throw UsageError("unknown option " + arg);
        else if (!o.file.empty()) throw UsageError("one settings file at a time (" + o.file + " and " + arg + ")");
        else o.file = arg;
    }
    if (o.file.empty() && !o.help && !o.version) throw UsageError("no settings file named");
    return o;
}

void apply_overrides(const Options& o, Scheme& scheme)
{
    if ((!o.samples.empty() || !o.seed.empty()) && !scheme.variation.present)
        throw InputError(std::string(o.samples.empty() ? "--seed" : "--samples") + ": " + scheme.file +
                         " has no [Variation] section to run");
    if (!o.samples.empty()) scheme.variation.samples = parse_samples(o.samples, "--samples");
    if (!o.seed.empty()) scheme.variation.seed = parse_seed(o.seed, "--seed");
    if (scheme.variation.present) check_run_size(scheme, "--samples");
}

// The lines of a failure go to standard error and, when the report is a file, into the file in
// place of the report, so that the file never holds a stale or partial result.
int fail_run(Rk_ReportStruct& report, bool to_file, const std::string& what)
{
    const std::vector<std::string> lines = error_lines(what, drain_errors());
    write_to_stderr(lines);
    if (to_file) {
        write_lines(report, {"rkdatum: no report: the run failed."});
        write_lines(report, lines);
    }
    Rk_ReportClose(&report);
    return kLibraryFailed;
}

int run(const Options& o)
{
    Scheme scheme;
    try {
        scheme = read_scheme(o.file);
        apply_overrides(o, scheme);
    } catch (const InputError& e) {
        write_to_stderr({std::string("rkdatum: ") + e.what()});
        return kBadInput;
    } catch (const LibraryFailure& e) {
        write_to_stderr(error_lines(e.what(), drain_errors()));
        return kLibraryFailed;
    }

    Rk_ReportStruct report;
    const bool to_file = !o.report.empty();
    if (!to_file) {
        Rk_ReportConsoleInit(&report);
    } else if (Rk_ReportFileInit(&report, o.report.c_str(), 1) != 0) {
        write_to_stderr(error_lines("cannot open the report file " + o.report, drain_errors()));
        return kLibraryFailed;
    }

    RunResult run;
    try {
        if (scheme.point_tolerance_given) Rk_GeometrySetPointEpsilon(scheme.point_tolerance);
        const Nominal nominal = analyse(scheme);
        if (scheme.variation.present) {
            Progress progress(!o.quiet);
            run = run_variation(scheme, nominal, progress);
        }
        if (write_report(report, scheme, nominal, scheme.variation.present ? &run : nullptr) != 0)
            throw LibraryFailure("cannot write the report");
    } catch (const LibraryFailure& e) {
        return fail_run(report, to_file, e.what());
    }
    Rk_ReportClose(&report);

    if (o.timing && scheme.variation.present)
        std::fprintf(stderr, "rkdatum: %ld samples in %.3f s: %.0f samples per second\n", run.samples, run.seconds,
                     run.seconds > 0.0 ? static_cast<double>(run.samples) / run.seconds : 0.0);
    if (run.failed == 0) return kOk;
    std::vector<std::string> lines = error_lines(
        std::to_string(run.failed) + " of " + std::to_string(run.samples) + " samples could not be analysed; the first, sample " +
            std::to_string(run.first_failed_sample) + ", failed with",
        run.first_failure);
    write_to_stderr(lines);
    return kSamplesFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    try {
        options = parse_args(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "rkdatum: %s\nTry 'rkdatum --help'.\n", e.what());
        return kBadInput;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return kOk;
    }
    if (options.version) {
        std::printf("rkdatum %s\n", RKDATUM_VERSION);
        return kOk;
    }
    Session session(find_message_file(options.messages));
    return run(options);
}
