// The audio drivers offered: those that can play here, in SDL's order, and the silent ones only on
// request.
#include "platform/audio_drivers.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/audio.h"

namespace glimmet {
namespace {

std::vector<std::string> BuiltWith() {
    std::vector<std::string> names;
    for (int i = 0; i < SDL_GetNumAudioDrivers(); i++) names.emplace_back(SDL_GetAudioDriver(i));
    return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The offered drivers are a part of SDL's list, kept in SDL's order.
void ExpectInSdlOrder(const std::vector<std::string>& offered) {
    std::vector<std::string> built = BuiltWith();
    auto next = built.begin();
    for (const std::string& name : offered) {
        next = std::find(next, built.end(), name);
        ASSERT_NE(next, built.end()) << name << " is not one of SDL's drivers, or out of order";
    }
}

class AudioDrivers : public testing::Test {
  protected:
    void SetUp() override { CloseAudio(); }
    void TearDown() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1); // as the test program runs
        CloseAudio();
    }
};

TEST_F(AudioDrivers, SilentDriversAreOfferedOnlyWhenAskedFor) {
    struct Case {
        const char* asked; // SDL_AUDIODRIVER, nullptr = unset
        bool dummy;
        bool disk;
    };
    const Case cases[] = {{nullptr, false, false}, {"dummy", true, false}, {"pulseaudio,disk", false, true}};
    for (const Case& c : cases) {
        if (c.asked != nullptr)
            setenv("SDL_AUDIODRIVER", c.asked, 1);
        else
            unsetenv("SDL_AUDIODRIVER");
        std::vector<std::string> offered = AudioDriverList();
        std::string shown = c.asked != nullptr ? c.asked : "(unset)";
        EXPECT_EQ(Contains(offered, "dummy"), c.dummy) << shown;
        EXPECT_EQ(Contains(offered, "disk"), c.disk) << shown;
        ExpectInSdlOrder(offered);
    }
}

// Without a request, the drivers offered are exactly those that open an output here: on a machine
// without a sound server, pulseaudio (SDL's first driver) is not among them.
TEST_F(AudioDrivers, OfferedAreThoseThatOpenAnOutput) {
    unsetenv("SDL_AUDIODRIVER");
    std::vector<std::string> offered = AudioDriverList();
    for (const std::string& name : BuiltWith()) {
        if (name == "disk" || name == "dummy") continue;
        EXPECT_EQ(Contains(offered, name), DriverOpensOutput(name)) << name;
    }
}

} // namespace
} // namespace glimmet
