#include "support/online.h"

#include "base/state.h"
#include "online/score_protocol.h"
#include "scores/scramble.h"

namespace glimmet::test {

void ResetOnlineState() {
    BuildDefaultKey();
    InitializeScores();
    InitializeOnline();
    InitializeHiscoreTables();
    CurrentMode = CurrentLevel = CurrentFlags = 0;
    LoginName = "flonder";
    LoginPassword = "secret";
}

Scores ScoreRecord(int64_t score, int64_t timestamp) {
    Scores r;
    r.Score = score;
    r.Timestamp = timestamp;
    r.Name = "Flonder";
    r.Best[1] = 3;
    return r;
}

std::string Reply(const std::string& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body;
}

} // namespace glimmet::test
