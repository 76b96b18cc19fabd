// Dumps of degree-of-freedom sets and distributions.
#include "rk_test.hpp"

namespace {

using rktest::DumpOf;
using rktest::Lines;
using VariationDump = rktest::LibraryTest;

// A heading of the twelve degrees and a line of their states, open (O) or controlled (C), with no
// title and no indent of their own; bits above the twelve degrees are not shown.
TEST_F(VariationDump, ADofSetShowsEachDegreeInItsColumn)
{
    const char degrees[] = "       -Tx +Tx -Ty +Ty -Tz +Tz -Rx +Rx -Ry +Ry -Rz +Rz";
    const std::pair<int, const char*> cases[] = {{0x801, "O   C   O   O   O   O   O   O   O   O   C   O"},
                                                 {0x402, "C   O   O   O   O   O   O   O   O   O   O   C"},
                                                 {0x0C8, "O   O   C   O   O   O   C   C   O   O   O   O"},
                                                 {-1, "C   C   C   C   C   C   C   C   C   C   C   C"}};
    for (const auto& [word, states] : cases) {
        Rk_DofStruct dof;
        Rk_DofMapFromInt(&dof, word);
        EXPECT_EQ(DumpOf(Rk_DofDebugRpt, &dof, 2),
                  (rktest::Dumped{0, {std::string("  ") + degrees, std::string("  DOF :   ") + states}})) << word;
    }
}

// The name and type in the title; the parameters of a constant, normal or uniform distribution
// (truncation limits by the bits of their mask: 1 lower, 2 upper); any other type is only named.
TEST_F(VariationDump, ADistributionShowsTheParametersOfItsType)
{
    Rk_DistribStruct distrib{};
    Rk_DistribSetName(&distrib, "len");
    Rk_DistribSetConstantValues(&distrib, 12.5, "first", "second");
    const Lines constant = {"Distribution len has type: Constant", "-----------------------------------",
                            "    Constant value 12.500000", "    Desc 1: first", "    Desc 2: second"};
    EXPECT_EQ(DumpOf(Rk_DistribDebugRpt, &distrib).lines, constant);
    EXPECT_EQ(rktest::ConsoleOf([&] { Rk_DistribDebug(&distrib); }), "\n" + rktest::Printed(constant));
    for (auto [trunc, limits] : {std::pair{3, "lower truncation 1.400000 and upper truncation 1.600000"},
                                 {2, "lower truncation NOT SET and upper truncation 1.600000"},
                                 {1, "lower truncation 1.400000 and upper truncation NOT SET"},
                                 {7, "lower truncation NOT SET and upper truncation NOT SET"}}) {
        Rk_DistribSetNormalValues(&distrib, 1.5, 0.2, 0.05, trunc, 1.4, 1.6, "d1", "d2");
        EXPECT_EQ(DumpOf(Rk_DistribDebugRpt, &distrib, 1),
                  (rktest::Dumped{0, {" Distribution len has type: Normal", " ---------------------------------",
                                      "     Nominal 1.500000 range 0.200000 sigma 0.050000",
                                      std::string("     ") + limits, "     Desc 1: d1", "     Desc 2: d2"}}));
        Rk_DistribSetUniformValues(&distrib, -3.0, 0.5, trunc, 1.4, 1.6, "", "d2");
        const Lines uniform = DumpOf(Rk_DistribDebugRpt, &distrib).lines;
        EXPECT_EQ(Lines(uniform.begin() + 2, uniform.end()),
                  (Lines{"    Nominal -3.000000 range 0.500000", std::string("    ") + limits, "    Desc 1: ",
                         "    Desc 2: d2"}));
    }
    for (auto [type, name] : {std::pair{3, "Discrete"}, {4, "Pearson"}, {5, "Percentile"}, {6, "Weibull"},
                              {8, "Triangular"}, {9, "Random"}, {10, "Sample"}, {0, "Other"}, {11, "Other"}}) {
        distrib.type = type;
        const std::string title = std::string("Distribution len has type: ") + name;
        EXPECT_EQ(DumpOf(Rk_DistribDebugRpt, &distrib).lines,
                  (Lines{title, std::string(title.size(), '-'), "    No further information for this distrib type"}));
    }
}

}  // namespace
