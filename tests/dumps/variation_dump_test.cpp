// Dumps of degree-of-freedom sets and distributions.
#include <string>

#include "dump_helpers.hpp"
#include "rk_test.hpp"

namespace {

using rktest::ConsoleOf;
using rktest::Lines;
using rktest::ListReport;
using rktest::Printed;
using rktest::Underline;

using DofDump = rktest::LibraryTest;
using DistribDump = rktest::LibraryTest;

const char kDegrees[] = "       -Tx +Tx -Ty +Ty -Tz +Tz -Rx +Rx -Ry +Ry -Rz +Rz";

TEST_F(DofDump, OnlyPlusTxControlledShowsOpenThenControlled)
{
    Rk_DofStruct dof;
    Rk_DofSet(&dof, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    ListReport report(2);
    ASSERT_EQ(Rk_DofDebugRpt(&dof, report.get()), 0);
    EXPECT_EQ(report.lines(),
              (Lines{std::string("  ") + kDegrees, "  DOF :   O   C   O   O   O   O   O   O   O   O   O   O"}))
        << "no title and no indent of its own";
    EXPECT_EQ(report.indent(), 2);
}

TEST_F(DofDump, EachColumnShowsItsOwnDegree)
{
    const struct {
        int word;
        const char* states;
        const char* what;
    } cases[] = {
        {0x002, "DOF :   C   O   O   O   O   O   O   O   O   O   O   O", "-Tx (bit 1) is the first column"},
        {0x800, "DOF :   O   O   O   O   O   O   O   O   O   O   C   O", "-Rz (bit 11) is the eleventh column"},
        {0x400, "DOF :   O   O   O   O   O   O   O   O   O   O   O   C", "+Rz (bit 10) is the last column"},
        {0x0C8, "DOF :   O   O   C   O   O   O   C   C   O   O   O   O", "-Ty, +Rx and -Rx"},
        {-1, "DOF :   C   C   C   C   C   C   C   C   C   C   C   C", "bits above the twelve degrees are not shown"},
    };
    for (const auto& c : cases) {
        Rk_DofStruct dof;
        Rk_DofMapFromInt(&dof, c.word);
        ListReport report;
        ASSERT_EQ(Rk_DofDebugRpt(&dof, report.get()), 0);
        EXPECT_EQ(report.lines(), (Lines{kDegrees, c.states})) << c.what;
    }
    Rk_DofStruct open;
    Rk_DofInit(&open);
    EXPECT_EQ(ConsoleOf([&] { Rk_DofDebug(&open); }),
              Printed({"", kDegrees, "DOF :   O   O   O   O   O   O   O   O   O   O   O   O"}));
}

TEST_F(DistribDump, ConstantShowsItsValueAndDescription)
{
    Rk_DistribStruct distrib{};
    Rk_DistribSetName(&distrib, "len");
    Rk_DistribSetConstantValues(&distrib, 12.5, "first", "second");
    ListReport report;
    ASSERT_EQ(Rk_DistribDebugRpt(&distrib, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"Distribution len has type: Constant", "-----------------------------------",
                                     "    Constant value 12.500000", "    Desc 1: first", "    Desc 2: second"}));
    EXPECT_EQ(ConsoleOf([&] { Rk_DistribDebug(&distrib); }), Printed({"", "Distribution len has type: Constant",
                                                                      "-----------------------------------",
                                                                      "    Constant value 12.500000",
                                                                      "    Desc 1: first", "    Desc 2: second"}));
}

TEST_F(DistribDump, NormalAndUniformShowTheirTruncationLimits)
{
    const struct {
        int trunc;
        const char* line;
    } cases[] = {
        {3, "    lower truncation 1.400000 and upper truncation 1.600000"},
        {2, "    lower truncation NOT SET and upper truncation 1.600000"},
        {1, "    lower truncation 1.400000 and upper truncation NOT SET"},
        {0, "    lower truncation NOT SET and upper truncation NOT SET"},
        {7, "    lower truncation NOT SET and upper truncation NOT SET"},
    };
    for (const auto& c : cases) {
        Rk_DistribStruct distrib{};
        Rk_DistribSetName(&distrib, "gap");
        Rk_DistribSetNormalValues(&distrib, 1.5, 0.2, 0.05, c.trunc, 1.4, 1.6, "d1", "d2");
        ListReport normal(1);
        ASSERT_EQ(Rk_DistribDebugRpt(&distrib, normal.get()), 0);
        EXPECT_EQ(normal.lines(),
                  (Lines{" Distribution gap has type: Normal", " ---------------------------------",
                         "     Nominal 1.500000 range 0.200000 sigma 0.050000", std::string(" ") + c.line,
                         "     Desc 1: d1", "     Desc 2: d2"}))
            << c.trunc;
        EXPECT_EQ(normal.indent(), 1);

        Rk_DistribSetUniformValues(&distrib, -3.0, 0.5, c.trunc, 1.4, 1.6, "", "d2");
        ListReport uniform;
        ASSERT_EQ(Rk_DistribDebugRpt(&distrib, uniform.get()), 0);
        EXPECT_EQ(uniform.lines(), (Lines{"Distribution gap has type: Uniform", "----------------------------------",
                                          "    Nominal -3.000000 range 0.500000", c.line, "    Desc 1: ",
                                          "    Desc 2: d2"}))
            << c.trunc;
    }
}

TEST_F(DistribDump, OtherTypesAreNamedWithoutTheirParameters)
{
    const struct {
        int type;
        const char* name;
    } cases[] = {{3, "Discrete"}, {4, "Pearson"}, {5, "Percentile"}, {6, "Weibull"}, {8, "Triangular"},
                 {9, "Random"},   {10, "Sample"}, {0, "Other"},      {11, "Other"},  {-2, "Other"}};
    for (const auto& c : cases) {
        Rk_DistribStruct distrib{};
        Rk_DistribSetName(&distrib, "t");
        distrib.type = c.type;
        ListReport report;
        ASSERT_EQ(Rk_DistribDebugRpt(&distrib, report.get()), 0) << c.type;
        const std::string title = std::string("Distribution t has type: ") + c.name;
        EXPECT_EQ(report.lines(), (Lines{title, Underline(title), "    No further information for this distrib type"}))
            << c.type;
    }
}

}  // namespace
