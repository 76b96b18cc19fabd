// Dumps of the geometry kernel: the four one-line prints to standard output, and the vector, arc,
// reference-frame and transform dumps through a report.
#include <string>

#include "dump_helpers.hpp"
#include "rk_test.hpp"

namespace {

using rktest::ConsoleOf;
using rktest::Lines;
using rktest::ListReport;
using rktest::NoMemory;

using PrintedGeometry = rktest::LibraryTest;
using GeometryDump = rktest::LibraryTest;
using PointSetDump = rktest::LibraryTest;

TEST_F(PrintedGeometry, PointLinePlaneAndTolerancesPrintOneLineStartingWithANewline)
{
    Rk_PointStruct point;
    Rk_PointSet(&point, 1.5, -2.25, 3.0);
    int status = -1;
    EXPECT_EQ(ConsoleOf([&] { status = Rk_PointDebug(&point); }),
              "\n Point  x, y, z\t:    1.5000   -2.2500    3.0000 ");
    EXPECT_EQ(status, 0);

    Rk_LineStruct line;
    Rk_LineSetByCoords(&line, 1.0, 2.0, 3.0, -4.0, 5.5, 6.0);
    EXPECT_EQ(ConsoleOf([&] { status = Rk_LineDebug(&line); }),
              "\n Line Pt1    1.0000    2.0000    3.0000  Pt2   -4.0000    5.5000    6.0000");
    EXPECT_EQ(status, 0);

    Rk_PlaneStruct plane;
    ASSERT_EQ(Rk_PlaneSetByCoords(&plane, 1.0, -1.0, 2.0, 0.0, -3.0, 4.0), 0);
    EXPECT_EQ(ConsoleOf([&] { status = Rk_PlaneDebug(&plane); }),
              "\n Plane Point    1.0000   -1.0000    2.0000  Normal    0.0000   -3.0000    4.0000")
        << "the normal as stored, not made unit";
    EXPECT_EQ(status, 0);
}

TEST_F(PrintedGeometry, TolerancesPrintTheValuesInForce)
{
    int status = -1;
    EXPECT_EQ(ConsoleOf([&] { status = Rk_GeometryDebug(); }),
              "\n Angle Eps = 1.0000e+00, Point Eps = 1.0000e-02, Zero Eps = 1.0000e-09");
    EXPECT_EQ(status, 0);
    Rk_GeometrySet(0.5, 0.001, 1e-12);
    EXPECT_EQ(ConsoleOf([] { Rk_GeometryDebug(); }),
              "\n Angle Eps = 5.0000e-01, Point Eps = 1.0000e-03, Zero Eps = 1.0000e-12");
}

TEST_F(GeometryDump, VectorIsOneLineEndingInItsOwnNewline)
{
    Rk_VectorStruct vec;
    ASSERT_EQ(Rk_VectorSet(&vec, 1.0, -2.0, 0.5), 0);
    ListReport report(3);
    ASSERT_EQ(Rk_VectorDebugRpt(&vec, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"    Vector  i, j, k :    1.0000   -2.0000    0.5000\n"}));
    EXPECT_EQ(report.indent(), 3);

    int status = -1;
    EXPECT_EQ(ConsoleOf([&] { status = Rk_VectorDebug(&vec); }),
              "\n Vector  i, j, k :    1.0000   -2.0000    0.5000\n\n");
    EXPECT_EQ(status, 0);
}

TEST_F(GeometryDump, ArcIsOneLine)
{
    Rk_ArcStruct arc;
    const Rk_PointStruct center = {1.0, 2.0, 3.0};
    const Rk_VectorStruct normal = {0.0, 0.0, 1.0};
    ASSERT_EQ(Rk_ArcSet(&arc, &center, &normal, 2.5), 0);
    ListReport report;
    ASSERT_EQ(Rk_ArcDebugRpt(&arc, report.get()), 0);
    const std::string expected =
        "Arc Center    1.000    2.000    3.000 Normal    0.000    0.000    1.000 Radius   2.500";
    EXPECT_EQ(report.lines(), (Lines{expected}));
    EXPECT_EQ(ConsoleOf([&] { Rk_ArcDebug(&arc); }), "\n" + expected + "\n");
}

// The vector and arc dumps answer with the status of their one write.
TEST_F(GeometryDump, VectorAndArcReturnTheStatusOfTheirWrite)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    Rk_ReportStruct report;
    Rk_ReportStrListInit(&report, &list);
    Rk_StrListFree(&list);  // every write to the report now fails

    Rk_VectorStruct vec;
    Rk_VectorInit(&vec);
    EXPECT_EQ(Rk_VectorDebugRpt(&vec, &report), 1);
    EXPECT_ERROR(1, "rk_strtb(");
    Rk_ArcStruct arc;
    Rk_ArcInit(&arc);
    EXPECT_EQ(Rk_ArcDebugRpt(&arc, &report), 1);
    EXPECT_ERROR(1, "rk_strtb(");
}

TEST_F(GeometryDump, ReferenceFrameLinesUpOriginAndAxesWithoutTitleOrIndent)
{
    Rk_RefFrameStruct frame;
    Rk_RefFrameInit(&frame);
    const Rk_PointStruct origin = {10.0, -20.5, 0.25};
    Rk_RefFrameSetOrigin(&frame, &origin);
    ListReport report(2);
    ASSERT_EQ(Rk_RefFrameDebugRpt(&frame, report.get()), 0);
    const Lines expected = {"Ref Frame : Origin      10.00   -20.50     0.25",
                            "            Local X      1.00     0.00     0.00",
                            "            Local Y      0.00     1.00     0.00",
                            "            Local Z      0.00     0.00     1.00"};
    Lines indented;
    for (const auto& line : expected) indented.push_back("  " + line);
    EXPECT_EQ(report.lines(), indented);
    EXPECT_EQ(report.indent(), 2);
    EXPECT_EQ(ConsoleOf([&] { Rk_RefFrameDebug(&frame); }), rktest::Printed(Lines{""}) + rktest::Printed(expected));
}

TEST_F(GeometryDump, TransformShowsItsFourRowsInStorageOrder)
{
    double rows[4][3] = {{0.0, 1.0, 0.0}, {-1.0, 0.0, 0.0}, {0.0, 0.0, 1.0}, {1.5, -2.0, 10.0}};
    Rk_TransformStruct tform;
    ASSERT_EQ(Rk_TransformSet(&tform, rows), 0);
    ListReport report;
    ASSERT_EQ(Rk_TransformDebugRpt(&tform, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"Transformation Matrix: ", "-----------------------", "      0.000    1.000    0.000",
                                     "     -1.000    0.000    0.000", "      0.000    0.000    1.000",
                                     "      1.500   -2.000   10.000"}));
    EXPECT_EQ(report.indent(), 0);
}

// A value wider than the scratch line's own room is written whole when there is memory, and
// fails with error 11 in the family's module when there is none.
TEST_F(GeometryDump, AHugeValueIsNeverCutAndNeedsMemory)
{
    Rk_VectorStruct vec;
    ASSERT_EQ(Rk_VectorSet(&vec, 1e300, 0.0, 0.0), 0);
    ListReport report;
    ASSERT_EQ(Rk_VectorDebugRpt(&vec, report.get()), 0);
    const std::string line = report.lines().at(0);
    EXPECT_EQ(line.size(), std::string(" Vector  i, j, k : ").size() + 301 + 5 + 2 * 10 + 1)
        << "301 integer digits, the point and 4 decimals, then the two other components";
    EXPECT_EQ(line.rfind(" Vector  i, j, k : 1", 0), 0u);
    EXPECT_EQ(line.substr(line.size() - 21), "    0.0000    0.0000\n");

    Rk_ReportStruct nowhere;
    Rk_ReportInit(&nowhere);
    {
        NoMemory no_memory;
        EXPECT_EQ(Rk_VectorDebugRpt(&vec, &nowhere), 1);
    }
    EXPECT_ERROR(11, "rk_vec(");

    Rk_RefFrameStruct frame;
    Rk_RefFrameInit(&frame);
    const Rk_PointStruct far = {-1e300, 0.0, 0.0};
    Rk_RefFrameSetOrigin(&frame, &far);
    {
        NoMemory no_memory;
        EXPECT_EQ(Rk_RefFrameDebugRpt(&frame, &nowhere), 1);
    }
    EXPECT_ERROR(11, "rk_reffr(");
}

TEST_F(PointSetDump, EachPointOnALineWithItsNormalWhenItHasOne)
{
    Rk_DiscPtsStruct set;
    ASSERT_EQ(Rk_DiscPtsInit(&set), 0);
    const Rk_PointStruct p0 = {1.0, 2.0, 3.0};
    const Rk_VectorStruct up = {0.0, 0.0, 1.0};
    const Rk_PointStruct p1 = {-10.5, 0.25, 1000.0};
    Rk_DiscPtsAddPt(&set, &p0, &up, 1);
    Rk_DiscPtsAddPt(&set, &p1, &up, 0);
    ListReport report(1);
    ASSERT_EQ(Rk_DiscPtsDebugRpt(&set, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{" Discretized Point Set", " ---------------------", "      Set contains 2 point(s)",
                                     "     Index\t\t\tLocation  \t\t  Surface Normal",
                                     "     0    " "       1.00,     2.00,     3.00" "        0.00,     0.00,     1.00",
                                     "     1    " "     -10.50,     0.25,  1000.00"}));
    EXPECT_EQ(report.indent(), 1);

    Rk_DiscPtsClear(&set);
    EXPECT_EQ(ConsoleOf([&] { Rk_DiscPtsDebug(&set); }),
              rktest::Printed({"", "Discretized Point Set", "---------------------", "     Set contains 0 point(s)"}))
        << "no heading without points";
    Rk_DiscPtsFree(&set);
}

TEST_F(PointSetDump, APointThatCannotBeReadEndsTheDumpWithItsIndentRestored)
{
    Rk_DiscPtsStruct set;
    ASSERT_EQ(Rk_DiscPtsInit(&set), 0);
    const Rk_PointStruct p = {0.0, 0.0, 0.0};
    Rk_DiscPtsAddPt(&set, &p, nullptr, 0);
    set.num_pts = 2;  // one more than the table holds
    ListReport report(3);
    EXPECT_EQ(Rk_DiscPtsDebugRpt(&set, report.get()), 1);
    EXPECT_ERROR(1, "rk_dbltb(");
    EXPECT_EQ(report.lines(), (Lines{"   Discretized Point Set", "   ---------------------",
                                     "        Set contains 2 point(s)",
                                     "       Index\t\t\tLocation  \t\t  Surface Normal",
                                     "       0    " "       0.00,     0.00,     0.00"}))
        << "the lines before the point that cannot be read stay written";
    EXPECT_EQ(report.indent(), 3);
    Rk_DiscPtsFree(&set);
}

}  // namespace
