// The saver's own event queue on a Wayland connection: a round trip that the
// compositor answers ends at the answer; one it never answers, or a
// connection it closes, ends without it, never later than the deadline.
#include "saver/wayland/private_queue.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdint>

namespace velmoran::wayland {
namespace {

using Clock = std::chrono::steady_clock;

// A client connection whose compositor end is the test's to write and close.
class Connection {
public:
    Connection() {
        int ends[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
        display_ = wl_display_connect_to_fd(ends[0]);
        compositor_ = ends[1];
    }
    ~Connection() {
        if (display_) wl_display_disconnect(display_);
        CloseCompositor();
    }

    wl_display* Display() const { return display_; }

    // An event on the wire: object, opcode, one 32-bit argument.
    void Send(std::uint32_t object, std::uint16_t opcode, std::uint32_t argument) {
        const std::uint32_t words[3] = {object, (12u << 16) | opcode, argument};
        ASSERT_EQ(write(compositor_, words, sizeof words), static_cast<ssize_t>(sizeof words));
    }
    void CloseCompositor() {
        if (compositor_ >= 0) close(compositor_);
        compositor_ = -1;
    }

private:
    wl_display* display_ = nullptr;
    int compositor_ = -1;
};

// The first object a client makes after the display (id 1) is id 2.
constexpr std::uint32_t kFirstObject = 2;
constexpr std::uint16_t kCallbackDone = 0;

TEST(PrivateQueue, RoundTripEndsAtTheCompositorsAnswer) {
    Connection connection;
    ASSERT_TRUE(connection.Display());
    PrivateQueue queue(connection.Display());
    // The answer to the sync the round trip is about to make, already on its way.
    connection.Send(kFirstObject, kCallbackDone, 7);
    EXPECT_TRUE(queue.RoundTrip(Clock::now() + std::chrono::seconds(30)));
}

TEST(PrivateQueue, RoundTripThatIsNeverAnsweredEndsAtTheDeadline) {
    Connection connection;
    ASSERT_TRUE(connection.Display());
    PrivateQueue queue(connection.Display());
    const auto deadline = Clock::now() + std::chrono::milliseconds(200);
    EXPECT_FALSE(queue.RoundTrip(deadline));
    EXPECT_GE(Clock::now(), deadline);
    // An answer to something else meanwhile does not end it either.
    connection.Send(kFirstObject + 5, kCallbackDone, 0);
    EXPECT_FALSE(queue.RoundTrip(Clock::now() + std::chrono::milliseconds(100)));
}

TEST(PrivateQueue, ClosedConnectionEndsTheWaitBeforeTheDeadline) {
    Connection connection;
    ASSERT_TRUE(connection.Display());
    PrivateQueue queue(connection.Display());
    connection.CloseCompositor();
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    EXPECT_FALSE(queue.RoundTrip(deadline));
    EXPECT_LT(Clock::now(), deadline);
}

TEST(PrivateQueue, DispatchUntilWhatHoldsAlreadyReadsNothing) {
    Connection connection;
    ASSERT_TRUE(connection.Display());
    PrivateQueue queue(connection.Display());
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    EXPECT_TRUE(queue.DispatchUntil(deadline, [] { return true; }));
    EXPECT_LT(Clock::now(), deadline);
}

}  // namespace
}  // namespace velmoran::wayland
