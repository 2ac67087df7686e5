#pragma once
// What the online tests share: a fresh start and a score record to upload.

#include <cstdint>
#include <string>

#include "scores/score_file.h"

namespace glimmet::test {

// The scrambler's keys built, no local scores, the online state fresh, table 0 shown, and the user
// "flonder" with the password "secret".
void ResetOnlineState();

// A local record of table 0 by "Flonder", with Best[1] = 3 so that the Best values are seen to travel.
Scores ScoreRecord(int64_t score, int64_t timestamp);

// A server's plain-text HTTP reply carrying `body`, headers ended by CR LF.
std::string Reply(const std::string& body);

} // namespace glimmet::test
