#include "saver/wayland/file_uri.h"

#include <gtest/gtest.h>

namespace velmoran::wayland {
namespace {

TEST(LocalFileOfTest, FileAddressesOfThisMachineGiveTheirPath) {
    EXPECT_EQ(LocalFileOf("file:///tmp/out.png"), std::filesystem::path("/tmp/out.png"));
    EXPECT_EQ(LocalFileOf("file://localhost/home/a/Pictures/s.png"),
              std::filesystem::path("/home/a/Pictures/s.png"));
}

TEST(LocalFileOfTest, PercentEscapesAreDecoded) {
    EXPECT_EQ(LocalFileOf("file:///home/a/Bilder/Bildschirmfoto%20vom%202026-12-08%2023-00-00.png"),
              std::filesystem::path("/home/a/Bilder/Bildschirmfoto vom 2026-12-08 23-00-00.png"));
    EXPECT_EQ(LocalFileOf("file:///tmp/%E7%94%BB%e5%83%8f%3F%23%25.png"),
              std::filesystem::path("/tmp/\xe7\x94\xbb\xe5\x83\x8f?#%.png"));
}

TEST(LocalFileOfTest, OtherAddressesGiveNothing) {
    for (const char* uri : {"", "file:", "file://", "file:/tmp/out.png", "/tmp/out.png", "http://host/out.png",
                            "file://otherhost/tmp/out.png", "file://localhost", "document:///tmp/out.png"})
        EXPECT_FALSE(LocalFileOf(uri)) << uri;
}

TEST(LocalFileOfTest, MalformedEscapesAQueryOrAZeroByteGiveNothing) {
    for (const char* uri : {"file:///tmp/out%2", "file:///tmp/out%", "file:///tmp/out%g0.png",
                            "file:///tmp/out%00.png", "file:///tmp/out.png?x=1", "file:///tmp/out.png#top"})
        EXPECT_FALSE(LocalFileOf(uri)) << uri;
}

}  // namespace
}  // namespace velmoran::wayland
