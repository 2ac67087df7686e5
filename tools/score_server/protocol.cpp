#include "protocol.h"

#include <algorithm>
#include <fstream>

#include "scores/fields.h"
#include "scores/scramble.h"

namespace glimmet::server {

namespace {

constexpr size_t MaxPayload = 4096; // hex digits; an upload needs about a thousand
constexpr size_t MinCredential = 4;
constexpr size_t MaxName = 40;
constexpr size_t MaxPassword = 100;
constexpr size_t MaxRowName = 64;
constexpr int TableRows = 30;
const std::string TablesPrefix = "/tallix/tables/";

Reply Text(int status, const std::string& body) {
    return Reply{status, body};
}

bool AllDigits(const std::string& text, size_t maxLength) {
    if (text.empty() || text.size() > maxLength) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

bool IsPayload(const std::string& text) {
    if (text.empty() || text.size() > MaxPayload || text.size() % 2 != 0) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

std::string Argument(const std::map<std::string, std::string>& arguments, const std::string& key) {
    auto found = arguments.find(key);
    return found == arguments.end() ? "" : found->second;
}

struct Payload {
    std::string name, password, rest;
};

// Finds name, password and what follows the credential block. A name may itself hold "|", so each
// "|" is tried in turn as the end of the name until the block after it unscrambles to that name.
bool ReadPayload(const std::string& input, Payload& payload) {
    const std::string outer = Unscramble(input, "");
    for (size_t bar = outer.find('|'); bar != std::string::npos; bar = outer.find('|', bar + 1)) {
        const std::string name = outer.substr(0, bar);
        size_t end = outer.find('|', bar + 1);
        const std::string inner = Unscramble(outer.substr(bar + 1, end - std::min(end, bar + 1)), LoginKey);
        if (inner.size() > name.size() && inner.compare(0, name.size() + 1, name + "|") == 0) {
            payload.name = name;
            payload.password = inner.substr(name.size() + 1);
            payload.rest = end == std::string::npos ? "" : outer.substr(end + 1);
            return true;
        }
    }
    return false;
}

bool UsableCredentials(const Payload& p) {
    for (char c : p.name)
        if (static_cast<unsigned char>(c) < 32) return false;
    return p.name.size() >= MinCredential && p.name.size() <= MaxName && p.password.size() >= MinCredential &&
           p.password.size() <= MaxPassword;
}

// The score row of an upload: the score file's record text with a bar on each side of the separator.
bool ReadRow(const std::string& text, Scores& row) {
    const std::string marked = "|" + BestSeparator + "|";
    size_t at = text.find(marked);
    if (at == std::string::npos) return false;
    std::string record = text;
    record.replace(at, marked.size(), BestSeparator);
    if (!ParseRecordText(record, row)) return false;
    for (char& c : row.Name)
        if (static_cast<unsigned char>(c) < 32) c = ' '; // a name must stay on its line of the table
    row.Name = TrimBlanks(row.Name.substr(0, MaxRowName));
    return true;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

Reply AnswerLogin(Store& store, const std::vector<std::string>& motd, const std::string& input) {
    Payload p;
    if (!ReadPayload(input, p)) return Text(400, "Unreadable payload");
    if (!UsableCredentials(p)) return Text(200, "WRONG PASSWORD");
    switch (CheckLogin(store, p.name, p.password, true)) {
    case LoginResult::Registered:
        return Text(200, "Welcome!|" + Joined(motd));
    case LoginResult::Correct:
        return Text(200, "Password Correct|" + Joined(motd));
    case LoginResult::Wrong:
        return Text(200, "WRONG PASSWORD");
    case LoginResult::Failed:
        break;
    }
    return Text(500, "Server error");
}

Reply AnswerUpload(Store& store, int week, const std::string& input) {
    Payload p;
    Scores row;
    if (!ReadPayload(input, p)) return Text(400, "Unreadable payload");
    if (!ReadRow(p.rest, row)) return Text(400, "Unreadable score");
    if (!UsableCredentials(p) || CheckLogin(store, p.name, p.password, false) != LoginResult::Correct)
        return Text(200, "WRONG PASSWORD");
    if (!SaveUpload(store, week, p.name, row)) return Text(500, "Server error");
    return Text(200, "Score Saved");
}

Reply AnswerTable(Store& store, const std::string& path) {
    const std::string rest = path.substr(TablesPrefix.size());
    size_t slash = rest.find('/');
    const std::string week = rest.substr(0, slash);
    const std::string file = slash == std::string::npos ? "" : rest.substr(slash + 1);
    const std::string id = file.size() > 4 ? file.substr(0, file.size() - 4) : "";
    if (!AllDigits(week, 6) || !file.ends_with(".txt") || !AllDigits(id, 9)) return Text(404, "Not Found");
    std::vector<std::string> lines;
    for (const Scores& row : BestRows(store, std::stoi(week), std::stoi(id), TableRows)) {
        const std::string text = RecordText(row);
        size_t separator = text.find(BestSeparator);
        lines.push_back(text.substr(0, separator));
        lines.push_back(text.substr(separator + BestSeparator.size()));
    }
    return Text(200, Joined(lines));
}

} // namespace

std::vector<std::string> ReadMotd(const std::string& folder) {
    std::vector<std::string> lines;
    std::ifstream file(folder + "/motd.txt", std::ios::binary);
    std::string line;
    while (lines.size() < 19 && std::getline(file, line)) {
        std::erase(line, '|');
        line = TrimBlanks(line);
        if (!line.empty()) lines.push_back(line);
    }
    if (lines.empty())
        lines = {"Welcome to the weekly online hiscores.", "Refresh Scores shows this week's table;",
                 "your best score goes up when it makes the table."};
    return lines;
}

Reply Answer(Store& store, const std::vector<std::string>& motd, const std::string& method,
             const std::string& path, const std::map<std::string, std::string>& arguments) {
    if (method != "GET") return Text(405, "Method Not Allowed");
    if (path == "/tallix/login.php" || path == "/tallix/scores.php") {
        bool login = path == "/tallix/login.php";
        const std::string week = Argument(arguments, login ? "week" : "Week");
        const std::string input = Argument(arguments, login ? "input" : "Input");
        if (!AllDigits(week, 6)) return Text(400, "Bad week");
        if (!IsPayload(input)) return Text(400, "Bad payload");
        return login ? AnswerLogin(store, motd, input) : AnswerUpload(store, std::stoi(week), input);
    }
    if (path.starts_with(TablesPrefix)) return AnswerTable(store, path);
    return Text(404, "Not Found");
}

} // namespace glimmet::server
