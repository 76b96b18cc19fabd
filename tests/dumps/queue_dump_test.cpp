// Dumps of message and error records and of the two global queues: the draining pair empties its
// queue, the NoFlush pair leaves it as it was.
#include <string>

#include "dump_helpers.hpp"
#include "rk_test.hpp"

namespace {

using rktest::ConsoleOf;
using rktest::Lines;
using rktest::ListReport;
using rktest::ConsoleWithoutMemory;
using rktest::Printed;

// The records of these tests take their texts from a message file of their own.
class RecordDump : public rktest::LibraryTest {
protected:
    void SetUp() override
    {
        rktest::LibraryTest::SetUp();
        file_ = WriteTempFile("dump-messages.txt",
                              "#42\n*Bolt %T1 missing\n&Check the fixture\n&and the part\n#43\n*Second\n"
                              "#44\n*a later block ends the block of 43\n");
    }

    Rk_ErrorStruct Error42() const
    {
        Rk_ErrorStruct error;
        Rk_ErrorSet(&error, 42, file_.c_str(), "rk_arc(627)");
        Rk_ErrorSetToken(&error, 1, "M6");
        return error;
    }
    Rk_ErrorStruct Error43() const
    {
        Rk_ErrorStruct error;
        Rk_ErrorSet(&error, 43, file_.c_str(), "here");
        return error;
    }
    Rk_MessageStruct Message42() const
    {
        Rk_MessageStruct msg;
        Rk_MessageSet(&msg, 42, file_.c_str());
        Rk_MessageSetToken(&msg, 1, "M6");
        Rk_MessageSetToken(&msg, 3, "x");
        Rk_MessageSetToken(&msg, RK_NUM_TOKENS, "last");
        return msg;
    }
    Rk_MessageStruct Message43() const
    {
        Rk_MessageStruct msg;
        Rk_MessageSet(&msg, 43, file_.c_str());
        return msg;
    }

    // What the dumps of the records above write at indent 0.
    const Lines kError42 = {"Error 42 at rk_arc(627)", "    Bolt M6 missing", "    Check the fixture",
                            "    and the part"};
    const Lines kError43 = {"Error 43 at here", "    Second", "    (Detailed message not found)"};
    const Lines kMessage42 = {"Message 42",          "    Token[1] : M6",      "    Token[3] : x",
                              "    Token[250] : last", "    Bolt M6 missing",    "    Check the fixture",
                              "    and the part"};
    const Lines kMessage43 = {"Message 43", "    Second", "    (Detailed message not found)"};

    static Lines Join(std::initializer_list<Lines> parts)
    {
        Lines out;
        for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
        return out;
    }

    static int ErrorCount()
    {
        int size = -1;
        Rk_ErrorQueueGetSize(&size);
        return size;
    }
    static int MessageCount()
    {
        int size = -1;
        Rk_MessageQueueGetSize(&size);
        return size;
    }

private:
    std::string file_;
};

using ErrorDump = RecordDump;
using MessageDump = RecordDump;
using ErrorQueueDump = RecordDump;
using MessageQueueDump = RecordDump;

TEST_F(ErrorDump, IdAndLocationThenTheTextsIndented)
{
    const Rk_ErrorStruct error = Error42();
    ListReport report(1);
    ASSERT_EQ(Rk_ErrorDebugRpt(&error, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{" Error 42 at rk_arc(627)", "     Bolt M6 missing", "     Check the fixture",
                                     "     and the part"}));
    EXPECT_EQ(report.indent(), 1);
    EXPECT_EQ(ConsoleOf([&] { Rk_ErrorDebug(&error); }), Printed(Join({{""}, kError42})));
}

TEST_F(ErrorDump, ADetailedTextThatCannotBeReadEndsTheDumpAfterTheSummary)
{
    const Rk_ErrorStruct error = Error42();
    const auto starved = ConsoleWithoutMemory([&](Rk_ReportStruct* r) { return Rk_ErrorDebugRpt(&error, r); });
    EXPECT_EQ(starved.status, 1);
    EXPECT_ERROR(11, "rk_strar(");
    EXPECT_EQ(starved.printed, Printed({"Error 42 at rk_arc(627)", "    Bolt M6 missing"}));
    EXPECT_EQ(starved.indent, 0);
}

TEST_F(MessageDump, NonEmptyTokensAreNumberedFromOne)
{
    const Rk_MessageStruct msg = Message42();
    ListReport report;
    ASSERT_EQ(Rk_MessageDebugRpt(&msg, report.get()), 0);
    EXPECT_EQ(report.lines(), kMessage42);
    EXPECT_EQ(ConsoleOf([&] { Rk_MessageDebug(&msg); }), Printed(Join({{""}, kMessage42})));
}

TEST_F(ErrorQueueDump, TheDrainingDumpTakesEveryErrorOutOldestFirst)
{
    const Rk_ErrorStruct first = Error42();
    const Rk_ErrorStruct second = Error43();
    Rk_ErrorQueueAddError(&first);
    Rk_ErrorQueueAddError(&second);
    ListReport report;
    ASSERT_EQ(Rk_ErrorQueueDebugRpt(report.get()), 0);
    EXPECT_EQ(report.lines(), Join({{"2 Errors in Queue"}, kError42, kError43}));
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(ErrorQueueDump, AnEmptyQueueWritesOnlyItsCount)
{
    ListReport report;
    ASSERT_EQ(Rk_ErrorQueueDebugRpt(report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"0 Errors in Queue"}));
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(ErrorQueueDump, NoFlushLeavesTheQueueAsItWas)
{
    const Rk_ErrorStruct first = Error42();
    const Rk_ErrorStruct second = Error43();
    Rk_ErrorQueueAddError(&first);
    Rk_ErrorQueueAddError(&second);
    ListReport report;
    ASSERT_EQ(Rk_ErrorQueueDebugRptNoFlush(report.get()), 0);
    EXPECT_EQ(report.lines(), Join({{"", "2 Errors in Queue"}, kError42, kError43}));
    EXPECT_EQ(ErrorCount(), 2);
    EXPECT_ERROR(42, "rk_arc(627)");
    EXPECT_ERROR(43, "here");
}

TEST_F(ErrorQueueDump, DebugFormsWriteToTheConsole)
{
    const Rk_ErrorStruct error = Error43();
    Rk_ErrorQueueAddError(&error);
    EXPECT_EQ(ConsoleOf([] { Rk_ErrorQueueDebugNoFlush(); }),
              Printed(Join({{"", "", "1 Errors in Queue"}, kError43})));
    EXPECT_EQ(ErrorCount(), 1);
    EXPECT_EQ(ConsoleOf([] { Rk_ErrorQueueDebug(); }), Printed(Join({{"", "1 Errors in Queue"}, kError43})));
    EXPECT_EQ(ErrorCount(), 0);
}

// Each failed write queues an error of its own. The draining dump takes out only the errors that
// were queued when it began; were it to go on until the queue is empty, it would never end.
TEST_F(ErrorQueueDump, ErrorsRaisedByTheDumpItselfAreLeftQueued)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    Rk_ReportStruct broken;
    Rk_ReportStrListInit(&broken, &list);
    Rk_StrListFree(&list);
    const Rk_ErrorStruct error = Error42();
    Rk_ErrorQueueAddError(&error);

    ASSERT_EQ(Rk_ErrorQueueDebugRpt(&broken), 0);
    EXPECT_EQ(ErrorCount(), 5) << "the count line, the error line, its summary and its two detailed lines";
    for (int i = 0; i < 5; ++i) EXPECT_ERROR(1, "rk_strtb(");
}

TEST_F(MessageQueueDump, TheDrainingDumpCountsWithALeadingBlank)
{
    const Rk_MessageStruct first = Message42();
    const Rk_MessageStruct second = Message43();
    Rk_MessageQueueAddMessage(&first);
    Rk_MessageQueueAddMessage(&second);
    ListReport report;
    ASSERT_EQ(Rk_MessageQueueDebugRpt(report.get()), 0);
    EXPECT_EQ(report.lines(), Join({{" 2 Messages in Queue"}, kMessage42, kMessage43}));
    EXPECT_EQ(MessageCount(), 0);

    ListReport empty;
    ASSERT_EQ(Rk_MessageQueueDebugRpt(empty.get()), 0);
    EXPECT_EQ(empty.lines(), (Lines{" 0 Messages in Queue"}));
}

TEST_F(MessageQueueDump, NoFlushCountsWithoutTheBlankAndKeepsTheMessages)
{
    const Rk_MessageStruct first = Message42();
    const Rk_MessageStruct second = Message43();
    Rk_MessageQueueAddMessage(&first);
    Rk_MessageQueueAddMessage(&second);
    ListReport report;
    ASSERT_EQ(Rk_MessageQueueDebugRptNoFlush(report.get()), 0);
    EXPECT_EQ(report.lines(), Join({{"", "2 Messages in Queue"}, kMessage42, kMessage43}));
    ASSERT_EQ(MessageCount(), 2);
    Rk_MessageStruct out;
    int found = 0;
    Rk_MessageQueueGetMessage(&out, &found);
    EXPECT_EQ(out.msg_id, 42) << "the oldest stays first";
    EXPECT_STREQ(out.tokens[2], "x");

    EXPECT_EQ(ConsoleOf([] { Rk_MessageQueueDebugNoFlush(); }),
              Printed(Join({{"", "", "1 Messages in Queue"}, kMessage43})));
    EXPECT_EQ(MessageCount(), 1);
    EXPECT_EQ(ConsoleOf([] { Rk_MessageQueueDebug(); }), Printed(Join({{"", " 1 Messages in Queue"}, kMessage43})));
    EXPECT_EQ(MessageCount(), 0);
}

}  // namespace
