// The text report's writing: fixed columns through the library's report writer, shared by the
// report's sections. Numbers are printed with a fixed count of decimals, and a value that rounds to
// zero prints without a sign, so reports of one scheme compare line by line.
#pragma once

#include <string>

#include <rk_basekit.h>

#include "analysis/summary.hpp"

namespace rkdatum {

constexpr int kCoordDecimals = 4;
constexpr int kStatDecimals = 6;

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// `value` with `decimals` decimals, right-aligned in `width`; a value that rounds to zero has no
// sign, and NaN (a value not defined) prints as "-".
std::string fixed(double value, int decimals, int width);

std::string columns(const double xyz[3], int decimals = kCoordDecimals, int width = 12);
std::string padded(const std::string& text, std::size_t width);   // at least one blank after the text
std::string capitalised(std::string text);
std::string point_text(const double xyz[3]);   // "(x, y, z)" as %g
// The column of the varying features' names: at least 20 wide, more for longer names.
std::size_t feature_width(const Inputs& inputs);

class Writer {
public:
    explicit Writer(Rk_ReportStruct& report) : report_(report) { Rk_ReportGetIndent(&report_, &base_); }
    ~Writer() { Rk_ReportSetIndent(&report_, base_); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void line(const std::string& text)
    {
        if (Rk_ReportWrite(&report_, text.c_str()) != 0) status_ = 1;
    }
    // An empty line, without the blanks of the indent.
    void blank()
    {
        int indent = 0;
        Rk_ReportGetIndent(&report_, &indent);
        Rk_ReportSetIndent(&report_, 0);
        line("");
        Rk_ReportSetIndent(&report_, indent);
    }
    void title(const std::string& text)
    {
        indent(0);
        blank();
        if (Rk_ReportWriteAndUnderline(&report_, text.c_str(), '-') != 0) status_ = 1;
    }
    // Indents later lines by `level` steps of four blanks.
    void indent(int level) { Rk_ReportSetIndent(&report_, base_ + 4 * level); }
    void row(const std::string& label, const double xyz[3], std::size_t width = 14)
    {
        line(padded(label, width) + columns(xyz));
    }
    int status() const { return status_; }

private:
    Rk_ReportStruct& report_;
    int base_ = 0;
    int status_ = 0;
};

// The variation section (text_variation.cpp) and the measurements' tables (text_measurements.cpp).
void write_variation(Writer& w, const Scheme& scheme, const Results& results);
void write_measurements(Writer& w, const Scheme& scheme, const Results& results);

}  // namespace rkdatum
