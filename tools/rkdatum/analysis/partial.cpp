// Partial results as JSON documents. Every floating-point number is written as a hexadecimal
// floating-point string ("%a"): exact, so a merged run adds up the very numbers the shards
// counted, and able to hold what JSON numbers cannot (an infinity, a NaN).
#include "analysis/partial.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <nlohmann/json.hpp>

#include "input/read_scheme.hpp"

namespace rkdatum {

namespace {

using json = nlohmann::ordered_json;

constexpr int kFormat = 1;

// A partial whose content does not hold together.
struct Damaged : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string hex(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

double number(const json& j)
{
    const std::string text = j.get<std::string>();
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0') throw Damaged("'" + text + "' is not a number");
    return value;
}

json moments(const Moments& m) { return json::array({m.count, hex(m.mean), hex(m.m2), hex(m.min), hex(m.max)}); }

Moments moments(const json& j)
{
    Moments m;
    m.count = j.at(0).get<long>();
    m.mean = number(j.at(1));
    m.m2 = number(j.at(2));
    m.min = number(j.at(3));
    m.max = number(j.at(4));
    return m;
}

json against(const Against& a) { return json::array({hex(a.mean), hex(a.m2), hex(a.cxy)}); }

Against against(const json& j) { return {number(j.at(0)), number(j.at(1)), number(j.at(2))}; }

template <class T, class Write>
json list(const std::vector<T>& items, Write write)
{
    json j = json::array();
    for (const T& item : items) j.push_back(write(item));
    return j;
}

template <class T, class Read>
std::vector<T> list(const json& j, Read read)
{
    std::vector<T> items;
    for (const json& item : j) items.push_back(read(item));
    return items;
}

json tally_json(const Tally& t)
{
    const auto placement = [](const PlacementTally& p) {
        return json::array({moments(p.distance), moments(p.along[0]), moments(p.along[1]), moments(p.along[2]),
                            moments(p.turn), moments(p.about[0]), moments(p.about[1]), moments(p.about[2])});
    };
    const auto check = [](const CheckTally& c) {
        return json::array({moments(c.magnitude), moments(c.along[0]), moments(c.along[1]), moments(c.along[2])});
    };
    const auto measure = [](const MeasureTally& m) {
        return json{{"values", moments(m.values)}, {"below", m.below}, {"above", m.above},
                    {"features", list(m.features, [](const Against& a) { return against(a); })},
                    {"parts", list(m.parts, [](const Against& a) { return against(a); })}};
    };
    const auto error = [](const ErrorText& e) {
        return json{{"id", e.id}, {"location", e.location}, {"summary", e.summary}, {"detail", e.detail}};
    };
    const auto kind = [](const FailureKind& k) { return json::array({k.id, k.location, k.count}); };
    return {{"used", t.used},
            {"redundancy_changed", t.redundancy_changed},
            {"placements", list(t.placements, placement)},
            {"checks", list(t.checks, check)},
            {"measures", list(t.measures, measure)},
            {"failed", t.failed},
            {"first_failed_sample", t.first_failed_sample},
            {"first_failure", list(t.first_failure, error)},
            {"failure_kinds", list(t.failure_kinds, kind)},
            {"other_failures", t.other_failures}};
}

Tally tally(const json& j)
{
    Tally t;
    t.used = j.at("used").get<long>();
    t.redundancy_changed = j.at("redundancy_changed").get<std::vector<long>>();
    t.placements = list<PlacementTally>(j.at("placements"), [](const json& p) {
        PlacementTally r;
        r.distance = moments(p.at(0));
        for (int a = 0; a < 3; ++a) r.along[a] = moments(p.at(1 + a));
        r.turn = moments(p.at(4));
        for (int a = 0; a < 3; ++a) r.about[a] = moments(p.at(5 + a));
        return r;
    });
    t.checks = list<CheckTally>(j.at("checks"), [](const json& c) {
        CheckTally r;
        r.magnitude = moments(c.at(0));
        for (int a = 0; a < 3; ++a) r.along[a] = moments(c.at(1 + a));
        return r;
    });
    t.measures = list<MeasureTally>(j.at("measures"), [](const json& m) {
        MeasureTally r;
        r.values = moments(m.at("values"));
        r.below = m.at("below").get<long>();
        r.above = m.at("above").get<long>();
        r.features = list<Against>(m.at("features"), [](const json& a) { return against(a); });
        r.parts = list<Against>(m.at("parts"), [](const json& a) { return against(a); });
        return r;
    });
    t.failed = j.at("failed").get<long>();
    t.first_failed_sample = j.at("first_failed_sample").get<long>();
    t.first_failure = list<ErrorText>(j.at("first_failure"), [](const json& e) {
        return ErrorText{e.at("id").get<long>(), e.at("location").get<std::string>(),
                         e.at("summary").get<std::string>(), e.at("detail").get<std::vector<std::string>>()};
    });
    t.failure_kinds = list<FailureKind>(j.at("failure_kinds"), [](const json& k) {
        return FailureKind{k.at(0).get<long>(), k.at(1).get<std::string>(), k.at(2).get<long>()};
    });
    t.other_failures = j.at("other_failures").get<long>();
    return t;
}

// Only the bins that counted something, as [bin, count].
json bins_json(const Histogram& h)
{
    json j = json::array();
    for (int b = 0; b < kBins; ++b)
        if (h.counts[static_cast<std::size_t>(b)] != 0) j.push_back(json::array({b, h.counts[static_cast<std::size_t>(b)]}));
    return j;
}

Histogram bins(const json& j, const BinLayout& layout)
{
    Histogram h{layout};
    for (const json& pair : j) {
        const int b = pair.at(0).get<int>();
        if (b < 0 || b >= kBins) throw Damaged("bin " + std::to_string(b) + " does not exist");
        h.counts[static_cast<std::size_t>(b)] = pair.at(1).get<long>();
    }
    return h;
}

// The tally's vectors are those of the scheme's.
bool same_shape(const Tally& t, const Tally& empty)
{
    bool same = t.redundancy_changed.size() == empty.redundancy_changed.size() &&
                t.placements.size() == empty.placements.size() && t.checks.size() == empty.checks.size() &&
                t.measures.size() == empty.measures.size();
    for (std::size_t m = 0; same && m < t.measures.size(); ++m)
        same = t.measures[m].features.size() == empty.measures[m].features.size() &&
               t.measures[m].parts.size() == empty.measures[m].parts.size();
    return same;
}

std::string shard_name(long k, long n) { return std::to_string(k) + "/" + std::to_string(n); }

// What differs between two partials' runs, or "".
std::string difference(const Partial& a, const Partial& b)
{
    if (a.version != b.version) return "it was written by rkdatum " + a.version + ", not " + b.version;
    if (a.settings != b.settings) return "its settings file " + a.settings_file + " differs from " + b.settings_file;
    if (a.samples != b.samples)
        return "its run has " + std::to_string(a.samples) + " samples, not " + std::to_string(b.samples);
    if (a.seed != b.seed) return "its seed is " + std::to_string(a.seed) + ", not " + std::to_string(b.seed);
    if (a.shards != b.shards)
        return "it is a shard of " + std::to_string(a.shards) + ", not of " + std::to_string(b.shards);
    return "";
}

}  // namespace

void write_partial(std::ostream& out, const Scheme& scheme, const std::string& settings, const RunOptions& options,
                   const Results& results)
{
    const RunResult& run = results.run;
    json layouts = json::array();
    for (const BinLayout& l : results.layouts) layouts.push_back(json::array({hex(l.centre), hex(l.scale)}));
    json histograms = json::array();
    for (const Histogram& h : run.measure_bins) histograms.push_back(bins_json(h));
    for (const Histogram& h : run.check_bins) histograms.push_back(bins_json(h));
    json nodes = json::array();
    for (const Node& n : run.nodes) nodes.push_back({{"level", n.level}, {"index", n.index}, {"tally", tally_json(n.tally)}});
    const json doc = {{"rkdatum_partial", kFormat},
                      {"rkdatum", RKDATUM_VERSION},
                      {"settings_file", scheme.file},
                      {"settings", settings},
                      {"samples", scheme.variation.samples},
                      {"seed", scheme.variation.seed},
                      {"block_samples", kBlockSamples},
                      {"shard", json::array({options.shard, options.shards})},
                      {"blocks", json::array({run.blocks.first, run.blocks.end})},
                      {"threads", run.threads},
                      {"seconds", hex(run.seconds)},
                      {"layouts", layouts},
                      {"histograms", histograms},
                      {"nodes", nodes}};
    out << doc.dump() << '\n';
}

Partial read_partial(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError("cannot read " + path + ": " + std::strerror(errno));
    Partial p;
    p.file = path;
    // The writer puts the format first: a file that does not open so was never a partial, while a
    // partial cut short still opens so and fails to parse.
    const std::string opening = "{\"rkdatum_partial\":";
    std::string start(opening.size(), '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    if (start != opening) throw InputError(path + " is not a partial result of rkdatum --shard");
    in.seekg(0);
    try {
        const json doc = json::parse(in);
        if (doc.at("rkdatum_partial") != kFormat)
            throw InputError(path + " is a partial result in another format than this rkdatum reads");
        p.version = doc.at("rkdatum").get<std::string>();
        p.settings_file = doc.at("settings_file").get<std::string>();
        p.settings = doc.at("settings").get<std::string>();
        p.samples = doc.at("samples").get<long>();
        p.seed = doc.at("seed").get<int>();
        p.block_samples = doc.at("block_samples").get<long>();
        p.shard = doc.at("shard").at(0).get<long>();
        p.shards = doc.at("shard").at(1).get<long>();
        p.blocks = {doc.at("blocks").at(0).get<long>(), doc.at("blocks").at(1).get<long>()};
        p.threads = doc.at("threads").get<int>();
        p.seconds = number(doc.at("seconds"));
        for (const json& l : doc.at("layouts")) p.layouts.push_back({number(l.at(0)), number(l.at(1))});
        const json& histograms = doc.at("histograms");
        if (histograms.size() != p.layouts.size()) throw Damaged("its bins and their counts do not match");
        for (std::size_t i = 0; i < p.layouts.size(); ++i) p.bins.push_back(bins(histograms[i], p.layouts[i]));
        std::vector<std::pair<int, long>> where;
        for (const json& n : doc.at("nodes")) {
            p.nodes.push_back({n.at("level").get<int>(), n.at("index").get<long>(), tally(n.at("tally"))});
            where.emplace_back(p.nodes.back().level, p.nodes.back().index);
        }
        const bool sane = p.shards >= 1 && p.shard >= 1 && p.shard <= p.shards && p.block_samples == kBlockSamples &&
                          p.samples >= 0;
        if (!sane) throw Damaged("its shard or its blocks make no sense");
        const BlockRange range = shard_blocks(block_count(p.samples), p.shard, p.shards);
        if (p.blocks.first != range.first || p.blocks.end != range.end || where != largest_nodes(range))
            throw Damaged("its blocks are not those of shard " + shard_name(p.shard, p.shards));
    } catch (const nlohmann::json::exception& e) {
        throw InputError(path + " is damaged or incomplete: " + e.what());
    } catch (const Damaged& e) {
        throw InputError(path + " is damaged: " + e.what());
    }
    return p;
}

void check_partials(const std::vector<Partial>& parts)
{
    const Partial& first = parts.front();
    for (const Partial& p : parts) {
        const std::string differs = difference(p, first);
        if (!differs.empty())
            throw InputError(p.file + " belongs to another run than " + first.file + ": " + differs +
                             "; merge the partials of one run");
    }
    std::vector<const Partial*> by_shard(static_cast<std::size_t>(first.shards) + 1, nullptr);
    for (const Partial& p : parts) {
        const Partial*& seen = by_shard[static_cast<std::size_t>(p.shard)];
        if (seen != nullptr)
            throw InputError(p.file + " repeats shard " + shard_name(p.shard, p.shards) + ", which " + seen->file +
                             " holds already; name each shard once");
        seen = &p;
    }
    const long blocks = block_count(first.samples);
    std::string missing;
    long from = -1, to = -1, count = 0;
    for (long k = 1; k <= first.shards; ++k) {
        if (by_shard[static_cast<std::size_t>(k)] != nullptr) continue;
        missing += (missing.empty() ? "" : ", ") + shard_name(k, first.shards);
        ++count;
        const BlockRange range = shard_blocks(blocks, k, first.shards);
        if (range.first == range.end) continue;
        if (from < 0) from = range.first * kBlockSamples + 1;
        to = std::min(first.samples, range.end * kBlockSamples);
    }
    if (missing.empty()) return;
    throw InputError("no partial holds shard " + missing +
                     (from < 0 ? std::string(count > 1 ? " (which have no samples)" : " (which has no samples)")
                               : std::string(count > 1 ? " (among samples " : " (samples ") + std::to_string(from) +
                                     " to " + std::to_string(to) + ")") +
                     ": the run is incomplete; run the missing shards, then merge them all");
}

RunResult merge_partials(const std::vector<Partial>& parts, const Scheme& scheme, const Results& prepared)
{
    const Tally empty = empty_tally(scheme, prepared.inputs);
    const std::size_t measures = scheme.measurements.size();
    RunResult r;
    r.samples = scheme.variation.samples;
    r.blocks = {0, block_count(r.samples)};
    r.threads = 0;
    for (std::size_t i = 0; i < prepared.layouts.size(); ++i)
        (i < measures ? r.measure_bins : r.check_bins).push_back({prepared.layouts[i]});
    std::vector<const Node*> nodes;
    for (const Partial& p : parts) {
        bool same_bins = p.layouts.size() == prepared.layouts.size();
        for (std::size_t i = 0; same_bins && i < p.layouts.size(); ++i)
            same_bins = p.layouts[i].centre == prepared.layouts[i].centre && p.layouts[i].scale == prepared.layouts[i].scale;
        if (!same_bins)
            throw InputError(p.file + " counted on other bins than this rkdatum finds for its scheme: the linear "
                                      "model came out differently; merge with the rkdatum that ran the shards");
        for (const Node& n : p.nodes) {
            if (!same_shape(n.tally, empty)) throw InputError(p.file + " is damaged: a tally does not fit its scheme");
            nodes.push_back(&n);
        }
        for (std::size_t i = 0; i < p.bins.size(); ++i)
            (i < measures ? r.measure_bins[i] : r.check_bins[i - measures]).merge(p.bins[i]);
        r.threads += p.threads;
        r.seconds += p.seconds;
    }
    r.total = fold_total(nodes, r.blocks.end, empty);
    const Streams streams(scheme.variation.seed, draws_per_sample(prepared.inputs));
    r.stride = streams.stride();
    r.samples_without_reuse = streams.samples_without_reuse();
    return r;
}

}  // namespace rkdatum
