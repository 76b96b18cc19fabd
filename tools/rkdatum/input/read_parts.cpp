// Reading the parts and how each is located. A part's section holds "located on", its datum
// features (primary, secondary, tertiary) in its own coordinates, and its seat (seat primary ...):
// the features of the part below that they mate onto, in that part's coordinates. The base is the
// one part located on nothing, or the world when every part is located. Each fault of the relations
// (an unknown part, a part located twice, a part no chain joins to the base, a cycle) ends the
// reading with one message naming the part.
#include "input/read_parts.hpp"

#include <algorithm>

#include "input/read_scheme.hpp"
#include "input/settings.hpp"

namespace rkdatum {

namespace {

const char kWorld[] = "world";

int parse_feature_type(const Section& s, const std::string& setting, const std::string& text)
{
    for (int type : {kNone, kPoint, kLine, kPlane})
        if (same_word(text, feature_type_name(type))) return type;
    s.fail(setting, "unknown feature type " + quote(text) + "; expected point, line, plane or none");
}

// Feature `precedence` of the settings "<prefix>primary" and "<prefix>primary points".
void read_feature(const Section& s, const std::string& prefix, int precedence, Feature& feature)
{
    const std::string kind = prefix + precedence_name(precedence);
    const std::string points_var = kind + " points";
    std::string text;
    feature.type = kNone;
    if (s.get(kind.c_str(), text)) feature.type = parse_feature_type(s, kind, text);
    else if (precedence == kPrimary) s.fail(kind, "missing; expected point, line or plane");

    std::string points;
    const bool has_points = s.get(points_var.c_str(), points);
    if (feature.type == kNone) {
        if (has_points) s.fail(points_var, "given, but the " + std::string(precedence_name(precedence)) + " feature is none");
        return;
    }
    const std::string expected = std::to_string(feature.type) + (feature.type == 1 ? " point" : " points");
    if (!has_points)
        s.fail(points_var, "missing; a " + std::string(feature_type_name(feature.type)) + " takes " +
                               expected + " \"x y z\", separated by ';'");
    const std::vector<std::string> rows = split(points, ";");
    if (static_cast<int>(rows.size()) != feature.type)
        s.fail(points_var, "a " + std::string(feature_type_name(feature.type)) + " takes " + expected +
                               " \"x y z\", separated by ';', found " + std::to_string(rows.size()));
    for (int r = 0; r < feature.type; ++r)
        parse_xyz(s, points_var, rows[r], " (point " + std::to_string(r + 1) + ")", feature.rows[r]);
}

void read_datums(const Section& s, const std::string& prefix, DatumSet& datums)
{
    for (int p = kPrimary; p <= kTertiary; ++p) read_feature(s, prefix, p, datums.feature[p]);
    if (datums.feature[kSecondary].type == kNone && datums.feature[kTertiary].type != kNone)
        s.fail(prefix + "tertiary", "given without a secondary feature; name it the secondary instead");
}

std::vector<std::string> feature_settings(const std::string& prefix)
{
    std::vector<std::string> names;
    for (int p = kPrimary; p <= kTertiary; ++p) {
        names.push_back(prefix + precedence_name(p));
        names.push_back(prefix + precedence_name(p) + " points");
    }
    return names;
}

void add_set(Scheme& scheme, const std::string& name, std::size_t owner, const DatumSet& datums)
{
    FeatureSet set;
    set.name = name;
    set.owner = owner;
    set.datums = datums;
    scheme.sets.push_back(set);
}

// [Object] on [Target]: the target is the base, its features the object's seat.
void read_classic(const std::string& file, Scheme& scheme)
{
    DatumSet datums[2];
    const char* names[2] = {"Object", "Target"};
    for (int i = 0; i < 2; ++i) {
        Section s(file, names[i]);
        if (!s.found()) Section::fail_file(file, "no section [" + std::string(names[i]) + "]; every scheme has one");
        s.allow_only(feature_settings(""));
        read_datums(s, "", datums[i]);
    }
    scheme.classic = true;
    scheme.parts = {Part{"target", 0, 0, 0}, Part{"object", 0, 0, 1}};
    add_set(scheme, "object", 1, datums[0]);
    add_set(scheme, "target", 0, datums[1]);
}

// A [Part NAME] section as read, before the relations are resolved.
struct PartEntry {
    std::string section;   // the header's text, to read the section back and name it in messages
    std::string name;
    int line = 0;
    std::string located_on;   // empty: located on nothing
    std::string first_setting;   // of a part located on nothing: datum features it cannot have
    std::size_t parent = 0;   // resolved: into the entries, or the entries' count for the world
    DatumSet datums, seat;
};

bool is_part_header(const std::string& section)
{
    const std::vector<std::string> words = split(section, " \t");
    return !words.empty() && same_word(words[0], "part");
}

std::vector<PartEntry> part_entries(const std::string& file, const FileLayout& layout)
{
    std::vector<PartEntry> entries;
    for (const SectionLines& section : layout.sections) {
        if (!is_part_header(section.name)) continue;
        PartEntry e;
        e.section = section.name;
        e.name = single_spaced(trimmed(section.name).substr(4));
        e.line = section.line;
        const std::string where = file + ": [" + section.name + "]: ";
        if (e.name.empty()) throw InputError(where + "a part needs a name: [Part NAME]");
        if (same_word(e.name, kWorld))
            throw InputError(where + "'world' names the fixed coordinates parts may be located on; name the part otherwise");
        for (const PartEntry& other : entries)
            if (same_word(other.name, e.name.c_str()))
                throw InputError(where + "part " + e.name + " is described twice (lines " + std::to_string(other.line) +
                                 " and " + std::to_string(e.line) + "); a part is described, and located, once");
        entries.push_back(e);
    }
    return entries;
}

std::size_t entry_named(const std::vector<PartEntry>& entries, const std::string& name)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (same_word(entries[i].name, single_spaced(name).c_str())) return i;
    return entries.size();
}

std::string names_of(const std::vector<std::string>& names)
{
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

void read_entry(const std::string& file, const std::vector<PartEntry>& entries, PartEntry& e)
{
    Section s(file, e.section);
    std::vector<std::string> known{"located on"};
    for (const std::string& name : feature_settings("")) known.push_back(name);
    for (const std::string& name : feature_settings("seat ")) known.push_back(name);
    s.allow_only(known);
    if (!s.get("located on", e.located_on)) {
        for (const std::string& name : s.names()) {
            if (same_word(name, "located on")) s.fail(name, "blank; name the part it sits on, or world");
            if (e.first_setting.empty()) e.first_setting = name;
        }
        return;
    }
    const std::vector<std::string> parents = split(e.located_on, ",;");
    if (parents.size() > 1)
        s.fail("located on", "a part is located on exactly one other part, found " + quote(trimmed(e.located_on)));
    e.located_on = single_spaced(e.located_on);
    e.parent = same_word(e.located_on, kWorld) ? entries.size() : entry_named(entries, e.located_on);
    if (e.parent == entries.size() && !same_word(e.located_on, kWorld)) {
        std::vector<std::string> names;
        for (const PartEntry& other : entries) names.push_back(other.name);
        s.fail("located on", "unknown part " + quote(e.located_on) + "; the parts are " + names_of(names) + ", and world");
    }
    if (e.parent == static_cast<std::size_t>(&e - entries.data()))
        s.fail("located on", "a part cannot be located on itself");
    read_datums(s, "", e.datums);
    read_datums(s, "seat ", e.seat);
}

[[noreturn]] void fail_part(const std::string& file, const PartEntry& e, const std::string& setting, const std::string& text)
{
    throw InputError(file + ": [" + e.section + "] " + setting + ": " + text);
}

// The base: the one part located on nothing, else the world (entries.size()). Of two parts located
// on nothing, one given datum features was meant to be located.
std::size_t find_base(const std::string& file, const std::vector<PartEntry>& entries)
{
    std::vector<std::size_t> roots;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].located_on.empty()) roots.push_back(i);
    std::stable_partition(roots.begin(), roots.end(), [&](std::size_t i) { return entries[i].first_setting.empty(); });
    if (roots.size() > 1) {
        const PartEntry& stray = entries[roots[1]];
        throw InputError(file + ": [" + stray.section + "]: no chain joins " + stray.name + " to the base, " +
                         entries[roots[0]].name + ": both are located on nothing, and only the base may be; give " +
                         stray.name + " 'located on = PART'");
    }
    if (roots.empty()) return entries.size();
    const std::size_t base = roots[0];
    if (!entries[base].first_setting.empty())
        fail_part(file, entries[base], entries[base].first_setting,
                  "the part is located on nothing, so it is the base, which has no datum features or seat; give it "
                  "'located on = PART' (or 'world') to place it by them");
    for (const PartEntry& e : entries)
        if (e.parent == entries.size() && !e.located_on.empty())
            fail_part(file, e, "located on",
                      "world, but " + entries[base].name + " is located on nothing and so is the base; the world is "
                      "the base only when every part is located: locate " + e.name + " on a part, or " +
                      entries[base].name + " on world");
    return base;
}

// Follows the parts from `start` down towards the base; they never reach it, so they run into a
// cycle, which is named; `why` ends the message.
[[noreturn]] void fail_cycle(const std::string& file, const std::vector<PartEntry>& entries, std::size_t start,
                             const std::string& why)
{
    std::vector<std::size_t> path;
    std::size_t at = start;
    while (std::find(path.begin(), path.end(), at) == path.end()) {
        path.push_back(at);
        at = entries[at].parent;
    }
    std::vector<std::size_t> cycle(std::find(path.begin(), path.end(), at), path.end());
    std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end()), cycle.end());   // from the first in the file
    std::vector<std::string> names, steps;
    for (std::size_t i : cycle) {
        names.push_back(entries[i].name);
        steps.push_back(entries[i].name + " on " + entries[entries[i].parent].name);
    }
    fail_part(file, entries[cycle.front()], "located on",
              names_of(names) + " are located on one another in a cycle (" + names_of(steps) + "): " + why);
}

void add_parts(const std::string& file, std::vector<PartEntry>& entries, std::size_t base, Scheme& scheme)
{
    const std::size_t none = entries.size() + 1;
    std::vector<std::size_t> placed_as(entries.size(), none);   // an entry's index in scheme.parts
    scheme.world_base = base == entries.size();
    scheme.parts.push_back(Part{scheme.world_base ? kWorld : entries[base].name, 0, 0, 0});
    if (!scheme.world_base) placed_as[base] = 0;
    for (bool added = true; added;) {
        added = false;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const PartEntry& e = entries[i];
            if (placed_as[i] != none || e.located_on.empty()) continue;
            const bool on_world = e.parent == entries.size();
            if (!on_world && placed_as[e.parent] == none) continue;
            Part part{e.name, on_world ? 0 : placed_as[e.parent], scheme.sets.size(), scheme.sets.size() + 1};
            placed_as[i] = scheme.parts.size();
            scheme.parts.push_back(part);
            add_set(scheme, e.name, placed_as[i], e.datums);
            add_set(scheme, e.name + " seat", part.parent, e.seat);
            added = true;
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (placed_as[i] == none)
            fail_cycle(file, entries, i, "no chain joins them to the base, " + scheme.parts[0].name);
}

// A part named "bracket seat" would share its features' names with the seat of a part "bracket".
void check_set_names(const std::string& file, const std::vector<PartEntry>& entries, const Scheme& scheme)
{
    for (const FeatureSet& a : scheme.sets)
        for (const FeatureSet& b : scheme.sets)
            if (&a < &b && same_word(a.name, b.name.c_str()))
                for (const PartEntry& e : entries)
                    if (same_word(e.name, a.name.c_str()))
                        throw InputError(file + ": [" + e.section + "]: the features of " + e.name +
                                         " would share their names with those of another part's seat (such as '" +
                                         a.name + " primary'); rename the part");
}

}  // namespace

std::size_t find_part(const Scheme& scheme, const std::string& name)
{
    for (std::size_t i = 0; i < scheme.parts.size(); ++i)
        if (same_word(scheme.parts[i].name, single_spaced(name).c_str())) return i;
    return scheme.parts.size();
}

std::string part_list(const Scheme& scheme)
{
    std::vector<std::string> names;
    for (const Part& part : scheme.parts) names.push_back(part.name);
    return names_of(names);
}

void read_parts(const std::string& file, const FileLayout& layout, Scheme& scheme)
{
    std::vector<PartEntry> entries = part_entries(file, layout);
    bool classic = false;
    for (const SectionLines& section : layout.sections)
        classic = classic || same_word(section.name, "Object") || same_word(section.name, "Target");
    if (entries.empty() && !classic)
        Section::fail_file(file, "no parts: describe each with a [Part NAME] section, or an object on a target with "
                                 "[Object] and [Target]");
    if (entries.empty()) return read_classic(file, scheme);
    if (classic)
        Section::fail_file(file, "[Object] and [Target] cannot be mixed with [Part ...] sections: an object on a "
                                 "target is itself an assembly of two parts; write it with parts alone");
    for (PartEntry& e : entries) read_entry(file, entries, e);
    const std::size_t base = find_base(file, entries);
    if (base == entries.size() && std::none_of(entries.begin(), entries.end(), [&](const PartEntry& e) {
            return e.parent == entries.size();
        }))
        fail_cycle(file, entries, 0,
                   "no part is the base; one part is located on nothing (the base) or on world");
    add_parts(file, entries, base, scheme);
    check_set_names(file, entries, scheme);
}

}  // namespace rkdatum
