// rkdatum: datum schemes, assemblies and their variation from the command line. Reads an assembly
// from a settings file, places its parts down the chain from the base by their datum features and
// seats, maps the fixture's degrees of freedom, runs the variation the scheme describes (on every
// core, or one shard of it for `rkdatum merge` to join) and reports it all through the library's
// report writer.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <unistd.h>

#include "analysis/summary.hpp"
#include "analysis/partial.hpp"
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
    "       rkdatum [options] --shard K/N --partial FILE SETTINGS_FILE\n"
    "       rkdatum merge [options] PARTIAL...\n"
    "\n"
    "Builds an assembly of parts, each located on another by its datum features mating onto a seat\n"
    "(or an object on a target): the datum reference frames, the candidate transforms that carry\n"
    "each part onto its seat, every part's placement down the chain and where it takes the check\n"
    "points; maps a fixture's degrees of freedom into a part's datum frame and, when the scheme\n"
    "describes variation, runs a Monte Carlo analysis of the placements and the check points'\n"
    "displacement. Its measurements are compared with their limits: worst case and root sum square\n"
    "from the sensitivities, and the statistics, parts out of limits and contributors (per feature\n"
    "and per part) of the samples.\n"
    "The samples run in blocks of 4096, each from its own stretch of the generator's stream, on every\n"
    "core; a run split into shards (on many machines) and merged gives the same report.\n"
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
    "  --threads N       run the samples on N threads (default: the cores this process may use)\n"
    "  --shard K/N       run the K-th of N equal shares of the samples' blocks and write their\n"
    "                    partial result to the file --partial names, for rkdatum merge\n"
    "  --partial FILE    where --shard writes its partial result\n"
    "  --messages FILE   the message file that holds the texts of the library's errors\n"
    "  --quiet           show no progress on standard error\n"
    "  --timing          print the variation run's time and samples per second on standard error\n"
    "  --help            show this text\n"
    "  --version         show the version\n"
    "\n"
    "rkdatum merge joins the partial results of every shard of one run and writes its report, as the\n"
    "run would have (--report, --json, --plots, --messages, --quiet and --timing apply); partials of\n"
    "another run, a shard named twice or a shard missing are refused.\n"
    "\n"
    "exit status: 0 done; 1 bad input or usage; 2 the library failed or an output could not be\n"
    "written; 3 some samples failed\n";

struct Options {
    bool merge = false;
    std::vector<std::string> partials;   // with merge
    std::string file;
    std::string report;
    std::string json;
    std::string csv;
    std::string plots;
    std::string samples;
    std::string seed;
    std::string threads;
    std::string shard;
    std::string partial;
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
    o.merge = argc > 1 && std::string(argv[1]) == "merge";
    for (int i = o.merge ? 2 : 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (take_value(arg, "--report", i, argc, argv, o.report) || take_value(arg, "--json", i, argc, argv, o.json) ||
            take_value(arg, "--samples-csv", i, argc, argv, o.csv) || take_value(arg, "--plots", i, argc, argv, o.plots) ||
            take_value(arg, "--samples", i, argc, argv, o.samples) ||
            take_value(arg, "--seed", i, argc, argv, o.seed) || take_value(arg, "--threads", i, argc, argv, o.threads) ||
            take_value(arg, "--shard", i, argc, argv, o.shard) || take_value(arg, "--partial", i, argc, argv, o.partial) ||
            take_value(arg, "--messages", i, argc, argv, o.messages))
            continue;
        if (arg == "--quiet") o.quiet = true;
        else if (arg == "--timing") o.timing = true;
        else if (arg == "--help" || arg == "-h") o.help = true;
        else if (arg == "--version") o.version = true;
        else if (arg.size() > 1 && arg[0] == '-') throw UsageError("unknown option " + arg);
        else if (o.merge) o.partials.push_back(arg);
        else if (!o.file.empty()) throw UsageError("one settings file at a time (" + o.file + " and " + arg + ")");
        else o.file = arg;
    }
    if (o.help || o.version) return o;
    if (o.merge) {
        for (const std::string* given : {&o.samples, &o.seed, &o.threads, &o.shard, &o.partial, &o.csv})
            if (!given->empty()) throw UsageError("merge takes the run's samples as the shards ran them: no --samples, "
                                                  "--seed, --threads, --shard, --partial or --samples-csv");
        if (o.partials.empty()) throw UsageError("merge: no partial results named");
        return o;
    }
    if (o.file.empty()) throw UsageError("no settings file named");
    if (o.shard.empty() != o.partial.empty()) throw UsageError("--shard and --partial go together");
    if (!o.shard.empty() && !(o.report + o.json + o.csv + o.plots).empty())
        throw UsageError("a shard writes its partial result alone; rkdatum merge writes the report, JSON and plots");
    return o;
}

// A whole number from `low` to `high` given to `option`.
long whole_number(const std::string& text, long low, long high, const std::string& option)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || errno != 0 || value < low || value > high)
        throw UsageError(option + " takes a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                         ", not " + text);
    return value;
}

RunOptions run_options(const Options& o)
{
    RunOptions r;
    r.threads = o.threads.empty() ? available_cores() : static_cast<int>(whole_number(o.threads, 1, 1024, "--threads"));
    r.keep_images = !o.csv.empty();
    if (o.shard.empty()) return r;
    const std::size_t slash = o.shard.find('/');
    if (slash == std::string::npos) throw UsageError("--shard takes K/N, the K-th of N shards, not " + o.shard);
    r.shards = whole_number(o.shard.substr(slash + 1), 1, 1000000, "--shard's N");
    r.shard = whole_number(o.shard.substr(0, slash), 1, r.shards, "--shard's K");
    return r;
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
    if (!o.csv.empty()) check_kept_size(scheme, "--samples-csv");
    if (!o.shard.empty() && !scheme.variation.present)
        throw InputError("--shard: " + scheme.file + " has no [Variation] section to share out");
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

// The time the samples took: here, or, for a merged run, in all its shards together.
void show_timing(const Options& o, const RunResult& run)
{
    const long samples = std::min(run.samples, run.blocks.end * kBlockSamples) - run.blocks.first * kBlockSamples;
    const double rate = run.seconds > 0.0 ? static_cast<double>(samples) / run.seconds : 0.0;
    if (o.merge)
        std::fprintf(stderr, "rkdatum: %ld samples merged from %zu partials; their shards took %.3f s on %d threads: "
                     "%.0f samples per second of their time\n", samples, o.partials.size(), run.seconds, run.threads, rate);
    else
        std::fprintf(stderr, "rkdatum: %ld samples in %.3f s on %d thread%s (%.0f per thread): %.0f samples per second\n",
                     samples, run.seconds, run.threads, run.threads == 1 ? "" : "s", rate / run.threads, rate);
}

// How the samples of a report came to be: run here, or merged from shards' partial results.
using Analysis = std::function<Results(Progress&)>;

// Writes the report and the other outputs of the analysis; the exit status.
int report_run(const Options& o, const Scheme& scheme, const Analysis& analysis)
{
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
        Progress progress(!o.quiet);
        results = analysis(progress);
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
    if (o.timing && scheme.variation.present) show_timing(o, results.run);
    const Tally& run = results.run.total;
    if (run.failed == 0) return kOk;
    write_to_stderr(error_lines(std::to_string(run.failed) + " of " + std::to_string(results.run.samples) +
                                    " samples could not be analysed; the first, sample " +
                                    std::to_string(run.first_failed_sample) + ", failed with",
                                run.first_failure));
    return kSamplesFailed;
}

// Runs a shard's samples and writes its partial result: first into a file beside it, renamed into
// place once complete, so that a shard that fails or is stopped leaves no partial (an earlier one
// at the same place is removed first) and merge finds the shard missing instead of a wrong answer.
int run_shard(const Options& o, const Scheme& scheme, const RunOptions& options)
{
    std::ifstream settings_in(o.file, std::ios::binary);
    const std::string settings((std::istreambuf_iterator<char>(settings_in)), std::istreambuf_iterator<char>());
    const std::string unfinished = o.partial + ".unfinished";
    std::remove(o.partial.c_str());
    std::ofstream out(unfinished, std::ios::binary | std::ios::trunc);
    if (!settings_in || !out) {
        write_to_stderr({"rkdatum: cannot " + std::string(out ? "read " + o.file : "write " + unfinished) + ": " +
                         std::strerror(errno)});
        return kLibraryFailed;
    }
    Results results;
    try {
        Progress progress(!o.quiet);
        results = run_analyses(scheme, options, progress);
    } catch (const LibraryFailure& e) {
        std::remove(unfinished.c_str());
        write_to_stderr(error_lines(e.what(), drain_errors()));
        return kLibraryFailed;
    } catch (const InputError& e) {
        std::remove(unfinished.c_str());
        write_to_stderr({std::string("rkdatum: ") + e.what()});
        return kBadInput;
    }
    write_partial(out, scheme, settings, options, results);
    out.close();
    if (!out || std::rename(unfinished.c_str(), o.partial.c_str()) != 0) {
        std::remove(unfinished.c_str());
        write_to_stderr({"rkdatum: cannot write " + o.partial + ": " + std::strerror(errno)});
        return kLibraryFailed;
    }
    if (o.timing) show_timing(o, results.run);
    return kOk;
}

int run(const Options& o)
{
    Scheme scheme;
    RunOptions options;
    try {
        options = run_options(o);
        scheme = read_scheme(o.file);
        apply_overrides(o, scheme);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "rkdatum: %s\nTry 'rkdatum --help'.\n", e.what());
        return kBadInput;
    } catch (const InputError& e) {
        write_to_stderr({std::string("rkdatum: ") + e.what()});
        return kBadInput;
    } catch (const LibraryFailure& e) {
        write_to_stderr(error_lines(e.what(), drain_errors()));
        return kLibraryFailed;
    }
    if (scheme.point_tolerance_given) Rk_GeometrySetPointEpsilon(scheme.point_tolerance);
    if (!o.shard.empty()) return run_shard(o, scheme, options);
    return report_run(o, scheme, [&](Progress& progress) { return run_analyses(scheme, options, progress); });
}

// The scheme of the partials, read from the settings text they carry (through a temporary file,
// as the library reads files) and shown under the name the shards were given.
Scheme scheme_of(const Partial& p)
{
    char path[] = "/tmp/rkdatum-merge-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) throw InputError(std::string("cannot make a temporary file: ") + std::strerror(errno));
    const bool written = write(fd, p.settings.data(), p.settings.size()) == static_cast<ssize_t>(p.settings.size());
    close(fd);
    Scheme scheme;
    try {
        if (!written) throw InputError(std::string("cannot write a temporary file: ") + std::strerror(errno));
        scheme = read_scheme(path, p.settings_file);
    } catch (...) {
        std::remove(path);
        throw;
    }
    std::remove(path);
    scheme.variation.samples = p.samples;
    scheme.variation.seed = p.seed;
    return scheme;
}

int merge(const Options& o)
{
    std::vector<Partial> parts;
    Scheme scheme;
    try {
        for (const std::string& file : o.partials) parts.push_back(read_partial(file));
        check_partials(parts);
        // Shard 1's name for the settings file, whatever the order the partials are named in.
        scheme = scheme_of(*std::find_if(parts.begin(), parts.end(), [](const Partial& p) { return p.shard == 1; }));
        if (!o.plots.empty() && scheme.measurements.empty() && scheme.single_link())
            throw InputError("--plots: " + scheme.file + " has no [Measurements] section to plot");
    } catch (const InputError& e) {
        write_to_stderr({std::string("rkdatum: merge: ") + e.what()});
        return kBadInput;
    } catch (const LibraryFailure& e) {
        write_to_stderr(error_lines(e.what(), drain_errors()));
        return kLibraryFailed;
    }
    if (scheme.point_tolerance_given) Rk_GeometrySetPointEpsilon(scheme.point_tolerance);
    return report_run(o, scheme, [&](Progress&) {
        Results r = prepare(scheme);
        r.run = merge_partials(parts, scheme, r);
        conclude(scheme, r);
        return r;
    });
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
    return options.merge ? merge(options) : run(options);
}
