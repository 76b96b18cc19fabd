// Degree-of-freedom sets carried into another frame's axes: axis to axis, by root sum square, and
// the open degrees.
#include "rk_test.hpp"

#include <cmath>

namespace {

using DofMap = rktest::LibraryTest;
using MapOp = int (*)(const Rk_DofStruct*, const Rk_RefFrameStruct*, const Rk_RefFrameStruct*, double,
                      Rk_DofStruct*);

// Bits of the twelve degrees.
enum : int {
    TXP = 1, TXM = 2, TYP = 4, TYM = 8, TZP = 16, TZM = 32,
    RXP = 64, RXM = 128, RYP = 256, RYM = 512, RZP = 1024, RZM = 2048,
};

constexpr double kPi = 3.14159265358979323846;

// A frame turned `degrees` about the world z axis; the origin plays no part in a mapping.
Rk_RefFrameStruct turned_about_z(double degrees, Rk_PointStruct origin = {0, 0, 0})
{
    const double c = std::cos(degrees * kPi / 180.0), s = std::sin(degrees * kPi / 180.0);
    return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}, origin};
}

// The frame turned exactly half a turn about z: x and y reversed, z kept.
const Rk_RefFrameStruct kHalfTurn = {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, 0}};
const Rk_RefFrameStruct kWorld = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};

int mapped(MapOp op, int word, const Rk_RefFrameStruct& from, const Rk_RefFrameStruct& to, double max_angle)
{
    Rk_DofStruct in = {word}, out = {0x5A5A5A5A};
    EXPECT_EQ(op(&in, &from, &to, max_angle, &out), 0);
    return out.dof;
}

struct Case {
    int in;
    Rk_RefFrameStruct from;
    Rk_RefFrameStruct to;
    double max_angle;
    int axis_to_axis;
    int rss;
    const char* why;
};

TEST_F(DofMap, ControlledDegreesFollowTheAxesOfTheOtherFrame)
{
    const Rk_RefFrameStruct world_elsewhere = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {50, -7, 3}};
    const Case cases[] = {
        {0xA5C, kWorld, kWorld, 10, 0xA5C, 0xA5C, "the same frame returns the input"},
        {0x3A5C, kWorld, world_elsewhere, 45, 0xA5C, 0xA5C,
         "origins are ignored, and only bits 0 to 11 come out"},
        {0xFFF, kWorld, kWorld, 89, 0xFFF, 0xFFF, "every degree maps onto itself below 90"},
        {0xA5C, kWorld, kWorld, 0, 0, 0xA5C,
         "at tolerance 0 no angle is below 0, while rss 1 is below 1 + zero_eps"},
        {TXP | RYM | RZP, kWorld, kHalfTurn, 10, TXM | RYP | RZP, TXM | RYP | RZP,
         "half a turn about z reverses x and y and keeps z"},
        {RXP, kWorld, kHalfTurn, 10, RXM, RXM, "a rotation maps onto a rotation, never a translation"},
        {TXP, kWorld, turned_about_z(45), 10, 0, 0, "an oblique source controls nothing alone"},
        {TXP | TYP, kWorld, turned_about_z(45), 10, 0, TXP,
         "+Tx and +Ty together give rss 1 on the new +x; +Ty alone projects 0.707 on the new +y"},
        {TXP | TYP, kWorld, turned_about_z(45), 0, 0, TXP,
         "two perpendicular directions at 45 degrees control the target at any tolerance"},
        {TXP, kWorld, turned_about_z(40), 45, TXP, TXP,
         "40 degrees is within 45; cos 50 on the new -y stays below cos 45"},
        {TXP, kWorld, kWorld, 95, TXP | TYP | TYM | TZP | TZM, 0xFFF,
         "above 90 both senses of the perpendicular axes are raised too, but not -Tx; the cosine "
         "of 95 is negative, so every rss passes"},
        {RZM, kWorld, kWorld, 95, RZM | RXP | RXM | RYP | RYM, 0xFFF,
         "above 90 a rotation raises the rotations about the perpendicular axes"},
        {TXP, kWorld, kWorld, 181, TXP | TXM | TYP | TYM | TZP | TZM, 0xFFF,
         "above 180 every pair of axes passes both tests"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mapped(Rk_DofMapContToRefFrame, c.in, c.from, c.to, c.max_angle), c.axis_to_axis)
            << "axis to axis: " << c.why;
        EXPECT_EQ(mapped(Rk_DofMapContToRefFrameRss, c.in, c.from, c.to, c.max_angle), c.rss)
            << "root sum square: " << c.why;
    }
}

TEST_F(DofMap, AxisToAxisComparesAnglesWhateverTheAxisLengths)
{
    const Rk_RefFrameStruct long_axes = {{0, 0, 4}, {3, 0, 0}, {0, 2, 0}, {1, 1, 1}};
    // The new x is the old z, the new y the old x, the new z the old y.
    EXPECT_EQ(mapped(Rk_DofMapContToRefFrame, TXP | TYM | RZP, kWorld, long_axes, 10), TYP | TZM | RXP);
}

TEST_F(DofMap, RootSumSquareCountsOnlyControlledDirectionsOfTheSameKind)
{
    const Rk_RefFrameStruct turned = turned_about_z(45);
    EXPECT_EQ(mapped(Rk_DofMapContToRefFrameRss, TXP | RYP, kWorld, turned, 10), 0)
        << "a rotation source must not add to a translation target";
    EXPECT_EQ(mapped(Rk_DofMapContToRefFrameRss, RXP | RYP, kWorld, turned, 10), RXP);
    EXPECT_EQ(mapped(Rk_DofMapContToRefFrameRss, TXM | TYM, kWorld, turned, 10), TXM)
        << "-Tx and -Ty together control the new -x";
}

TEST_F(DofMap, RootSumSquareReadsTheZeroToleranceInForce)
{
    ASSERT_EQ(Rk_GeometrySetZeroEpsilon(0.0), 0);
    EXPECT_EQ(mapped(Rk_DofMapContToRefFrameRss, TXP, kWorld, kWorld, 0), 0)
        << "with no zero tolerance rss 1 is not above cos 0";
    ASSERT_EQ(Rk_GeometrySetZeroEpsilon(0.3), 0);
    EXPECT_EQ(mapped(Rk_DofMapContToRefFrameRss, TXP, kWorld, turned_about_z(45), 10), TXP | TYM)
        << "0.707 + 0.3 passes cos 10 on the new +x and on the new -y";
}

TEST_F(DofMap, RootSumSquareLeavesTheDegreesOfAZeroAxisOpen)
{
    const Rk_RefFrameStruct no_x = {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
    EXPECT_EQ(mapped(Rk_DofMapContToRefFrameRss, TXP | TYP | RZM, no_x, kWorld, 10), TYP | RZM);
    EXPECT_NO_ERROR();
}

TEST_F(DofMap, OpenDegreesAreCarriedAndEverythingElseIsControlled)
{
    const struct {
        int in;
        Rk_RefFrameStruct to;
        int out;
        const char* why;
    } cases[] = {
        {-1, kHalfTurn, -1, "nothing open: every bit of the word set"},
        {4095, kWorld, -1, "nothing open among the twelve degrees; open upper bits carry nothing"},
        {0, kWorld, ~0xFFF, "everything open stays open in the same frame"},
        {~TXP, kHalfTurn, ~TXM, "open +Tx becomes open -Tx under half a turn"},
        {~(TXP | TYM), turned_about_z(45), -1, "an oblique open degree opens nothing"},
        {~(TXP | RZM), turned_about_z(45), ~RZM, "open -Rz stays open about the shared z axis"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mapped(Rk_DofMapOpenToRefFrame, c.in, kWorld, c.to, 10), c.out) << c.why;
}

TEST_F(DofMap, AFrameWithAZeroAxisFailsAndLeavesTheOutputAsItWas)
{
    Rk_RefFrameStruct bad_from = kWorld, bad_to = kWorld;
    bad_from.x_axis = {0, 0, 0};
    bad_to.z_axis = {1e-12, 0, 0};
    const struct {
        MapOp op;
        const Rk_RefFrameStruct* from;
        const Rk_RefFrameStruct* to;
        const char* why;
    } cases[] = {
        {Rk_DofMapContToRefFrame, &bad_from, &kWorld, "zero axis of the source frame, first angle"},
        {Rk_DofMapContToRefFrame, &kWorld, &bad_to, "nearly zero axis of the target frame, third angle"},
        {Rk_DofMapOpenToRefFrame, &bad_from, &kWorld, "open degrees, source frame"},
        {Rk_DofMapOpenToRefFrame, &kWorld, &bad_to, "open degrees, target frame"},
    };
    for (const auto& c : cases) {
        Rk_DofStruct in = {TXP | RZM}, out = {0x1234};
        EXPECT_EQ(c.op(&in, c.from, c.to, 10, &out), 1) << c.why;
        EXPECT_ERROR(6, "rk_vec(");
        EXPECT_EQ(out.dof, 0x1234) << c.why;

        Rk_DofStruct same = {TXP | RZM};
        EXPECT_EQ(c.op(&same, c.from, c.to, 10, &same), 1) << c.why;
        EXPECT_ERROR(6, "rk_vec(");
        EXPECT_EQ(same.dof, TXP | RZM) << "a set mapped onto itself keeps its input: " << c.why;
    }
}

TEST_F(DofMap, TheOutputMayBeTheInput)
{
    const MapOp ops[] = {Rk_DofMapContToRefFrame, Rk_DofMapContToRefFrameRss, Rk_DofMapOpenToRefFrame};
    const Rk_RefFrameStruct turned = turned_about_z(30, {4, 5, 6});
    for (MapOp op : ops) {
        for (int word : {TXP | TYP | RZM, 0x3A5C, ~(TYM | RXP)}) {
            for (double max_angle : {10.0, 45.0, 95.0}) {
                const int apart = mapped(op, word, kWorld, turned, max_angle);
                Rk_DofStruct same = {word};
                EXPECT_EQ(op(&same, &kWorld, &turned, max_angle, &same), 0);
                EXPECT_EQ(same.dof, apart) << "word " << word << ", tolerance " << max_angle;
            }
        }
    }
}

}  // namespace
