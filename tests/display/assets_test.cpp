#include <gtest/gtest.h>

#include <filesystem>

#include "audio/sound_effects.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/graphics_mode.h"
#include "platform/font.h"
#include "platform/process.h"
#include "scores/score_file.h"
#include "support/screen.h"

namespace glimmet {
namespace {

TEST(FontFactors, GrowAsTheDisplayNarrows) {
    struct Case {
        int width;
        double first, second;
        int slot2Size; // NamedFont slot 2: 16 x the second factor, truncated
    };
    const Case cases[] = {{1024, 1.0, 1.0, 16},
                          {900, 1.0, 1.0, 16},
                          {800, 1.2, 1.4, 22},
                          {640, 1.2, 1.4, 22},
                          {599, 1.5, 2.0, 32}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(FirstFontFactor(c.width), c.first);
        EXPECT_DOUBLE_EQ(SecondFontFactor(c.width), c.second);
        EXPECT_EQ(static_cast<int>(16 * SecondFontFactor(c.width)), c.slot2Size);
    }
    EXPECT_EQ(static_cast<int>(24 * FirstFontFactor(800)), 28); // 28.8 truncated
}

class AssetLoading : public testing::Test {
  protected:
    test::ScreenRun run;
};

TEST_F(AssetLoading, OnlyExistingSoundEffectsAreLoggedInOrder) {
    std::filesystem::copy_file(GLIMMET_RUN_DIR "/Files/291/001.wav", "001.wav");
    std::filesystem::copy_file(GLIMMET_RUN_DIR "/Files/291/001.wav", "017.wav");
    run.OpenScreen();
    std::vector<std::string> log = run.Log();
    auto from = std::find(log.begin(), log.end(), "Loading Sound effects");
    ASSERT_NE(from, log.end());
    const std::vector<std::string> expected = {"Loading Sound effects", "\tSFX(1)", "\tSFX(17)",
                                               "Sounds loaded", ""};
    EXPECT_EQ(std::vector<std::string>(from, from + 5), expected);
    EXPECT_NE(SfxSound[1], 0);
    EXPECT_NE(SfxSound[17], 0);
    EXPECT_EQ(SfxSound[2], 0);
}

TEST_F(AssetLoading, MissingFilesLeaveEmptyAssetsAndFallbackFonts) {
    run.OpenScreen();
    EXPECT_EQ(TileSheet, 0);
    EXPECT_EQ(Icons, 0);
    ASSERT_NE(NamedFont[5], 0);
    EXPECT_TRUE(FontIsFallback(NamedFont[5]));
    for (int slot : {0, 8, 10, 18, 20, 28}) EXPECT_NE(FontSlot[static_cast<size_t>(slot)], 0) << slot;
    for (int slot : {9, 19, 29, 30, 99}) EXPECT_EQ(FontSlot[static_cast<size_t>(slot)], 0) << slot;
}

TEST_F(AssetLoading, RecordsOfThisRunSurviveADisplayChange) {
    run.OpenScreen();
    Scores played;
    played.Name = "This run";
    played.Timestamp = 99;
    AddScore(played);
    Setting[SettingWidth] = 1024;
    Setting[SettingHeight] = 768;
    run.OpenScreen(); // reloads every asset
    ASSERT_EQ(ScoreList.size(), 1u);
    EXPECT_EQ(ScoreList[0].Name, "This run");
    EXPECT_EQ(DisplayW, 1024);
}

TEST_F(AssetLoading, WithTheRealDataEveryAssetLoads) {
    std::filesystem::copy(GLIMMET_RUN_DIR "/Files", run.FilesPath(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    run.OpenScreen();
    for (int image : {IconsSmooth, Icons, FrameworkLogo, SiteLogo, BadgeImage, TitleLogo, MenuArtSmooth,
                      MenuArt, TileSheet, WallImage})
        EXPECT_NE(image, 0);
    EXPECT_NE(BadgeSound, 0);
    EXPECT_FALSE(FontIsFallback(NamedFont[1]));
    EXPECT_FALSE(FontIsFallback(NamedFont[10]));
}

} // namespace
} // namespace glimmet
