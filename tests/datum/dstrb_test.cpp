// Distribution records: bounded names and description lines, the typed setters and getters, and
// the refusal of a getter of the wrong type.
#include "rk_test.hpp"

#include <cstddef>
#include <cstring>
#include <string>

namespace {

using Distribution = rktest::LibraryTest;

std::string letters(std::size_t n)
{
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
    return s;
}

// A record whose every byte is garbage, as the application's stack would leave it.
Rk_DistribStruct garbage_record()
{
    Rk_DistribStruct d;
    std::memset(&d, '#', sizeof d);
    return d;
}

std::string name_of(const Rk_DistribStruct& d)
{
    char name[64];
    std::memset(name, 'x', sizeof name);
    EXPECT_EQ(Rk_DistribGetName(&d, name), 0);
    EXPECT_EQ(name[49], 'x') << "the name was copied beyond its 49 places";
    return std::string(name, strnlen(name, sizeof name));
}

int type_of(const Rk_DistribStruct& d)
{
    int type = -1;
    EXPECT_EQ(Rk_DistribGetType(&d, &type), 0);
    return type;
}

TEST_F(Distribution, NamesAreCutToFortyEightCharacters)
{
    struct Case {
        std::size_t length;
        std::size_t stored;
        const char* why;
    } cases[] = {
        {60, 48, "a long name keeps its first 48 characters"},
        {49, 48, "one character too many is cut"},
        {48, 48, "a name of exactly 48 characters is kept whole"},
        {5, 5, "a short name is kept whole"},
        {0, 0, "the empty name"},
    };
    for (const Case& c : cases) {
        Rk_DistribStruct d = garbage_record();
        const std::string name = letters(c.length);
        EXPECT_EQ(Rk_DistribSetName(&d, name.c_str()), 0);
        EXPECT_EQ(d.name[48], '\0') << c.why;
        EXPECT_EQ(d.desc[0][0], '#') << "the name ran into the description: " << c.why;
        EXPECT_EQ(name_of(d), name.substr(0, c.stored)) << c.why;
    }
}

TEST_F(Distribution, AShorterNameLeavesNoTraceOfTheLongerOne)
{
    Rk_DistribStruct d = garbage_record();
    Rk_DistribSetName(&d, letters(48).c_str());
    Rk_DistribSetName(&d, "bore");
    EXPECT_EQ(name_of(d), "bore");
    for (int i = 4; i <= 48; ++i) EXPECT_EQ(d.name[i], '\0') << "place " << i << " not cleared";
}

TEST_F(Distribution, GetNameIsBoundedEvenForAnUnterminatedName)
{
    Rk_DistribStruct d = garbage_record();
    EXPECT_EQ(name_of(d), std::string(48, '#'));
}

TEST_F(Distribution, DescriptionLinesAreCutToFiftyCharacters)
{
    const std::string long1 = letters(80), long2 = "Z" + letters(70);
    Rk_DistribStruct d = garbage_record();
    Rk_DistribSetConstantValues(&d, 1.5, long1.c_str(), long2.c_str());
    EXPECT_EQ(std::string(d.desc[0]), long1.substr(0, 50));
    EXPECT_EQ(std::string(d.desc[1]), long2.substr(0, 50));
    EXPECT_EQ(d.source, garbage_record().source) << "the second line ran into source";

    const std::string exact = letters(50);
    Rk_DistribSetNormalValues(&d, 0, 0, 0, 0, 0, 0, exact.c_str(), "");
    EXPECT_EQ(std::string(d.desc[0]), exact) << "exactly 50 characters are kept whole";
    EXPECT_EQ(std::string(d.desc[1]), "");

    Rk_DistribSetDescLine1(&d, long2.c_str());
    EXPECT_EQ(std::string(d.desc[0]), long2.substr(0, 50));
    EXPECT_EQ(d.desc[1][0], '\0') << "the first line ran into the second";
}

TEST_F(Distribution, SetDescLine1ChangesOnlyTheFirstLine)
{
    Rk_DistribStruct d = garbage_record();
    Rk_DistribSetName(&d, "hole");
    Rk_DistribSetUniformValues(&d, 3.0, 0.2, 0, 0, 0, "first", "second");
    Rk_DistribSetDescLine1(&d, "new first");

    char* line1 = nullptr;
    char* line2 = nullptr;
    EXPECT_EQ(Rk_DistribGetDesc(&d, &line1, &line2), 0);
    EXPECT_STREQ(line1, "new first");
    EXPECT_STREQ(line2, "second");
    EXPECT_EQ(type_of(d), RK_DISTRIB_UNIFORM);
    EXPECT_EQ(name_of(d), "hole");
    EXPECT_EQ(d.typeinfo.uniform.nom, 3.0);
}

TEST_F(Distribution, DescriptionsAreHandedOutAsPointersIntoTheRecord)
{
    Rk_DistribStruct d = garbage_record();
    Rk_DistribSetConstantValues(&d, 2.0, "one", "two");
    char* line1 = nullptr;
    char* line2 = nullptr;
    Rk_DistribGetDesc(&d, &line1, &line2);
    EXPECT_EQ(line1, d.desc[0]);
    EXPECT_EQ(line2, d.desc[1]);

    double nom = 0;
    char* desc1 = nullptr;
    char* desc2 = nullptr;
    EXPECT_EQ(Rk_DistribGetConstantValues(&d, &nom, &desc1, &desc2), 0);
    EXPECT_EQ(nom, 2.0);
    EXPECT_EQ(desc1, d.desc[0]);
    EXPECT_EQ(desc2, d.desc[1]);
}

TEST_F(Distribution, TypedSettersStoreTheirValuesUncheckedAndGettersReturnThem)
{
    Rk_DistribStruct d = garbage_record();
    // A negative sigma, a truncation code outside 0 to 3 and limits in the wrong order are kept.
    Rk_DistribSetNormalValues(&d, 10.0, 0.5, -0.25, 9, 12.0, 8.0, "n1", "n2");
    EXPECT_EQ(type_of(d), RK_DISTRIB_NORMAL);
    double nom = 0, zone = 0, sigma = 0, lowt = 0, hight = 0;
    int trunc = 0;
    char* desc1 = nullptr;
    char* desc2 = nullptr;
    EXPECT_EQ(Rk_DistribGetNormalValues(&d, &nom, &zone, &sigma, &trunc, &lowt, &hight, &desc1, &desc2), 0);
    EXPECT_EQ(nom, 10.0);
    EXPECT_EQ(zone, 0.5);
    EXPECT_EQ(sigma, -0.25);
    EXPECT_EQ(trunc, 9);
    EXPECT_EQ(lowt, 12.0);
    EXPECT_EQ(hight, 8.0);
    EXPECT_STREQ(desc1, "n1");
    EXPECT_STREQ(desc2, "n2");

    Rk_DistribSetUniformValues(&d, -4.0, 1.5, 2, -5.0, -3.0, "u1", "u2");
    EXPECT_EQ(type_of(d), RK_DISTRIB_UNIFORM);
    EXPECT_EQ(Rk_DistribGetUniformValues(&d, &nom, &zone, &trunc, &lowt, &hight, &desc1, &desc2), 0);
    EXPECT_EQ(nom, -4.0);
    EXPECT_EQ(zone, 1.5);
    EXPECT_EQ(trunc, 2);
    EXPECT_EQ(lowt, -5.0);
    EXPECT_EQ(hight, -3.0);
    EXPECT_STREQ(desc1, "u1");
    EXPECT_STREQ(desc2, "u2");

    Rk_DistribSetConstantValues(&d, 7.25, "c1", "c2");
    EXPECT_EQ(type_of(d), RK_DISTRIB_CONSTANT);
    EXPECT_EQ(Rk_DistribGetConstantValues(&d, &nom, &desc1, &desc2), 0);
    EXPECT_EQ(nom, 7.25);
    EXPECT_STREQ(desc1, "c1");
    EXPECT_STREQ(desc2, "c2");
}

TEST_F(Distribution, SettersLeaveTheNameAndSourceAlone)
{
    Rk_DistribStruct d = garbage_record();
    Rk_DistribSetName(&d, "gap");
    d.source = 4711;
    Rk_DistribSetConstantValues(&d, 1, "a", "b");
    Rk_DistribSetNormalValues(&d, 1, 2, 3, 3, 0, 4, "a", "b");
    Rk_DistribSetUniformValues(&d, 1, 2, 1, 0, 0, "a", "b");
    Rk_DistribSetDescLine1(&d, "c");
    EXPECT_EQ(name_of(d), "gap");
    EXPECT_EQ(d.source, 4711);
}

TEST_F(Distribution, AGetterOfTheWrongTypeFailsWithoutWritingItsOutputs)
{
    const double kD = -999.0;
    const int kI = -999;
    char sentinel_text[] = "untouched";
    struct Case {
        int type;
        const char* why;
    } cases[] = {
        {RK_DISTRIB_CONSTANT, "a constant"}, {RK_DISTRIB_NORMAL, "a normal"},
        {RK_DISTRIB_UNIFORM, "a uniform"},   {RK_DISTRIB_DISCRETE, "a discrete"},
        {RK_DISTRIB_SAMPLE, "a sample"},     {0, "an unknown code"},
    };
    for (const Case& c : cases) {
        Rk_DistribStruct d = garbage_record();
        Rk_DistribSetNormalValues(&d, 1, 2, 3, 3, 4, 5, "x", "y");
        d.type = c.type;
        double nom = kD, zone = kD, sigma = kD, lowt = kD, hight = kD;
        int trunc = kI;
        char* desc1 = sentinel_text;
        char* desc2 = sentinel_text;

        if (c.type != RK_DISTRIB_CONSTANT) {
            EXPECT_EQ(Rk_DistribGetConstantValues(&d, &nom, &desc1, &desc2), 1) << c.why;
            EXPECT_ERROR(5, "rk_dstrb(");
        }
        if (c.type != RK_DISTRIB_NORMAL) {
            EXPECT_EQ(Rk_DistribGetNormalValues(&d, &nom, &zone, &sigma, &trunc, &lowt, &hight, &desc1, &desc2), 1)
                << c.why;
            EXPECT_ERROR(5, "rk_dstrb(");
        }
        if (c.type != RK_DISTRIB_UNIFORM) {
            EXPECT_EQ(Rk_DistribGetUniformValues(&d, &nom, &zone, &trunc, &lowt, &hight, &desc1, &desc2), 1)
                << c.why;
            EXPECT_ERROR(5, "rk_dstrb(");
        }
        for (double v : {nom, zone, sigma, lowt, hight}) EXPECT_EQ(v, kD) << c.why;
        EXPECT_EQ(trunc, kI) << c.why;
        EXPECT_EQ(desc1, sentinel_text) << c.why;
        EXPECT_EQ(desc2, sentinel_text) << c.why;
        EXPECT_EQ(type_of(d), c.type) << "a refused getter must not change the record";
    }
}

TEST_F(Distribution, UniformReadAsNormalIsRefusedAndKeepsItsType)
{
    Rk_DistribStruct d = garbage_record();
    Rk_DistribSetUniformValues(&d, 5.0, 0.1, 3, 4.9, 5.1, "u", "v");
    double nom = 0, zone = 0, sigma = 0, lowt = 0, hight = 0;
    int trunc = 0;
    char* desc1 = nullptr;
    char* desc2 = nullptr;
    EXPECT_EQ(Rk_DistribGetNormalValues(&d, &nom, &zone, &sigma, &trunc, &lowt, &hight, &desc1, &desc2), 1);
    EXPECT_ERROR(5, "rk_dstrb(");
    EXPECT_EQ(type_of(d), RK_DISTRIB_UNIFORM);
}

TEST_F(Distribution, SettersAcceptTextsTakenFromTheSameRecord)
{
    Rk_DistribStruct d = garbage_record();
    Rk_DistribSetName(&d, "slot");
    Rk_DistribSetConstantValues(&d, 1.0, "line one", "line two");
    char* line1 = nullptr;
    char* line2 = nullptr;
    Rk_DistribGetDesc(&d, &line1, &line2);

    // Keeping the descriptions while changing the value hands the record its own lines back.
    Rk_DistribSetNormalValues(&d, 2.0, 0.1, 0.02, 0, 0, 0, line1, line2);
    EXPECT_STREQ(d.desc[0], "line one");
    EXPECT_STREQ(d.desc[1], "line two");

    // Swapping the lines must read both before writing either.
    Rk_DistribSetUniformValues(&d, 2.0, 0.1, 0, 0, 0, line2, line1);
    EXPECT_STREQ(d.desc[0], "line two");
    EXPECT_STREQ(d.desc[1], "line one");

    Rk_DistribSetDescLine1(&d, d.desc[1]);
    EXPECT_STREQ(d.desc[0], "line one");
    Rk_DistribSetDescLine1(&d, d.desc[0] + 5);
    EXPECT_STREQ(d.desc[0], "one");

    Rk_DistribSetName(&d, d.name);
    EXPECT_EQ(name_of(d), "slot");
    Rk_DistribSetName(&d, d.name + 1);
    EXPECT_EQ(name_of(d), "lot");
    Rk_DistribGetName(&d, d.name);
    EXPECT_EQ(name_of(d), "lot");
}

TEST_F(Distribution, RecordHasTheDocumentedLayout)
{
    Rk_DistribStruct d;
    EXPECT_EQ(sizeof d.name, 49u);
    EXPECT_EQ(sizeof d.desc, 2u * 51u);
    EXPECT_EQ(sizeof d.desc[1], 51u);
    EXPECT_LT(offsetof(Rk_DistribStruct, name), offsetof(Rk_DistribStruct, desc));
    EXPECT_LT(offsetof(Rk_DistribStruct, desc), offsetof(Rk_DistribStruct, source));
    EXPECT_LT(offsetof(Rk_DistribStruct, source), offsetof(Rk_DistribStruct, type));
    EXPECT_LT(offsetof(Rk_DistribStruct, type), offsetof(Rk_DistribStruct, typeinfo));

    // The members share storage: the nominal of the types that have one sits at the same place.
    EXPECT_EQ(static_cast<void*>(&d.typeinfo.constant.nom), static_cast<void*>(&d.typeinfo.normal.nom));
    EXPECT_EQ(static_cast<void*>(&d.typeinfo.uniform.nom), static_cast<void*>(&d.typeinfo.discrete.nom));
    EXPECT_EQ(static_cast<void*>(&d.typeinfo.percentil.nom), static_cast<void*>(&d.typeinfo.weibull.nom));
    EXPECT_EQ(static_cast<void*>(&d.typeinfo.pearson.mean), static_cast<void*>(&d.typeinfo.sample.mean));
    EXPECT_EQ(static_cast<void*>(&d.typeinfo.triangular.low), static_cast<void*>(&d.typeinfo.random.low));

    // Fields in the documented order within the members.
    EXPECT_LT(static_cast<void*>(&d.typeinfo.normal.trunc), static_cast<void*>(&d.typeinfo.normal.lowt));
    EXPECT_LT(static_cast<void*>(&d.typeinfo.discrete.val1), static_cast<void*>(&d.typeinfo.discrete.used2));
    EXPECT_LT(static_cast<void*>(&d.typeinfo.percentil.per90), static_cast<void*>(&d.typeinfo.percentil.per100));
    EXPECT_LT(static_cast<void*>(&d.typeinfo.sample.hight), static_cast<void*>(&d.typeinfo.sample.filename));
}

}  // namespace
