#pragma once
// TCP connections (POSIX sockets) for the HTTP client: resolve, connect, send bytes, read lines until
// the peer closes. Nothing blocks for ever: connecting is bounded by its time-out, every wait for
// data by the read time-out, and the whole exchange by a total time-out counted from the connect.
// Host-name resolution uses the system resolver, which bounds itself (resolv.conf). The bytes
// received are capped too: past the cap the stream ends, so a peer that never stops sending cannot
// exhaust memory.
//
// Received text is one character per byte. A line is the bytes up to LF; CR bytes are dropped; a NUL
// byte ends the line too (the next line starts after it).

#include <string>

namespace glimmet {

struct TcpStream {
    int fd = -1;
    std::string pending; // received bytes not yet read
    bool ended = false;  // nothing more will come: peer closed, timed out or failed
    bool timedOut = false;
    bool capped = false;    // ended because maxBytes were received
    long long received = 0; // bytes received so far
    long long maxBytes = 0; // the cap on received bytes
    int readTimeoutMs = 0;
    long long deadlineMs = 0; // on the steady clock
};

// Connects to the first address of host that accepts, on port. False when the host does not resolve,
// every address refuses (a closed port fails at once) or the time-out passes.
bool TcpConnect(TcpStream& stream, const std::string& host, int port, int connectTimeoutMs, int readTimeoutMs,
                int totalTimeoutMs = 60000, long long maxBytes = 1 << 20);
bool TcpSend(TcpStream& stream, const std::string& bytes);
bool TcpAtEnd(TcpStream& stream);           // waits for data when none is pending
std::string TcpReadLine(TcpStream& stream); // "" at the end
void TcpClose(TcpStream& stream);

} // namespace glimmet
