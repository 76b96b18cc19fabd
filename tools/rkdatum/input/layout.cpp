// Scanning a settings file line by line for its sections and settings, through the library's
// line classification so that the layout agrees with what its section reader will find.
#include "input/layout.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <rk_basekit.h>

#include "input/settings.hpp"

namespace rkdatum {

namespace {

// A settings line is read in pieces of at most 255 characters, newline included.
constexpr std::size_t kMaxLineChars = 254;

void open_checked(const std::string& file, std::ifstream& in)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status)) Section::fail_file(file, "no such settings file");
    if (fs::is_directory(status)) Section::fail_file(file, "is a directory, not a settings file");
    in.open(file, std::ios::binary);
    if (!in) Section::fail_file(file, std::string("cannot be read: ") + std::strerror(errno));
}

}  // namespace

std::string single_spaced(const std::string& text)
{
    std::string result;
    for (const std::string& word : split(text, " \t")) result += (result.empty() ? "" : " ") + word;
    return result;
}

FileLayout read_layout(const std::string& file)
{
    std::ifstream in;
    open_checked(file, in);
    FileLayout layout;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kMaxLineChars)
            Section::fail_file(file, "line " + std::to_string(number) + " is longer than " +
                                         std::to_string(kMaxLineChars) + " characters; split the value");
        int type = 0;
        Rk_UserConfigLineGetType(line.c_str(), &type);
        char name[RK_PATH_MAX + 1] = "";
        char value[RK_PATH_MAX + 1] = "";
        if (type == RK_UCFIG_LINE_SECTION && Rk_UserConfigLineGetSection(line.c_str(), name) == 0) {
            layout.sections.push_back({name, number, {}});
        } else if (type == RK_UCFIG_LINE_SETTING && Rk_UserConfigLineGetSetting(line.c_str(), name, value) == 0) {
            (layout.sections.empty() ? layout.before_first : layout.sections.back().settings).push_back({name, number});
        }
    }
    if (in.bad()) Section::fail_file(file, "cannot be read to its end");
    return layout;
}

}  // namespace rkdatum
