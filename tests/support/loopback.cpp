#include "support/loopback.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace glimmet::test {

Listener::Listener() {
    fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 64) != 0) return;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
}

Listener::~Listener() {
    close(fd);
}

std::string ReadRequest(int connection) {
    std::string request;
    size_t wanted = std::string::npos;
    char buffer[4096];
    while (request.size() < wanted) {
        ssize_t n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<size_t>(n));
        size_t headersEnd = request.find("\n\n");
        if (wanted == std::string::npos && headersEnd != std::string::npos) {
            size_t length = 0;
            size_t at = request.find("\nContent-Length: ");
            if (at != std::string::npos && at < headersEnd)
                length = std::strtoul(request.c_str() + at + 17, nullptr, 10);
            wanted = headersEnd + 2 + length + 2;
        }
    }
    return request;
}

LoopbackServer::LoopbackServer(std::function<std::string(const std::string&)> answer)
    : answer_(std::move(answer)), thread_([this] { Run(); }) {}

LoopbackServer::~LoopbackServer() {
    stop_ = true;
    thread_.join();
}

std::vector<std::string> LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LoopbackServer::Run() {
    while (!stop_) {
        pollfd p{listener_.fd, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0) continue;
        int connection = accept(listener_.fd, nullptr, nullptr);
        if (connection < 0) continue;
        std::string request = ReadRequest(connection);
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        std::string reply = answer_(request);
        send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
        close(connection);
    }
}

std::string RequestLine(const std::string& request) {
    return request.substr(0, request.find('\n'));
}

} // namespace glimmet::test
