// Dumps of the geometry kernel: the tolerances, the vector, frame, transform and point-set dumps; then
// degree-of-freedom sets and distributions, which build on it.
#include "rk_test.hpp"

namespace {

using rktest::ConsoleOf;
using rktest::Dumped;
using rktest::DumpOf;
using rktest::Lines;
using GeometryDump = rktest::LibraryTest;
using VariationDump = rktest::LibraryTest;

// A line and the tolerances print on one line after a newline; a vector's dump fails with its write or memory.
TEST_F(GeometryDump, ALineAndTheTolerancesPrintOnOneLineAndAVectorsDumpFailsWithItsWrite)
{
    Rk_VectorStruct vec = {1.0, -2.0, 0.5};
    const Rk_LineStruct line = {{1.0, 2.0, 3.0}, {-4.0, 5.5, 6.0}};
    EXPECT_EQ(ConsoleOf([&] { EXPECT_EQ(Rk_LineDebug(&line), 0); }),
              "\n Line Pt1    1.0000    2.0000    3.0000  Pt2   -4.0000    5.5000    6.0000");
    Rk_GeometrySet(0.5, 0.001, 1e-12);
    EXPECT_EQ(ConsoleOf([] { EXPECT_EQ(Rk_GeometryDebug(), 0); }),
              "\n Angle Eps = 5.0000e-01, Point Eps = 1.0000e-03, Zero Eps = 1.0000e-12");
    rktest::BrokenReport broken;
    EXPECT_FAILS(Rk_VectorDebugRpt(&vec, broken.get()), 1, "rk_strtb(");
    vec.i_comp = 1e300;
    EXPECT_FAILS(rktest::ConsoleWithoutMemory([&](auto* r) { return Rk_VectorDebugRpt(&vec, r); }).second, 11,
                 "rk_vec(");
}

// A frame has no title or indent of its own (a far origin needs memory); a transform ends with its
// shift; a point set shows each point with its normal when it has one.
TEST_F(GeometryDump, FramesTransformsAndPointSetsShowARowPerLine)
{
    Rk_RefFrameStruct frame;
    const Rk_PointStruct origin = {10.0, -20.5, 0.25}, p0 = {1.0, 2.0, 3.0}, p1 = {-10.5, 0.25, 1000.0};
    EXPECT_EQ(Rk_RefFrameInit(&frame) || Rk_RefFrameSetOrigin(&frame, &origin), 0);
    EXPECT_EQ(ConsoleOf([&] { Rk_RefFrameDebug(&frame); }),
              rktest::Printed({"", "Ref Frame : Origin      10.00   -20.50     0.25",
                               "            Local X      1.00     0.00     0.00",
                               "            Local Y      0.00     1.00     0.00",
                               "            Local Z      0.00     0.00     1.00"}));
    const Rk_PointStruct far = {-1e300, 0.0, 0.0};
    EXPECT_EQ(Rk_RefFrameSetOrigin(&frame, &far), 0);
    EXPECT_FAILS(rktest::ConsoleWithoutMemory([&](auto* r) { return Rk_RefFrameDebugRpt(&frame, r); }).second, 11,
                 "rk_reffr(");
    double rows[4][3] = {{0.0, 1.0, 0.0}, {-1.0, 0.0, 0.0}, {0.0, 0.0, 1.0}, {1.5, -2.0, 10.0}};
    Rk_TransformStruct tform;
    ASSERT_EQ(Rk_TransformSet(&tform, rows), 0);
    EXPECT_EQ(DumpOf(Rk_TransformDebugRpt, &tform).lines.back(), "      1.500   -2.000   10.000") << "the shift last";
    Rk_DiscPtsStruct set;
    const Rk_VectorStruct up = {0.0, 0.0, 1.0};
    ASSERT_EQ(Rk_DiscPtsInit(&set), 0);
    EXPECT_EQ(Rk_DiscPtsAddPt(&set, &p0, &up, 1) || Rk_DiscPtsAddPt(&set, &p1, &up, 0), 0);  // p0 listed first
    EXPECT_EQ(DumpOf(Rk_DiscPtsDebugRpt, &set, 1),
              (Dumped{0, {" Discretized Point Set", " ---------------------", "      Set contains 2 point(s)",
                          "     Index\t\t\tLocation  \t\t  Surface Normal",
                          "     0    " "       1.00,     2.00,     3.00" "        0.00,     0.00,     1.00",
                          "     1    " "     -10.50,     0.25,  1000.00"}}));
    Rk_DiscPtsFree(&set);
}

// A degree-of-freedom set shows its twelve degrees, not the bits above; a distribution its parameters
// (truncation limits by the bits of their mask: 1 lower, 2 upper); any other type is only named.
TEST_F(VariationDump, DofSetsAndDistributionsShowTheirStates)
{
    Rk_DofStruct dof;
    Rk_DofMapFromInt(&dof, 0x4C6 | ~0xFFF);
    EXPECT_EQ(DumpOf(Rk_DofDebugRpt, &dof, 2),
              (Dumped{0, {"         -Tx +Tx -Ty +Ty -Tz +Tz -Rx +Rx -Ry +Ry -Rz +Rz",
                          "  DOF :   C   O   O   C   O   O   C   C   O   O   O   C"}}));
    Rk_DistribStruct distrib{};
    Rk_DistribSetName(&distrib, "len");
    Rk_DistribSetNormalValues(&distrib, 1.5, 0.2, 0.05, 3, 1.4, 1.6, "d1", "d2");
    const Lines normal = {"Distribution len has type: Normal", "---------------------------------",
                          "    Nominal 1.500000 range 0.200000 sigma 0.050000",
                          "    lower truncation 1.400000 and upper truncation 1.600000", "    Desc 1: d1",
                          "    Desc 2: d2"};
    EXPECT_EQ(DumpOf(Rk_DistribDebugRpt, &distrib), (Dumped{0, normal}));
    EXPECT_EQ(ConsoleOf([&] { Rk_DistribDebug(&distrib); }), "\n" + rktest::Printed(normal));
    Rk_DistribSetUniformValues(&distrib, -3.0, 0.5, 2, 1.4, 1.6, "", "d2");
    EXPECT_EQ(DumpOf(Rk_DistribDebugRpt, &distrib).lines.at(3),
              "    lower truncation NOT SET and upper truncation 1.600000");
    distrib.type = RK_DISTRIB_SAMPLE + 1;
    EXPECT_EQ(DumpOf(Rk_DistribDebugRpt, &distrib).lines,
              (Lines{"Distribution len has type: Other", "--------------------------------",
                     "    No further information for this distrib type"}));
}

}  // namespace
