#pragma once
// Thttp, a minimal HTTP/1.0 client: one object serves one exchange. Open connects, Get or Post sends
// one request and reads everything the server sends until it closes the connection, Close ends it.
//
// The request goes out one byte per character, its lines ended by a single LF, and the whole of it
// written as one line with CR LF after it:
//
//   GET /path HTTP/1.0 LF Host: host LF User-Agent: agent LF LF CR LF
//   POST /path HTTP/1.0 LF Host: host LF User-Agent: agent LF Content-Length: n LF
//        Content-Type: application/x-www-form-urlencoded LF LF body CR LF
//
// The POST body is name=value pairs joined by "&", both sides UrlEncoded; n counts the body only.
// The response comes back unparsed: every line up to LF with CR dropped (a NUL also ends a line),
// joined by LF, the final LF removed: status line, headers, an empty line, the body.
//
// Every wait is bounded and so is the size of a response: see the limits below. An exchange that
// runs out of time or bytes yields the empty response, as does a host that cannot be reached.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/net.h"

namespace glimmet {

// Limits of one exchange; InitializeHttp sets them, tests shorten them.
extern int HttpConnectTimeoutMs; // connecting, all addresses of the host together
extern int HttpReadTimeoutMs;    // each wait for more of the response
extern int HttpTotalTimeoutMs;   // the whole exchange, counted from the connect
extern long long HttpMaxBytes;   // the response, headers included
// Connections attempted since InitializeHttp, so a test can tell that nothing went out.
extern int HttpOpenCount;
void InitializeHttp();

struct Thttp {
    TcpStream sock;      // the connection; no socket until Open
    bool stream = false; // set by a successful Open; requests are sent and read only then
    std::string host;    // as given to a successful Open: sent in the "Host: " header
    std::string agent = "TolvarThttp/1.0";
    int32_t autoClose = 0; // when not 0, Get and Post close after reading the response

    Thttp() = default;
    ~Thttp() { Close(); }
    Thttp(const Thttp&) = delete;
    Thttp& operator=(const Thttp&) = delete;

    // Connects to host on port 80, or on the port after a last ":" ("127.0.0.1:8080"). 1 when
    // connected, 0 when the host does not resolve, refuses or does not answer in time.
    int Open(const std::string& host, int autoClose);
    std::string Get(const std::string& path); // path without its leading "/"; "" when not open
    std::string Post(const std::string& path, const std::vector<std::string>& names,
                     const std::vector<std::string>& values);
    void Close();

    // Digits, letters and "+-._" stay; every other byte becomes "%" and two upper-case hex digits.
    static std::string UrlEncode(const std::string& text);
    // "%" and two upper-case hex digits become that byte; a "%" not followed by two such digits is
    // kept as it is, and "+" stays "+".
    static std::string UrlDecode(const std::string& text);
};

} // namespace glimmet
