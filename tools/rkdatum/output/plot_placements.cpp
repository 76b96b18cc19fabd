// The placements page: the nominal assembly in the base's coordinates seen from above (x, y) and
// from the side (x, z), each part's origin with its axes, the chain from the part below and the
// check points (numbered, their names listed below the views); under it, for each varying placement, the samples' standard deviation of its
// origin's displacement and of its turn, along and about the base's axes.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <plplot.h>

#include "output/plot_style.hpp"

namespace rkdatum {

namespace {

constexpr Colour kAxisColour[3] = {kLimit, kNominal, kCurve};   // x red, y green, z blue
constexpr double kPageAspect = 1000.0 / 900.0;                  // the page's width over its height

const double* origin_of(const Results& r, std::size_t p) { return r.nominal.placed.placements[p].transform[3]; }

// The window of one view: every origin and check point, widened so one unit is as long across as up.
void view_window(const Scheme& scheme, const Results& r, int across, int up, double width, double height,
                 double window[4])
{
    double lo[2] = {HUGE_VAL, HUGE_VAL}, hi[2] = {-HUGE_VAL, -HUGE_VAL};
    const auto take = [&](const double* xyz) {
        for (int k = 0; k < 2; ++k) {
            const double v = xyz[k == 0 ? across : up];
            lo[k] = std::min(lo[k], v);
            hi[k] = std::max(hi[k], v);
        }
    };
    for (std::size_t p = 0; p < scheme.parts.size(); ++p) take(origin_of(r, p));
    for (const auto& image : r.nominal.placed.images) take(image.data());
    const double span = std::max({hi[0] - lo[0], hi[1] - lo[1], 1.0}) * 1.25;
    const double half_across = std::max(hi[0] - lo[0], span * width / height) / 2.0 * 1.15;
    const double half_up = half_across * height / width;
    window[0] = (lo[0] + hi[0]) / 2.0 - half_across;
    window[1] = (lo[0] + hi[0]) / 2.0 + half_across;
    window[2] = (lo[1] + hi[1]) / 2.0 - half_up;
    window[3] = (lo[1] + hi[1]) / 2.0 + half_up;
}

void view(const Scheme& scheme, const Results& r, int up, double x0, double x1, double y0, double y1)
{
    double w[4];
    view_window(scheme, r, 0, up, (x1 - x0) * kPageAspect, y1 - y0, w);
    plvpor(x0, x1, y0, y1);
    plwind(w[0], w[1], w[2], w[3]);
    plcol0(kBlack);
    plbox("bcnst", 0.0, 0, "bcnstv", 0.0, 0);
    pllab("x", up == 1 ? "y" : "z", up == 1 ? "from above" : "from the side");
    const double arrow = 0.06 * (w[1] - w[0]);
    const auto close = [&](const double* a, const double* b) {
        return std::fabs(a[0] - b[0]) < 0.05 * (w[1] - w[0]) && std::fabs(a[up] - b[up]) < 0.05 * (w[3] - w[2]);
    };
    std::vector<bool> named(scheme.parts.size(), false);
    for (std::size_t p = 0; p < scheme.parts.size(); ++p) {
        const double* at = origin_of(r, p);
        if (p > 0) {
            const double* below = origin_of(r, scheme.parts[p].parent);
            plcol0(kGrid);
            pllsty(2);
            pljoin(below[0], below[up], at[0], at[up]);
            pllsty(1);
        }
        plwidth(2.0);
        for (int a = 0; a < 3; ++a) {
            const double* axis = r.nominal.placed.placements[p].transform[a];
            plcol0(kAxisColour[a]);
            pljoin(at[0], at[up], at[0] + arrow * axis[0], at[up] + arrow * axis[up]);
        }
        plwidth(1.0);
        PLFLT x = at[0], y = at[up];
        plcol0(kBlack);
        plpoin(1, &x, &y, 17);
        if (named[p]) continue;
        std::string label;   // parts whose origins fall together share one label
        for (std::size_t k = p; k < scheme.parts.size(); ++k) {
            if (named[k] || !close(origin_of(r, k), at)) continue;
            named[k] = true;
            label += (label.empty() ? "" : ", ") + scheme.parts[k].name;
        }
        plptex(x, y - 0.035 * (w[3] - w[2]), 1.0, 0.0, 0.5, label.c_str());
    }
    // Check points are numbered (the page lists their names); points close together share a label.
    plschr(0.0, 0.7);
    std::vector<bool> labelled(scheme.checks.size(), false);
    for (std::size_t c = 0; c < scheme.checks.size(); ++c) {
        const auto& at = r.nominal.placed.images[c];
        PLFLT x = at[0], y = at[up];
        plcol0(kMcBar);
        plpoin(1, &x, &y, 5);
        if (labelled[c]) continue;
        std::string label;
        for (std::size_t k = c; k < scheme.checks.size(); ++k) {
            if (labelled[k] || !close(r.nominal.placed.images[k].data(), at.data())) continue;
            labelled[k] = true;
            label += (label.empty() ? "" : ",") + std::to_string(k + 1);
        }
        plptex(x + 0.015 * (w[1] - w[0]), y + 0.02 * (w[3] - w[2]), 1.0, 0.0, 0.0, label.c_str());
    }
    plschr(0.0, 0.9);
}

// Grouped bars, one group per varying part, one bar per axis: `value(tally, axis)`.
template <class Value>
void spread_panel(const Scheme& scheme, const Results& r, const std::vector<std::size_t>& parts, double x0, double x1,
                  const char* title, const char* unit, Value value)
{
    double top = 0.0;
    for (std::size_t p : parts)
        for (int a = 0; a < 3; ++a) top = std::max(top, value(r.run.total.placements[p], a));
    plvpor(x0, x1, 0.07, 0.33);
    plwind(0.0, static_cast<double>(parts.size()), 0.0, top > 0.0 ? top * 1.15 : 1.0);
    plcol0(kBlack);
    plbox("bc", 0.0, 0, "bcfnstv", 0.0, 0);
    pllab("", unit, title);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        for (int a = 0; a < 3; ++a) {
            const double left = static_cast<double>(i) + 0.15 + 0.23 * a;
            box(left, left + 0.23, 0.0, value(r.run.total.placements[parts[i]], a), kAxisColour[a]);
        }
        plcol0(kBlack);
        plschr(0.0, parts.size() > 6 ? 0.65 : 0.9);
        plmtex("b", 1.2, (static_cast<double>(i) + 0.5) / static_cast<double>(parts.size()), 0.5,
               scheme.parts[parts[i]].name.c_str());
        plschr(0.0, 0.9);
    }
}

}  // namespace

void placement_panels(const Scheme& scheme, const Results& r)
{
    plschr(0.0, 1.1);
    plvpor(0.02, 0.98, 0.92, 0.97);
    plmtex("t", 0.0, 0.5, 0.5, ("Placements in " + scheme.base_phrase() + " coordinates").c_str());
    plschr(0.0, 0.75);
    plmtex("t", -1.6, 0.5, 0.5, "each part's origin and axes (x red, y green, z blue); dashed: located on; "
                                "crosses: check points");
    plschr(0.0, 0.9);
    view(scheme, r, 1, 0.10, 0.47, 0.55, 0.87);
    view(scheme, r, 2, 0.60, 0.97, 0.55, 0.87);
    std::string names = "check points:";
    for (std::size_t c = 0; c < scheme.checks.size(); ++c)
        names += (c ? ", " : " ") + std::to_string(c + 1) + " " + scheme.checks[c].name;
    plvpor(0.02, 0.98, 0.44, 0.45);
    plschr(0.0, 0.75);
    plcol0(kBlack);
    if (!scheme.checks.empty()) plmtex("t", 0.0, 0.5, 0.5, names.c_str());
    plschr(0.0, 0.9);

    std::vector<std::size_t> varying;
    for (std::size_t p = 1; p < scheme.parts.size(); ++p)
        if (r.inputs.part_varies[p]) varying.push_back(p);
    if (!r.has_run || r.run.total.used == 0 || varying.empty()) {
        plvpor(0.10, 0.97, 0.07, 0.33);
        plwind(0.0, 1.0, 0.0, 1.0);
        plcol0(kBlack);
        plptex(0.5, 0.5, 1.0, 0.0, 0.5, varying.empty() ? "no placement varies" : "no samples: no spread to show");
        return;
    }
    spread_panel(scheme, r, varying, 0.10, 0.47, "origin displacement: std dev along x, y, z", "length",
                 [](const PlacementTally& t, int a) { return t.along[a].std_dev(); });
    spread_panel(scheme, r, varying, 0.60, 0.97, "turn: std dev about x, y, z", "degrees",
                 [](const PlacementTally& t, int a) { return t.about[a].std_dev(); });
}

}  // namespace rkdatum
