// nuscores.dat, in the game folder: every line is the output of Scramble (upper-case hex digits).
//
//   line 1      LoginName "|" LoginPassword, scrambled with LoginKey
//   line 2..    one record each, newest first, scrambled with DefaultKey:
//               Score|Name|Badges|Timestamp|Level|GameMode|GameFlags|Quit BestSeparator Best1|...|Best30
//
// Numbers are plain decimal. A line whose check fails unscrambles to "XXX" and is skipped, as are
// lines of two characters or fewer; the lines after it still load. All numbers but Score and
// Timestamp are read as absolute values. So that a name can never shift the fields of its line, a "|"
// in a name is stored as the broken bar (code 166) and the separator text inside a name is broken up;
// a password is kept whole because it is read back as everything after the first "|".

#include "scores/score_file.h"

#include <algorithm>

#include "app/debug_log.h"
#include "platform/files.h"
#include "scores/fields.h"
#include "scores/scramble.h"

namespace glimmet {

std::vector<Scores> ScoreList;
std::string LoginName;
std::string LoginPassword;
std::string PlayerName = "Player";
bool ScoresLoaded = false;

void InitializeScores() {
    ScoreList.clear();
    ScoresLoaded = false;
    LoginName.clear();
    LoginPassword.clear();
    PlayerName = "Player";
}

namespace {

const char* const ScoreFile = "nuscores.dat";

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// A name as it may stand in a record line: no "|" and no separator text.
std::string SafeName(std::string name) {
    ReplaceAll(name, "|", "\xA6");
    std::string broken = BestSeparator;
    broken[0] = ',';
    ReplaceAll(name, BestSeparator, broken);
    return name;
}

std::string CredentialsText() {
    return SafeName(LoginName) + "|" + LoginPassword;
}

void ReadCredentials(const std::string& text) {
    LoginName = Field(text, "|", 1);
    std::string trimmed = TrimBlanks(text);
    size_t bar = trimmed.find('|');
    LoginPassword = bar == std::string::npos ? Field(text, "|", 2) : trimmed.substr(bar + 1);
}

} // namespace

int Scores::Compare(const Scores& other) const {
    if (Timestamp > other.Timestamp) return -1;
    if (Timestamp < other.Timestamp) return 1;
    return 0;
}

void SortRecords(std::vector<Scores>& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const Scores& a, const Scores& b) { return a.Compare(b) < 0; });
}

void SortScores() {
    SortRecords(ScoreList);
}

void AddScore(const Scores& record) {
    ScoreList.push_back(record);
    SortScores();
}

std::string RecordText(const Scores& r) {
    std::string text = std::to_string(r.Score) + "|" + SafeName(r.Name) + "|" + std::to_string(r.Badges) +
                       "|" + std::to_string(r.Timestamp) + "|" + std::to_string(r.Level) + "|" +
                       std::to_string(r.GameMode) + "|" + std::to_string(r.GameFlags) + "|" +
                       std::to_string(r.Quit) + BestSeparator;
    for (int i = 1; i <= 30; i++)
        text += std::to_string(r.Best[static_cast<size_t>(i)]) + (i < 30 ? "|" : "");
    return text;
}

bool ParseRecordText(const std::string& text, Scores& r) {
    std::string recordPart = Field(text, BestSeparator, 1);
    std::string bestPart = Field(text, BestSeparator, 2);
    if (recordPart.find('|') == std::string::npos) return false;
    r = Scores{};
    r.Score = ReadInt64(Field(recordPart, "|", 1));
    r.Name = TrimBlanks(Field(recordPart, "|", 2));
    r.Badges = AbsInt(ReadInt(Field(recordPart, "|", 3)));
    r.Timestamp = ReadInt64(Field(recordPart, "|", 4));
    r.Level = AbsInt(ReadInt(Field(recordPart, "|", 5)));
    r.GameMode = AbsInt(ReadInt(Field(recordPart, "|", 6)));
    r.GameFlags = AbsInt(ReadInt(Field(recordPart, "|", 7)));
    r.Quit = AbsInt(ReadInt(Field(recordPart, "|", 8)));
    for (int i = 1; i <= 30; i++) r.Best[static_cast<size_t>(i)] = AbsInt(ReadInt(Field(bestPart, "|", i)));
    return true;
}

void LoadScores() {
    ScoresLoaded = true;
    auto lines = ReadTextLines(ScoreFile);
    if (!lines) return;
    ReadCredentials(Unscramble((*lines)[0], LoginKey));
    ScoreList.clear();
    int loaded = 0;
    for (size_t i = 1; i < lines->size(); i++) {
        const std::string& line = (*lines)[i];
        Scores record;
        if (line.size() <= 2 || !ParseRecordText(Unscramble(line, ""), record)) continue;
        if (++loaded == 1) PlayerName = record.Name;
        ScoreList.push_back(record);
    }
    SortScores();
}

void SaveScores() {
    SortScores();
    std::vector<std::string> lines{Scramble(CredentialsText(), LoginKey)};
    for (const Scores& record : ScoreList) lines.push_back(Scramble(RecordText(record), ""));
    if (!WriteTextFile(ScoreFile, lines)) LogLine("\tnuscores.dat could not be written");
}

} // namespace glimmet
