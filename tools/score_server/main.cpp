// score_server: the weekly online hiscores over HTTP/1.0, as the game's online page talks to them.
//
//   score_server --port N --data DIR [--bind ADDRESS]
//
// Listens on port N (0: a free port, named in the first line printed) of ADDRESS (all addresses by
// default), keeps its accounts and scores in DIR/score.db and reads the message of the day from
// DIR/motd.txt. Prints one line per request: time, client, request, status and the start of the
// reply. Stops on SIGINT or SIGTERM. libmicrohttpd reads the requests; it accepts lines ended by a
// bare LF, which is how the game writes them, and answers an oversized request itself.

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>

#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <string>

#include "protocol.h"
#include "scores/scramble.h"

namespace glimmet::server {
namespace {

constexpr size_t RequestMemory = 16 * 1024; // per connection: a longer request line or header is refused
constexpr unsigned Threads = 4;
constexpr unsigned ConnectionTimeoutSeconds = 10;
constexpr unsigned MaxConnections = 200;

struct Server {
    Store store;
    std::vector<std::string> motd;
};

std::mutex LogMutex;

void LogLine(const std::string& text) {
    std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    std::lock_guard lock(LogMutex);
    std::cout << stamp << " " << text << std::endl;
}

// Control characters shown as escapes, so that one request is one line of the log.
std::string Printable(const std::string& text, size_t limit) {
    std::string shown;
    for (char c : text.substr(0, limit)) {
        if (c == '\n')
            shown += "\\n";
        else if (static_cast<unsigned char>(c) < 32)
            shown += '?';
        else
            shown += c;
    }
    return text.size() > limit ? shown + "..." : shown;
}

std::string ClientAddress(MHD_Connection* connection) {
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    if (info == nullptr || info->client_addr == nullptr) return "-";
    char text[INET6_ADDRSTRLEN] = "-";
    const sockaddr* address = info->client_addr;
    if (address->sa_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
    else if (address->sa_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text, sizeof text);
    return text;
}

// The request's URI as it came, query included; freed when the request completes.
void* KeepUri(void*, const char* uri, MHD_Connection*) {
    return new std::string(uri);
}

void ForgetUri(void*, MHD_Connection*, void** context, MHD_RequestTerminationCode) {
    delete static_cast<std::string*>(*context);
    *context = nullptr;
}

MHD_Result CollectArgument(void* arguments, MHD_ValueKind, const char* key, const char* value) {
    (*static_cast<std::map<std::string, std::string>*>(arguments))[key] = value != nullptr ? value : "";
    return MHD_YES;
}

MHD_Result HandleRequest(void* serverData, MHD_Connection* connection, const char* url, const char* method,
                         const char* version, const char*, size_t* uploadSize, void** context) {
    auto& server = *static_cast<Server*>(serverData);
    if (*uploadSize != 0) { // a body nobody asked for: skip it, the reply is already decided
        *uploadSize = 0;
        return MHD_YES;
    }
    std::map<std::string, std::string> arguments;
    MHD_get_connection_values(connection, MHD_GET_ARGUMENT_KIND, CollectArgument, &arguments);
    Reply reply = Answer(server.store, server.motd, method, url, arguments);
    auto* uri = static_cast<std::string*>(*context);
    LogLine(ClientAddress(connection) + " \"" + method + " " + Printable(uri != nullptr ? *uri : url, 400) +
            " " + version + "\" " + std::to_string(reply.status) + " \"" + Printable(reply.body, 60) + "\"");
    MHD_Response* response =
        MHD_create_response_from_buffer(reply.body.size(), reply.body.data(), MHD_RESPMEM_MUST_COPY);
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/plain; charset=ISO-8859-1");
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
    MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
    MHD_destroy_response(response);
    return queued;
}

// libmicrohttpd's own messages: requests it refused before they reached us, among others.
void LogLibraryMessage(void*, const char* format, va_list arguments) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    LogLine("refused: " + Printable(line, 100));
}

struct Options {
    int port = -1;
    std::string data;
    std::string bind;
};

bool ReadOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string name = argv[i], value = argv[i + 1];
        if (name == "--port" && !value.empty() &&
            value.find_first_not_of("0123456789") == std::string::npos && value.size() <= 5)
            options.port = std::stoi(value);
        else if (name == "--data")
            options.data = value;
        else if (name == "--bind")
            options.bind = value;
        else
            return false;
    }
    return argc % 2 == 1 && options.port >= 0 && options.port <= 65535 && !options.data.empty();
}

MHD_Daemon* StartDaemon(Server& server, const Options& options) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(options.port));
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!options.bind.empty() && inet_pton(AF_INET, options.bind.c_str(), &address.sin_addr) != 1)
        return nullptr;
    return MHD_start_daemon(
        MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_ERROR_LOG, static_cast<uint16_t>(options.port), nullptr,
        nullptr, HandleRequest, &server, MHD_OPTION_EXTERNAL_LOGGER, LogLibraryMessage, nullptr,
        MHD_OPTION_SOCK_ADDR, &address, MHD_OPTION_THREAD_POOL_SIZE, Threads, MHD_OPTION_CONNECTION_LIMIT,
        MaxConnections, MHD_OPTION_CONNECTION_TIMEOUT, ConnectionTimeoutSeconds,
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, RequestMemory, MHD_OPTION_URI_LOG_CALLBACK, KeepUri, nullptr,
        MHD_OPTION_NOTIFY_COMPLETED, ForgetUri, nullptr, MHD_OPTION_END);
}

int Run(int argc, char** argv) {
    Options options;
    if (!ReadOptions(argc, argv, options)) {
        std::cerr << "usage: score_server --port N --data DIR [--bind ADDRESS]\n";
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(options.data, error);
    BuildDefaultKey();
    Server server;
    std::string problem;
    if (!OpenStore(server.store, options.data, problem)) {
        std::cerr << "score_server: " << problem << "\n";
        return 1;
    }
    server.motd = ReadMotd(options.data);
    // The library's threads inherit this mask, so the signals reach the sigwait below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    MHD_Daemon* daemon = StartDaemon(server, options);
    if (daemon == nullptr) {
        std::cerr << "score_server: cannot listen on port " << options.port << "\n";
        CloseStore(server.store);
        return 1;
    }
    const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon, MHD_DAEMON_INFO_BIND_PORT);
    LogLine("listening on port " + std::to_string(info != nullptr ? info->port : options.port) +
            ", data in " + options.data);
    int received = 0;
    sigwait(&stopSignals, &received);
    MHD_stop_daemon(daemon);
    CloseStore(server.store);
    LogLine("stopped");
    return 0;
}

} // namespace
} // namespace glimmet::server

int main(int argc, char** argv) {
    return glimmet::server::Run(argc, argv);
}
