// The report of a run: the scheme's frames, transforms, fixture and check point statistics (the
// measurements' tables are in text_measurements.cpp).
#include "output/text_report.hpp"

#include <algorithm>
#include <cmath>

#include "output/text_writer.hpp"

namespace rkdatum {

namespace {

constexpr int kHistogramWidth = 40;

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

std::string redundancy_text(const FrameResult& f)
{
    if (!f.redundant) return "no";
    if (f.dropped == "secondary or tertiary")
        return "yes: the secondary or the tertiary feature was left out (either gives this frame)";
    if (f.dropped == "secondary and tertiary")
        return "yes: the secondary and tertiary features were left out, adding nothing to the primary";
    return "yes: the " + f.dropped + " feature was left out, adding nothing to the features above it";
}

void write_frame(Writer& w, const char* whose, const DatumSet& datums, const FrameResult& f)
{
    w.title(std::string(whose) + " datum reference frame");
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

void write_transforms(Writer& w, const Scheme& scheme, const Nominal& n)
{
    w.title(format("Candidate transforms from the object onto the target: %d", n.num_tfms));
    const std::size_t width = name_width(scheme);
    for (int t = 0; t < n.num_tfms; ++t) {
        w.indent(1);
        w.line(format("Transform %d of %d", t + 1, n.num_tfms) +
               (t == 0 ? " (the target's features in the senses given, its planes facing the object)"
                       : " (another sense of the target's primary or secondary feature)"));
        w.indent(2);
        double m[4][3];
        Rk_TransformGet(&n.tfms[t], m);
        w.line(std::string(14, ' ') + format("%12s%12s%12s", "x", "y", "z"));
        w.row("x axis to", m[0]);
        w.row("y axis to", m[1]);
        w.row("z axis to", m[2]);
        w.row("moved by", m[3]);
        if (scheme.checks.empty()) continue;
        w.line(padded("Check point", width) + format("%-36s    %s", "on the object", "on the target"));
        for (std::size_t c = 0; c < scheme.checks.size(); ++c)
            w.line(padded(scheme.checks[c].name, width) + columns(scheme.checks[c].xyz) + "  ->" +
                   columns(n.images[t][c].data()));
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
    w.title("Fixture degrees of freedom in the object's datum frame");
    w.indent(1);
    w.line(padded("Fixture frame", 20) + (fixture.z_given ? axes_text(r.fixture_frame) : "the world axes"));
    w.line(padded("Object frame", 20) + axes_text(r.placed_object_frame) + ", as transform 1 places it");
    w.line(padded("Mapping tolerance", 20) + format("%g degrees", fixture.max_angle));
    w.line("C: controlled, O: open");
    std::string heads = std::string(20, ' ');
    for (const char* label : kDofLabels) heads += format("%4s", label);
    w.line(heads);
    w.line(padded("Fixture controls", 20) + dof_cells(fixture.controls));
    w.line(padded("Axis to axis", 20) + dof_cells(r.axis_to_axis));
    w.line(padded("Root sum square", 20) + dof_cells(r.root_sum_square));
}

std::string distribution_text(const FeatureVariation& fv)
{
    Rk_DistribStruct record = fv.distrib;   // the getters take a writable record
    const Sampler s = make_sampler(fv);
    char* desc1 = nullptr;
    char* desc2 = nullptr;
    Rk_DistribGetDesc(&record, &desc1, &desc2);
    std::string text = s.normal ? format("normal, sigma %g", s.spread) : format("uniform, range %g", s.spread);
    text += format(", nominal %g", s.nominal);
    if (s.has_low) text += format(", low %g", s.low);
    if (s.has_high) text += format(", high %g", s.high);
    return text + "; " + desc1 + " " + desc2;
}

void write_stats_row(Writer& w, const char* label, const Moments& a)
{
    w.line(padded(label, 12) + fixed(a.mean, kStatDecimals, 14) + fixed(a.std_dev(), kStatDecimals, 14) +
           fixed(a.min, kStatDecimals, 14) + fixed(a.max, kStatDecimals, 14));
}

void write_histogram(Writer& w, const Moments& distance, const std::vector<long>& histogram)
{
    const long most = *std::max_element(histogram.begin(), histogram.end());
    const double low = distance.min;
    const double width = (distance.max - low) / static_cast<double>(histogram.size());
    w.line("Histogram of the distance");
    if (width <= 0.0) {
        w.line(format("all %ld samples at %s", distance.count, fixed(low, kStatDecimals, 0).c_str()));
        return;
    }
    for (std::size_t b = 0; b < histogram.size(); ++b) {
        const long count = histogram[b];
        const int bar = static_cast<int>(std::lround(static_cast<double>(kHistogramWidth) * count / most));
        const bool last = b + 1 == histogram.size();
        w.line("[" + fixed(low + width * b, kStatDecimals, 10) + "," + fixed(low + width * (b + 1), kStatDecimals, 10) +
               (last ? "]" : ")") + format("%9ld", count) + (bar > 0 ? "  " + std::string(static_cast<std::size_t>(bar), '#') : ""));
    }
}

void write_failures(Writer& w, const RunResult& run)
{
    w.line(padded("Samples failed", 36) + format("%ld (the first is sample %ld)", run.failed, run.first_failed_sample));
    w.indent(2);
    for (const FailureKind& kind : run.failure_kinds)
        w.line(format("error %ld at %s: %ld", kind.id, kind.location, kind.count));
    if (run.other_failures > 0) w.line(format("errors of other kinds: %ld", run.other_failures));
    w.line("The errors of the first failed sample:");
    for (const std::string& line : error_lines("sample " + std::to_string(run.first_failed_sample) +
                                                   " could not be analysed",
                                               run.first_failure))
        w.line(line);
    w.indent(1);
}

void write_variation(Writer& w, const Scheme& scheme, const RunResult& run)
{
    const Variation& v = scheme.variation;
    w.title(format("Variation: %ld samples from seed %d", v.samples, v.seed));
    w.indent(1);
    bool any = false;
    for (const Part& part : scheme.parts) {
        for (int p = kPrimary; p <= kTertiary; ++p) {
            const FeatureVariation& fv = part.variation[p];
            if (!fv.varies) continue;
            char name[RK_DISTRIB_NAME_MAX + 1];
            Rk_DistribGetName(&fv.distrib, name);
            w.line(padded(name, 20) + distribution_text(fv));
            any = true;
        }
    }
    if (!any) w.line("No feature varies.");
    if (run.samples == 0) {
        w.line(scheme.measurements.empty()
                   ? "No samples drawn (samples = 0)."
                   : "No samples drawn (samples = 0): the measurements come from the linear model alone.");
        return;
    }
    w.line(padded("Samples used", 36) + format("%ld of %ld", run.used, run.samples));
    if (run.failed > 0) write_failures(w, run);
    w.line(padded("Redundancy other than nominal", 36) + format("object %ld, target %ld samples",
                                                                run.total.object_redundancy_changed,
                                                                run.total.target_redundancy_changed));
    w.line(padded("Candidate count other than nominal", 36) + format("%ld samples", run.total.candidates_changed));
    if (run.used == 0) {
        w.line("No sample could be analysed, so there are no statistics.");
        return;
    }
    for (std::size_t c = 0; c < scheme.checks.size(); ++c) {
        const CheckTally& stats = run.total.checks[c];
        w.indent(1);
        w.blank();
        w.line("Check point " + scheme.checks[c].name + ": displacement of its image under transform 1");
        w.indent(2);
        w.line(std::string(12, ' ') + format("%14s%14s%14s%14s", "mean", "std dev", "min", "max"));
        write_stats_row(w, "distance", stats.magnitude);
        write_stats_row(w, "along x", stats.along[0]);
        write_stats_row(w, "along y", stats.along[1]);
        write_stats_row(w, "along z", stats.along[2]);
        write_histogram(w, stats.magnitude, run.histograms[c]);
    }
}

}  // namespace

int write_report(Rk_ReportStruct& report, const Scheme& scheme, const Results& results)
{
    const Nominal& nominal = results.nominal;
    Writer w(report);
    write_header(w, scheme);
    write_frame(w, "Object", scheme.object().datums, nominal.object);
    write_frame(w, "Target", scheme.target().datums, nominal.target);
    write_transforms(w, scheme, nominal);
    if (nominal.has_fixture) write_fixture(w, scheme, nominal);
    if (results.has_run) write_variation(w, scheme, results.run);
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
