#pragma once
// Score records, the list of all local records, and the scrambled score file nuscores.dat.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace glimmet {

struct Scores {
    int64_t Score = 0;
    int64_t Timestamp = 0; // calendar seconds; larger is later
    int32_t Badges = 0;
    std::string Name;
    std::array<int32_t, 31> Best{}; // slots 1..30 are stored
    int32_t Level = 0;
    int32_t GameMode = 0; // negative -(mode + 1) for records of the online table
    int32_t GameFlags = 0;
    int32_t Quit = 0; // 1 when the game was quit from the pause menu

    // Ordering of the list: negative when this record is later than other, positive when earlier.
    int Compare(const Scores& other) const;
};

// Every local record, newest first; records with equal Timestamp keep the order they were added in.
extern std::vector<Scores> ScoreList;

extern std::string LoginName;
extern std::string LoginPassword;
extern std::string PlayerName;
inline const std::string BestSeparator = ";]*-\xA3?X51oA2%"; // the pound sign is code 163

void SortRecords(std::vector<Scores>& list); // stable, newest first
void SortScores();                           // sorts ScoreList
void AddScore(const Scores& record);         // appends and sorts

std::string RecordText(const Scores& record);
bool ParseRecordText(const std::string& text, Scores& record); // false when the text holds no record

// Whether LoadScores has run in this run of the program (whether or not the file existed).
extern bool ScoresLoaded;
void InitializeScores(); // an empty list, not yet loaded, no credentials, the name "Player"

void LoadScores();
void SaveScores();

} // namespace glimmet
