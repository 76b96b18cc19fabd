// Plots with PLplot through its cairo PNG driver. PLplot gives the axes with their ticks and
// labels, the bars and the curves in a few calls, and keeps one current stream: each plot is
// begun and ended in turn. PLplot reports trouble through handlers, which are pointed here so a
// failure becomes a message instead of an exit.
#include "output/plots.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include <functional>

#include <plplot.h>

#include "output/plot_style.hpp"

namespace rkdatum {

namespace {

constexpr int kWidth = 1000, kHeight = 900;
constexpr int kCurvePoints = 200;
constexpr std::size_t kMostFeatures = 7;   // contributors drawn one by one; the rest share a row

std::string plplot_error;

void on_abort(PLCHAR_VECTOR message)
{
    if (plplot_error.empty()) plplot_error = message;
}

int on_fatal(PLCHAR_VECTOR message)
{
    std::fprintf(stderr, "rkdatum: the plotting library failed: %s\n", message);
    return 2;
}

std::string slug(const std::string& name)
{
    std::string text;
    for (char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c))) text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (!text.empty() && text.back() != '-') text += '-';
    }
    while (!text.empty() && text.back() == '-') text.pop_back();
    return text.empty() ? "measurement" : text;
}

std::string format_number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

void palette()
{
    const int rgb[][3] = {{255, 255, 255}, {0, 0, 0},      {170, 196, 222}, {31, 80, 160},
                          {200, 30, 30},   {20, 140, 40},  {240, 150, 40},  {200, 200, 200}};
    for (int i = 0; i < 8; ++i) plscol0(i, rgb[i][0], rgb[i][1], rgb[i][2]);
}

// A line across the histogram at `x`, labelled above; a label near an edge of the window
// [low, high] is kept inside it.
void vertical(double x, double low, double high, double top, Colour colour, int style, const char* label)
{
    plcol0(colour);
    pllsty(style);
    plwidth(2.0);
    pljoin(x, 0.0, x, top);
    pllsty(1);
    plwidth(1.0);
    const double at = (x - low) / (high - low);
    plptex(x, top * 1.04, 1.0, 0.0, at < 0.1 ? 0.0 : at > 0.9 ? 1.0 : 0.5, label);
}

// The sampled values' histogram (the run's fine bins gathered into wider bars) and fitted normal;
// without samples (`bins` null), the linear model's normal.
void distribution_panel(const Measurement& def, const MeasurementSummary& s, const LinearModel& lm,
                        const Histogram* bins)
{
    const bool sampled = bins != nullptr;
    const double n = static_cast<double>(s.samples_used);
    const double mean = sampled ? s.mean : lm.rss_mean;
    const double sd = sampled ? s.std_dev : lm.rss_std_dev;
    double low = sampled ? s.min : mean - 4.0 * sd;
    double high = sampled ? s.max : mean + 4.0 * sd;
    for (double x : {s.nominal, def.has_lsl ? def.lsl : s.nominal, def.has_usl ? def.usl : s.nominal}) {
        low = std::min(low, x);
        high = std::max(high, x);
    }
    const double margin = high > low ? 0.05 * (high - low) : std::max(1e-6, 0.05 * std::fabs(low));
    low -= margin;
    high += margin;
    // Ticks cannot tell 300.01 from 300.02 when printed as 300.0: a narrow range far from 0 is
    // drawn as the deviation from the nominal.
    const double origin = (high - low) < 1e-3 * std::max(std::fabs(low), std::fabs(high)) ? s.nominal : 0.0;

    const int bars_drawn = sampled ? std::clamp(static_cast<int>(std::sqrt(n)), 10, 60) : 0;
    const double width = sampled && s.max > s.min ? (s.max - s.min) / bars_drawn : 0.0;
    std::vector<long> counts(static_cast<std::size_t>(bars_drawn), 0);
    if (sampled) counts = bars(*bins, s.min, s.max, bars_drawn);
    // The fitted normal in counts per bar (density per unit of the value without samples).
    const double scale = sampled ? n * (width > 0.0 ? width : 1.0) : 1.0;
    std::vector<PLFLT> cx(kCurvePoints), cy(kCurvePoints);
    double top = counts.empty() ? 0.0 : static_cast<double>(*std::max_element(counts.begin(), counts.end()));
    for (int i = 0; i < kCurvePoints; ++i) {
        cx[i] = low + (high - low) * i / (kCurvePoints - 1);
        cy[i] = sd > 0.0 ? scale * normal_pdf((cx[i] - mean) / sd) / sd : 0.0;
        top = std::max(top, cy[i]);
    }
    if (!(top > 0.0)) top = 1.0;

    plvpor(0.10, 0.95, 0.53, 0.84);
    plwind(low - origin, high - origin, 0.0, top * 1.12);
    plcol0(kBlack);
    plbox("bcnst", 0.0, 0, "bcnstv", 0.0, 0);
    for (int b = 0; b < bars_drawn; ++b)
        if (counts[static_cast<std::size_t>(b)] > 0)
            box(s.min + b * width - origin, s.min + (b + 1) * width - origin, 0.0,
                static_cast<double>(counts[static_cast<std::size_t>(b)]), kBar);
    if (sd > 0.0) {
        for (PLFLT& x : cx) x -= origin;
        plcol0(kCurve);
        plwidth(2.0);
        plline(kCurvePoints, cx.data(), cy.data());
        plwidth(1.0);
    }
    low -= origin;
    high -= origin;
    vertical(s.nominal - origin, low, high, top, kNominal, 2, "nominal");
    if (def.has_lsl) vertical(def.lsl - origin, low, high, top, kLimit, 1, "LSL");
    if (def.has_usl) vertical(def.usl - origin, low, high, top, kLimit, 1, "USL");
    plcol0(kBlack);
    char caption[200];
    if (sampled)
        std::snprintf(caption, sizeof caption, "%ld samples, mean %.8g, std dev %.6g", s.samples_used, mean, sd);
    else
        std::snprintf(caption, sizeof caption, "no samples: the linear model's mean %.8g, std dev %.6g", mean, sd);
    std::string axis = is_angle(def.kind) ? "degrees" : "value";
    if (origin != 0.0) axis += " - " + format_number(origin);
    pllab(axis.c_str(), sampled ? "samples per bin" : "density", "");
    plschr(0.0, 1.1);
    plmtex("t", 3.6, 0.5, 0.5, def.name.c_str());
    plschr(0.0, 0.8);
    plmtex("t", 2.4, 0.5, 0.5, caption);
    plmtex("t", 1.1, 0.5, 0.5, sampled ? "curve: fitted normal; green dashed: nominal; red: limits"
                                       : "curve: the linear model's normal; green dashed: nominal; red: limits");
    plschr(0.0, 0.9);
}

// A row of the contributors' chart.
struct ShareRow {
    std::string label;
    double rss = 0.0, mc = 0.0;
};

// The largest features' shares (the rest summed into one row), then for an assembly each part's,
// then with samples the share no feature's linear part explains.
std::vector<ShareRow> share_rows(const Scheme& scheme, const MeasurementSummary& s, const Inputs& inputs, bool sampled)
{
    const auto share = [](double v) { return std::isnan(v) ? 0.0 : v; };
    std::vector<ShareRow> rows;
    const std::size_t shown = s.contributors.size() <= kMostFeatures + 1 ? s.contributors.size() : kMostFeatures;
    for (std::size_t i = 0; i < shown; ++i) {
        const Contributor& c = s.contributors[i];
        rows.push_back({inputs.features[c.index].name, share(c.rss_percent), share(c.mc_percent)});
    }
    if (shown < s.contributors.size()) {
        ShareRow rest{std::to_string(s.contributors.size() - shown) + " other features"};
        for (std::size_t i = shown; i < s.contributors.size(); ++i) {
            rest.rss += share(s.contributors[i].rss_percent);
            rest.mc += share(s.contributors[i].mc_percent);
        }
        rows.push_back(rest);
    }
    if (!scheme.single_link())
        for (const Contributor& c : s.parts)
            rows.push_back({"part " + scheme.parts[c.index].name, share(c.rss_percent), share(c.mc_percent)});
    if (sampled && !s.contributors.empty()) rows.push_back({"unexplained", 0.0, share(s.mc_unexplained)});
    return rows;
}

// Each feature's share by the linear model (RSS) and, with samples, by the sampled values (MC).
void contributor_panel(const Scheme& scheme, const MeasurementSummary& s, const Inputs& inputs, bool sampled)
{
    const std::vector<ShareRow> rows = share_rows(scheme, s, inputs, sampled);
    const int n = static_cast<int>(rows.size());
    plvpor(0.30, 0.95, 0.10, 0.36);
    plwind(0.0, 100.0, 0.0, std::max(1, n));
    plcol0(kBlack);
    plbox("bcgnst", 0.0, 0, "bc", 0.0, 0);
    pllab("percent of the variance", "", sampled ? "contributors: RSS (blue), MC (orange)" : "contributors: RSS");
    plschr(0.0, n > 10 ? 0.7 : 0.9);
    for (int i = 0; i < n; ++i) {
        const ShareRow& row = rows[static_cast<std::size_t>(i)];
        const double y = n - 1 - i;   // the largest at the top
        if (sampled) {
            box(0.0, row.rss, y + 0.52, y + 0.88, kBar);
            box(0.0, row.mc, y + 0.12, y + 0.48, kMcBar);
        } else {
            box(0.0, row.rss, y + 0.2, y + 0.8, kBar);
        }
        plcol0(kBlack);
        plmtex("lv", 1.0, (y + 0.5) / std::max(1, n), 1.0, row.label.c_str());
    }
    plschr(0.0, 0.9);
    if (s.contributors.empty()) plptex(50.0, 0.5, 1.0, 0.0, 0.5, "no feature varies");
}

// One PNG page at `path`, drawn by `panels`.
std::string draw_page(const std::string& path, const std::function<void()>& panels)
{
    std::FILE* probe = std::fopen(path.c_str(), "wb");   // PLplot would ask on standard input instead
    if (probe == nullptr) return "cannot write " + path;
    std::fclose(probe);
    plsdev("pngcairo");
    plsfnam(path.c_str());
    plspage(0.0, 0.0, kWidth, kHeight, 0, 0);
    palette();
    plinit();
    pladv(0);
    plschr(0.0, 0.9);
    panels();
    plend1();
    return plplot_error.empty() ? "" : "the plotting library failed on " + path + ": " + plplot_error;
}

}  // namespace

void box(double x0, double x1, double y0, double y1, Colour fill)
{
    PLFLT x[] = {x0, x1, x1, x0};
    PLFLT y[] = {y0, y0, y1, y1};
    plcol0(fill);
    plfill(4, x, y);
    plcol0(kBlack);
    plline(4, x, y);
    pljoin(x0, y1, x0, y0);
}

std::vector<std::string> plot_names(const Scheme& scheme)
{
    std::vector<std::string> names;
    if (!scheme.single_link()) names.push_back(kPlacementsPlot);
    for (const Measurement& m : scheme.measurements) {
        const std::string base = slug(m.name);
        std::string name = base;
        for (int k = 2; std::find(names.begin(), names.end(), name + ".png") != names.end(); ++k)
            name = base + "-" + std::to_string(k);
        names.push_back(name + ".png");
    }
    return names;
}

std::string write_plots(const std::string& dir, const Scheme& scheme, const Results& r)
{
    plsexit(on_fatal);
    plsabort(on_abort);
    plplot_error.clear();
    const std::vector<std::string> names = plot_names(scheme);
    const std::size_t first_measurement = names.size() - scheme.measurements.size();
    std::string failure;
    if (first_measurement > 0)
        failure = draw_page(dir + "/" + names[0], [&] { placement_panels(scheme, r); });
    const bool sampled = r.has_run && r.run.total.used > 0;
    for (std::size_t m = 0; m < scheme.measurements.size() && failure.empty(); ++m) {
        failure = draw_page(dir + "/" + names[first_measurement + m], [&] {
            distribution_panel(scheme.measurements[m], r.measurements[m], r.models[m],
                               sampled ? &r.run.measure_bins[m] : nullptr);
            contributor_panel(scheme, r.measurements[m], r.inputs, sampled);
        });
    }
    plend();
    return failure;
}

}  // namespace rkdatum

// Under LeakSanitizer: fontconfig (below PLplot's cairo driver) and libltdl (which loads PLplot's
// drivers) keep blocks they never free. They are not this program's to free, so the leak check
// passes over them and keeps watching everything else.
#if defined(__SANITIZE_ADDRESS__)
#define RKDATUM_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RKDATUM_LEAK_CHECKED 1
#endif
#endif
#ifdef RKDATUM_LEAK_CHECKED
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libltdl.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif

// Under ThreadSanitizer: the cairo driver's text goes through pango, which starts fontconfig on a
// thread of its own. Those libraries are not built with the sanitizer, so their own locking is
// invisible to it and every touch of fontconfig's cache looks like a race. Reports with one of
// them on the stack are passed over; races in this program's code are still reported.
#if defined(__SANITIZE_THREAD__)
#define RKDATUM_THREAD_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define RKDATUM_THREAD_CHECKED 1
#endif
#endif
#ifdef RKDATUM_THREAD_CHECKED
extern "C" const char* __tsan_default_suppressions() {
  return "race:libfontconfig.so\nrace:libpango\nrace:libglib-2.0.so\ncalled_from_lib:libfontconfig.so\n";
}
#endif
