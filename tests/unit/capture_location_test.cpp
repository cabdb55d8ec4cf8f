#include "common/capture_location.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

velmoran::EnvLookup Env(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> const char* {
        auto it = vars.find(name);
        return it == vars.end() ? nullptr : it->second.c_str();
    };
}

TEST(CaptureLocation, GivenVariableWinsOnBothSystems) {
    auto env = Env({{"VELMORAN_CAPTURE", "/x/y.bmp"}, {"XDG_RUNTIME_DIR", "/run/user/1"}});
    EXPECT_EQ(velmoran::CaptureLocation(false, env), "/x/y.bmp");
    EXPECT_EQ(velmoran::CaptureLocation(true, env), "/x/y.bmp");
}

TEST(CaptureLocation, WindowsDefaultsToTheRootOfC) {
    EXPECT_EQ(velmoran::CaptureLocation(true, Env({{"VELMORAN_CAPTURE", ""}})), "C:\\Velmoran.bmp");
}

TEST(CaptureLocation, LinuxPrefersTheRuntimeFolderThenTheCache) {
    EXPECT_EQ(velmoran::CaptureLocation(false, Env({{"XDG_RUNTIME_DIR", "/run/user/7"}, {"HOME", "/home/a"}})),
              "/run/user/7/Velmoran.bmp");
    EXPECT_EQ(velmoran::CaptureLocation(false, Env({{"XDG_RUNTIME_DIR", ""}, {"HOME", "/home/a"}})),
              "/home/a/.cache/Velmoran.bmp");
    EXPECT_EQ(velmoran::CaptureLocation(false, Env({})), "");
}

using Places = std::vector<std::filesystem::path>;

TEST(CapturePlaces, TheLocationFirstThenTheCaptureFileInTheFallbackFolder) {
    const std::filesystem::path temp = std::filesystem::path("tmp") / "user";
    EXPECT_EQ(velmoran::CapturePlaces("C:\\Velmoran.bmp", temp), (Places{"C:\\Velmoran.bmp", temp / "Velmoran.bmp"}));
    EXPECT_EQ(velmoran::CapturePlaces("/run/user/7/Velmoran.bmp", {}), (Places{"/run/user/7/Velmoran.bmp"}));
}

TEST(CapturePlaces, AnUnknownLocationLeavesTheFallbackAlone) {
    EXPECT_EQ(velmoran::CapturePlaces({}, "tmp"), (Places{std::filesystem::path("tmp") / "Velmoran.bmp"}));
    EXPECT_EQ(velmoran::CapturePlaces({}, {}), Places{});
}

}  // namespace
