#include "audio/patterns.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/program.h"
#include "audio/music.h"
#include "base/random.h"
#include "support/temp_dir.h"

namespace glimmet {
namespace {

class PatternFile : public testing::Test {
  protected:
    void SetUp() override {
        CreateTables();
        ClearPatterns();
    }
    std::string Line(int section, int n) { return PatLines[static_cast<size_t>(section * 1000 + n)]; }
    test::TempDir dir;
};

struct LinesCase {
    const char* what;
    std::vector<std::string> lines;
    std::array<int, 5> count;
    std::array<int, 5> stretch;
};

TEST_F(PatternFile, HeadersStretchOptionsAndPatternLines) {
    const int N = StretchNone;
    const std::vector<LinesCase> cases = {
        {"[Melody] selects", {"[Melody]", "\"q\""}, {0, 0, 0, 1, 0}, {N, N, N, N, N}},
        {"[MELODY selects", {"[MELODY", "\"q\""}, {0, 0, 0, 1, 0}, {N, N, N, N, N}},
        {"[ MELODY ] does not", {"[ MELODY ]", "\"q\""}, {0, 0, 0, 0, 0}, {N, N, N, N, N}},
        {"[DRUMS 1] does not", {"[DRUMS 1]", "\"1\""}, {0, 0, 0, 0, 0}, {N, N, N, N, N}},
        {"an unknown header keeps the section",
         {"[BASS]", "\"q\"", "[DRUMS 1]", "\"w\""},
         {0, 0, 2, 0, 0},
         {N, N, N, N, N}},
        {"STRETCH before any header", {"STRETCH=FALSE", "[BASS]", "\"q\""}, {0, 0, 1, 0, 0}, {N, N, N, N, N}},
        {"RANDOM+ is not RANDOM", {"[BASS]", "STRETCH=random+"}, {0, 0, 0, 0, 0}, {N, N, 2, N, N}},
        {"no separator", {"[BASS]", "StretchDOUBLE"}, {0, 0, 0, 0, 0}, {N, N, -2, N, N}},
        {"spaces and case",
         {"[accompany]", "  stretch = Random  ", "[drums]", "STRETCH FALSE"},
         {0, 0, 0, 0, 0},
         {0, N, N, N, 1}},
        {"an unknown ending changes nothing",
         {"[BASS]", "STRETCH=RANDOM", "STRETCH=sometimes"},
         {0, 0, 0, 0, 0},
         {N, N, 1, N, N}},
        {"only lines that start with a quote",
         {"[CHORDS]", "x\"q\"", "q", "\"qwer\""},
         {0, 1, 0, 0, 0},
         {N, N, N, N, N}},
    };
    for (const LinesCase& c : cases) {
        ClearPatterns();
        ReadPatternLines(c.lines);
        EXPECT_EQ(PatCount, c.count) << c.what;
        EXPECT_EQ(PatStretch, c.stretch) << c.what;
    }
}

TEST_F(PatternFile, QuotedLineKeepsItsInnerTrailingSpace) {
    ReadPatternLines({"[DRUMS]", "  \"1 3 \"  ", "\"\"", "\"a\"b\"\""});
    ASSERT_EQ(PatCount[SectionDrums], 3);
    EXPECT_EQ(Line(SectionDrums, 1), "1 3 ");
    EXPECT_EQ(Line(SectionDrums, 2), ""); // an empty line is still a line
    EXPECT_EQ(Line(SectionDrums, 3), "ab");
}

TEST_F(PatternFile, MoreThan998LinesAreCut) {
    std::vector<std::string> lines = {"[CHORDS]"};
    for (int n = 1; n <= 1005; n++) lines.push_back("\"" + std::to_string(n) + "\"");
    lines.push_back("[BASS]");
    lines.push_back("\"q\"");
    ReadPatternLines(lines);
    EXPECT_EQ(PatCount[SectionChords], 998);
    EXPECT_EQ(Line(SectionChords, 998), "998");
    EXPECT_EQ(Line(SectionBass, 1), "q"); // the next section's entries are untouched
}

TEST_F(PatternFile, ReadsTheFileOfTheSongAndMissesNothingElse) {
    test::MakeFolder("music");
    test::WriteBytes("music/song.ini", test::ReadBytes(GLIMMET_FIXTURES "/song.ini"));
    EXPECT_FALSE(ReadPatternFile("other"));
    ASSERT_TRUE(ReadPatternFile("song"));
    EXPECT_EQ(PatCount, (std::array<int, 5>{3, 2, 1, 1, 1}));
    EXPECT_EQ(PatStretch, (std::array<int, 5>{StretchFalse, StretchRandom, StretchRandomPlus, StretchDouble,
                                              StretchNone}));
    EXPECT_EQ(Line(SectionDrums, 2), "1   ");
    EXPECT_EQ(Line(SectionDrums, 3), "3333");
    EXPECT_EQ(Line(SectionChords, 2), "qqii");
    EXPECT_EQ(Line(SectionMelody, 1), "e t ");
}

TEST(NoteRate, EveryListedCharacterUpperCaseAndRests) {
    const std::vector<std::pair<char, float>> rates = {
        {'s', 0.5295f}, {'x', 0.561f},  {'d', 0.5945f}, {'c', 0.63f},  {'v', 0.6675f}, {'g', 0.707f},
        {'b', 0.749f},  {'h', 0.7935f}, {'n', 0.841f},  {'j', 0.891f}, {'m', 0.944f},  {'q', 1.0f},
        {'2', 1.059f},  {'w', 1.122f},  {'3', 1.189f},  {'e', 1.26f},  {'r', 1.335f},  {'5', 1.414f},
        {'t', 1.498f},  {'6', 1.587f},  {'y', 1.682f},  {'7', 1.782f}, {'u', 1.888f},  {'i', 2.0f},
        {'9', 2.118f},  {'o', 2.244f},  {'0', 2.378f},  {'p', 2.52f},  {'[', 2.67f},   {'=', 2.828f},
        {']', 2.996f}};
    for (auto [c, rate] : rates) {
        EXPECT_EQ(NoteRate(c), rate) << c;
        if (c >= 'a' && c <= 'z') {
            EXPECT_EQ(NoteRate(static_cast<char>(c - 32)), rate) << c;
        }
    }
    for (char rest : std::string("zZaAkK1 4-.\"\t") + '\0' + '\xE9' + '\xFF')
        EXPECT_EQ(NoteRate(rest), 0) << rest;
}

class Pickers : public testing::Test {
  protected:
    void SetUp() override {
        CreateTables();
        ClearPatterns();
        ReadPatternLines({"[DRUMS]", "\"1\"", "\"2\"", "\"3\"", "\"4\"", "[CHORDS]", "\"qwer\"", "\"tyui\"",
                          "[BASS]", "\"q\"", "[MELODY]", "\"e\"", "[ACCOMPANY]", "\"t\""});
        SongSeed = 77;
        Bar = 1;
        Phrase = 3;
    }
    test::TempDir dir;
};

TEST_F(Pickers, DependOnlyOnTheSongSeedAndCounters) {
    std::string drums = PickDrums(3), chords = PickChords(13);
    SeedRandom(99);
    RandInt(0, 5);
    EXPECT_EQ(PickDrums(3), drums);
    EXPECT_EQ(PickChords(13), chords);
    std::set<std::string> seen;
    for (SongSeed = 1; SongSeed <= 40; SongSeed++) seen.insert(PickDrums(3));
    EXPECT_EQ(seen.size(), 4u) << "every line is picked for some seed";
    seen.clear();
    for (SongSeed = 1; SongSeed <= 40; SongSeed++) seen.insert(PickChords(13));
    EXPECT_EQ(seen, (std::set<std::string>{"qwer", "tyui"})) << "chords are never stretched";
}

TEST_F(Pickers, StretchOptions) {
    struct Case {
        int option;
        std::set<std::string> lengths; // the picked lines seen over many seeds
    };
    const std::vector<Case> cases = {
        {StretchNone, {"q "}},        {StretchFalse, {"q"}},
        {StretchRandom, {"q", "q "}}, {StretchRandomPlus, {"q", "q ", "q   "}},
        {StretchDouble, {"q   "}},
    };
    for (const Case& c : cases) {
        PatStretch[SectionBass] = c.option;
        std::set<std::string> seen;
        for (Phrase = 0; Phrase < 60; Phrase++) seen.insert(PickBass(13));
        EXPECT_EQ(seen, c.lengths) << "option " << c.option;
    }
    EXPECT_EQ(StretchLine("1 3"), "1   3 ");
}

TEST_F(Pickers, EmptySectionGivesAnEmptyLineEvenOverOldLines) {
    ClearPatterns(); // the lines of the last song are still in the table, but no longer counted
    for (SongSeed = 1; SongSeed <= 20; SongSeed++) {
        EXPECT_EQ(PickChords(13), "");
        EXPECT_EQ(PickMelody(19), "");
    }
}

} // namespace
} // namespace glimmet
