// Degree-of-freedom sets: building, reading, testing and combining sets of the twelve degrees.
#include "rk_test.hpp"

#include <array>

namespace {

using DofSet = rktest::LibraryTest;

Rk_DofStruct word(int value)
{
    Rk_DofStruct dof;
    Rk_DofMapFromInt(&dof, value);
    return dof;
}

int to_int(const Rk_DofStruct& dof)
{
    int value = 0x5A5A5A5A;
    EXPECT_EQ(Rk_DofMapToInt(&dof, &value), 0);
    return value;
}

int all_controlled(const Rk_DofStruct& dof)
{
    int flag = -1;
    EXPECT_EQ(Rk_DofAllDegreesControlled(&dof, &flag), 0);
    return flag;
}

int any_controlled(const Rk_DofStruct& dof)
{
    int flag = -1;
    EXPECT_EQ(Rk_DofAnyDegreeControlled(&dof, &flag), 0);
    return flag;
}

std::array<int, 12> flags_of(const Rk_DofStruct& dof)
{
    std::array<int, 12> f;
    f.fill(7);
    Rk_DofGet(&dof, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8], &f[9], &f[10], &f[11]);
    return f;
}

Rk_DofStruct from_flags(const std::array<int, 12>& f)
{
    Rk_DofStruct dof = word(-1);
    EXPECT_EQ(Rk_DofSet(&dof, f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11]), 0);
    return dof;
}

TEST_F(DofSet, InitAndClearOpenEveryDegree)
{
    for (auto init : {Rk_DofInit, Rk_DofClear}) {
        Rk_DofStruct dof = word(-1);
        EXPECT_EQ(init(&dof), 0);
        EXPECT_EQ(to_int(dof), 0) << "the whole word, upper bits included, must be cleared";
        EXPECT_EQ(all_controlled(dof), 0);
        EXPECT_EQ(any_controlled(dof), 0);
    }
}

TEST_F(DofSet, InitNotControlsTheTwelveDegreesOnly)
{
    Rk_DofStruct dof = word(-1);
    EXPECT_EQ(Rk_DofInitNot(&dof), 0);
    EXPECT_EQ(to_int(dof), 4095);
    EXPECT_EQ(all_controlled(dof), 1);
    EXPECT_EQ(any_controlled(dof), 1);
}

TEST_F(DofSet, EachFlagOfSetLandsOnItsOwnBitAndGetReadsItBack)
{
    // Parameter order txp, txm, typ, tym, tzp, tzm, rxp, rxm, ryp, rym, rzp, rzm.
    const int bit_values[12] = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048};
    for (int i = 0; i < 12; ++i) {
        std::array<int, 12> in{};
        in[i] = 1;
        const Rk_DofStruct dof = from_flags(in);
        EXPECT_EQ(to_int(dof), bit_values[i]) << "flag " << i << " set the wrong bit";
        EXPECT_EQ(flags_of(dof), in) << "flag " << i << " did not read back alone";
    }
}

TEST_F(DofSet, SetTakesAnyNonZeroFlagAsControlled)
{
    // A raw shift would put 2 on the neighbouring degree and spread -1 over bits 11 to 31.
    const Rk_DofStruct doubled = from_flags({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(to_int(doubled), 1);
    const Rk_DofStruct negative = from_flags({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1});
    EXPECT_EQ(to_int(negative), 2048);
}

TEST_F(DofSet, GetWritesZeroForOpenDegreesAndIgnoresTheUpperBits)
{
    std::array<int, 12> none{};
    EXPECT_EQ(flags_of(word(~0xFFF)), none) << "bits 12 to 31 carry no degree";
    std::array<int, 12> mixed = {1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1};
    EXPECT_EQ(flags_of(word(1 | 8 | 16 | 256 | 2048 | 0x10000)), mixed);
}

TEST_F(DofSet, NotComplementsTheWholeWord)
{
    Rk_DofStruct empty;
    Rk_DofInit(&empty);
    Rk_DofStruct full;
    EXPECT_EQ(Rk_DofNot(&empty, &full), 0);
    EXPECT_EQ(to_int(full), -1);
    EXPECT_EQ(all_controlled(full), 1);

    Rk_DofStruct back;
    Rk_DofNot(&full, &back);
    EXPECT_EQ(to_int(back), 0);
    Rk_DofStruct some = word(0x0F0);
    Rk_DofNot(&some, &some);
    EXPECT_EQ(to_int(some), ~0x0F0);
}

TEST_F(DofSet, IntersectionAndUnionCombineTheWholeWords)
{
    const Rk_DofStruct a = word(0x7000 | 5), b = word(0x3000 | 6);
    Rk_DofStruct out;
    EXPECT_EQ(Rk_DofIntersectDof(&a, &b, &out), 0);
    EXPECT_EQ(to_int(out), 0x3000 | 4) << "upper bits must be kept by the intersection";
    EXPECT_EQ(Rk_DofUnionDof(&a, &b, &out), 0);
    EXPECT_EQ(to_int(out), 0x7000 | 7) << "upper bits must be kept by the union";
}

TEST_F(DofSet, AnUpperBitAloneControlsNothing)
{
    const Rk_DofStruct upper = word(4096);
    EXPECT_EQ(to_int(upper), 4096) << "the integer form copies the whole word";
    EXPECT_EQ(any_controlled(upper), 0);
    EXPECT_EQ(all_controlled(upper), 0);

    Rk_DofStruct empty, out;
    Rk_DofInit(&empty);
    EXPECT_EQ(Rk_DofExclusiveOrDof(&upper, &empty, &out), 0);
    EXPECT_EQ(to_int(out), 0);
}

TEST_F(DofSet, TestsLookAtEveryOneOfTheTwelveDegrees)
{
    struct Case {
        int word;
        int all;
        int any;
        const char* why;
    } cases[] = {
        {4095 & ~1, 0, 1, "+Tx open is enough to fail the all test"},
        {4095 & ~2048, 0, 1, "-Rz open, the last degree, fails the all test"},
        {2048, 0, 1, "-Rz alone, the last degree, passes the any test"},
        {1, 0, 1, "+Tx alone passes the any test"},
        {4095 | 0x7FFFF000, 1, 1, "upper bits do not disturb the all test"},
        {0x7FFFF000, 0, 0, "upper bits alone are no controlled degree"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(all_controlled(word(c.word)), c.all) << c.why;
        EXPECT_EQ(any_controlled(word(c.word)), c.any) << c.why;
    }
}

TEST_F(DofSet, ClearingAndControllingKeepTheOtherDegreesAndDropTheUpperBits)
{
    using Op = int (*)(const Rk_DofStruct*, Rk_DofStruct*);
    struct Case {
        Op op;
        int in;
        int out;
        const char* why;
    } cases[] = {
        {Rk_DofControlRz, 0, 3072, "the empty set gains +Rz and -Rz"},
        {Rk_DofClearRotation, 4095, 63, "the full set keeps its translations"},
        {Rk_DofClearTranslation, 4095, 4032, "the full set keeps its rotations"},
        {Rk_DofControlRz, -1, 4095, "control Rz writes only the twelve degrees"},
        {Rk_DofClearRotation, -1, 63, "clear rotation writes only the twelve degrees"},
        {Rk_DofClearTranslation, -1, 4032, "clear translation writes only the twelve degrees"},
        {Rk_DofControlRz, 1 | 128, 1 | 128 | 3072, "control Rz keeps +Tx and -Rx"},
        {Rk_DofClearRotation, 2 | 512, 2, "clear rotation keeps -Tx, drops -Ry"},
        {Rk_DofClearTranslation, 32 | 64, 64, "clear translation drops -Tz, keeps +Rx"},
    };
    for (const Case& c : cases) {
        const Rk_DofStruct in = word(c.in);
        Rk_DofStruct out = word(0x1234);
        EXPECT_EQ(c.op(&in, &out), 0);
        EXPECT_EQ(to_int(out), c.out) << c.why;
    }
}

TEST_F(DofSet, FixtureAdjustmentControlsBothSensesOfAnAxis)
{
    struct Case {
        int in;
        int out;
        const char* why;
    } cases[] = {
        {1 | 2048, 3075, "+Tx and -Rz give both senses of Tx and Rz"},
        {2, 3, "-Tx alone gives both senses of Tx"},
        {8, 12, "-Ty alone gives both senses of Ty"},
        {16, 48, "+Tz alone gives both senses of Tz"},
        {64, 192, "+Rx alone gives both senses of Rx"},
        {512, 768, "-Ry alone gives both senses of Ry"},
        {1024, 3072, "+Rz alone gives both senses of Rz"},
        {0, 0, "nothing controlled stays nothing"},
        {1 | 4, 15, "each axis is adjusted on its own"},
        {4095, 4095, "the full set stays full"},
        {4096 | 2, 3, "upper bits are dropped"},
    };
    for (const Case& c : cases) {
        const Rk_DofStruct in = word(c.in);
        Rk_DofStruct out = word(-1);
        EXPECT_EQ(Rk_DofAdjustForFixture(&in, &out), 0);
        EXPECT_EQ(to_int(out), c.out) << c.why;
    }
}

TEST_F(DofSet, ExclusiveOrAndSubtractionWorkDegreeByDegree)
{
    using Op = int (*)(const Rk_DofStruct*, const Rk_DofStruct*, Rk_DofStruct*);
    struct Case {
        Op op;
        int a;
        int b;
        int out;
        const char* why;
    } cases[] = {
        {Rk_DofExclusiveOrDof, 0xA5C, 0xA5C, 0, "a set exclusive-or itself is empty"},
        {Rk_DofExclusiveOrDof, 3, 5, 6, "controlled in exactly one of the sets"},
        {Rk_DofExclusiveOrDof, -1, 0, 4095, "upper bits are dropped"},
        {Rk_DofSubtractDofCont, 0xA5C, 4095, 0, "any set minus the full set is empty"},
        {Rk_DofSubtractDofCont, 0x1F0F, 0, 0xF0F, "minus the empty set is the set, twelve degrees only"},
        {Rk_DofSubtractDofCont, 7, 5, 2, "the degrees of the second set are taken out"},
        {Rk_DofSubtractDofCont, 2, 5, 2, "degrees open in the first set stay open"},
    };
    for (const Case& c : cases) {
        const Rk_DofStruct a = word(c.a), b = word(c.b);
        Rk_DofStruct out = word(0x1234);
        EXPECT_EQ(c.op(&a, &b, &out), 0);
        EXPECT_EQ(to_int(out), c.out) << c.why;
    }
}

TEST_F(DofSet, AnOutputMayBeAnInputOfAUnaryOperation)
{
    using Op = int (*)(const Rk_DofStruct*, Rk_DofStruct*);
    const Op ops[] = {Rk_DofClearTranslation, Rk_DofClearRotation, Rk_DofControlRz, Rk_DofAdjustForFixture,
                      Rk_DofNot};
    for (int value : {0, 1 | 2048, 0x5A5, 0x1F3C, -1}) {
        for (Op op : ops) {
            const Rk_DofStruct in = word(value);
            Rk_DofStruct apart;
            op(&in, &apart);
            Rk_DofStruct same = word(value);
            op(&same, &same);
            EXPECT_EQ(to_int(same), to_int(apart)) << "word " << value;
        }
    }
}

TEST_F(DofSet, AnOutputMayBeAnInputOfABinaryOperation)
{
    using Op = int (*)(const Rk_DofStruct*, const Rk_DofStruct*, Rk_DofStruct*);
    const Op ops[] = {Rk_DofIntersectDof, Rk_DofUnionDof, Rk_DofExclusiveOrDof, Rk_DofSubtractDofCont};
    const int a_value = 0x1A5C, b_value = 0x20F3;
    for (Op op : ops) {
        const Rk_DofStruct a = word(a_value), b = word(b_value);
        Rk_DofStruct apart;
        op(&a, &b, &apart);

        Rk_DofStruct first = word(a_value), second = word(b_value);
        op(&first, &second, &first);
        EXPECT_EQ(to_int(first), to_int(apart)) << "output on the first input";

        first = word(a_value);
        op(&first, &second, &second);
        EXPECT_EQ(to_int(second), to_int(apart)) << "output on the second input";

        Rk_DofStruct self_apart, self = word(a_value);
        op(&a, &a, &self_apart);
        op(&self, &self, &self);
        EXPECT_EQ(to_int(self), to_int(self_apart)) << "one record as both inputs and the output";
    }
}

}  // namespace
