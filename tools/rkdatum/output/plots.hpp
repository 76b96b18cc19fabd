// One PNG per measurement, drawn with PLplot: the histogram of its sampled values with the fitted
// normal, the nominal and the limits, over a bar chart of its contributors; and for an assembly of
// more than one located part, placements.png: the parts' placements and their spread.
#pragma once

#include <string>
#include <vector>

#include "analysis/summary.hpp"

namespace rkdatum {

// The file names the plots take in their directory: placements.png first for an assembly of more
// than one located part, then one per measurement: its name in lower case with every run of other
// characters than letters and digits made one '-', kept apart by a number where two would be the
// same.
std::vector<std::string> plot_names(const Scheme& scheme);

// Draws into the directory `dir` (which exists); returns "" or what failed.
std::string write_plots(const std::string& dir, const Scheme& scheme, const Results& results);

}  // namespace rkdatum
