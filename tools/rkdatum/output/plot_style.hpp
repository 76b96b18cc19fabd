// What the plots share: the colours of their palette, a framed bar, and the page of the placements
// (plot_placements.cpp). PLplot keeps one current page, which plots.cpp begins and ends.
#pragma once

#include "analysis/summary.hpp"

namespace rkdatum {

enum Colour { kWhite, kBlack, kBar, kCurve, kLimit, kNominal, kMcBar, kGrid };

// The file of the placements page; the measurements' plots keep clear of its name.
constexpr char kPlacementsPlot[] = "placements.png";

// A bar filled with `fill`, framed in black.
void box(double x0, double x1, double y0, double y1, Colour fill);

// The assembly seen from above and from the side, and the spread of each varying placement.
void placement_panels(const Scheme& scheme, const Results& results);

}  // namespace rkdatum
