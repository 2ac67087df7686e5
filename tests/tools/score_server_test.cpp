// The score server as its own program on loopback, driven by the game's own client: registration,
// password checks, uploads, tables, concurrent uploads, a restart, and requests it must refuse.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/state.h"
#include "online/http_client.h"
#include "online/score_protocol.h"
#include "platform/net.h"
#include "scores/scramble.h"
#include "support/online.h"
#include "support/temp_dir.h"

extern char** environ;

namespace glimmet {
namespace {

// score_server started on a free port of 127.0.0.1, its output in a file of the data folder.
class ServerProcess {
  public:
    explicit ServerProcess(const std::string& data) : data_(data) { Start(); }
    ~ServerProcess() { Stop(); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    void Start() {
        const std::string logFile = data_ + "/server-" + std::to_string(++starts_) + ".log";
        std::vector<std::string> args = {GLIMMET_SCORE_SERVER, "--port", "0", "--data", data_, "--bind",
                                         "127.0.0.1"};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        log_ = logFile;
        // Waits for the line that names the port: bounded by a count, not by the machine's speed.
        for (int i = 0; i < 3000 && port_ == 0 && pid_ > 0; i++) {
            std::string text = Log();
            size_t at = text.find("listening on port ");
            if (at != std::string::npos)
                port_ = std::atoi(text.c_str() + at + 18);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        port_ = 0;
    }

    std::string Log() const {
        std::ifstream file(log_);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    int port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }

  private:
    std::string data_, log_;
    int starts_ = 0;
    pid_t pid_ = -1;
    int port_ = 0;
};

// One raw exchange, for the requests the client never makes and for many threads at once (the client
// keeps its counters in plain globals).
std::string Exchange(int port, const std::string& request) {
    TcpStream stream;
    std::string text;
    if (TcpConnect(stream, "127.0.0.1", port, 5000, 30000, 60000)) {
        TcpSend(stream, request);
        while (!TcpAtEnd(stream)) text += TcpReadLine(stream) + "\n";
    }
    TcpClose(stream);
    return text;
}

Scores Record(int64_t score, int64_t timestamp, int level = 0) {
    Scores r = test::ScoreRecord(score, timestamp);
    r.Level = level;
    return r;
}

class ScoreServer : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetOnlineState();
        ASSERT_GT(server.port(), 0) << server.Log();
        ScoreServerHost = server.host();
    }
    void TearDown() override { test::ResetOnlineState(); }

    test::TempDir temp;
    ServerProcess server{temp.path()};
};

TEST_F(ScoreServer, RegistersANewNameAndChecksItsPassword) {
    EXPECT_TRUE(Login(LoginPayload()).starts_with("Welcome!|"));
    EXPECT_TRUE(LoginToServer()) << "the same password again";
    EXPECT_EQ(Login(LoginPayload()).substr(0, 17), "Password Correct|");
    EXPECT_GE(MotdCount, 2);
    EXPECT_EQ(MotdLines[1], "Welcome to the weekly online hiscores.");
    LoginPassword = "wrong one";
    EXPECT_EQ(Login(LoginPayload()), "WRONG PASSWORD");
    EXPECT_FALSE(LoginToServer());
    LoginName = "a|bcd"; // a bar in a name does not confuse the payload
    LoginPassword = "p|ss";
    EXPECT_TRUE(Login(LoginPayload()).starts_with("Welcome!|"));
    EXPECT_TRUE(Login(LoginPayload()).starts_with("Password Correct|"));
    const std::string log = server.Log();
    EXPECT_NE(log.find("127.0.0.1 \"GET /tallix/login.php?week=291&input=" + LoginPayload() +
                       " HTTP/1.0\" 200 \"Password Correct|"),
              std::string::npos)
        << log;
}

TEST_F(ScoreServer, UploadShowsInTheTableAndSurvivesARestart) {
    ASSERT_TRUE(LoginToServer());
    TopLocal = Record(4321, 1700000000);
    DropTableRows();
    DownloadTable(); // the table is empty: the best local score goes up
    EXPECT_EQ(UploadCount, 1);
    EXPECT_TRUE(OnlineList.empty());
    LoginPassword = "not mine";
    EXPECT_EQ(SubmitScore(UploadPayload(Record(9999, 5))), "WRONG PASSWORD");
    LoginPassword = "secret";

    server.Stop();
    server.Start();
    ASSERT_GT(server.port(), 0);
    ScoreServerHost = server.host();
    EXPECT_TRUE(Login(LoginPayload()).starts_with("Password Correct|")) << "the account was kept";
    UploadCount = 0;
    DropTableRows();
    DownloadTable(); // the upload is in the table, tying TopLocal: offered once more, shown once
    EXPECT_EQ(UploadCount, 1);
    ASSERT_EQ(OnlineList.size(), 1u);
    EXPECT_EQ(OnlineList[0].Score, 4321);
    EXPECT_EQ(OnlineList[0].Name, "Flonder");
    EXPECT_EQ(OnlineList[0].Timestamp, 1700000000);
    EXPECT_EQ(OnlineList[0].GameMode, -1);
    EXPECT_EQ(OnlineList[0].Best[1], 3);
    UploadCount = 0;
    DropTableRows();
    DownloadTable();
    EXPECT_EQ(OnlineList.size(), 1u) << "the same record sent twice is one row";
}

TEST_F(ScoreServer, FiftyConcurrentUploadsLoseNothing) {
    ASSERT_TRUE(LoginToServer());
    std::vector<std::string> requests;
    for (int i = 0; i < 50; i++) {
        Scores record = Record(1000 + i, 100 + i, 1 + i % 5); // ten uploads in each of five tables
        requests.push_back("GET /tallix/scores.php?Week=291&Input=" + UploadPayload(record) +
                           " HTTP/1.0\nHost: " + server.host() + "\nUser-Agent: TolvarThttp/1.0\n\n\r\n");
    }
    std::vector<std::string> replies(requests.size());
    std::vector<std::thread> senders;
    for (size_t i = 0; i < requests.size(); i++)
        senders.emplace_back([&, i] { replies[i] = Exchange(server.port(), requests[i]); });
    for (std::thread& t : senders) t.join();
    for (const std::string& reply : replies)
        EXPECT_NE(reply.find("\n\nScore Saved"), std::string::npos) << reply;
    for (int level = 1; level <= 5; level++) {
        CurrentLevel = level;
        TopLocal.reset();
        DropTableRows();
        DownloadTable();
    }
    ASSERT_EQ(OnlineList.size(), 50u);
    std::vector<bool> seen(50, false);
    for (const Scores& row : OnlineList) {
        ASSERT_GE(row.Score, 1000);
        ASSERT_LT(row.Score, 1050);
        EXPECT_EQ(row.Level, 1 + (row.Score - 1000) % 5);
        seen[static_cast<size_t>(row.Score - 1000)] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 50);
}

TEST_F(ScoreServer, TableHoldsTheBestThirtyInPairsOfLines) {
    ASSERT_TRUE(LoginToServer());
    for (int i = 0; i < 35; i++) SubmitScore(UploadPayload(Record(10 * i, i)));
    const std::string body = FetchTable("0");
    std::vector<std::string> lines;
    std::stringstream text(body);
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 60u) << body;
    EXPECT_EQ(lines[0], "340|Flonder|0|34|0|0|0|0");
    EXPECT_EQ(lines[1], "3|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
    EXPECT_EQ(lines[58], "50|Flonder|0|5|0|0|0|0");
    EXPECT_EQ(FetchTable("7"), "") << "a table nobody played";
}

TEST_F(ScoreServer, RefusesBadRequestsAndGoesOn) {
    struct Case {
        std::string request, status;
    };
    const std::string payload = LoginPayload();
    const Case cases[] = {
        {"GET /" + std::string(20000, 'a') + " HTTP/1.0\n\n\r\n", "HTTP/1.1 414"},
        {"GET /tallix/login.php?week=291&input=XYZ HTTP/1.0\n\n\r\n", "HTTP/1.1 400"},
        {"GET /tallix/login.php?week=291&input=" + payload.substr(0, 40) + " HTTP/1.0\n\n\r\n",
         "HTTP/1.1 400"},
        {"GET /tallix/scores.php?Week=291&Input=" + payload + " HTTP/1.0\n\n\r\n",
         "HTTP/1.1 400"}, // no score
        {"GET /tallix/tables/291/x.txt HTTP/1.0\n\n\r\n", "HTTP/1.1 404"},
        {"GET /index.html HTTP/1.0\n\n\r\n", "HTTP/1.1 404"},
        {"POST /tallix/login.php HTTP/1.0\nContent-Length: 3\n\nabc\r\n", "HTTP/1.1 405"},
        {"GET /x HTTP/1.0\nno colon here\n\n\r\n", "HTTP/1.1 400"},
        {"GET /tallix/tables/291/0.txt HTTP/1.0\r\n\r\n", "HTTP/1.1 200"}, // CR LF is fine too
    };
    for (const Case& c : cases) {
        std::string reply = Exchange(server.port(), c.request);
        EXPECT_EQ(reply.substr(0, c.status.size()), c.status) << c.request.substr(0, 80) << "\n" << reply;
    }
    EXPECT_TRUE(LoginToServer()) << "still answering";
}

} // namespace
} // namespace glimmet
