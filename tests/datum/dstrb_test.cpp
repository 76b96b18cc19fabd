// Distribution records (rk_dstrb): bounded texts padded with terminators, set by name and through
// the typed setters, and the refusal of a getter of another type.
#include <string>

#include "datum_helpers.hpp"

namespace {

using namespace datumtest;
using Distribution = GeomTest;

// A record whose every byte is garbage, as the application's stack would leave it.
Rk_DistribStruct Garbage()
{
    Rk_DistribStruct d;
    std::memset(&d, '#', sizeof d);
    return d;
}
const std::string kAbc = "abcdefghijklmnopqrstuvwxyz";
std::string Letters(std::size_t n) { return (kAbc + kAbc + kAbc + kAbc).substr(0, n); }
std::string NameOf(const Rk_DistribStruct& d)
{
    char name[64];
    std::memset(name, 'x', sizeof name);
    EXPECT_EQ(Rk_DistribGetName(&d, name), 0);
    EXPECT_TRUE(name[48] == '\0' && name[49] == 'x') << "49 places written";
    return name;
}

TEST_F(Distribution, TextsAreCutAtTheirCapacityPaddedWithTerminatorsAndMayComeFromTheRecordItself)
{
    for (auto [length, stored] : {std::pair{60, 48}, {49, 48}, {48, 48}, {5, 5}, {0, 0}}) {
        Rk_DistribStruct d = Garbage();
        const std::string name = Letters(length);
        OK(Rk_DistribSetName(&d, name.c_str()));
        EXPECT_TRUE(NameOf(d) == name.substr(0, stored) && d.desc[0][0] == '#') << length;
        EXPECT_EQ(std::string(d.name, sizeof d.name), name.substr(0, stored) + std::string(49 - stored, '\0'));
    }
    EXPECT_EQ(NameOf(Garbage()), std::string(48, '#')) << "an unterminated name is read to its capacity";
    const std::string long1 = Letters(80), long2 = "Z" + Letters(70), exact = Letters(50);
    Rk_DistribStruct d = Garbage();
    OK(Rk_DistribSetConstantValues(&d, 1.5, long1.c_str(), long2.c_str()));
    EXPECT_TRUE(d.desc[0] == long1.substr(0, 50) && d.desc[1] == long2.substr(0, 50) && d.source == Garbage().source);
    OK(Rk_DistribSetNormalValues(&d, 0, 0, 0, 0, 0, 0, exact.c_str(), ""));
    EXPECT_TRUE(d.desc[0] == exact && std::string(d.desc[1], 51) == std::string(51, '\0'));
    OK(Rk_DistribSetName(&d, "slot") || Rk_DistribSetUniformValues(&d, 2.0, 0.1, 0, 0, 0, long2.c_str(), "two"));
    OK(Rk_DistribSetUniformValues(&d, 2.0, 0.1, 0, 0, 0, d.desc[1], d.desc[0])) << "both read before either is written";
    EXPECT_TRUE(std::string(d.desc[0]) == "two" && d.desc[1] == long2.substr(0, 50));
    char *line1 = nullptr, *line2 = nullptr;
    OK(Rk_DistribGetDesc(&d, &line1, &line2));
    EXPECT_TRUE(line1 == d.desc[0] && line2 == d.desc[1] && Query(Rk_DistribGetType, &d) == RK_DISTRIB_UNIFORM)
        << "pointers into the record";
    OK(Rk_DistribSetDescLine1(&d, d.desc[1] + 1) || Rk_DistribSetName(&d, d.name + 1) || Rk_DistribGetName(&d, d.name));
    EXPECT_TRUE(d.desc[0] == long2.substr(1, 49) && d.desc[1] == long2.substr(0, 50) && NameOf(d) == "lot");
}

TEST_F(Distribution, AGetterOfAnotherTypeFailsWithoutWritingItsOutputsOrTheRecord)
{
    char sentinel[] = "untouched";
    double v[5] = {-9, -9, -9, -9, -9};
    int trunc = -9;
    char *desc1 = sentinel, *desc2 = sentinel;
    for (int type :
         {0, +RK_DISTRIB_CONSTANT, +RK_DISTRIB_NORMAL, +RK_DISTRIB_UNIFORM, +RK_DISTRIB_DISCRETE, +RK_DISTRIB_SAMPLE}) {
        SCOPED_TRACE(type);
        Rk_DistribStruct d = Garbage();
        OK(Rk_DistribSetNormalValues(&d, 1, 2, 3, 3, 4, 5, "x", "y"));
        d.type = type;
        const std::pair<int, Refusal> getters[] = {
            {RK_DISTRIB_CONSTANT, REFUSES(5, dstrb, Rk_DistribGetConstantValues(&d, &v[0], &desc1, &desc2))},
            {RK_DISTRIB_NORMAL, REFUSES(5, dstrb, Rk_DistribGetNormalValues(&d, &v[0], &v[1], &v[2], &trunc, &v[3],
                                                                              &v[4], &desc1, &desc2))},
            {RK_DISTRIB_UNIFORM, REFUSES(5, dstrb, Rk_DistribGetUniformValues(&d, &v[0], &v[1], &trunc, &v[3], &v[4],
                                                                                &desc1, &desc2))}};
        std::vector<Refusal> rows;
        for (const auto& [own, getter] : getters)
            if (own != type) rows.push_back(getter);
        ExpectRefusals(rows, [&] {
            return v[0] == -9 && v[1] == -9 && v[2] == -9 && v[3] == -9 && v[4] == -9 && trunc == -9 &&
                   desc1 == sentinel && desc2 == sentinel && d.type == type;
        });
    }
}

}  // namespace
