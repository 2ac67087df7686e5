// TCP on loopback against small servers run by the test itself.
#include "platform/net.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/loopback.h"

namespace glimmet {
namespace {

using test::Listener;

long long ElapsedMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since)
        .count();
}

std::vector<std::string> ReadAll(TcpStream& stream) {
    std::vector<std::string> lines;
    while (!TcpAtEnd(stream) && lines.size() < 100) lines.push_back(TcpReadLine(stream));
    return lines;
}

// Accepts one connection, reads the whole request, answers and closes.
void Serve(int listenFd, std::string reply, std::string* request) {
    int client = accept(listenFd, nullptr, nullptr);
    if (client < 0) return;
    *request = test::ReadRequest(client);
    send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
    close(client);
}

TEST(PlatformNet, ClosedPortFailsAtOnce) {
    int port;
    {
        Listener closed; // bound, then released: nothing listens there
        port = closed.port;
    }
    ASSERT_GT(port, 0);
    TcpStream stream;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(TcpConnect(stream, "127.0.0.1", port, 20000, 20000));
    EXPECT_LT(ElapsedMs(start), 10000) << "a refusal does not wait for the time-out";
    EXPECT_TRUE(TcpAtEnd(stream));
    EXPECT_FALSE(TcpSend(stream, "x"));
    EXPECT_EQ(TcpReadLine(stream), "");
}

TEST(PlatformNet, BadHostOrPortFails) {
    TcpStream stream;
    EXPECT_FALSE(TcpConnect(stream, "", 80, 1000, 1000));
    EXPECT_FALSE(TcpConnect(stream, "127.0.0.1", 0, 1000, 1000));
    EXPECT_FALSE(TcpConnect(stream, "127.0.0.1", 70000, 1000, 1000));
}

TEST(PlatformNet, LinesAreReadUntilThePeerCloses) {
    Listener server;
    ASSERT_GT(server.port, 0);
    std::string request;
    std::string reply("HTTP/1.0 200 OK\r\nX: y\r\n\r\nhello\r\nnul\0next\nlast", 45);
    std::thread thread(Serve, server.fd, reply, &request);
    TcpStream stream;
    ASSERT_TRUE(TcpConnect(stream, "127.0.0.1", server.port, 5000, 5000));
    EXPECT_TRUE(TcpSend(stream, "GET /x HTTP/1.0\nHost: h\n\n\r\n"));
    std::vector<std::string> lines = ReadAll(stream);
    thread.join();
    TcpClose(stream);
    EXPECT_EQ(request, "GET /x HTTP/1.0\nHost: h\n\n\r\n");
    const std::vector<std::string> expected = {"HTTP/1.0 200 OK", "X: y", "", "hello", "nul", "next", "last"};
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(stream.timedOut);
}

TEST(PlatformNet, HostNamesResolve) {
    Listener server;
    std::string request;
    std::thread thread(Serve, server.fd, std::string("ok\n"), &request);
    TcpStream stream;
    // localhost may resolve to ::1 first; the next address is tried when one refuses.
    bool connected = TcpConnect(stream, "localhost", server.port, 5000, 5000);
    if (connected) TcpSend(stream, "\n\n\r\n");
    std::vector<std::string> lines = connected ? ReadAll(stream) : std::vector<std::string>{};
    if (!connected) {
        TcpStream wake; // let the server thread finish
        TcpConnect(wake, "127.0.0.1", server.port, 5000, 5000);
        TcpSend(wake, "\n\n\r\n");
        TcpClose(wake);
    }
    thread.join();
    TcpClose(stream);
    EXPECT_TRUE(connected);
    EXPECT_EQ(lines, std::vector<std::string>{"ok"});
}

TEST(PlatformNet, SilentPeerTimesOut) {
    Listener server; // accepts into its backlog and never says anything
    TcpStream stream;
    ASSERT_TRUE(TcpConnect(stream, "127.0.0.1", server.port, 5000, 200));
    EXPECT_TRUE(TcpSend(stream, "GET / HTTP/1.0\n\n\r\n"));
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(TcpAtEnd(stream));
    EXPECT_TRUE(stream.timedOut);
    EXPECT_GE(ElapsedMs(start), 150);
    EXPECT_EQ(TcpReadLine(stream), "");
    TcpClose(stream);
}

TEST(PlatformNet, TotalTimeOutBoundsTheExchange) {
    Listener server;
    TcpStream stream;
    ASSERT_TRUE(TcpConnect(stream, "127.0.0.1", server.port, 5000, 60000, 200));
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(TcpAtEnd(stream));
    EXPECT_TRUE(stream.timedOut);
    EXPECT_LT(ElapsedMs(start), 30000);
    TcpClose(stream);
}

TEST(PlatformNet, SendingToAClosedPeerFailsQuietly) {
    Listener server;
    TcpStream stream;
    ASSERT_TRUE(TcpConnect(stream, "127.0.0.1", server.port, 5000, 1000));
    int accepted = accept(server.fd, nullptr, nullptr);
    ASSERT_GE(accepted, 0);
    close(accepted);
    std::string big(1 << 20, 'x');
    bool ok = true;
    for (int i = 0; i < 8 && ok; i++) ok = TcpSend(stream, big); // no SIGPIPE ends the test program
    EXPECT_FALSE(ok);
    TcpClose(stream);
}

// A peer that never stops sending ends the stream at the cap, without waiting for any time-out.
TEST(PlatformNet, ReceivedBytesAreCapped) {
    Listener server;
    std::thread flood([&server] {
        int client = accept(server.fd, nullptr, nullptr);
        std::string chunk(4000, 'x');
        chunk += '\n';
        for (int i = 0; i < 16384 && send(client, chunk.data(), chunk.size(), MSG_NOSIGNAL) > 0; i++) {}
        close(client);
    });
    TcpStream stream;
    ASSERT_TRUE(TcpConnect(stream, "127.0.0.1", server.port, 5000, 60000, 60000, 100000));
    std::vector<std::string> lines = ReadAll(stream);
    TcpClose(stream); // the flood's next send fails
    flood.join();
    EXPECT_TRUE(stream.capped);
    EXPECT_FALSE(stream.timedOut);
    EXPECT_EQ(stream.received, 100000);
    ASSERT_EQ(lines.size(), 25u); // 24 whole lines and the cut-off rest
    EXPECT_EQ(lines.back().size(), 100000u - 24 * 4001);
}

} // namespace
} // namespace glimmet
