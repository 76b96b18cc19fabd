// The text report's number formats.
#include "output/text_writer.hpp"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace rkdatum {

std::string format(const char* fmt, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

std::string fixed(double value, int decimals, int width)
{
    if (std::isnan(value)) return format("%*s", width, "-");
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0.0;
    return format("%*.*f", width, decimals, value);
}

std::string columns(const double xyz[3], int decimals, int width)
{
    return fixed(xyz[0], decimals, width) + fixed(xyz[1], decimals, width) + fixed(xyz[2], decimals, width);
}

std::string padded(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string capitalised(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string point_text(const double xyz[3]) { return format("(%g, %g, %g)", xyz[0], xyz[1], xyz[2]); }

std::size_t feature_width(const Inputs& inputs)
{
    std::size_t width = 20;
    for (const VaryingFeature& f : inputs.features) width = std::max(width, f.name.size() + 2);
    return width;
}

}  // namespace rkdatum
