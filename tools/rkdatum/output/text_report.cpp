// The report of a run: the assembly's frames, candidate transforms, placements and fixture (the
// variation is in text_variation.cpp, the measurements' tables in text_measurements.cpp). With one
// located part, on the base, the report keeps the layout of an object on a target: its candidate
// transforms show its placement.
#include "output/text_report.hpp"

#include <algorithm>
#include <cmath>

#include "output/text_writer.hpp"

namespace rkdatum {

namespace {

void write_header(Writer& w, const Scheme& scheme)
{
    double angle_eps = 0.0, point_eps = 0.0, zero_eps = 0.0;
    Rk_GeometryGet(&angle_eps, &point_eps, &zero_eps);
    w.line("rkdatum: " + scheme.name);
    w.indent(1);
    w.line(padded("Settings file", 20) + scheme.file);
    w.line(padded("Datum angle", 20) + format("%g degrees (within-angle tests of the datum frames)",
                                                 scheme.angle_tolerance));
    w.line(padded("Tolerances", 20) + format("angle %g degrees, point %g, zero %g", angle_eps, point_eps, zero_eps));
}

void write_assembly(Writer& w, const Scheme& scheme)
{
    w.title(format("Assembly: %zu parts", scheme.parts.size() - (scheme.world_base ? 1 : 0)) + ", in " +
            scheme.base_phrase() + " coordinates");
    w.indent(1);
    std::size_t width = 12;
    for (const Part& part : scheme.parts) width = std::max(width, part.name.size() + 2);
    for (std::size_t p = 0; p < scheme.parts.size(); ++p)
        w.line(padded(scheme.parts[p].name, width) +
               (p == 0 ? "the base" : "on " + scheme.parts[scheme.parts[p].parent].name));
}

std::string redundancy_text(const FrameResult& f)
{
    if (!f.redundant) return "no";
    if (f.dropped == "secondary or tertiary")
        return "yes: the secondary or the tertiary feature was left out (either gives this frame)";
    if (f.dropped == "secondary and tertiary")
        return "yes: the secondary and tertiary features were left out, adding nothing to the primary";
    return "yes: the " + f.dropped + " feature was left out, adding nothing to the features above it";
}

void write_frame(Writer& w, const std::string& title, const DatumSet& datums, const FrameResult& f)
{
    w.title(title);
    w.indent(1);
    for (int p = kPrimary; p <= kTertiary; ++p) {
        const Feature& feature = datums.feature[p];
        std::string text = padded(capitalised(precedence_name(p)), 14) + padded(feature_type_name(feature.type), 7);
        for (int r = 0; r < feature.type; ++r) text += (r ? " " : "") + point_text(feature.rows[r]);
        w.line(text);
    }
    double rows[4][3];
    Rk_RefFrameGetArray(&f.frame, rows);
    w.row("Origin", rows[3]);
    w.row("X axis", rows[0]);
    w.row("Y axis", rows[1]);
    w.row("Z axis", rows[2]);
    w.line(padded("Redundant", 14) + redundancy_text(f));
}

std::size_t name_width(const Scheme& scheme)
{
    std::size_t width = 12;
    for (const CheckPoint& c : scheme.checks) width = std::max(width, c.name.size() + 2);
    return width;
}

void write_matrix(Writer& w, const Rk_TransformStruct& tfm)
{
    double m[4][3];
    Rk_TransformGet(&tfm, m);
    w.line(std::string(14, ' ') + format("%12s%12s%12s", "x", "y", "z"));
    w.row("x axis to", m[0]);
    w.row("y axis to", m[1]);
    w.row("z axis to", m[2]);
    w.row("moved by", m[3]);
}

// The candidates that carry part `p` onto its seat, with its check points on each, in the
// coordinates of the part below.
void write_transforms(Writer& w, const Scheme& scheme, const Nominal& n, std::size_t p)
{
    const Part& part = scheme.parts[p];
    const std::string& seat = scheme.sets[part.seat_set].name;
    const LinkResult& link = n.links[p];
    w.title(format("Candidate transforms from the %s onto the %s: %d", part.name.c_str(), seat.c_str(), link.num_tfms) +
            (scheme.single_link() ? "" : ", in the " + scheme.parts[part.parent].name + "'s coordinates"));
    const std::size_t width = name_width(scheme);
    for (int t = 0; t < link.num_tfms; ++t) {
        w.indent(1);
        w.line(format("Transform %d of %d", t + 1, link.num_tfms) +
               (t == 0 ? " (the " + seat + "'s features in the senses given, its planes facing the " + part.name + ")"
                       : " (another sense of the " + seat + "'s primary or secondary feature)"));
        w.indent(2);
        write_matrix(w, link.tfms[t]);
        if (link.checks.empty()) continue;
        w.line(padded("Check point", width) + format("%-36s    %s", ("on the " + part.name).c_str(),
                                                     ("on the " + scheme.parts[part.parent].name).c_str()));
        for (std::size_t k = 0; k < link.checks.size(); ++k)
            w.line(padded(scheme.checks[link.checks[k]].name, width) + columns(scheme.checks[link.checks[k]].xyz) +
                   "  ->" + columns(link.images[t][k].data()));
    }
}

// Every part's placement in the base's coordinates, with its check points there.
void write_placements(Writer& w, const Scheme& scheme, const Nominal& n)
{
    w.title("Placements in " + scheme.base_phrase() + " coordinates");
    const std::size_t width = name_width(scheme);
    for (std::size_t p = 0; p < scheme.parts.size(); ++p) {
        const Part& part = scheme.parts[p];
        w.indent(1);
        if (p == 0) w.line(capitalised(part.name) + ": the base");
        else if (part.parent == 0) w.line(capitalised(part.name) + " on the " + scheme.parts[0].name + ": its transform 1");
        else
            w.line(capitalised(part.name) + " on the " + scheme.parts[part.parent].name +
                   ": its transform 1, then the " + scheme.parts[part.parent].name + "'s placement");
        w.indent(2);
        if (p > 0) write_matrix(w, n.placed.placements[p]);
        bool first = true;
        for (std::size_t c = 0; c < scheme.checks.size(); ++c) {
            if (scheme.checks[c].part != p) continue;
            if (first)
                w.line(padded("Check point", width) + format("%-36s    %s", ("on the " + part.name).c_str(),
                                                             ("in " + scheme.base_phrase() + " coordinates").c_str()));
            first = false;
            w.line(padded(scheme.checks[c].name, width) + columns(scheme.checks[c].xyz) + "  ->" +
                   columns(n.placed.images[c].data()));
        }
    }
}

std::string dof_cells(const Rk_DofStruct& dof)
{
    int f[12];
    Rk_DofGet(&dof, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8], &f[9], &f[10], &f[11]);
    std::string cells;
    for (int flag : f) cells += flag ? "   C" : "   O";
    return cells;
}

std::string vector_text(const double v[3])
{
    return "(" + fixed(v[0], kCoordDecimals, 0) + ", " + fixed(v[1], kCoordDecimals, 0) + ", " +
           fixed(v[2], kCoordDecimals, 0) + ")";
}

std::string axes_text(const Rk_RefFrameStruct& frame)
{
    double r[4][3];
    Rk_RefFrameGetArray(&frame, r);
    return "x " + vector_text(r[0]) + ", y " + vector_text(r[1]) + ", z " + vector_text(r[2]);
}

void write_fixture(Writer& w, const Scheme& scheme, const Nominal& n)
{
    const Fixture& fixture = scheme.fixture;
    const FixtureResult& r = n.fixture;
    const Part& part = scheme.parts[fixture.part];
    w.title("Fixture degrees of freedom in the " + part.name + "'s datum frame");
    w.indent(1);
    w.line(padded("Fixture frame", 20) + (fixture.z_given ? axes_text(r.fixture_frame) : "the world axes"));
    w.line(padded(capitalised(part.name) + " frame", 20) + axes_text(r.placed_frame) +
           (part.parent == 0 ? ", as transform 1 places it" : ", as its placement puts it"));
    w.line(padded("Mapping tolerance", 20) + format("%g degrees", fixture.max_angle));
    w.line("C: controlled, O: open");
    std::string heads = std::string(20, ' ');
    for (const char* label : kDofLabels) heads += format("%4s", label);
    w.line(heads);
    w.line(padded("Fixture controls", 20) + dof_cells(fixture.controls));
    w.line(padded("Axis to axis", 20) + dof_cells(r.axis_to_axis));
    w.line(padded("Root sum square", 20) + dof_cells(r.root_sum_square));
}

}  // namespace

int write_report(Rk_ReportStruct& report, const Scheme& scheme, const Results& results)
{
    const Nominal& nominal = results.nominal;
    Writer w(report);
    write_header(w, scheme);
    if (!scheme.single_link()) write_assembly(w, scheme);
    for (std::size_t p = 1; p < scheme.parts.size(); ++p) {
        const Part& part = scheme.parts[p];
        const FeatureSet& datums = scheme.sets[part.datum_set];
        const FeatureSet& seat = scheme.sets[part.seat_set];
        write_frame(w, capitalised(datums.name) + " datum reference frame", datums.datums, nominal.links[p].datum);
        write_frame(w, capitalised(seat.name) + " datum reference frame" +
                           (scheme.single_link() ? "" : ", in the " + scheme.parts[part.parent].name + "'s coordinates"),
                    seat.datums, nominal.links[p].seat);
        write_transforms(w, scheme, nominal, p);
    }
    if (!scheme.single_link()) write_placements(w, scheme, nominal);
    if (nominal.has_fixture) write_fixture(w, scheme, nominal);
    if (results.has_run) write_variation(w, scheme, results);
    write_measurements(w, scheme, results);
    return w.status();
}

int write_lines(Rk_ReportStruct& report, const std::vector<std::string>& lines)
{
    Writer w(report);
    for (const std::string& line : lines) w.line(line);
    return w.status();
}

}  // namespace rkdatum
