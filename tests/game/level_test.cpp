// Arena generation: colour matching, safe cell reads, the three passes from the fixed seed (checked
// cell for cell against a stored expectation), the random start, and a walk through the real level.
#include "game/level.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/random.h"
#include "image.h"

namespace glimmet {
namespace {

// A text picture: one character per pixel (see tests/fixtures/level16.txt); black elsewhere.
struct TextPicture {
    std::vector<std::string> rows;

    uint32_t operator()(int x, int y) const {
        if (y < 0 || y >= static_cast<int>(rows.size())) return 0;
        const std::string& row = rows[static_cast<size_t>(y)];
        if (x < 0 || x >= static_cast<int>(row.size())) return 0;
        switch (row[static_cast<size_t>(x)]) {
        case 'W':
            return 0xFFFFFF;
        case 'B':
            return 0x00B2FC;
        case 'Y':
            return 0xFFFF00;
        case 'G':
            return 0x00FF00;
        case 'w':
            return 0xF0F0F0;
        case 'c':
            return 0xEFFFFF;
        case 'r':
            return 0xFF0000;
        default:
            return 0x000000;
        }
    }
};

TextPicture ReadTextPicture(const std::string& path) {
    TextPicture pic;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') pic.rows.push_back(line);
    return pic;
}

TextPicture Fixture() {
    return ReadTextPicture(GLIMMET_FIXTURES "/level16.txt");
}

// The expectation covers the fixture and the lattice around it, plus a hash of the whole table so
// that a change anywhere shows.
std::string DescribeArena(int w, int h) {
    std::ostringstream out;
    out << ArenaText(0, 0, w, h);
    uint64_t hash = 1469598103934665603ull;
    for (int32_t cell : Arena) {
        hash ^= static_cast<uint32_t>(cell);
        hash *= 1099511628211ull;
    }
    out << "start " << PlayerTX << ' ' << PlayerTY << '\n' << "hash " << hash << '\n';
    return out.str();
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(LevelColours, ColourNearAllowsFifteenPerChannel) {
    struct Case {
        int r, g, b;
        bool white;
    };
    const Case cases[] = {
        {255, 255, 255, true},  {240, 240, 240, true},  {239, 255, 255, false},
        {255, 239, 255, false}, {255, 255, 239, false}, {241, 250, 245, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColourNear(255, 255, 255, c.r, c.g, c.b), c.white) << c.r << "," << c.g << "," << c.b;
    // Below the reference too: sky blue 0, 178, 252.
    EXPECT_TRUE(ColourNear(0, 178, 252, 15, 163, 255));
    EXPECT_FALSE(ColourNear(0, 178, 252, 16, 178, 252));
    EXPECT_FALSE(ColourNear(0, 178, 252, 0, 162, 252));
}

TEST(LevelColours, OnlyKindsTwentyToTwentyNineAreSolid) {
    const int kinds[] = {-1, 0, 14, 17, 19, 20, 21, 29, 30, 31, 33};
    const bool solid[] = {false, false, false, false, false, true, true, true, false, false, false};
    for (size_t i = 0; i < std::size(kinds); ++i) EXPECT_EQ(IsSolid(kinds[i]), solid[i]) << kinds[i];
}

TEST(LevelCells, ReadsOutsideTheTableAreZero) {
    std::fill(Arena.begin(), Arena.end(), CellWall);
    const int outside[][2] = {{-1, 0}, {0, -1}, {600, 0}, {0, 600}, {-8, -3}, {599, 600}, {100000, 5}};
    for (const auto& p : outside) {
        EXPECT_EQ(ArenaCell(p[0], p[1]), 0) << p[0] << "," << p[1];
        SetArenaCell(p[0], p[1], CellLedge); // ignored, and must not write anywhere
    }
    EXPECT_EQ(ArenaCell(0, 0), CellWall);
    EXPECT_EQ(ArenaCell(599, 599), CellWall);
    EXPECT_EQ(std::count(Arena.begin(), Arena.end(), CellWall), static_cast<long>(Arena.size()));
    EXPECT_EQ(Arena.size(), static_cast<size_t>(ArenaW) * ArenaH);
    std::fill(Arena.begin(), Arena.end(), 0);
}

TEST(LevelBuild, FixturePictureGivesTheStoredArena) {
    TextPicture pic = Fixture();
    ASSERT_EQ(pic.rows.size(), 16u);
    PlayerTX = PlayerTY = -1;
    BuildArena(pic);
    std::string actual = DescribeArena(32, 24);
    std::string expected = ReadText(GLIMMET_FIXTURES "/level16_expected.txt");
    if (actual != expected) {
        std::string keep = testing::TempDir() + "level16_actual.txt";
        std::ofstream(keep, std::ios::binary) << actual;
        ADD_FAILURE() << "arena differs from tests/fixtures/level16_expected.txt; actual kept in " << keep;
    }
    // What the picture pass must give whatever the generator does.
    EXPECT_EQ(ArenaCell(0, 0), CellWall);   // white
    EXPECT_EQ(ArenaCell(3, 11), CellWall);  // sky blue
    EXPECT_EQ(ArenaCell(6, 6), CellWall);   // 240, 240, 240
    EXPECT_EQ(ArenaCell(2, 8), CellEmpty);  // 239, 255, 255
    EXPECT_EQ(ArenaCell(11, 8), CellEmpty); // red
    EXPECT_EQ(PlayerTX, 4);                 // the green pixel
    EXPECT_EQ(PlayerTY, 10);
    EXPECT_EQ(PlayerOX, 0);
    EXPECT_EQ(PlayerOY, 0);
    for (int v = 512; v < ArenaH; ++v)
        for (int u = 0; u < ArenaW; ++u) ASSERT_EQ(ArenaCell(u, v), 0) << u << "," << v;
    for (int u = 512; u < ArenaW; ++u)
        for (int v = 0; v < LevelSize; ++v) ASSERT_EQ(ArenaCell(u, v), 0) << u << "," << v;
}

TEST(LevelBuild, SamePictureSameArena) {
    TextPicture pic = Fixture();
    BuildArena(pic);
    std::vector<int32_t> first = Arena;
    SeedRandom(99); // whatever the generator did before, the fixed seed decides
    BuildArena(pic);
    EXPECT_TRUE(first == Arena);
}

TEST(LevelBuild, EveryYellowPixelTakesOneDraw) {
    TextPicture pic = Fixture();
    int yellow = 0;
    for (const std::string& row : pic.rows)
        yellow += static_cast<int>(std::count(row.begin(), row.end(), 'Y'));
    ASSERT_EQ(yellow, 6);
    SeedRandom(LevelSeed);
    ReadLevelPicture(pic);
    int32_t after = RandomState();
    SeedRandom(LevelSeed);
    for (int i = 0; i < yellow; ++i) RandInt(14, 17);
    EXPECT_EQ(after, RandomState());
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            if (pic.rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == 'Y') {
                EXPECT_GE(ArenaCell(x, y), 14);
                EXPECT_LE(ArenaCell(x, y), 17);
            }
}

TEST(LevelBuild, OneMoreYellowPixelChangesWhatComesAfterIt) {
    TextPicture pic = Fixture();
    BuildArena(pic);
    std::vector<int32_t> before = Arena;
    pic.rows[1][8] = 'Y';
    BuildArena(pic);
    int changedLater = 0;
    for (int x = 20; x < LevelSize; ++x)
        for (int y = 0; y < LevelSize; ++y)
            if (ArenaCell(x, y) != before[static_cast<size_t>(y) * ArenaW + x]) ++changedLater;
    EXPECT_GT(changedLater, 1000);
}

TEST(LevelBuild, DecorationsStandOnlyOnWallFloors) {
    BuildArena(Fixture());
    int items = 0;
    for (int x = 0; x < LevelSize; ++x)
        for (int y = 0; y < LevelSize; ++y) {
            int k = ArenaCell(x, y);
            bool placed = k >= CellSpike && k <= CellTimeBonus;
            if (!placed) continue;
            ++items;
            EXPECT_EQ(ArenaCell(x, y + 1), CellWall) << x << "," << y;
        }
    EXPECT_GT(items, 0);
}

TEST(LevelStart, RandomStartStandsOnAFloorWithRoomAround) {
    TextPicture pic;
    pic.rows.assign(80, std::string());
    // A floor across the start window, so candidates exist.
    for (int y = 0; y < 80; ++y) pic.rows[static_cast<size_t>(y)] = std::string(360, '.');
    pic.rows[70] = std::string(360, 'W');
    for (int32_t seed : {1, 12345, 987654}) {
        BuildArena(pic);
        PickStart(seed);
        EXPECT_GT(PlayerTX, 160);
        EXPECT_LT(PlayerTX, 352);
        EXPECT_EQ(PlayerTY, 69);
        EXPECT_EQ(ArenaCell(PlayerTX, PlayerTY + 1), CellWall);
        for (int x = PlayerTX - 4; x <= PlayerTX + 4; ++x)
            for (int y = PlayerTY - 2; y <= PlayerTY; ++y) EXPECT_EQ(ArenaCell(x, y), 0) << x << "," << y;
    }
}

TEST(LevelStart, WithoutCandidatesTheDesignedStartStands) {
    TextPicture pic = Fixture();
    BuildArena(pic);
    PickStart(4242);
    EXPECT_EQ(PlayerTX, 4);
    EXPECT_EQ(PlayerTY, 10);
    EXPECT_EQ(ArenaCell(PlayerTX, PlayerTY + 1), CellWall);
    EXPECT_EQ(ArenaCell(0, 10), 0);        // the outer wall beside the start is cleared too,
    EXPECT_EQ(ArenaCell(0, 11), CellWall); // but not the row below it
    EXPECT_EQ(ArenaCell(9, 11), CellWall);
}

// Walks the arena as the player moves: walk to a free side cell, fall (straight or one cell aside per
// row), and jump: rise up to three cells (one cell aside per row at most), move two cells at the top,
// then fall. Returns which standing places are reached from the sources.
class ArenaWalk {
  public:
    ArenaWalk() : seen_(static_cast<size_t>(Phases) * LevelSize * LevelSize, 0) {}

    void From(int x, int y) { Push(Fall, x, y); }

    void Run() {
        while (!queue_.empty()) {
            auto [phase, x, y] = queue_.front();
            queue_.pop_front();
            Expand(phase, x, y);
        }
    }

    bool Reached(int x, int y) const { return seen_[Index(Stand, x, y)] != 0; }
    bool Touched(int x, int y) const { // passed through in any way
        for (int phase = 0; phase < Phases; ++phase)
            if (seen_[Index(phase, x, y)]) return true;
        return false;
    }

  private:
    enum { Stand, Fall, Rise1, Rise2, Rise3, Top0, Top1, Top2, Phases };
    struct State {
        int phase, x, y;
    };

    static size_t Index(int phase, int x, int y) {
        return (static_cast<size_t>(phase) * LevelSize + static_cast<size_t>(y)) * LevelSize +
               static_cast<size_t>(x);
    }
    static bool Free(int x, int y) {
        return x >= 0 && y >= 0 && x < LevelSize && y < LevelSize && !IsSolid(ArenaCell(x, y));
    }

    void Push(int phase, int x, int y) {
        if (!Free(x, y)) return;
        size_t i = Index(phase, x, y);
        if (seen_[i]) return;
        seen_[i] = 1;
        queue_.push_back({phase, x, y});
    }

    void Expand(int phase, int x, int y) {
        if (phase == Stand) {
            Push(Fall, x - 1, y);
            Push(Fall, x + 1, y);
            Push(Rise3, x, y);
        } else if (phase == Fall) {
            if (IsSolid(ArenaCell(x, y + 1))) return Push(Stand, x, y);
            Push(Fall, x, y + 1);
            for (int dx : {-1, 1})
                if (Free(x + dx, y)) Push(Fall, x + dx, y + 1);
        } else if (phase >= Rise1 && phase <= Rise3) {
            Push(Top2, x, y);
            int next = phase == Rise3 ? Rise2 : (phase == Rise2 ? Rise1 : -1);
            for (int dx : {-1, 0, 1})
                if (next >= 0 && Free(x + dx, y)) Push(next, x + dx, y - 1);
            if (phase == Rise1) Push(Top2, x, y - 1);
        } else {
            Push(Fall, x, y);
            if (phase != Top0)
                for (int dx : {-1, 1}) Push(phase - 1, x + dx, y);
        }
    }

    std::vector<uint8_t> seen_;
    std::deque<State> queue_;
};

// The walk itself: three cells up is reachable, four is not, and walls hold.
TEST(LevelWalk, WalkClimbsThreeCellsAndNoMore) {
    std::fill(Arena.begin(), Arena.end(), 0);
    for (int x = 10; x <= 60; ++x) SetArenaCell(x, 100, CellWall); // ground, standing row 99
    for (int x = 20; x <= 24; ++x) SetArenaCell(x, 97, CellLedge); // three up: reachable
    for (int x = 40; x <= 44; ++x) SetArenaCell(x, 96, CellLedge); // four up: not
    for (int x = 50; x <= 56; ++x) SetArenaCell(x, 90, CellWall);  // a closed box on the ground
    for (int y = 90; y <= 99; ++y) {
        SetArenaCell(50, y, CellWall);
        SetArenaCell(56, y, CellWall);
    }
    ArenaWalk walk;
    walk.From(12, 99);
    walk.Run();
    EXPECT_TRUE(walk.Reached(30, 99));
    EXPECT_TRUE(walk.Reached(22, 96));
    EXPECT_FALSE(walk.Reached(42, 95));
    EXPECT_FALSE(walk.Reached(53, 99));
    EXPECT_FALSE(walk.Reached(53, 89)); // the box's lid is ten cells up
    std::fill(Arena.begin(), Arena.end(), 0);
}

TEST(LevelWalk, MostFloorsOfTheRealLevelCanBeReached) {
    tools::Image lev;
    ASSERT_TRUE(tools::ReadPng(GLIMMET_RUN_DIR "/Files/291/lev.png", lev)) << "run the data build first";
    ASSERT_EQ(lev.w, 512);
    ASSERT_EQ(lev.h, 512);
    BuildArena([&lev](int x, int y) { return tools::PixelAt(lev, x, y); });
    int designedX = PlayerTX, designedY = PlayerTY;
    EXPECT_TRUE(designedX > 160 && designedX < 352 && designedY > 40 && designedY < 80);
    EXPECT_TRUE(IsSolid(ArenaCell(designedX, designedY + 1)));

    // The outer wall is closed.
    for (int i = 0; i < LevelSize; ++i) {
        ASSERT_TRUE(IsSolid(ArenaCell(i, 0)) && IsSolid(ArenaCell(i, 511))) << i;
        ASSERT_TRUE(IsSolid(ArenaCell(0, i)) && IsSolid(ArenaCell(511, i))) << i;
    }

    ArenaWalk walk;
    int candidates = 0;
    for (int x = 2; x <= 509; ++x)
        for (int y = 2; y <= 509; ++y)
            if (y > 40 && y < 80 && ArenaCell(x, y + 1) == CellWall && ArenaCell(x, y) == 0 && x > 160 &&
                x < 352) {
                walk.From(x, y);
                ++candidates;
            }
    EXPECT_GT(candidates, 100);
    walk.Run();

    int gems = 0, gemsReached = 0;
    for (int x = 0; x < LevelSize; ++x)
        for (int y = 0; y < LevelSize; ++y)
            if (ArenaCell(x, y) >= 14 && ArenaCell(x, y) <= 17) {
                ++gems;
                if (walk.Touched(x, y)) ++gemsReached;
            }
    int floors = 0, reached = 0, items = 0, itemsReached = 0;
    for (int x = 1; x < LevelSize - 1; ++x)
        for (int y = 1; y < LevelSize - 1; ++y) {
            if (IsSolid(ArenaCell(x, y)) || !IsSolid(ArenaCell(x, y + 1))) continue;
            ++floors;
            if (walk.Reached(x, y)) ++reached;
            if (ArenaCell(x, y) > 0) {
                ++items;
                if (walk.Reached(x, y)) ++itemsReached;
            }
        }
    double share = static_cast<double>(reached) / floors;
    std::printf("[ walk     ] %d start candidates; %d of %d floor cells reached (%.1f %%); "
                "%d of %d items on floors, %d of %d glimmet\n",
                candidates, reached, floors, 100.0 * share, itemsReached, items, gemsReached, gems);
    RecordProperty("reached_floor_percent", static_cast<int>(100.0 * share));
    EXPECT_GT(share, 0.9);
    EXPECT_GT(gemsReached, gems * 9 / 10);
}

} // namespace
} // namespace glimmet
