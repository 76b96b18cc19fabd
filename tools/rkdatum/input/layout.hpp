// The shape of a settings file before any value is read: its sections and their settings with
// their line numbers, each line classified by the library's own line reader. The library's section
// reader passes over two things in silence: a section given twice (it reads the first) and a
// setting given twice in one section (it keeps the last); the layout lets reading refuse both.
#pragma once

#include <string>
#include <vector>

namespace rkdatum {

struct SettingLine {
    std::string name;   // as the library strips it
    int line = 0;
};

struct SectionLines {
    std::string name;   // as the library strips it: what reads the section back
    int line = 0;
    std::vector<SettingLine> settings;
};

struct FileLayout {
    std::vector<SettingLine> before_first;   // settings above the first section header
    std::vector<SectionLines> sections;
};

// Reads the file's layout; refuses a missing or unreadable file and a line longer than the library
// reads in one piece.
FileLayout read_layout(const std::string& file);

// Blanks inside a name made single, for comparing names that the file may space differently.
std::string single_spaced(const std::string& text);

}  // namespace rkdatum
