#pragma once
// What the score server answers to the three requests the game sends, read with the game's own
// Unscramble and its two keys:
//
//   GET /tallix/login.php?week=W&input=P     P = Scramble(name "|" block, DefaultKey),
//                                            block = Scramble(name "|" password, LoginKey)
//       a new name is registered: "Welcome!|" and the message of the day, one line per LF;
//       a known one: "Password Correct|" and the message of the day, or "WRONG PASSWORD"
//   GET /tallix/scores.php?Week=W&Input=P    P = Scramble(name "|" block "|" row, DefaultKey),
//       row = Score|Name|Badges|Timestamp|Level|mode|GameFlags|Quit|separator|Best1|...|Best30;
//       kept when the password is right: "Score Saved", else "WRONG PASSWORD"
//   GET /tallix/tables/W/ID.txt              the best 30 rows of table ID in week W, a pair of
//       lines each: Score|Name|Badges|Timestamp|Level|mode|GameFlags|Quit, then Best1|...|Best30
//
// A body never holds an empty line: the game reads a body only up to the first one. A request that
// does not fit answers 400, 404 or 405 with a one-line reason.

#include <map>
#include <string>
#include <vector>

#include "store.h"

namespace glimmet::server {

struct Reply {
    int status = 200;
    std::string body;
};

// The message of the day: the lines of motd.txt in folder (at most 19, empty ones left out, no "|"),
// or a few lines of our own when there is no such file.
std::vector<std::string> ReadMotd(const std::string& folder);

Reply Answer(Store& store, const std::vector<std::string>& motd, const std::string& method,
             const std::string& path, const std::map<std::string, std::string>& arguments);

} // namespace glimmet::server
