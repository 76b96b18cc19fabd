// The whole report as one JSON document (docs/rkdatum.schema.json describes it), for programs.
#pragma once

#include <ostream>

#include "analysis/summary.hpp"

namespace rkdatum {

void write_json(std::ostream& out, const Scheme& scheme, const Results& results);

}  // namespace rkdatum
