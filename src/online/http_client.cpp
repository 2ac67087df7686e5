#include "online/http_client.h"

#include <algorithm>

namespace glimmet {

int HttpConnectTimeoutMs;
int HttpReadTimeoutMs;
int HttpTotalTimeoutMs;
long long HttpMaxBytes;
int HttpOpenCount;

void InitializeHttp() {
    HttpConnectTimeoutMs = 5000;
    HttpReadTimeoutMs = 5000;
    HttpTotalTimeoutMs = 15000;
    HttpMaxBytes = 256 * 1024;
    HttpOpenCount = 0;
}

namespace {

constexpr int DefaultPort = 80;
const char* const HexDigits = "0123456789ABCDEF";

// Splits "name:port" when what follows the last ":" is a port number; otherwise the whole text is
// the name and the port is 80.
void SplitHostPort(const std::string& text, std::string& name, int& port) {
    name = text;
    port = DefaultPort;
    size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon + 1 == text.size() || text.size() - colon > 6) return;
    int value = 0;
    for (size_t i = colon + 1; i < text.size(); i++) {
        if (text[i] < '0' || text[i] > '9') return;
        value = value * 10 + (text[i] - '0');
    }
    name = text.substr(0, colon);
    port = value;
}

int HexDigitValue(char c) {
    const char* at = std::find(HexDigits, HexDigits + 16, c);
    return at == HexDigits + 16 ? -1 : static_cast<int>(at - HexDigits);
}

// Everything the server sends until it closes, lines joined by LF. A response cut short by a time-out
// or by the byte cap is no response at all.
std::string ReadResponse(TcpStream& sock) {
    std::string text;
    while (!TcpAtEnd(sock)) {
        text += TcpReadLine(sock);
        text += '\n';
    }
    if (sock.timedOut || sock.capped) return "";
    if (!text.empty()) text.pop_back();
    return text;
}

} // namespace

int Thttp::Open(const std::string& hostText, int close) {
    HttpOpenCount++;
    std::string name;
    int port;
    SplitHostPort(hostText, name, port);
    if (!TcpConnect(sock, name, port, HttpConnectTimeoutMs, HttpReadTimeoutMs, HttpTotalTimeoutMs,
                    HttpMaxBytes))
        return 0;
    host = hostText;
    stream = true;
    autoClose = close;
    return 1;
}

std::string Thttp::Get(const std::string& path) {
    if (!stream) return "";
    TcpSend(sock, "GET /" + path + " HTTP/1.0\nHost: " + host + "\nUser-Agent: " + agent + "\n\n\r\n");
    std::string response = ReadResponse(sock);
    if (autoClose != 0) Close();
    return response;
}

std::string Thttp::Post(const std::string& path, const std::vector<std::string>& names,
                        const std::vector<std::string>& values) {
    if (!stream) return "";
    std::string body;
    for (size_t i = 0; i < names.size(); i++) {
        if (i > 0) body += '&';
        body += UrlEncode(names[i]) + "=" + UrlEncode(i < values.size() ? values[i] : "");
    }
    TcpSend(sock, "POST /" + path + " HTTP/1.0\nHost: " + host + "\nUser-Agent: " + agent +
                      "\nContent-Length: " + std::to_string(body.size()) +
                      "\nContent-Type: application/x-www-form-urlencoded\n\n" + body + "\r\n");
    std::string response = ReadResponse(sock);
    if (autoClose != 0) Close();
    return response;
}

void Thttp::Close() {
    TcpClose(sock);
    stream = false;
}

std::string Thttp::UrlEncode(const std::string& text) {
    std::string encoded;
    for (char c : text) {
        bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '+' ||
                     c == '-' || c == '.' || c == '_';
        if (plain) {
            encoded += c;
        } else {
            auto code = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += HexDigits[code >> 4];
            encoded += HexDigits[code & 15];
        }
    }
    return encoded;
}

std::string Thttp::UrlDecode(const std::string& text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); i++) {
        bool escape = text[i] == '%' && i + 2 < text.size();
        int high = escape ? HexDigitValue(text[i + 1]) : -1;
        int low = escape ? HexDigitValue(text[i + 2]) : -1;
        if (high >= 0 && low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

} // namespace glimmet
