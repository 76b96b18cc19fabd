// Degree-of-freedom sets (rk_dof): the word of twelve degrees, its operations, and the sets carried
// into another frame's axes axis to axis, by root sum square, and for open degrees.
#include <array>

#include "datum_helpers.hpp"

namespace {

using namespace datumtest;
using Dof = GeomTest;

// The twelve degrees, +Tx to -Rz, bit by bit.
constexpr int TXP = 1, TXM = 2, TYP = 4, TYM = 8, TZP = 16, TZM = 32, RXP = 64, RXM = 128, RYP = 256, RYM = 512,
              RZP = 1024, RZM = 2048;
using Unary = int (*)(const Rk_DofStruct*, Rk_DofStruct*);
using Binary = int (*)(const Rk_DofStruct*, const Rk_DofStruct*, Rk_DofStruct*);
using Map = int (*)(const Rk_DofStruct*, const Rk_RefFrameStruct*, const Rk_RefFrameStruct*, double, Rk_DofStruct*);
int Word(const Rk_DofStruct& dof) { return Query(Rk_DofMapToInt, &dof); }

// A frame turned `degrees` about the world z axis.
Rk_RefFrameStruct AboutZ(double degrees) { return {AtDegrees(degrees), AtDegrees(degrees + 90), kZ, kO}; }

TEST_F(Dof, TheTwelveFlagsAreBitsZeroToElevenAndTheTestsIgnoreTheOthers)
{
    Rk_DofStruct dof = {-1}, all = {-1};
    OK(Rk_DofInit(&dof) || Rk_DofInitNot(&all));
    EXPECT_TRUE(Word(dof) == 0 && Word(all) == 4095) << "upper bits cleared too";
    for (int i = 0; i < 12; ++i) {
        std::array<int, 12> in{}, out;
        in[i] = i % 2 ? -1 : 2;  // any flag but 0 is controlled
        OK(Rk_DofSet(&dof, in[0], in[1], in[2], in[3], in[4], in[5], in[6], in[7], in[8], in[9], in[10], in[11]));
        EXPECT_EQ(Word(dof), 1 << i);
        OK(Rk_DofMapFromInt(&dof, (1 << i) | ~0xFFF));
        OK(Rk_DofGet(&dof, &out[0], &out[1], &out[2], &out[3], &out[4], &out[5], &out[6], &out[7], &out[8], &out[9],
                     &out[10], &out[11]));
        for (int k = 0; k < 12; ++k) EXPECT_EQ(out[k], k == i ? 1 : 0) << i << " read as " << k;
    }
    // +Tx or -Rz open fails the all test; -Rz or +Tx alone passes the any test; upper bits count for neither.
    for (auto [word, all_, any] : {std::tuple{4095 & ~1, 0, 1}, {4095 & ~2048, 0, 1}, {2048, 0, 1}, {1, 0, 1},
                                   {4095 | 0x7FFFF000, 1, 1}, {0x7FFFF000, 0, 0}}) {
        OK(Rk_DofMapFromInt(&dof, word));
        EXPECT_TRUE(Query(Rk_DofAllDegreesControlled, &dof) == all_ && Query(Rk_DofAnyDegreeControlled, &dof) == any)
            << word;
    }
}

TEST_F(Dof, OperationsWorkDegreeByDegreeAndMayWriteOverTheirInputs)
{
    // Per-degree operations leave bits 12 to 31 clear; not, intersection and union carry the whole word.
    for (auto [op, in, out] : {std::tuple<Unary, int, int>{Rk_DofControlRz, 1 | 128 | 0x1000, 1 | 128 | 3072},
                               {Rk_DofClearRotation, 2 | 512 | 0x1000, 2},
                               {Rk_DofClearTranslation, 32 | 64 | 0x1000, 64},
                               {Rk_DofAdjustForFixture, TXP | TYM | RXM | RZM | 0x1000,
                                0xFFF & ~(TZP | TZM | RYP | RYM)},
                               {Rk_DofNot, 0x0F0, ~0x0F0}}) {
        Rk_DofStruct a = {in}, b = {0x1234};
        OK(op(&a, &b) + op(&a, &a));
        EXPECT_TRUE(b.dof == out && a.dof == out) << in;
    }
    for (auto [op, x, y, out] : {std::tuple<Binary, int, int, int>{Rk_DofIntersectDof, 0x7005, 0x3006, 0x3004},
                                 {Rk_DofUnionDof, 0x7005, 0x3006, 0x7007},
                                 {Rk_DofExclusiveOrDof, 3 | 0x1000, 5, 6},
                                 {Rk_DofSubtractDofCont, 0x1F0F, TXP | TYP | TZP | TZM | RYP, 0xE0A}}) {
        Rk_DofStruct a = {x}, b = {y}, c = {0x1234}, first = {x}, second = {y};
        OK(op(&a, &b, &c) + op(&first, &b, &first) + op(&a, &second, &second));
        EXPECT_TRUE(c.dof == out && first.dof == out && second.dof == out) << x << ", " << y;
    }
}

TEST_F(Dof, ControlledDegreesFollowTheAxesOfTheOtherFrameAndAZeroAxisIsRefused)
{
    const Rk_RefFrameStruct half = {kMX, kMY, kZ, kO}, moved = {kX, kY, kZ, P(50, -7, 3)}, &world = kWorld;
    const auto map = [](Map op, int word, const Rk_RefFrameStruct& from, const Rk_RefFrameStruct& to, double angle) {
        Rk_DofStruct in = {word}, out = {0x5A5A5A5A}, same = {word};
        EXPECT_EQ(op(&in, &from, &to, angle, &out), 0);
        EXPECT_TRUE(op(&same, &from, &to, angle, &same) == 0 && same.dof == out.dof) << "the output may be the input";
        return out.dof;
    };
    // Columns: axis to axis, root sum square.
    for (auto [in, from, to, angle, axes, rss] :
         {std::tuple{0x3A5C, world, moved, 45.0, 0xA5C, 0xA5C},  // origins ignored, only bits 0 to 11 out
          {0xA5C, world, world, 0.0, 0, 0xA5C},                  // no angle below 0; rss 1 is below 1 + zero_eps
          {TXP | RYM | RZP, world, half, 10.0, TXM | RYP | RZP, TXM | RYP | RZP},
          {TXP, world, AboutZ(45), 10.0, 0, 0},          // an oblique source controls nothing alone
          {TXP | TYP, world, AboutZ(45), 10.0, 0, TXP},  // together they give rss 1 on the new +x
          {TXP, world, AboutZ(40), 45.0, TXP, TXP},                       // cos 50 on the new -y stays below cos 45
          {TXP, world, world, 95.0, TXP | TYP | TYM | TZP | TZM, 0xFFF},  // above 90 the perpendicular axes too
          {TXP | TYM | RZP, world, Rk_RefFrameStruct{V(0, 0, 4), V(3, 0, 0), V(0, 2, 0), P(1, 1, 1)}, 10.0,
           TYP | TZM | RXP, TYP | TZM | RXP}})  // axis lengths do not matter to angles
        EXPECT_TRUE(map(Rk_DofMapContToRefFrame, in, from, to, angle) == axes &&
                    map(Rk_DofMapContToRefFrameRss, in, from, to, angle) == rss) << in << " within " << angle;
    // Open degrees are carried, everything else is controlled.
    for (auto [in, to, out] : {std::tuple{0, world, ~0xFFF},
                               {~TXP, half, ~TXM},
                               {~(TXP | RZM), AboutZ(45), ~RZM}})
        EXPECT_EQ(map(Rk_DofMapOpenToRefFrame, in, world, to, 10), out) << in;
    const Rk_RefFrameStruct no_x = {V(0, 0, 0), kY, kZ, kO}, tiny_z = {kX, kY, V(1e-12, 0, 0), kO};
    EXPECT_EQ(map(Rk_DofMapContToRefFrameRss, TXP | TYP | RZM, no_x, world, 10), TYP | RZM) << "zero axis adds nothing";
    // The other mappings cannot measure an angle to a zero or tiny axis and leave the output as it was.
    Rk_DofStruct in = {TXP | RZM}, out = {0x1234}, same = {TXP | RZM};
    ExpectRefusals({REFUSES(6, vec, Rk_DofMapContToRefFrame(&in, &no_x, &world, 10, &out)),
                    REFUSES(6, vec, Rk_DofMapOpenToRefFrame(&same, &world, &tiny_z, 10, &same))},
                   [&] { return out.dof == 0x1234 && same.dof == (TXP | RZM); });
    Rk_GeometrySetZeroEpsilon(0.0);
    EXPECT_EQ(map(Rk_DofMapContToRefFrameRss, TXP, world, world, 0), 0) << "rss 1 is not above cos 0";
    Rk_GeometrySetZeroEpsilon(0.3);
    EXPECT_EQ(map(Rk_DofMapContToRefFrameRss, TXP, world, AboutZ(45), 10), TXP | TYM) << "0.707 + 0.3 passes cos 10";
}

}  // namespace
