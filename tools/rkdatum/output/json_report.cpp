// The JSON document of a run, built with nlohmann::json. A value that is not defined (NaN: no
// samples, no limit, no spread) is written as null.
#include "output/json_report.hpp"

#include <cmath>

#include <nlohmann/json.hpp>

namespace rkdatum {

namespace {

using json = nlohmann::ordered_json;

json number(double value) { return std::isnan(value) ? json(nullptr) : json(value); }

json pair(double a, double b) { return (std::isnan(a) || std::isnan(b)) ? json(nullptr) : json::array({a, b}); }

json xyz(const double v[3]) { return json::array({v[0], v[1], v[2]}); }

json dof(const Rk_DofStruct& d)
{
    int f[12];
    Rk_DofGet(&d, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8], &f[9], &f[10], &f[11]);
    json labels = json::array();
    for (int i = 0; i < 12; ++i)
        if (f[i]) labels.push_back(kDofLabels[i]);
    return labels;
}

json frame(const Rk_RefFrameStruct& f)
{
    double r[4][3];
    Rk_RefFrameGetArray(&f, r);
    return {{"origin", xyz(r[3])}, {"x_axis", xyz(r[0])}, {"y_axis", xyz(r[1])}, {"z_axis", xyz(r[2])}};
}

json variation(const FeatureVariation& fv)
{
    if (!fv.varies) return nullptr;
    const Sampler s = make_sampler(fv);
    std::string along;
    for (int a = 0; a < 3; ++a)
        if (fv.along[a]) along += "xyz"[a];
    return {{"distribution", s.normal ? "normal" : "uniform"},
            {s.normal ? "sigma" : "range", s.spread},
            {"nominal", s.nominal},
            {"low", s.has_low ? json(s.low) : json(nullptr)},
            {"high", s.has_high ? json(s.high) : json(nullptr)},
            {"along", along}};
}

json features_json(const FeatureSet& set)
{
    json features = json::array();
    for (int p = kPrimary; p <= kTertiary; ++p) {
        const Feature& f = set.datums.feature[p];
        if (f.type == kNone) continue;
        json points = json::array();
        for (int r = 0; r < f.type; ++r) points.push_back(xyz(f.rows[r]));
        features.push_back({{"name", set.name + " " + precedence_name(p)},
                            {"precedence", precedence_name(p)},
                            {"type", feature_type_name(f.type)},
                            {"points", points},
                            {"variation", variation(set.variation[p])}});
    }
    return features;
}

json scheme_json(const Scheme& scheme)
{
    double angle_eps = 0.0, point_eps = 0.0, zero_eps = 0.0;
    Rk_GeometryGet(&angle_eps, &point_eps, &zero_eps);
    json parts = json::array();
    for (std::size_t p = 0; p < scheme.parts.size(); ++p) {
        const Part& part = scheme.parts[p];
        parts.push_back({{"name", part.name},
                         {"located_on", p == 0 ? json(nullptr) : json(scheme.parts[part.parent].name)},
                         {"features", p == 0 ? json::array() : features_json(scheme.sets[part.datum_set])},
                         {"seat", p == 0 ? json::array() : features_json(scheme.sets[part.seat_set])}});
    }
    json checks = json::array();
    for (const CheckPoint& c : scheme.checks)
        checks.push_back({{"name", c.name}, {"part", scheme.parts[c.part].name}, {"xyz", xyz(c.xyz)}});
    return {{"name", scheme.name},
            {"file", scheme.file},
            {"datum_angle", scheme.angle_tolerance},
            {"tolerances", {{"angle", angle_eps}, {"point", point_eps}, {"zero", zero_eps}}},
            {"base", scheme.parts[0].name},
            {"parts", parts},
            {"check_points", checks}};
}

json datum_frame(const FrameResult& f)
{
    json j = frame(f.frame);
    j["redundant"] = f.redundant != 0;
    j["left_out"] = f.redundant ? json(f.dropped) : json(nullptr);
    return j;
}

json motion(const Rk_TransformStruct& tfm)
{
    double m[4][3];
    Rk_TransformGet(&tfm, m);
    return {{"x_axis_to", xyz(m[0])}, {"y_axis_to", xyz(m[1])}, {"z_axis_to", xyz(m[2])}, {"moved_by", xyz(m[3])}};
}

json moments(const Moments& m)
{
    return {{"mean", m.mean}, {"std_dev", m.std_dev()}, {"min", m.min}, {"max", m.max}};
}

json placement_variation(const Results& r, std::size_t p)
{
    if (!r.has_run || r.run.total.used == 0 || !r.inputs.part_varies[p]) return nullptr;
    const PlacementTally& t = r.run.total.placements[p];
    return {{"origin_distance", moments(t.distance)},
            {"origin_along_x", moments(t.along[0])},
            {"origin_along_y", moments(t.along[1])},
            {"origin_along_z", moments(t.along[2])},
            {"turn_angle", moments(t.turn)},
            {"turn_about_x", moments(t.about[0])},
            {"turn_about_y", moments(t.about[1])},
            {"turn_about_z", moments(t.about[2])}};
}

// Per part: how it sits on the part below (frames and candidates, in that part's coordinates), its
// placement in the base's coordinates and how that placement varied.
json parts_json(const Scheme& scheme, const Results& r)
{
    const Nominal& n = r.nominal;
    json parts = json::array();
    for (std::size_t p = 0; p < scheme.parts.size(); ++p) {
        const LinkResult& link = n.links[p];
        json transforms = json::array();
        for (int t = 0; t < link.num_tfms; ++t) {
            json images = json::array();
            for (std::size_t k = 0; k < link.checks.size(); ++k)
                images.push_back({{"name", scheme.checks[link.checks[k]].name}, {"image", xyz(link.images[t][k].data())}});
            json j = motion(link.tfms[t]);
            j["check_points"] = images;
            transforms.push_back(j);
        }
        parts.push_back({{"name", scheme.parts[p].name},
                         {"located_on", p == 0 ? json(nullptr) : json(scheme.parts[scheme.parts[p].parent].name)},
                         {"datum_frame", p == 0 ? json(nullptr) : datum_frame(link.datum)},
                         {"seat_frame", p == 0 ? json(nullptr) : datum_frame(link.seat)},
                         {"transforms", transforms},
                         {"placement", motion(n.placed.placements[p])},
                         {"varies", r.inputs.part_varies[p] != 0},
                         {"placement_variation", placement_variation(r, p)}});
    }
    return parts;
}

json images_json(const Scheme& scheme, const Nominal& n)
{
    json images = json::array();
    for (std::size_t c = 0; c < scheme.checks.size(); ++c)
        images.push_back({{"name", scheme.checks[c].name},
                          {"part", scheme.parts[scheme.checks[c].part].name},
                          {"image", xyz(n.placed.images[c].data())}});
    return images;
}

json fixture_json(const Scheme& scheme, const Nominal& n)
{
    if (!n.has_fixture) return nullptr;
    return {{"part", scheme.parts[scheme.fixture.part].name},
            {"fixture_frame", frame(n.fixture.fixture_frame)},
            {"part_frame", frame(n.fixture.placed_frame)},
            {"angle", scheme.fixture.max_angle},
            {"controls", dof(scheme.fixture.controls)},
            {"axis_to_axis", dof(n.fixture.axis_to_axis)},
            {"root_sum_square", dof(n.fixture.root_sum_square)}};
}

json displacements_json(const Scheme& scheme, const Results& r)
{
    json checks = json::array();
    if (!r.has_run || r.run.total.used == 0) return checks;
    for (std::size_t c = 0; c < scheme.checks.size(); ++c) {
        const CheckTally& t = r.run.total.checks[c];
        checks.push_back({{"name", scheme.checks[c].name},
                          {"distance", moments(t.magnitude)},
                          {"along_x", moments(t.along[0])},
                          {"along_y", moments(t.along[1])},
                          {"along_z", moments(t.along[2])}});
    }
    return checks;
}

json inputs_json(const Scheme& scheme, const Inputs& inputs)
{
    json list = json::array();
    for (const Input& in : inputs.inputs)
        list.push_back({{"feature", inputs.features[in.feature].name},
                        {"part", scheme.parts[inputs.features[in.feature].part].name},
                        {"point", in.row + 1},
                        {"axis", std::string(1, "xyz"[in.axis])},
                        {"mean", in.mean},
                        {"std_dev", in.std_dev},
                        {"worst_range", json::array({in.lowest, in.highest})},
                        {"step", in.step}});
    return list;
}

json measurement_json(const Scheme& scheme, const Results& r, std::size_t m)
{
    const Measurement& def = scheme.measurements[m];
    const MeasurementSummary& s = r.measurements[m];
    const LinearModel& lm = r.models[m];
    const bool sampled = s.samples_used > 0;
    json contributors = json::array();
    for (const Contributor& c : s.contributors)
        contributors.push_back({{"feature", r.inputs.features[c.index].name},
                                {"part", scheme.parts[r.inputs.features[c.index].part].name},
                                {"rss_percent", number(c.rss_percent)},
                                {"mc_percent", number(c.mc_percent)}});
    json parts = json::array();
    for (const Contributor& c : s.parts)
        parts.push_back({{"part", scheme.parts[c.index].name},
                         {"rss_percent", number(c.rss_percent)},
                         {"mc_percent", number(c.mc_percent)}});
    return {{"name", def.name},
            {"kind", kind_name(def.kind)},
            {"definition", def.definition},
            {"nominal", s.nominal},
            {"lsl", def.has_lsl ? json(def.lsl) : json(nullptr)},
            {"usl", def.has_usl ? json(def.usl) : json(nullptr)},
            {"mean", number(s.mean)},
            {"std_dev", number(s.std_dev)},
            {"min", number(s.min)},
            {"max", number(s.max)},
            {"percentiles", {{"0.135", number(s.p00135)}, {"50", number(s.p50)}, {"99.865", number(s.p99865)}}},
            {"out", sampled ? json(s.out) : json(nullptr)},
            {"percent_out", number(s.percent_out)},
            {"percent_out_ci95", pair(s.ci_low, s.ci_high)},
            {"ppm_out", number(s.ppm_out)},
            {"cp", number(s.cp)},
            {"cpk", number(s.cpk)},
            {"worst_case", json::array({lm.worst_low, lm.worst_high})},
            {"rss_mean", lm.rss_mean},
            {"rss_std_dev", lm.rss_std_dev},
            {"rss_range", json::array({lm.rss_mean - 3.0 * lm.rss_std_dev, lm.rss_mean + 3.0 * lm.rss_std_dev})},
            {"rss_percent_out", s.rss_percent_out},
            {"sensitivities", lm.sensitivity},
            {"contributors", contributors},
            {"part_contributors", parts},
            {"mc_percent_unexplained", number(s.mc_unexplained)}};
}

}  // namespace

void write_json(std::ostream& out, const Scheme& scheme, const Results& r)
{
    json measurements = json::array();
    for (std::size_t m = 0; m < scheme.measurements.size(); ++m) measurements.push_back(measurement_json(scheme, r, m));
    const json doc = {{"rkdatum", RKDATUM_VERSION},
                      {"scheme", scheme_json(scheme)},
                      {"parts", parts_json(scheme, r)},
                      {"check_points", images_json(scheme, r.nominal)},
                      {"fixture", fixture_json(scheme, r.nominal)},
                      {"seed", r.has_run ? json(scheme.variation.seed) : json(nullptr)},
                      {"samples", r.has_run ? r.run.samples : 0},
                      {"samples_used", r.has_run ? r.run.total.used : 0},
                      {"samples_failed", r.has_run ? r.run.total.failed : 0},
                      {"samples_without_reuse", r.has_run ? json(r.run.samples_without_reuse) : json(nullptr)},
                      {"inputs", inputs_json(scheme, r.inputs)},
                      {"check_point_displacements", displacements_json(scheme, r)},
                      {"measurements", measurements}};
    out << doc.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
}

}  // namespace rkdatum
