#include "platform/net.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace glimmet {

namespace {

long long SteadyMs() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

// Waits until fd is ready for events, at most timeoutMs; true when it is.
bool WaitFor(int fd, short events, long long timeoutMs) {
    long long until = SteadyMs() + std::max(0LL, timeoutMs);
    while (true) {
        pollfd p{fd, events, 0};
        long long left = std::max(0LL, until - SteadyMs());
        int n = poll(&p, 1, static_cast<int>(std::min(left, 1LL << 30)));
        if (n > 0) return true;
        if (n == 0 || errno != EINTR) return false;
    }
}

// The shorter of the read time-out and what is left of the whole exchange.
long long WaitBudget(const TcpStream& stream) {
    return std::min<long long>(stream.readTimeoutMs, stream.deadlineMs - SteadyMs());
}

bool ConnectOne(const addrinfo& address, long long until, int& fd) {
    fd = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (fd < 0) return false;
    if (connect(fd, address.ai_addr, address.ai_addrlen) == 0) return true;
    if (errno == EINPROGRESS && WaitFor(fd, POLLOUT, until - SteadyMs())) {
        int error = 0;
        socklen_t size = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0) return true;
    }
    close(fd);
    fd = -1;
    return false;
}

// Reads what has arrived, waiting for it within the budget; marks the end on close, failure or time-out.
void Fill(TcpStream& stream) {
    if (stream.ended) return;
    if (stream.fd < 0) {
        stream.ended = true;
        return;
    }
    if (stream.received >= stream.maxBytes) {
        stream.ended = true;
        stream.capped = true;
        return;
    }
    if (!WaitFor(stream.fd, POLLIN, WaitBudget(stream))) {
        stream.ended = true;
        stream.timedOut = true;
        return;
    }
    char buffer[4096];
    size_t room = static_cast<size_t>(std::min<long long>(sizeof buffer, stream.maxBytes - stream.received));
    ssize_t n;
    do n = recv(stream.fd, buffer, room, 0);
    while (n < 0 && errno == EINTR);
    if (n > 0) {
        stream.pending.append(buffer, static_cast<size_t>(n));
        stream.received += n;
    } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
        stream.ended = true;
    }
}

} // namespace

bool TcpConnect(TcpStream& stream, const std::string& host, int port, int connectTimeoutMs, int readTimeoutMs,
                int totalTimeoutMs, long long maxBytes) {
    TcpClose(stream);
    stream = TcpStream{};
    stream.readTimeoutMs = std::max(0, readTimeoutMs);
    stream.maxBytes = std::max(0LL, maxBytes);
    long long start = SteadyMs();
    stream.deadlineMs = start + std::max(0, totalTimeoutMs);
    if (host.empty() || port <= 0 || port > 65535) return false;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
    long long until = start + std::max(0, connectTimeoutMs);
    bool connected = false;
    for (addrinfo* a = found; a != nullptr && !connected && SteadyMs() < until; a = a->ai_next)
        connected = ConnectOne(*a, until, stream.fd);
    freeaddrinfo(found);
    return connected;
}

bool TcpSend(TcpStream& stream, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        if (stream.fd < 0) return false;
        ssize_t n = send(stream.fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(stream.fd, POLLOUT, WaitBudget(stream))) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool TcpAtEnd(TcpStream& stream) {
    if (stream.pending.empty()) Fill(stream);
    return stream.pending.empty() && stream.ended;
}

std::string TcpReadLine(TcpStream& stream) {
    size_t scanned = 0;
    while (true) {
        size_t end = stream.pending.find_first_of(std::string("\n\0", 2), scanned);
        if (end != std::string::npos || stream.ended) {
            std::string line = stream.pending.substr(0, end);
            stream.pending.erase(0, end == std::string::npos ? end : end + 1);
            std::erase(line, '\r');
            return line;
        }
        scanned = stream.pending.size();
        Fill(stream);
    }
}

void TcpClose(TcpStream& stream) {
    if (stream.fd >= 0) close(stream.fd);
    stream.fd = -1;
    stream.ended = true;
    stream.pending.clear();
}

} // namespace glimmet
