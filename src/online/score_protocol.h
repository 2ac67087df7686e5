#pragma once
// The weekly online hiscores on the score server: login, score upload and table download, each one
// HTTP GET over Thttp, all carrying WeekNumber. User name, password and score travel inside Scrambled
// payloads (upper-case hex digits), so they need no URL encoding.
//
//   login    tallix/login.php?week=291&input=P    P = Scramble(name "|" credentials, DefaultKey)
//   upload   tallix/scores.php?Week=291&Input=P   P = Scramble(name "|" credentials "|" row, DefaultKey)
//   table    tallix/tables/291/ID.txt             ID = TableId()
//
// credentials = Scramble(name "|" password, LoginKey); row = the score file's record text of TopLocal
// with a bar on each side of BestSeparator.
//
// A reply's body is the text after the first empty line of the response, up to the next empty line.
// A login succeeds when the body begins with "Password Correct" or "Welcome!"; field 2 of the body
// (at "|") is the message of the day, one line per LF. A table file holds one pair of lines per row,
// at most 30 pairs read:
//
//   Score|Name|Badges|Timestamp|Level|mode|GameFlags|Quit     the mode as 0 or more
//   Best1|Best2|...|Best30
//
// Downloaded rows are kept in OnlineList with GameMode -(mode + 1), so they can never be taken for
// local records. Nothing here runs unless the online page calls it.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "scores/hiscore_tables.h"
#include "scores/score_file.h"

namespace glimmet {

// The score server: a host name, with ":port" when it does not listen on port 80.
extern std::string ScoreServerHost;
extern std::array<std::string, 20> MotdLines; // the message of the day, slots 1..19
extern int MotdCount;
extern int UploadCount; // uploads in the current refresh; the online page sets it back to 0
void InitializeOnline();

// Replaces the characters * " ' - + & ? { } [ ] ~ # \ / : ; in LoginName and LoginPassword by "_".
void CleanCredentials();
int TableId(); // CurrentMode + 100 x CurrentLevel + 1000 x CurrentFlags

std::string CredentialBlock();
std::string LoginPayload();
std::string UploadRowText(const Scores& record);
std::string UploadPayload(const Scores& record);
std::string ReplyBody(const std::string& response);

// The three requests: each cleans the credentials, sends one GET and returns the reply's body ("" when
// the server cannot be reached). Login and SubmitScore send nothing and return "WRONG PASSWORD" while
// the user name or the password is shorter than 4 characters.
std::string Login(const std::string& payload);
std::string SubmitScore(const std::string& payload);
std::string FetchTable(const std::string& tableId);

// Reads a login reply: true on success, and then the message of the day is in MotdLines.
bool ReadLoginReply(const std::string& body);
// The online page's Login button: cleans the credentials, logs in and reads the reply.
bool LoginToServer();

// The table refresh in its two steps, run on two frames of the title screen: first drop the current
// table's rows from OnlineList, then download the table, offer TopLocal to the server at most once
// (counted in UploadCount) and sort the lists. OnlineList and TopLocal belong to the hiscore tables,
// whose local table sets TopLocal as it ranks. Sound 99 marks the download's start and end.
void DropTableRows();
void DownloadTable();

} // namespace glimmet
