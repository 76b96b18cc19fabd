// Dumps of error and message records and of the two global queues: the draining pair empties its
// queue (only of the records it found there), the NoFlush pair leaves it as it was.
#include "rk_test.hpp"

namespace {

using rktest::DumpOf;
using rktest::Lines;
using RecordDump = rktest::LibraryTest;

// A record shows its texts indented (a message's tokens first); the draining queue dump takes them out.
// Each failed write queues an error; a dump shows only the errors queued when it began, so a report that
// fails at every write cannot keep it going.
TEST_F(RecordDump, RecordsShowTheirTextsAndTheDrainingDumpsEmptyTheirQueue)
{
    const std::string file = WriteTempFile("dump-messages.txt",
                                           "#42\n*Bolt %T1 missing\n&Check the fixture\n&and the part\n#43\n"
                                           "*Second\n#44\n*another block\n");
    Rk_ErrorStruct error42;
    Rk_MessageStruct message42, message43;
    Rk_ErrorSet(&error42, 42, file.c_str(), "rk_arc(627)");
    Rk_ErrorSetToken(&error42, 1, "M6");
    Rk_MessageSet(&message42, 42, file.c_str());
    for (auto [n, token] : {std::pair{1, "M6"}, {3, "x"}, {RK_NUM_TOKENS, "last"}})
        Rk_MessageSetToken(&message42, n, token);
    Rk_MessageSet(&message43, 43, file.c_str());
    EXPECT_EQ(rktest::ConsoleOf([&] { Rk_ErrorDebug(&error42); }),
              rktest::Printed({"", "Error 42 at rk_arc(627)", "    Bolt M6 missing", "    Check the fixture",
                               "    and the part"}));
    const auto starved = rktest::ConsoleWithoutMemory([&](auto* r) { return Rk_ErrorDebugRpt(&error42, r); });
    EXPECT_FAILS(starved.second, 11, "rk_strar(");
    EXPECT_EQ(starved.first, rktest::Printed({"Error 42 at rk_arc(627)", "    Bolt M6 missing"}));
    Rk_MessageQueueAddMessage(&message42);
    Rk_MessageQueueAddMessage(&message43);
    const Lines messages = {"Message 42", "    Token[1] : M6", "    Token[3] : x", "    Token[250] : last",
                            "    Bolt M6 missing", "    Check the fixture", "    and the part", "Message 43",
                            "    Second", "    (Detailed message not found)"};
    Lines kept = {"", "2 Messages in Queue"}, drained = {" 2 Messages in Queue"};
    for (Lines* want : {&kept, &drained}) want->insert(want->end(), messages.begin(), messages.end());
    EXPECT_EQ(DumpOf(Rk_MessageQueueDebugRptNoFlush).lines, kept);
    EXPECT_EQ(DumpOf(Rk_MessageQueueDebugRpt).lines, drained);
    EXPECT_EQ(DumpOf(Rk_MessageQueueDebugRpt).lines, Lines{" 0 Messages in Queue"});
    rktest::BrokenReport broken;
    for (auto [dump, keeps] : {std::pair{&Rk_ErrorQueueDebugRptNoFlush, true}, {&Rk_ErrorQueueDebugRpt, false}}) {
        Rk_ErrorQueueAddError(&error42);
        ASSERT_EQ(dump(broken.get()), 0);
        EXPECT_TRUE(!keeps || this->NextErrorIs(42, "rk_arc(627)"));
        for (int i = 0; i < 5 + keeps; ++i) EXPECT_ERROR(1, "rk_strtb(") << "write " << i;  // one more: its empty line
        EXPECT_NO_ERROR();
    }
}

}  // namespace
