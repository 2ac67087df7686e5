// The score protocol against a score server thread on loopback: credentials, payloads, the reply body,
// the login reply and the table refresh with its single upload.
#include "online/score_protocol.h"

#include <gtest/gtest.h>

#include <string>

#include "base/state.h"
#include "online/http_client.h"
#include "scores/fields.h"
#include "scores/scramble.h"
#include "support/loopback.h"
#include "support/online.h"

namespace glimmet {
namespace {

using test::LoopbackServer;
using test::RequestLine;

class ScoreProtocol : public testing::Test {
  protected:
    void SetUp() override { test::ResetOnlineState(); }
    void TearDown() override { test::ResetOnlineState(); }
};

using test::Reply;

Scores Record(int64_t score, int64_t timestamp, int mode = 0) {
    Scores r = test::ScoreRecord(score, timestamp);
    r.GameMode = mode;
    return r;
}

// A table file with `rows` rows, scores starting at `top` and falling by 10.
std::string Table(int rows, int64_t top) {
    std::string text;
    for (int i = 0; i < rows; i++)
        text += std::to_string(top - 10 * i) + "|Row " + std::to_string(i) + "|0|" +
                std::to_string(1000 + i) +
                "|0|0|0|0\n0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n";
    return text;
}

// The requests of a server that were uploads.
int Uploads(const LoopbackServer& server) {
    int n = 0;
    for (const std::string& request : server.requests())
        if (RequestLine(request).starts_with("GET /tallix/scores.php?")) n++;
    return n;
}

TEST_F(ScoreProtocol, CleanCredentialsReplacesSeventeenCharacters) {
    LoginName = "ab-cd";
    LoginPassword = "*\"'-+&?{}[]~#\\/:; |x";
    CleanCredentials();
    EXPECT_EQ(LoginName, "ab_cd");
    EXPECT_EQ(LoginPassword, "_________________ |x");
}

TEST_F(ScoreProtocol, TableIdNamesModeLevelAndFlags) {
    EXPECT_EQ(TableId(), 0);
    CurrentMode = 2;
    CurrentLevel = 3;
    CurrentFlags = 1;
    EXPECT_EQ(TableId(), 1302);
}

TEST_F(ScoreProtocol, PayloadsUnscrambleToCredentialsAndRow) {
    const std::string credentials = Unscramble(CredentialBlock(), LoginKey);
    EXPECT_EQ(credentials, "flonder|secret");
    EXPECT_EQ(Unscramble(LoginPayload(), ""), "flonder|" + CredentialBlock());
    Scores record = Record(1234, 99, 0);
    record.Name = "a|b";
    const std::string row = UploadRowText(record);
    EXPECT_EQ(row, "1234|a\xA6"
                   "b|0|99|0|0|0|0|" +
                       BestSeparator + "|3|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
    EXPECT_EQ(Unscramble(UploadPayload(record), ""), "flonder|" + CredentialBlock() + "|" + row);
}

TEST_F(ScoreProtocol, ReplyBodyIsTheTextBetweenEmptyLines) {
    struct Case {
        std::string response, body;
    };
    const Case cases[] = {
        {"HTTP/1.0 200 OK\nX: y\n\nWelcome!|a\nb", "Welcome!|a\nb"},
        {"H\n\nfirst\n\nsecond\n\nthird", "firstthird"},
        {"H\nX: y", ""},
        {"H\n\n", ""},
        {"", ""},
        {"H\n\n\nx", "\nx"}, // the character right after a pair is taken without a new test
    };
    for (const Case& c : cases) EXPECT_EQ(ReplyBody(c.response), c.body) << c.response;
}

TEST_F(ScoreProtocol, LoginSendsThePayloadAndReadsTheMessageOfTheDay) {
    LoopbackServer server([](const std::string&) { return Reply("Welcome!|Line one\r\n  Line two  \r\n"); });
    ScoreServerHost = server.host();
    LoginName = "ab-cd";
    EXPECT_TRUE(LoginToServer());
    EXPECT_EQ(LoginName, "ab_cd");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(RequestLine(server.requests()[0]),
              "GET /tallix/login.php?week=291&input=" + LoginPayload() + " HTTP/1.0");
    EXPECT_EQ(MotdCount, 2);
    EXPECT_EQ(MotdLines[1], "Line one");
    EXPECT_EQ(MotdLines[2], "Line two");
    EXPECT_EQ(MotdLines[3], "");
}

TEST_F(ScoreProtocol, LoginReplies) {
    struct Case {
        std::string body;
        bool success;
        int motdCount;
        std::string first, second;
    };
    const Case cases[] = {
        {"Welcome!|Line one\nLine two", true, 2, "Line one", "Line two"},
        {"Password Correct", true, 2, "Password Correct", "Password Correct"},
        {"Password Correct|News\n\nhidden", true, 1, "News", ""},
        {"Welcome!|a\n-+-\nb", true, 1, "a", ""},
        {"WRONG PASSWORD", false, 0, "", ""},
        {"password correct", false, 0, "", ""},
        {"", false, 0, "", ""},
    };
    for (const Case& c : cases) {
        MotdCount = 0;
        MotdLines.fill("");
        EXPECT_EQ(ReadLoginReply(c.body), c.success) << c.body;
        EXPECT_EQ(MotdCount, c.motdCount) << c.body;
        EXPECT_EQ(MotdLines[1], c.first) << c.body;
        EXPECT_EQ(MotdLines[2], c.second) << c.body;
    }
}

TEST_F(ScoreProtocol, MessageOfTheDayKeepsNineteenLines) {
    std::string motd;
    for (int i = 1; i <= 25; i++) motd += "line " + std::to_string(i) + "\n";
    EXPECT_TRUE(ReadLoginReply("Welcome!|" + motd));
    EXPECT_EQ(MotdCount, 19);
    EXPECT_EQ(MotdLines[19], "line 19");
}

TEST_F(ScoreProtocol, FailedLoginsOverTheWire) {
    LoopbackServer server([](const std::string&) { return Reply("WRONG PASSWORD"); });
    ScoreServerHost = server.host();
    EXPECT_FALSE(LoginToServer());
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(MotdCount, 0);
    ScoreServerHost = "127.0.0.1:1"; // nothing listens: an empty body, a failed login
    EXPECT_FALSE(LoginToServer());
}

TEST_F(ScoreProtocol, ShortCredentialsSendNothing) {
    LoopbackServer server([](const std::string&) { return Reply("Welcome!|x"); });
    ScoreServerHost = server.host();
    struct Case {
        std::string name, password;
    };
    const Case cases[] = {{"flonder", "abc"}, {"abc", "secret"}, {"", ""}};
    for (const Case& c : cases) {
        LoginName = c.name;
        LoginPassword = c.password;
        EXPECT_EQ(Login(LoginPayload()), "WRONG PASSWORD");
        EXPECT_EQ(SubmitScore(UploadPayload(Record(1, 1))), "WRONG PASSWORD");
        EXPECT_FALSE(LoginToServer());
    }
    EXPECT_EQ(HttpOpenCount, 0);
    EXPECT_TRUE(server.requests().empty());
}

// A refresh against a server that serves `table` and accepts uploads: how many uploads it saw.
int RefreshAgainst(const std::string& table, std::vector<std::string>* requests = nullptr) {
    LoopbackServer server([&table](const std::string& request) {
        return RequestLine(request).starts_with("GET /tallix/tables/") ? Reply(table) : Reply("OK");
    });
    ScoreServerHost = server.host();
    UploadCount = 0;
    DropTableRows();
    DownloadTable();
    if (requests != nullptr) *requests = server.requests();
    return Uploads(server);
}

TEST_F(ScoreProtocol, RefreshUploadsOnlyWhenTheBestLocalScoreBelongs) {
    TopLocal = Record(500, 1);
    EXPECT_EQ(RefreshAgainst(Table(30, 1000)), 0) << "30 rows, all above";
    EXPECT_EQ(UploadCount, 0);
    EXPECT_EQ(OnlineList.size(), 30u);
    EXPECT_EQ(RefreshAgainst(Table(29, 1000)), 1) << "29 rows: room in the table";
    EXPECT_EQ(UploadCount, 1);
    EXPECT_EQ(OnlineList.size(), 29u) << "the table's old rows were dropped";
    EXPECT_EQ(RefreshAgainst(Table(30, 790)), 1) << "ties the lowest of 30 rows (500)";
    TopLocal = Record(5000, 1);
    EXPECT_EQ(RefreshAgainst(Table(30, 1000)), 1) << "beats every row, uploaded once";
    EXPECT_EQ(RefreshAgainst(Table(3, 1000)), 1) << "beats every row of a short table, uploaded once";
    EXPECT_EQ(RefreshAgainst("<html><HeAd><title>404</title></head></html>"), 1) << "an HTML page";
    TopLocal.reset();
    EXPECT_EQ(RefreshAgainst(Table(3, 1000)), 0) << "nothing to offer";
    EXPECT_EQ(RefreshAgainst("<HEAD>"), 0);
}

TEST_F(ScoreProtocol, RefreshSendsTheTablePathAndTheUploadPayload) {
    CurrentMode = 1;
    CurrentLevel = 2;
    TopLocal = Record(77, 5, 1);
    TopLocal->Level = 2;
    std::vector<std::string> requests;
    EXPECT_EQ(RefreshAgainst("", &requests), 1);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(RequestLine(requests[0]), "GET /tallix/tables/291/201.txt HTTP/1.0");
    EXPECT_EQ(RequestLine(requests[1]),
              "GET /tallix/scores.php?Week=291&Input=" + UploadPayload(*TopLocal) + " HTTP/1.0");
}

TEST_F(ScoreProtocol, DownloadedRowsKeepTheirValuesWithANegativeMode) {
    const std::string best =
        "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|-30";
    const std::string table =
        "900| Ann |-3|2000|0|0|-4|1\n" + best + "\nno bar here\nskipped\n100|Bob|0|3000|0|0|0|0\n";
    RefreshAgainst(table);
    ASSERT_EQ(OnlineList.size(), 2u);
    const Scores& bob = OnlineList[0]; // newest first
    const Scores& ann = OnlineList[1];
    EXPECT_EQ(bob.Name, "Bob");
    EXPECT_EQ(bob.GameMode, -1);
    EXPECT_EQ(ann.Score, 900);
    EXPECT_EQ(ann.Name, "Ann");
    EXPECT_EQ(ann.Badges, 3);
    EXPECT_EQ(ann.Timestamp, 2000);
    EXPECT_EQ(ann.GameMode, -1);
    EXPECT_EQ(ann.GameFlags, 4);
    EXPECT_EQ(ann.Quit, 1);
    EXPECT_EQ(ann.Best[1], 1);
    EXPECT_EQ(ann.Best[30], 30);
}

TEST_F(ScoreProtocol, RefreshDropsOnlyTheCurrentTable) {
    Scores other = Record(1, 1, -3); // a row of mode 2
    Scores current = Record(2, 2, -1);
    Scores otherLevel = Record(3, 3, -1);
    otherLevel.Level = 4;
    OnlineList = {other, current, otherLevel};
    DropTableRows();
    ASSERT_EQ(OnlineList.size(), 2u);
    EXPECT_EQ(OnlineList[0].Score, 1);
    EXPECT_EQ(OnlineList[1].Score, 3);
}

TEST_F(ScoreProtocol, RefreshWithoutAServerTriesOneUpload) {
    ScoreServerHost = "127.0.0.1:1";
    TopLocal = Record(5, 5);
    DownloadTable();
    EXPECT_EQ(UploadCount, 1);
    EXPECT_EQ(HttpOpenCount, 2);
    EXPECT_TRUE(OnlineList.empty());
}

TEST_F(ScoreProtocol, TopLocalIsTheBestRecordOfTheTable) {
    DrawLocalTable(0, 415, 0, 0, 0, 0);
    EXPECT_FALSE(TopLocal) << "an empty table sets nothing";
    Scores newer = Record(50, 30);
    Scores older = Record(50, 10);
    Scores otherTable = Record(900, 20, 1);
    ScoreList = {newer, otherTable, older, Record(20, 5)};
    DrawLocalTable(0, 415, 0, 0, 0, 0);
    ASSERT_TRUE(TopLocal);
    EXPECT_EQ(TopLocal->Timestamp, 30) << "the newer of equal scores";
    DrawLocalTable(0, 415, -1, 0, 0, 0);
    EXPECT_EQ(TopLocal->Timestamp, 30) << "the online table never sets it";
    DrawLocalTable(0, 415, 2, 0, 0, 0);
    EXPECT_EQ(TopLocal->Timestamp, 30) << "an empty table keeps the last value";
    DrawLocalTable(0, 415, 1, 0, 0, 0);
    EXPECT_EQ(TopLocal->Score, 900);
}

} // namespace
} // namespace glimmet
