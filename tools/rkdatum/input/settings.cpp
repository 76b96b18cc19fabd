// The settings section and the value parsing that the scheme's readers share.
#include "input/settings.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "input/read_scheme.hpp"
#include "library/session.hpp"

namespace rkdatum {

std::string quote(const std::string& text) { return "'" + text + "'"; }

bool same_word(const std::string& a, const char* b) { return rk_stricmp(a.c_str(), b) == 0; }

// Splits at any character of `separators`, dropping empty pieces.
std::vector<std::string> split(const std::string& text, const char* separators)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : text) {
        if (std::strchr(separators, c) != nullptr) {
            if (!piece.empty()) pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string number_text(double value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

Section::Section(const std::string& file, const std::string& name) : file_(file), name_(name)
{
    if (Rk_UserConfigInit(&config_) != 0)
        throw LibraryFailure("cannot hold the settings of section [" + name_ + "]");
    int file_found = 0;
    if (Rk_UserConfigReadFromFile(&config_, file.c_str(), name.c_str(), &file_found, &found_) != 0)
        throw LibraryFailure("cannot read section [" + name_ + "] of " + file);
    if (!file_found) fail_file(file, "cannot be read any more");
}

Section::~Section() { Rk_UserConfigFree(&config_); }

int Section::size() const
{
    int size = 0;
    Rk_UserConfigGetSize(&config_, &size);
    return size;
}

bool Section::get(const char* var, std::string& value) const
{
    char buffer[RK_PATH_MAX + 1];
    int found = 0;
    if (Rk_UserConfigGetValue(&config_, var, buffer, &found) != 0)
        throw LibraryFailure("cannot read setting " + std::string(var));
    if (found) value = buffer;
    return found != 0;
}

std::string Section::require(const char* var, const std::string& expected) const
{
    std::string value;
    if (!get(var, value)) fail(var, "missing; expected " + expected);
    return value;
}

std::vector<std::string> Section::names() const
{
    std::vector<std::string> names;
    char name[RK_PATH_MAX + 1];
    int found = 0;
    Rk_UserConfigGetFirstVar(&config_, name, &found);
    while (found) {
        names.emplace_back(name);
        char next[RK_PATH_MAX + 1];
        Rk_UserConfigGetNextVar(&config_, name, next, &found);
        if (found) std::memcpy(name, next, sizeof name);
    }
    return names;
}

void Section::allow_only(const std::vector<std::string>& known) const
{
    for (const std::string& name : names()) {
        bool ok = false;
        for (const std::string& k : known) ok = ok || same_word(name, k.c_str());
        if (ok) continue;
        std::string list;
        for (const std::string& k : known) list += (list.empty() ? "" : ", ") + k;
        std::string value;
        const std::string hint = get(name.c_str(), value) ? "" : " (a setting is written \"name = value\")";
        fail(name, "unknown setting" + hint + "; this section takes " + list);
    }
}

void Section::fail(const std::string& setting, const std::string& text) const
{
    throw InputError(file_ + ": [" + name_ + "] " + setting + ": " + text);
}

void Section::fail_section(const std::string& text) const { throw InputError(file_ + ": [" + name_ + "]: " + text); }

void Section::fail_file(const std::string& file, const std::string& text) { throw InputError(file + ": " + text); }

double parse_number(const Section& s, const std::string& setting, const std::string& token,
                    const std::string& context)
{
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(token.c_str(), &end);
    if (end == token.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        s.fail(setting, quote(token) + " is not a number" + context);
    return value;
}

void parse_xyz(const Section& s, const std::string& setting, const std::string& text,
               const std::string& context, double xyz[3])
{
    const std::vector<std::string> tokens = split(text, " \t,");
    if (tokens.size() != 3)
        s.fail(setting, "expected three coordinates x y z" + context + ", found " +
                            std::to_string(tokens.size()) + " numbers in " + quote(trimmed(text)));
    for (int i = 0; i < 3; ++i) xyz[i] = parse_number(s, setting, tokens[i], context);
}

}  // namespace rkdatum
