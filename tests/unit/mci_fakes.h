// Stand-ins for what the media-command interpreter gets from the platform: a
// disc held in memory, a music stream whose play the test moves on, and a
// way to send a command and read its reply.
#pragma once

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "saver/mci/cd_device.h"
#include "saver/mci/file_device.h"

namespace velmoran::testing {

// A disc whose audio byte at offset i of sector s is (s * 7 + i) & 255, so
// that every stretch of it can be told apart.
class MemoryDisc final : public AudioDisc {
public:
    explicit MemoryDisc(DiscLayout layout) : layout_(std::move(layout)) {}

    static std::uint8_t ByteAt(std::int64_t discOffset) {
        const std::int64_t sector = discOffset / kSectorBytes, within = discOffset % kSectorBytes;
        return static_cast<std::uint8_t>((sector * 7 + within) & 255);
    }
    // The bytes of `count` sectors from `sector` on.
    static std::vector<std::uint8_t> Bytes(std::int32_t sector, std::int32_t count) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * kSectorBytes);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = ByteAt(std::int64_t{sector} * kSectorBytes + static_cast<std::int64_t>(i));
        return bytes;
    }

    const DiscLayout& Layout() const override { return layout_; }
    bool Read(std::int32_t sector, std::int32_t count, std::uint8_t* data) const override {
        if (sector < 0 || sector + count > layout_.leadout) return false;
        for (std::int32_t s = sector; s < sector + count; ++s)
            if (unreadable.count(s)) return false;
        const auto bytes = Bytes(sector, count);
        std::copy(bytes.begin(), bytes.end(), data);
        return true;
    }

    std::set<std::int32_t> unreadable;  // sectors a read fails on

private:
    DiscLayout layout_;
};

inline std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t count) {
    from = std::min(from, bytes.size());
    return {bytes.begin() + from, bytes.begin() + std::min(bytes.size(), from + count)};
}

// Two audio tracks of 40 sectors each (0.53 s), as the audio tests' image.
inline DiscLayout TwoTracks() { return {1, {{0, true}, {40, true}}, 80}; }

// A file of `length` seconds; the test says how far play has got and when
// it has ended.
class FakeStream final : public MusicStream {
public:
    explicit FakeStream(double length) : length_(length) {}

    double Length() const override { return length_; }
    double Position() const override { return position; }
    bool Playing() const override { return playing; }
    bool Start(double from) override {
        starts.push_back(from);
        position = from;
        playing = startWorks;
        return startWorks;
    }
    void Halt() override { playing = false; }

    double position = 0;
    bool playing = false;
    bool startWorks = true;
    std::vector<double> starts;  // where each play began

private:
    double length_;
};

// A command's reply from an open device, or "code <n>" when it failed.
inline std::string Answer(MciDevice& device, const char* command) {
    mci::Request request;
    if (const std::int32_t code = mci::Parse(command, request); code != 0) return "code " + std::to_string(code);
    std::string reply;
    const std::int32_t code = device.Run(request, reply);
    return code == 0 ? reply : "code " + std::to_string(code);
}

}  // namespace velmoran::testing
