// Reading sections of thousands of settings, where names come back in other cases and values are
// replaced, against a plain model of the rules: one setting per upper-cased name, in the order
// first seen, spelt as first given (before the read or in it), holding the last value read.
#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "rk_test.hpp"

namespace {

using LargeRead = rktest::LibraryTest;

struct Model {
    std::vector<std::string> order;                                      // upper-cased names
    std::map<std::string, std::pair<std::string, std::string>> by_key;  // spelling, value

    void Put(const std::string& name, const std::string& value)
    {
        std::string key = name;
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
        const auto [it, added] = by_key.try_emplace(key, name, value);
        if (added)
            order.push_back(key);
        else
            it->second.second = value;
    }
};

TEST_F(LargeRead, ThousandsOfSettingsReadAsTheRulesSay)
{
    for (int names : {300, 3000}) {
        SCOPED_TRACE(names);
        Rk_UserConfigStruct cfg;
        ASSERT_EQ(Rk_UserConfigInit(&cfg), 0);
        Model model;
        ASSERT_EQ(Rk_UserConfigSetValue(&cfg, "Name_7", "before"), 0);
        model.Put("Name_7", "before");
        std::string text = "[ Other ]\nname_1 = elsewhere\n[ Main ]\n";
        for (int i = 0; i < 2 * names; ++i) {
            const int n = (i * 7) % names;
            const std::string name = (i % 3 == 0 ? "NAME_" : "name_") + std::to_string(n);
            const std::string value = std::to_string(i);
            text += name + " = " + value + "\n";
            model.Put(name, value);
        }
        text += "[ Last ]\nname_2 = after\n";
        const std::string file = WriteTempFile("large.ini", text);
        int file_found = 0, section_found = 0;
        ASSERT_EQ(Rk_UserConfigReadFromFile(&cfg, file.c_str(), "main", &file_found, &section_found), 0);
        ASSERT_EQ(cfg.set_table.num_rows, static_cast<int>(model.order.size()));
        for (int row = 0; row < cfg.set_table.num_rows; ++row) {
            const auto& [name, value] = model.by_key.at(model.order[static_cast<std::size_t>(row)]);
            ASSERT_STREQ(cfg.set_table.table.stable[0][row], model.order[static_cast<std::size_t>(row)].c_str());
            ASSERT_STREQ(cfg.set_table.table.stable[1][row], name.c_str()) << "row " << row;
            ASSERT_STREQ(cfg.set_table.table.stable[2][row], value.c_str()) << "row " << row;
        }
        Rk_UserConfigFree(&cfg);
    }
}

}  // namespace
