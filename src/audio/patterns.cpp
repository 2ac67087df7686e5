// Music pattern files.
//
// "music/" + song + ".ini" lists, for each of five sections, candidate lines of notes. Each line of the
// file is trimmed of white space at both ends, then tested three times, independently:
//   [Drums]  [CHORDS  [bass]  [MELODY]  [Accompany]   a header: upper-cased, every "]" removed, it
//                                     selects its section when it is one of the five exactly
//   STRETCH=Random+                   the current section's stretch option, from how the line ends
//                                     (FALSE, RANDOM, RANDOM+, DOUBLE); any separator, any case
//   "1 3 2 3 "                        a pattern line: its double quotes removed, it becomes the next
//                                     line of the current section (at most 998 per section)
// Everything else (comments, blank lines, lines before the first header) is ignored. Pattern lines keep
// their inner spaces, which are rests. Drum lines hold digits 1..8 (a drum sample); chord, bass, melody
// and accompaniment lines hold note characters (NoteRate).

#include "audio/patterns.h"

#include "audio/music.h"
#include "base/random.h"
#include "platform/files.h"
#include "scores/fields.h"

namespace glimmet {

std::array<std::string, 5000> PatLines;
std::array<int, 5> PatCount{};
std::array<int, 5> PatStretch{};

void ClearPatterns() {
    PatCount.fill(0);
    PatStretch.fill(StretchNone);
}

namespace {

const char* const SectionHeaders[5] = {"[DRUMS", "[CHORDS", "[BASS", "[MELODY", "[ACCOMPANY"};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Without(const std::string& text, char gone) {
    std::string kept;
    for (char c : text)
        if (c != gone) kept += c;
    return kept;
}

// The section a header line selects, or -1.
int HeaderSection(const std::string& upper) {
    std::string header = Without(upper, ']');
    for (int s = 0; s < 5; s++)
        if (header == SectionHeaders[s]) return s;
    return -1;
}

// The option a STRETCH line sets, or `current` when its ending is none of the four.
int StretchOption(const std::string& upper, int current) {
    int option = current;
    if (EndsWith(upper, "FALSE")) option = StretchFalse;
    if (EndsWith(upper, "RANDOM")) option = StretchRandom;
    if (EndsWith(upper, "RANDOM+")) option = StretchRandomPlus;
    if (EndsWith(upper, "DOUBLE")) option = StretchDouble;
    return option;
}

} // namespace

void ReadPatternLines(const std::vector<std::string>& lines) {
    int section = -1;
    for (const std::string& raw : lines) {
        std::string line = TrimBlanks(raw);
        if (line.empty()) continue;
        std::string upper = UpperCase(line);
        if (line[0] == '[') {
            int selected = HeaderSection(upper);
            if (selected >= 0) section = selected;
        }
        if (section < 0) continue;
        auto slot = static_cast<size_t>(section);
        if (upper.compare(0, 7, "STRETCH") == 0) PatStretch[slot] = StretchOption(upper, PatStretch[slot]);
        if (line[0] == '"' && PatCount[slot] < MaxPatternLines) {
            PatCount[slot]++;
            PatLines[slot * 1000 + static_cast<size_t>(PatCount[slot])] = Without(line, '"');
        }
    }
}

bool ReadPatternFile(const std::string& name) {
    std::optional<std::vector<std::string>> lines = ReadTextLines("music/" + name + ".ini");
    if (!lines) return false;
    ReadPatternLines(*lines);
    return true;
}

float NoteRate(char c) {
    // The piano keyboard on the letter keys, one equal-tempered semitone a key: the lower row with the
    // row above it, then the upper row with the digits above it.
    switch (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) {
    case 's':
        return 0.5295f;
    case 'x':
        return 0.561f;
    case 'd':
        return 0.5945f;
    case 'c':
        return 0.63f;
    case 'v':
        return 0.6675f;
    case 'g':
        return 0.707f;
    case 'b':
        return 0.749f;
    case 'h':
        return 0.7935f;
    case 'n':
        return 0.841f;
    case 'j':
        return 0.891f;
    case 'm':
        return 0.944f;
    case 'q':
        return 1.0f; // the sample's own pitch
    case '2':
        return 1.059f;
    case 'w':
        return 1.122f;
    case '3':
        return 1.189f;
    case 'e':
        return 1.26f;
    case 'r':
        return 1.335f;
    case '5':
        return 1.414f;
    case 't':
        return 1.498f;
    case '6':
        return 1.587f;
    case 'y':
        return 1.682f;
    case '7':
        return 1.782f;
    case 'u':
        return 1.888f;
    case 'i':
        return 2.0f; // an octave up
    case '9':
        return 2.118f;
    case 'o':
        return 2.244f;
    case '0':
        return 2.378f;
    case 'p':
        return 2.52f;
    case '[':
        return 2.67f;
    case '=':
        return 2.828f;
    case ']':
        return 2.996f;
    default:
        return 0; // z and everything not listed: a rest
    }
}

std::string StretchLine(const std::string& line) {
    std::string stretched;
    stretched.reserve(line.size() * 2);
    for (char c : line) {
        stretched += c;
        stretched += ' ';
    }
    return stretched;
}

namespace {

// Seeds from the song's seed and counters, skips Phrase * 4 + salt draws, and
// takes line RandInt(1, count) of the section; a section without lines gives an empty line.
std::string PickLine(int section, int salt) {
    SeedFromSong(salt);
    for (int skip = Phrase * 4 + salt; skip > 0; skip--) RandInt(0, 1000);
    int count = PatCount[static_cast<size_t>(section)];
    int line = RandInt(1, count);
    if (line < 1 || line > count) return "";
    return PatLines[static_cast<size_t>(section) * 1000 + static_cast<size_t>(line)];
}

std::string PickStretched(int section, int salt) {
    std::string line = PickLine(section, salt);
    int option = PatStretch[static_cast<size_t>(section)];
    int r = RandInt(0, 2);
    if ((option > 0 && r > 0) || option < 0) line = StretchLine(line);
    if ((option == StretchRandomPlus && r == 2) || option == StretchDouble) line = StretchLine(line);
    return line;
}

} // namespace

std::string PickDrums(int salt) {
    return PickStretched(SectionDrums, salt);
}
std::string PickChords(int salt) {
    return PickLine(SectionChords, salt);
}
std::string PickBass(int salt) {
    return PickStretched(SectionBass, salt);
}
std::string PickMelody(int salt) {
    return PickStretched(SectionMelody, salt);
}
std::string PickAccompany(int salt) {
    return PickStretched(SectionAccompany, salt);
}

} // namespace glimmet
