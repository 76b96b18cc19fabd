// rkdatum: datum schemes, assemblies and their variation from the command line. Reads an assembly
// from a settings file, places its parts down the chain from the base by their datum features and
// seats, maps the fixture's degrees of freedom, runs the variation the scheme describes and reports
// it all through the library's report writer.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/summary.hpp"
#include "input/read_scheme.hpp"
#include "library/session.hpp"
#include "output/json_report.hpp"
#include "output/plots.hpp"
#include "output/samples_csv.hpp"
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
    "Builds an assembly of parts, each located on another by its datum features mating onto a seat\n"
    "(or an object on a target): the datum reference frames, the candidate transforms that carry\n"
    "each part onto its seat, every part's placement down the chain and where it takes the check\n"
    "points; maps a fixture's degrees of freedom into a part's datum frame and, when the scheme\n"
    "describes variation, runs a Monte Carlo analysis of the placements and the check points'\n"
    "displacement. Its measurements are compared with their limits: worst case and root sum square\n"
    "from the sensitivities, and the statistics, parts out of limits and contributors (per feature\n"
    "and per part) of the samples.\n"
    "The settings file format is described in docs/rkdatum.md.\n"
    "\n"
    "options:\n"
    "  --report FILE     write the report to FILE (rewritten) instead of standard output\n"
    "  --json FILE       write the whole report as JSON to FILE (docs/rkdatum.schema.json)\n"
    "  --samples-csv FILE  write every sample's measurements and check point images to FILE\n"
    "  --plots DIR       draw a PNG per measurement, and one of an assembly's placements, into DIR\n"
    "                    (made when missing)\n"
    "  --samples N       run N samples instead of the count the settings file gives\n"
    "  --seed N          start the random generator from N (1 to 2147483646)\n"
    "  --messages FILE   the message file that holds the texts of the library's errors\n"
    "  --quiet           show no progress on standard error\n"
    "  --timing          print the variation run's time and samples per second on standard error\n"
    "  --help            show this text\n"
    "  --version         show the version\n"
    "\n"
    "exit status: 0 done; 1 bad input or usage; 2 the library failed or an output could not be\n"
    "written; 3 some samples failed\n";

struct Options {
    std::string file;
    std::string report;
    std::string json;
    std::string csv;
    std::string plots;
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
        if (take_value(arg, "--report", i, argc, argv, o.report) || take_value(arg, "--json", i, argc, argv, o.json) ||
            take_value(arg, "--samples-csv", i, argc, argv, o.csv) || take_value(arg, "--plots", i, argc, argv, o.plots) ||
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
    if (!o.csv.empty() && !scheme.variation.present)
        throw InputError("--samples-csv: " + scheme.file + " has no [Variation] section to sample");
    if (!o.plots.empty() && scheme.measurements.empty() && scheme.single_link())
        throw InputError("--plots: " + scheme.file + " has no [Measurements] section to plot");
    if (scheme.variation.present) check_run_size(scheme, !o.csv.empty(), "--samples");
}

// The files a run writes besides its report. They are opened, and so emptied, before the analysis:
// a path that cannot be written ends the run before its samples, and a failed run leaves them
// empty rather than holding an earlier result.
struct Outputs {
    std::ofstream json, csv;
};

std::string open_outputs(const Options& o, Outputs& out)
{
    const std::pair<const std::string*, std::ofstream*> files[] = {{&o.json, &out.json}, {&o.csv, &out.csv}};
    for (const auto& [path, stream] : files) {
        if (path->empty()) continue;
        stream->open(*path, std::ios::binary | std::ios::trunc);
        if (!*stream) return "cannot write " + *path + ": " + std::strerror(errno);
    }
    if (o.plots.empty()) return "";
    std::error_code ec;
    std::filesystem::create_directories(o.plots, ec);
    if (!std::filesystem::is_directory(o.plots))
        return "cannot make the plot directory " + o.plots + (ec ? ": " + ec.message() : "");
    return "";
}

std::string write_outputs(const Options& o, const Scheme& scheme, const Results& results, Outputs& out)
{
    if (!o.json.empty()) {
        write_json(out.json, scheme, results);
        out.json.close();
        if (!out.json) return "cannot write " + o.json;
    }
    if (!o.csv.empty()) {
        write_samples_csv(out.csv, scheme, results);
        out.csv.close();
        if (!out.csv) return "cannot write " + o.csv;
    }
    return o.plots.empty() ? "" : write_plots(o.plots, scheme, results);
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

    Outputs outputs;
    const std::string unopened = open_outputs(o, outputs);
    if (!unopened.empty()) {
        Rk_ReportClose(&report);
        write_to_stderr({"rkdatum: " + unopened});
        return kLibraryFailed;
    }

    Results results;
    try {
        if (scheme.point_tolerance_given) Rk_GeometrySetPointEpsilon(scheme.point_tolerance);
        Progress progress(!o.quiet);
        results = run_analyses(scheme, !o.csv.empty(), progress);
        if (write_report(report, scheme, results) != 0) throw LibraryFailure("cannot write the report");
    } catch (const LibraryFailure& e) {
        return fail_run(report, to_file, e.what());
    } catch (const InputError& e) {
        Rk_ReportClose(&report);
        write_to_stderr({std::string("rkdatum: ") + e.what()});
        return kBadInput;
    }
    Rk_ReportClose(&report);
    const std::string unwritten = write_outputs(o, scheme, results, outputs);
    if (!unwritten.empty()) {
        write_to_stderr({"rkdatum: " + unwritten});
        return kLibraryFailed;
    }

    const RunResult& run = results.run;
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
