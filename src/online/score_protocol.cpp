#include "online/score_protocol.h"

#include "audio/sound_effects.h"
#include "base/state.h"
#include "online/http_client.h"
#include "scores/fields.h"
#include "scores/scramble.h"

namespace glimmet {

std::string ScoreServerHost;
std::array<std::string, 20> MotdLines;
int MotdCount;
int UploadCount;

void InitializeOnline() {
    InitializeHttp();
    // Where our own score server (tools/score_server) runs when a game turns the online page on.
    ScoreServerHost = "localhost";
    MotdLines.fill("");
    MotdCount = 0;
    UploadCount = 0;
}

namespace {

constexpr int TableRowsRead = 30;
constexpr int MinimumCredentialLength = 4;
const std::string WrongPassword = "WRONG PASSWORD";
const std::string UnsafeCredentialCharacters = "*\"'-+&?{}[]~#\\/:;";

void Clean(std::string& text) {
    for (char& c : text)
        if (UnsafeCredentialCharacters.find(c) != std::string::npos) c = '_';
}

bool CredentialsTooShort() {
    return LoginName.size() < MinimumCredentialLength || LoginPassword.size() < MinimumCredentialLength;
}

std::string Request(const std::string& path, bool needsCredentials) {
    CleanCredentials();
    if (needsCredentials && CredentialsTooShort()) return WrongPassword;
    Thttp http;
    std::string response;
    if (http.Open(ScoreServerHost, 0) != 0) response = http.Get(path);
    http.Close();
    return ReplyBody(response);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A downloaded row: the pair's first line holds the record fields, the second its Best values.
bool ParseTableRow(const std::string& rowLine, const std::string& bestLine, Scores& row) {
    if (rowLine.find('|') == std::string::npos) return false;
    ParseRecordText(rowLine + BestSeparator + bestLine, row);
    row.GameMode = -row.GameMode - 1; // the file's mode is read as 0 or more
    return true;
}

void Upload(const Scores& record) {
    UploadCount++;
    SubmitScore(UploadPayload(record));
}

} // namespace

void CleanCredentials() {
    Clean(LoginName);
    Clean(LoginPassword);
}

int TableId() {
    return CurrentMode + 100 * CurrentLevel + 1000 * CurrentFlags;
}

std::string CredentialBlock() {
    return Scramble(LoginName + "|" + LoginPassword, LoginKey);
}

std::string LoginPayload() {
    return Scramble(LoginName + "|" + CredentialBlock(), "");
}

std::string UploadRowText(const Scores& record) {
    std::string text = RecordText(record);
    size_t separator = text.find(BestSeparator);
    if (separator != std::string::npos)
        text.replace(separator, BestSeparator.size(), "|" + BestSeparator + "|");
    return text;
}

std::string UploadPayload(const Scores& record) {
    return Scramble(LoginName + "|" + CredentialBlock() + "|" + UploadRowText(record), "");
}

std::string ReplyBody(const std::string& response) {
    std::string body;
    bool copying = false;
    for (size_t i = 0; i < response.size(); i++) {
        if (i + 1 < response.size() && response[i] == '\n' && response[i + 1] == '\n') {
            copying = !copying;
            i += 2;
        }
        if (copying && i < response.size()) body += response[i];
    }
    return body;
}

std::string Login(const std::string& payload) {
    return Request("tallix/login.php?week=" + std::to_string(WeekNumber) + "&input=" + payload, true);
}

std::string SubmitScore(const std::string& payload) {
    return Request("tallix/scores.php?Week=" + std::to_string(WeekNumber) + "&Input=" + payload, true);
}

std::string FetchTable(const std::string& tableId) {
    return Request("tallix/tables/" + std::to_string(WeekNumber) + "/" + tableId + ".txt", false);
}

bool ReadLoginReply(const std::string& body) {
    if (!StartsWith(body, "Password Correct") && !StartsWith(body, "Welcome!")) return false;
    const std::string motd = Field(body, "|", 2);
    MotdLines.fill("");
    MotdCount = 0;
    for (int k = 1; MotdCount < static_cast<int>(MotdLines.size()) - 1; k++) {
        std::string line = Field(motd, "\n", k);
        if (line.empty() || line == "-+-") break;
        MotdLines[static_cast<size_t>(++MotdCount)] = TrimBlanks(line);
    }
    return true;
}

bool LoginToServer() {
    CleanCredentials();
    return ReadLoginReply(Login(LoginPayload()));
}

void DropTableRows() {
    std::erase_if(OnlineList, [](const Scores& row) {
        return row.GameMode == -(CurrentMode + 1) && row.Level == CurrentLevel &&
               row.GameFlags == CurrentFlags;
    });
}

void DownloadTable() {
    PlaySfx(99, 0.5f, 1, 0);
    const std::string body = FetchTable(std::to_string(TableId()));
    if (UpperCase(body).find("<HEAD>") != std::string::npos) {
        // An HTML page instead of a table: the server has none yet, so offer ours.
        if (TopLocal) Upload(*TopLocal);
    } else {
        int rows = 0;
        for (int k = 1; k <= TableRowsRead; k++) {
            Scores row;
            if (!ParseTableRow(Field(body, "\n", 2 * k - 1), Field(body, "\n", 2 * k), row)) continue;
            rows++;
            OnlineList.push_back(row);
            if (UploadCount == 0 && TopLocal && TopLocal->Score >= row.Score) Upload(*TopLocal);
        }
        if (rows < TableRowsRead && UploadCount == 0 && TopLocal) Upload(*TopLocal);
        SortScores();
        SortRecords(OnlineList);
    }
    PlaySfx(99, 1, 1, 0);
}

} // namespace glimmet
