// Samples as CSV: a field holding a comma, a quote or a line break is quoted, lines end in a line
// feed. Values carry 15 significant digits, enough to tell apart any two a report could show.
#include "output/samples_csv.hpp"

#include <cstdio>

namespace rkdatum {

namespace {

std::string field(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

}  // namespace

void write_samples_csv(std::ostream& out, const Scheme& scheme, const Results& r)
{
    out << "sample";
    for (const Measurement& m : scheme.measurements) out << ',' << field(m.name);
    for (const CheckPoint& c : scheme.checks)
        for (const char* axis : {" x", " y", " z"}) out << ',' << field(c.name + axis);
    out << '\n';
    const RunResult& run = r.run;
    const std::size_t checks = scheme.checks.size();
    const std::size_t measurements = scheme.measurements.size();
    for (std::size_t k = 0; k < run.analysed.size(); ++k) {
        if (!run.analysed[k]) continue;
        out << k + 1;
        for (std::size_t m = 0; m < measurements; ++m) out << ',' << number(run.values[k * measurements + m]);
        for (std::size_t i = 0; i < checks * 3; ++i) out << ',' << number(run.images[k * checks * 3 + i]);
        out << '\n';
    }
}

}  // namespace rkdatum
