// The HTTP client against servers on loopback run by the test: the exact request bytes, the response
// as one text, and the bounds on time and size.
#include "online/http_client.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/loopback.h"

namespace glimmet {
namespace {

using test::Listener;
using test::LoopbackServer;

class HttpClient : public testing::Test {
  protected:
    void SetUp() override { InitializeHttp(); }
};

// One GET against a server that answers with reply; the request it saw comes back in request.
std::string GetFrom(const std::string& reply, std::string* request = nullptr) {
    LoopbackServer server([&reply](const std::string&) { return reply; });
    Thttp http;
    EXPECT_EQ(http.Open(server.host(), 0), 1);
    std::string response = http.Get("x");
    http.Close();
    if (request != nullptr && !server.requests().empty()) *request = server.requests()[0];
    return response;
}

TEST_F(HttpClient, GetSendsTheExactBytes) {
    std::string request;
    LoopbackServer server([](const std::string&) { return std::string("HTTP/1.0 200 OK\r\n\r\nok"); });
    Thttp http;
    ASSERT_EQ(http.Open(server.host(), 0), 1);
    EXPECT_EQ(http.host, server.host());
    EXPECT_EQ(http.Get("x?y=1"), "HTTP/1.0 200 OK\n\nok");
    http.Close();
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET /x?y=1 HTTP/1.0\nHost: " + server.host() + "\nUser-Agent: TolvarThttp/1.0\n\n\r\n");
}

TEST_F(HttpClient, PostSendsTheExactBytes) {
    LoopbackServer server([](const std::string&) { return std::string("HTTP/1.0 200 OK\r\n"); });
    const std::string head = "Host: " + server.host() + "\nUser-Agent: TolvarThttp/1.0\nContent-Length: ";
    const std::string type = "\nContent-Type: application/x-www-form-urlencoded\n\n";
    Thttp first;
    ASSERT_EQ(first.Open(server.host(), 0), 1);
    EXPECT_EQ(first.Post("f.php", {"a", "b c"}, {"1", "&"}), "HTTP/1.0 200 OK");
    first.Close();
    Thttp empty;
    ASSERT_EQ(empty.Open(server.host(), 0), 1);
    empty.Post("g", {}, {});
    empty.Close();
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[0], "POST /f.php HTTP/1.0\n" + head + "13" + type + "a=1&b%20c=%26\r\n");
    EXPECT_EQ(server.requests()[1], "POST /g HTTP/1.0\n" + head + "0" + type + "\r\n");
}

TEST_F(HttpClient, ResponsesComeBackWithLfLineEnds) {
    struct Case {
        std::string reply, expected;
    };
    const Case cases[] = {
        {"HTTP/1.0 200 OK\r\nX: y\r\n\r\nhello\r\n", "HTTP/1.0 200 OK\nX: y\n\nhello"},
        {"HTTP/1.0 200 OK\nX: y\n\nlast line without LF", "HTTP/1.0 200 OK\nX: y\n\nlast line without LF"},
        {"", ""},
        {"HTTP/1.0 200 OK\r\nX", "HTTP/1.0 200 OK\nX"}, // the server closes in the middle of a line
        {std::string("a\0b\nc", 5), "a\nb\nc"},         // a NUL ends a line too
    };
    for (const Case& c : cases) EXPECT_EQ(GetFrom(c.reply), c.expected) << c.reply;
}

TEST_F(HttpClient, AutoCloseClosesAfterTheResponse) {
    LoopbackServer server([](const std::string&) { return std::string("ok"); });
    Thttp http;
    ASSERT_EQ(http.Open(server.host(), 1), 1);
    EXPECT_EQ(http.autoClose, 1);
    EXPECT_EQ(http.Get(""), "ok");
    EXPECT_FALSE(http.stream);
    EXPECT_EQ(http.sock.fd, -1);
    EXPECT_EQ(http.Get(""), "") << "nothing is sent once closed";
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(HttpClient, UnreachableHostsFailToOpen) {
    int port;
    {
        Listener closed;
        port = closed.port;
    }
    for (const std::string& host :
         {"127.0.0.1:" + std::to_string(port), std::string("no-such-host.invalid")}) {
        Thttp http;
        EXPECT_EQ(http.Open(host, 0), 0) << host;
        EXPECT_FALSE(http.stream);
        EXPECT_EQ(http.host, "");
        EXPECT_EQ(http.Get("x"), "");
        http.Close();
    }
    EXPECT_EQ(HttpOpenCount, 2);
}

// A server that accepts and never answers: the read time-out ends the wait with no response.
TEST_F(HttpClient, SilentServerGivesAnEmptyResponse) {
    HttpReadTimeoutMs = 200;
    Listener server;
    Thttp http;
    ASSERT_EQ(http.Open("127.0.0.1:" + std::to_string(server.port), 0), 1);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(http.Get("x"), "");
    EXPECT_TRUE(http.sock.timedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60)) << "no hang";
}

// A server that answers and keeps sending: the byte cap ends the exchange with no response.
TEST_F(HttpClient, EndlessResponseIsCapped) {
    HttpMaxBytes = 64 * 1024;
    Listener server;
    std::thread flood([&server] {
        int client = accept(server.fd, nullptr, nullptr);
        test::ReadRequest(client);
        std::string chunk = "HTTP/1.0 200 OK\r\n" + std::string(1000, 'x') + "\r\n";
        for (int i = 0; i < 100000 && send(client, chunk.data(), chunk.size(), MSG_NOSIGNAL) > 0; i++) {}
        close(client);
    });
    Thttp http;
    ASSERT_EQ(http.Open("127.0.0.1:" + std::to_string(server.port), 0), 1);
    EXPECT_EQ(http.Get("x"), "");
    EXPECT_TRUE(http.sock.capped);
    http.Close();
    flood.join();
}

TEST(HttpUrl, EncodeAndDecode) {
    struct Case {
        std::string plain, encoded;
    };
    const Case cases[] = {
        {"A_b-1.+", "A_b-1.+"},
        {"\xE9", "%E9"},
        {"a b&c=d", "a%20b%26c%3Dd"},
        {std::string("\0\xff/", 3), "%00%FF%2F"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Thttp::UrlEncode(c.plain), c.encoded);
        EXPECT_EQ(Thttp::UrlDecode(c.encoded), c.plain);
    }
}

TEST(HttpUrl, DecodeKeepsAPercentWithoutTwoUpperCaseHexDigits) {
    struct Case {
        std::string text, decoded;
    };
    const Case cases[] = {
        {"%", "%"},       {"a%4", "a%4"}, {"%4g1", "%4g1"}, {"%e9", "%e9"},
        {"100%", "100%"}, {"%%41", "%A"}, {"a+b", "a+b"},   {"%41%", "A%"},
    };
    for (const Case& c : cases) EXPECT_EQ(Thttp::UrlDecode(c.text), c.decoded) << c.text;
}

} // namespace
} // namespace glimmet
