// Reading the 2,000 settings of one section of a settings file (with other sections before and
// after it) into a user configuration, next to a plain reader that keeps them in a std::map by
// their upper-cased name, as many applications would.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

#include "bench_pairs.hpp"
#include "rk_basekit.h"

namespace {

constexpr int kSettings = 2000;

// A file of three sections, the middle one holding the settings read.
std::string WriteSettingsFile()
{
    char path[] = "/tmp/rk_bench_ucfig_XXXXXX";
    const int fd = mkstemp(path);
    close(fd);
    std::ofstream out(path);
    out << "; settings for the benchmark\n[ Before ]\nunits = mm\n\n[ Model ]\n";
    for (int i = 0; i < kSettings; ++i)
        out << "setting_" << (i * 7919) % 10007 << " = " << i * 0.25 << " mm ; value " << i << "\n";
    out << "\n[ After ]\ncolour = blue\n";
    return path;
}

const std::string& File()
{
    static const std::string path = WriteSettingsFile();
    return path;
}

std::string Trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// The section's settings by upper-cased name: name as first given, and the value.
RK_NOINLINE std::map<std::string, std::pair<std::string, std::string>> MapReader(const std::string& path,
                                                                                  const std::string& section)
{
    std::map<std::string, std::pair<std::string, std::string>> settings;
    std::ifstream in(path);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        const std::string t = Trim(line);
        if (t.empty() || t[0] == ';' || t[0] == '#') continue;
        if (t[0] == '[') {
            inside = Trim(t.substr(1, t.find(']') - 1)) == section;
            continue;
        }
        const auto eq = t.find('=');
        if (!inside || eq == std::string::npos) continue;
        const std::string name = Trim(t.substr(0, eq));
        std::string key = name;
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
        const auto found = settings.find(key);
        if (found == settings.end())
            settings.emplace(key, std::make_pair(name, Trim(t.substr(eq + 1))));
        else
            found->second.second = Trim(t.substr(eq + 1));
    }
    return settings;
}

std::size_t g_count;

[[maybe_unused]] const int g_registered = [] {
    rkbench::lib("UserConfigReadFromFile/2000settings", [] {
        Rk_UserConfigStruct cfg;
        Rk_UserConfigInit(&cfg);
        int file_found = 0, section_found = 0;
        Rk_UserConfigReadFromFile(&cfg, File().c_str(), "Model", &file_found, &section_found);
        g_count = static_cast<std::size_t>(cfg.set_table.num_rows);
        Rk_UserConfigFree(&cfg);
    })->Unit(benchmark::kMicrosecond);
    rkbench::add("UserConfigReadFromFile/2000settings", "std_map_reader", [] {
        g_count = MapReader(File(), "Model").size();
    })->Unit(benchmark::kMicrosecond);
    return 0;
}();

}  // namespace
