// The report of a run, written through the library's report writer: the datum frames, the
// candidate transforms with the check points they carry, the fixture's degrees of freedom, the
// statistics of a variation run and the measurements' tables.
#pragma once

#include "analysis/summary.hpp"

namespace rkdatum {

// Writes the whole report; returns 0, or 1 when a write failed (the cause is then queued).
int write_report(Rk_ReportStruct& report, const Scheme& scheme, const Results& results);

// Writes `lines` as they stand; returns 0 or 1 as write_report.
int write_lines(Rk_ReportStruct& report, const std::vector<std::string>& lines);

}  // namespace rkdatum
