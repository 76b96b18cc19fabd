// Reading measurements. Each is one line of words, "KIND ... [in FRAME] [lsl L] [usl U]":
//   coordinate CHECK along x|y|z|DX DY DZ
//   distance CHECK to point|line|plane POINTS | to feature FEATURE
//   angle CHECK to CHECK with direction DX DY DZ | with plane POINTS | with feature FEATURE
// where FRAME is "PART" or "datum frame of PART" (the base's coordinates without it). Check point
// and part names may hold blanks, so a name runs up to the keyword after which the rest parses.
#include "input/read_measurements.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "input/layout.hpp"
#include "input/read_parts.hpp"
#include "input/settings.hpp"

namespace rkdatum {

namespace {

const char kForms[] =
    "coordinate CHECK along x|y|z|DX DY DZ; distance CHECK to point|line|plane POINTS|feature FEATURE; "
    "angle CHECK to CHECK with direction DX DY DZ|with plane POINTS|with feature FEATURE; then in PART or "
    "in datum frame of PART, and lsl L and usl U, where given";

double length(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void cross(const double a[3], const double b[3], double c[3])
{
    c[0] = a[1] * b[2] - a[2] * b[1];
    c[1] = a[2] * b[0] - a[0] * b[2];
    c[2] = a[0] * b[1] - a[1] * b[0];
}

std::string joined(const std::vector<std::string>& words, std::size_t from, std::size_t to)
{
    std::string text;
    for (std::size_t i = from; i < to; ++i) text += (i > from ? " " : "") + words[i];
    return text;
}

class Reader {
public:
    Reader(const Section& s, const Scheme& scheme, Measurement& m) : s_(s), scheme_(scheme), m_(m) {}

    void read(const std::string& text)
    {
        words_ = split(text, " \t");
        std::size_t end = 0;
        while (end < words_.size() && !same_word(words_[end], "lsl") && !same_word(words_[end], "usl")) ++end;
        read_limits(end);
        if (words_.empty() || end == 0) fail(std::string("no kind given; a measurement is written as ") + kForms);
        end = read_frame(end);
        const std::string& kind = words_[0];
        if (same_word(kind, "coordinate")) read_coordinate(end);
        else if (same_word(kind, "distance")) read_distance(end);
        else if (same_word(kind, "angle")) read_angle(end);
        else fail("unknown kind " + quote(kind) + "; a measurement is written as " + kForms);
        if (m_.on_feature && m_.frame != Frame::base)
            fail("a feature moves with its own part, so 'in' has nothing to place; it places points, lines, planes "
                 "and directions written out");
    }

private:
    [[noreturn]] void fail(const std::string& text) const { s_.fail(m_.name, text); }

    void read_limits(std::size_t from)
    {
        for (std::size_t i = from; i < words_.size(); i += 2) {
            const bool lower = same_word(words_[i], "lsl");
            if (!lower && !same_word(words_[i], "usl"))
                fail("unexpected " + quote(words_[i]) + " among the limits; expected lsl L and usl U");
            if (i + 1 >= words_.size()) fail(quote(words_[i]) + " needs a value after it");
            if (lower ? m_.has_lsl : m_.has_usl) fail(quote(words_[i]) + " given twice");
            (lower ? m_.lsl : m_.usl) = parse_number(s_, m_.name, words_[i + 1], " (after " + words_[i] + ")");
            (lower ? m_.has_lsl : m_.has_usl) = true;
        }
        if (m_.has_lsl && m_.has_usl && !(m_.lsl < m_.usl))
            fail("the lower limit must lie below the upper limit, found lsl " + number_text(m_.lsl) + " and usl " +
                 number_text(m_.usl));
    }

    // "in PART" or "in datum frame of PART" ending the words before `end`: the frame is taken and the
    // words before it returned. An "in" followed by a keyword belongs to a check point's name, and
    // one within a feature clause may belong to a feature's; a last "in" that is neither and names no
    // part is a misspelt part.
    std::size_t read_frame(std::size_t end)
    {
        std::size_t last = end;
        for (std::size_t at = end; at-- > 1;) {
            if (!same_word(words_[at], "in")) continue;
            if (last == end) last = at;
            std::size_t from = at + 1;
            const bool datum = end - from > 3 && same_word(words_[from], "datum") && same_word(words_[from + 1], "frame") &&
                               same_word(words_[from + 2], "of");
            if (datum) from += 3;
            const std::size_t part = find_part(scheme_, joined(words_, from, end));
            if (part == scheme_.parts.size()) continue;
            if (datum && part == 0)
                fail(scheme_.parts[0].name + " is the base, which is not located and has no datum frame; give its "
                     "coordinates with 'in " + scheme_.parts[0].name + "'");
            m_.frame = datum ? Frame::datum_frame : Frame::part;
            m_.frame_part = part;
            return at;
        }
        const auto any = [&](std::size_t from, std::initializer_list<const char*> keywords) {
            for (std::size_t i = from; i < end; ++i)
                for (const char* k : keywords)
                    if (same_word(words_[i], k)) return true;
            return false;
        };
        if (last != end && !any(last, {"along", "to", "with"}) && !any(0, {"feature"}))
            fail("unknown part " + quote(joined(words_, last + 1, end)) + " after 'in'; the parts are " +
                 part_list(scheme_));
        return end;
    }

    // The check point whose name runs from word `from` up to a `keyword`; `at` is left on the keyword.
    std::size_t check_before(const char* keyword, std::size_t from, std::size_t end, std::size_t& at) const
    {
        std::size_t first = end;
        for (at = from; at < end; ++at) {
            if (!same_word(words_[at], keyword)) continue;
            if (first == end) first = at;
            const std::string name = joined(words_, from, at);
            for (std::size_t c = 0; c < scheme_.checks.size(); ++c)
                if (same_word(name, scheme_.checks[c].name.c_str())) return c;
        }
        if (first == end)
            fail("expected " + quote(keyword) + " after the check point's name; a measurement is written as " +
                 kForms);
        std::string names;
        for (const CheckPoint& c : scheme_.checks) names += (names.empty() ? "" : ", ") + quote(c.name);
        fail("unknown check point " + quote(joined(words_, from, first)) + "; the check points are " +
             (names.empty() ? "none (add a [Check points] section)" : names));
    }

    // Points "x y z; x y z ..." of the words from `from` to `end`, as many as `count`.
    void points(std::size_t from, std::size_t end, int count, const char* what, double rows[3][3]) const
    {
        const std::vector<std::string> parts = split(joined(words_, from, end), ";");
        if (static_cast<int>(parts.size()) != count)
            fail(std::string("a ") + what + " takes " + std::to_string(count) + (count == 1 ? " point" : " points") +
                 " \"x y z\", separated by ';', found " + std::to_string(parts.size()));
        for (int r = 0; r < count; ++r)
            parse_xyz(s_, m_.name, parts[static_cast<std::size_t>(r)], " (point " + std::to_string(r + 1) + ")", rows[r]);
    }

    void set_axis(const double v[3], const std::string& fault)
    {
        const double size = length(v);
        if (!(size > 0.0)) fail(fault);
        for (int i = 0; i < 3; ++i) m_.axis[i] = v[i] / size;
    }

    void direction(std::size_t from, std::size_t end)
    {
        double v[3] = {};
        const std::string word = from + 1 == end ? words_[from] : "";
        const char* axes = "xyzXYZ";
        if (word.size() == 1 && std::strchr(axes, word[0]) != nullptr) v[(std::strchr(axes, word[0]) - axes) % 3] = 1.0;
        else parse_xyz(s_, m_.name, joined(words_, from, end), " (a direction: x, y, z or DX DY DZ)", v);
        set_axis(v, "a direction cannot be the zero vector");
    }

    void line(double rows[3][3])
    {
        const double d[3] = {rows[1][0] - rows[0][0], rows[1][1] - rows[0][1], rows[1][2] - rows[0][2]};
        set_axis(d, "the two points of the line coincide");
        std::copy(rows[0], rows[0] + 3, m_.origin);
    }

    void plane(double rows[3][3])
    {
        const double a[3] = {rows[1][0] - rows[0][0], rows[1][1] - rows[0][1], rows[1][2] - rows[0][2]};
        const double b[3] = {rows[2][0] - rows[0][0], rows[2][1] - rows[0][1], rows[2][2] - rows[0][2]};
        double n[3];
        cross(a, b, n);
        if (length(n) <= 1e-9 * length(a) * length(b)) fail("the three points of the plane lie on one line");
        set_axis(n, "");
        std::copy(rows[0], rows[0] + 3, m_.origin);
    }

    // The word after a keyword, naming the geometry; `choices` lists the words allowed.
    std::size_t choice(std::size_t at, std::size_t end, std::initializer_list<const char*> choices) const
    {
        std::string list;
        for (const char* c : choices) list += (list.empty() ? "" : " or ") + std::string(c);
        if (at >= end) fail("expected " + list + " after " + quote(words_[at - 1]));
        std::size_t index = 0;
        for (const char* c : choices) {
            if (same_word(words_[at], c)) return index;
            ++index;
        }
        fail("expected " + list + " after " + quote(words_[at - 1]) + ", found " + quote(words_[at]));
    }

    // "feature NAME": a feature named by its set and precedence ("bracket seat primary").
    const Feature& feature(std::size_t from, std::size_t end)
    {
        const std::string name = joined(words_, from, end);
        for (std::size_t set = 0; set < scheme_.sets.size(); ++set) {
            for (int p = kPrimary; p <= kTertiary; ++p) {
                if (!same_word(single_spaced(name), (scheme_.sets[set].name + " " + precedence_name(p)).c_str())) continue;
                const Feature& f = scheme_.sets[set].datums.feature[p];
                if (f.type == kNone) fail("the " + scheme_.sets[set].name + " has no " + precedence_name(p) + " feature");
                m_.on_feature = true;
                m_.feature_set = set;
                m_.feature_precedence = p;
                return f;
            }
        }
        fail("unknown feature " + quote(name) + "; a feature is named by its part and precedence, such as '" +
             scheme_.sets.front().name + " primary' or '" + scheme_.sets.back().name + " primary'");
    }

    void read_coordinate(std::size_t end)
    {
        std::size_t at = 0;
        m_.kind = MeasureKind::coordinate;
        m_.check = check_before("along", 1, end, at);
        if (at + 1 >= end) fail("expected a direction after 'along': x, y, z or DX DY DZ");
        direction(at + 1, end);
    }

    void read_distance(std::size_t end)
    {
        std::size_t at = 0;
        m_.check = check_before("to", 1, end, at);
        double rows[3][3] = {};
        switch (choice(at + 1, end, {"point", "line", "plane", "feature"})) {
        case 3: {
            const int type = feature(at + 2, end).type;
            m_.kind = type == kPoint  ? MeasureKind::distance_to_point
                      : type == kLine ? MeasureKind::distance_to_line
                                      : MeasureKind::distance_to_plane;
            break;
        }
        case 0:
            m_.kind = MeasureKind::distance_to_point;
            points(at + 2, end, 1, "point", rows);
            std::copy(rows[0], rows[0] + 3, m_.origin);
            break;
        case 1:
            m_.kind = MeasureKind::distance_to_line;
            points(at + 2, end, 2, "line", rows);
            line(rows);
            break;
        default:
            m_.kind = MeasureKind::distance_to_plane;
            points(at + 2, end, 3, "plane", rows);
            plane(rows);
        }
    }

    void read_angle(std::size_t end)
    {
        std::size_t to = 0, with = 0;
        m_.check = check_before("to", 1, end, to);
        m_.second = check_before("with", to + 1, end, with);
        const CheckPoint& a = scheme_.checks[m_.check];
        const CheckPoint& b = scheme_.checks[m_.second];
        const double d[3] = {b.xyz[0] - a.xyz[0], b.xyz[1] - a.xyz[1], b.xyz[2] - a.xyz[2]};
        if (a.part == b.part && !(length(d) > 0.0)) fail("the two check points of the direction coincide");
        const std::size_t with_what = choice(with + 1, end, {"direction", "plane", "feature"});
        if (with_what == 0) {
            m_.kind = MeasureKind::angle_to_direction;
            if (with + 2 >= end) fail("expected a direction after 'direction': x, y, z or DX DY DZ");
            direction(with + 2, end);
        } else if (with_what == 2) {
            const int type = feature(with + 2, end).type;
            if (type == kPoint) fail("an angle is taken with a line's direction or a plane, not a point");
            m_.kind = type == kLine ? MeasureKind::angle_to_direction : MeasureKind::angle_to_plane;
        } else {
            m_.kind = MeasureKind::angle_to_plane;
            double rows[3][3] = {};
            points(with + 2, end, 3, "plane", rows);
            plane(rows);
        }
    }

    const Section& s_;
    const Scheme& scheme_;
    Measurement& m_;
    std::vector<std::string> words_;
};

}  // namespace

void read_measurements(const std::string& file, Scheme& scheme)
{
    Section s(file, "Measurements");
    for (const std::string& name : s.names()) {
        Measurement m;
        m.name = name;
        if (!s.get(name.c_str(), m.definition))
            s.fail(name, std::string("missing its definition; a measurement is written as ") + kForms);
        Reader(s, scheme, m).read(m.definition);
        scheme.measurements.push_back(m);
    }
}

}  // namespace rkdatum
