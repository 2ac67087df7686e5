#pragma once
// Music pattern files: candidate lines of notes for the five parts of the band, the note letters, and
// the pickers that choose a line and stretch it. The file format is described in patterns.cpp.

#include <array>
#include <string>
#include <vector>

namespace glimmet {

// Sections of a pattern file, and the voices they feed.
constexpr int SectionDrums = 0;      // the two drum voices
constexpr int SectionChords = 1;     // the chord progression
constexpr int SectionBass = 2;       // the bass voice
constexpr int SectionMelody = 3;     // the melody voice (lead samples)
constexpr int SectionAccompany = 4;  // the accompaniment voice
constexpr int MaxPatternLines = 998; // lines kept per section; later ones are ignored

// Stretch options of a section.
constexpr int StretchNone = -1;      // no STRETCH line: always stretched once
constexpr int StretchFalse = 0;      // never stretched
constexpr int StretchRandom = 1;     // stretched once in two cases of three
constexpr int StretchRandomPlus = 2; // not, once or twice, one case in three each
constexpr int StretchDouble = -2;    // always stretched twice

// Line n (1..998) of section s is PatLines[s * 1000 + n].
extern std::array<std::string, 5000> PatLines;
extern std::array<int, 5> PatCount;   // lines kept per section
extern std::array<int, 5> PatStretch; // the stretch option per section

void ClearPatterns(); // no lines, every section at its default option
// Adds the lines of a pattern file to the sections, starting with no section selected.
void ReadPatternLines(const std::vector<std::string>& lines);
// Reads "music/" + name + ".ini" that way; false when the file does not exist.
bool ReadPatternFile(const std::string& name);

// The playback rate of a note character: 1 for q, 2 for i an octave up; 0 for a rest.
float NoteRate(char c);

// Every character followed by one space: twice as long, its notes half as often.
std::string StretchLine(const std::string& line);

// Each picks a line of its section, seeded from the song's seed and counters plus the salt, so the same
// song seed gives the same music every time. All but PickChords stretch the line by the section's option.
std::string PickDrums(int salt);
std::string PickChords(int salt);
std::string PickBass(int salt);
std::string PickMelody(int salt);
std::string PickAccompany(int salt);

} // namespace glimmet
