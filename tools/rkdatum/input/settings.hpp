// One section of a settings file in memory, read through the library's user configuration, and
// the parsing of the values the readers share. Every message names the file, the section and the
// setting, so each check can end the reading in one line.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include <rk_basekit.h>

namespace rkdatum {

std::string quote(const std::string& text);   // 'text'
bool same_word(const std::string& a, const char* b);   // case-insensitive
std::vector<std::string> split(const std::string& text, const char* separators);   // drops empty pieces
std::string trimmed(const std::string& text);
std::string number_text(double value);   // as %g would, for messages

class Section {
public:
    Section(const std::string& file, const std::string& name);
    ~Section();
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    bool found() const { return found_ != 0; }
    int size() const;

    // The value of `var`; false when the setting is absent or its value blank.
    bool get(const char* var, std::string& value) const;
    std::string require(const char* var, const std::string& expected) const;

    // The names of the settings in the order the file first gives them.
    std::vector<std::string> names() const;

    // Refuses any setting that is not one of `known` (a misspelt name would otherwise be ignored).
    void allow_only(const std::vector<std::string>& known) const;
    void allow_only(std::initializer_list<const char*> known) const
    {
        allow_only(std::vector<std::string>(known.begin(), known.end()));
    }

    const std::string& name() const { return name_; }

    [[noreturn]] void fail(const std::string& setting, const std::string& text) const;
    [[noreturn]] void fail_section(const std::string& text) const;
    [[noreturn]] static void fail_file(const std::string& file, const std::string& text);

private:
    std::string file_;
    std::string name_;
    Rk_UserConfigStruct config_{};
    int found_ = 0;
};

// A number; `context` ends the message (" (point 2)").
double parse_number(const Section& s, const std::string& setting, const std::string& token,
                    const std::string& context);

// Three coordinates "x y z" (blanks or commas between them).
void parse_xyz(const Section& s, const std::string& setting, const std::string& text,
               const std::string& context, double xyz[3]);

}  // namespace rkdatum
