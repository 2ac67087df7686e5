#pragma once
// Small TCP servers on 127.0.0.1 for the network tests, each on a port of the system's choosing.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace glimmet::test {

// A listening socket that accepts into its backlog; nothing answers unless a test accepts.
struct Listener {
    int fd = -1;
    int port = 0;
    Listener();
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
};

// Reads one whole HTTP request from a connection: the headers up to the first empty line (lines end
// in LF, as the client writes them), then Content-Length bytes of body and the CR LF after it.
// Reading it all matters: closing with unread bytes would reset the connection.
std::string ReadRequest(int connection);

// An HTTP server on its own thread: answers every request with the bytes `answer` returns for its
// request text, then closes the connection. Keeps every request it read.
class LoopbackServer {
  public:
    explicit LoopbackServer(std::function<std::string(const std::string& request)> answer);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::string host() const { return "127.0.0.1:" + std::to_string(listener_.port); }
    std::vector<std::string> requests() const;

  private:
    void Run();

    Listener listener_;
    std::function<std::string(const std::string&)> answer_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// The request line of a request text: the bytes up to the first LF.
std::string RequestLine(const std::string& request);

} // namespace glimmet::test
