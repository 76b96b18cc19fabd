// Message and error records: setting them, their tokens and their forms.
#include <cstring>
#include <string>
#include <vector>

#include "rk_test.hpp"

namespace {

using MessageRecord = rktest::LibraryTest;
using ErrorRecord = rktest::LibraryTest;

TEST_F(MessageRecord, SetClearsEveryTokenAndCutsThePath)
{
    Rk_MessageStruct msg;
    std::memset(&msg, 'x', sizeof msg);
    const std::string path(200, 'p');
    EXPECT_EQ(Rk_MessageSet(&msg, 42, path.c_str()), 0);
    long id = 0;
    Rk_MessageGetId(&msg, &id);
    EXPECT_EQ(id, 42);
    EXPECT_EQ(std::string(msg.msgfile), path.substr(0, 128));
    char token[129];
    for (int n : {1, 125, 250}) {
        EXPECT_EQ(Rk_MessageGetToken(&msg, n, token), 0);
        EXPECT_STREQ(token, "") << "token " << n;
    }
}

TEST_F(MessageRecord, TokenNumbersOutsideOneTo250FailAndChangeNothing)
{
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 1, "file");
    Rk_MessageSetToken(&msg, 1, "first");
    Rk_MessageSetToken(&msg, 250, "last");
    for (int bad : {0, 251, -1}) {
        EXPECT_EQ(Rk_MessageSetToken(&msg, bad, "bad"), 1) << bad;
        EXPECT_ERROR(1, "rk_mes(");
        char out[129] = "untouched";
        EXPECT_EQ(Rk_MessageGetToken(&msg, bad, out), 1) << bad;
        EXPECT_ERROR(1, "rk_mes(");
        EXPECT_STREQ(out, "untouched");
    }
    char out[129];
    Rk_MessageGetToken(&msg, 1, out);
    EXPECT_STREQ(out, "first");
    Rk_MessageGetToken(&msg, 250, out);
    EXPECT_STREQ(out, "last");
}

TEST_F(MessageRecord, LongTokenIsStoredAsItsFirst128Characters)
{
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 1, "file");
    const std::string text(200, 't');
    Rk_MessageSetToken(&msg, 7, text.c_str());
    char out[129];
    Rk_MessageGetToken(&msg, 7, out);
    EXPECT_EQ(std::string(out), text.substr(0, 128));
}

TEST_F(ErrorRecord, FormsForwardToTheMessagePart)
{
    Rk_ErrorStruct error;
    const std::string loc(150, 'l');
    EXPECT_EQ(Rk_ErrorSet(&error, 9, "messages", loc.c_str()), 0);
    long id = 0;
    Rk_ErrorGetId(&error, &id);
    EXPECT_EQ(id, 9);
    char out[129];
    Rk_ErrorGetLocation(&error, out);
    EXPECT_EQ(std::string(out), loc.substr(0, 128));
    EXPECT_EQ(Rk_ErrorSetToken(&error, 2, "two"), 0);
    Rk_MessageGetToken(&error.msg, 2, out);
    EXPECT_STREQ(out, "two");
    EXPECT_EQ(Rk_ErrorSetToken(&error, 251, "x"), 1);
    EXPECT_ERROR(1, "rk_mes(");
}

}  // namespace
