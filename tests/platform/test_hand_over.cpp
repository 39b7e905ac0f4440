// SPDX-License-Identifier: GPL-3.0-or-later
// Later starts of the program on one settings file, as the running copy meets
// them: each later start's side runs on a thread of its own, as in a process
// of its own, while the event loop serves the running copy's socket.
#include "platform/files/file_descriptor.h"
#include "platform/handover/hand_over_endpoint.h"
#include "platform/handover/hand_over_server.h"
#include "platform/handover/local_socket.h"
#include "platform/handover/running_copy.h"
#include "test_support/registry_test_files.h"
#include "test_support/test_application.h"
#include "test_support/wait_for.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kvarzel {
namespace {

using Outcome = CopyClaim::Outcome;
using testing::TemporaryFolder;
using testing::WaitFor;
using testing::WriteBytes;

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::TestApplication();
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.Path().string()));
    }
    void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }

    // A later start's claim, on a thread of its own as in a process of its
    // own, answered by the event loop meanwhile.
    static std::future<CopyClaim> Claim(const std::filesystem::path& settings,
                                        const HandOverRequest& request = {},
                                        ClaimPatience patience = {}) {
        return std::async(std::launch::async,
                          [=] { return ClaimSettingsFile(settings, request, patience); });
    }
    static CopyClaim Served(std::future<CopyClaim> claim) {
        WaitFor(
            [&] { return claim.wait_for(std::chrono::seconds{0}) == std::future_status::ready; },
            10000);
        return claim.get();
    }
    HandOverEndpoint Endpoint() const { return *ChooseHandOverEndpoint(settings).Endpoint; }

    TemporaryFolder runtime;
    TemporaryFolder home;
    const std::filesystem::path settings = home.Path() / "config" / "Tellumor" / "Kvarzel.reg";
    const std::filesystem::path other = home.Path() / "other" / "Tellumor" / "Kvarzel.reg";
};

using Clock = std::chrono::steady_clock;
constexpr ClaimPatience ShortPatience{std::chrono::milliseconds{200}};

TEST_F(HandOverTest, ALaterStartHandsItsRequestToTheRunningCopy) {
    const CopyClaim first = ClaimSettingsFile(settings, {});
    ASSERT_EQ(first.Result, Outcome::First);
    HandOverServer server(*first.First);
    QSignalSpy requests(&server, &HandOverServer::Requested);

    const HandOverRequest request{"token-1", "launcher-7-host-_TIME1234"};
    EXPECT_EQ(Served(Claim(settings, request)).Result, Outcome::HandedOver);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0][0].value<HandOverRequest>(), request);

    // The endpoint is the user's alone.
    const HandOverEndpoint endpoint = Endpoint();
    EXPECT_EQ(endpoint.Socket.parent_path(), runtime.Path());
    struct stat socket {};
    ASSERT_EQ(::lstat(endpoint.Socket.c_str(), &socket), 0);
    EXPECT_TRUE(S_ISSOCK(socket.st_mode));
    EXPECT_EQ(socket.st_mode & 0777, 0600U);
}

// Two settings folders have a copy each; one folder reached through a link is
// still the same settings file, and a copy whose window does not answer (its
// event loop held up) is reported once the patience is over.
TEST_F(HandOverTest, EachResolvedSettingsFileHasOneCopy) {
    const CopyClaim first = ClaimSettingsFile(settings, {});
    const CopyClaim second = ClaimSettingsFile(other, {});
    EXPECT_EQ(first.Result, Outcome::First);
    EXPECT_EQ(second.Result, Outcome::First);

    std::filesystem::create_directories(settings.parent_path());
    std::filesystem::create_directory_symlink(home.Path() / "config", home.Path() / "linked");
    const auto linked = home.Path() / "linked" / "Tellumor" / "Kvarzel.reg";
    HandOverServer server(*first.First);
    QSignalSpy requests(&server, &HandOverServer::Requested);
    EXPECT_EQ(ClaimSettingsFile(linked, {}, ShortPatience).Result, Outcome::NotAnswering);
    // The window comes back too late for that start: its request, handed on
    // first, is not carried out.
    EXPECT_EQ(Served(Claim(linked)).Result, Outcome::HandedOver);
    EXPECT_EQ(requests.size(), 1);
}

// A copy still starting answers from its first moment, and its window comes
// to the front with the request once it can; a copy that takes longer than
// the grace to get there is taken for hung.
TEST_F(HandOverTest, AStartingCopyAnswersAtOnceAndItsWindowFollows) {
    const CopyClaim first = ClaimSettingsFile(settings, {});
    ASSERT_EQ(first.Result, Outcome::First);
    const HandOverRequest request{"", "launcher-1-host_TIME5"};
    EXPECT_EQ(ClaimSettingsFile(settings, request).Result, Outcome::HandedOver);
    HandOverServer server(*first.First);
    QSignalSpy requests(&server, &HandOverServer::Requested);
    EXPECT_TRUE(WaitFor([&] { return requests.size() == 1; }));
    EXPECT_EQ(requests[0][0].value<HandOverRequest>(), request);

    const CopyClaim hung =
        ClaimSettingsFile(other, {}, {HandOverPatience, std::chrono::milliseconds{0}});
    ASSERT_EQ(hung.Result, Outcome::First);
    EXPECT_EQ(ClaimSettingsFile(other, {}, ShortPatience).Result, Outcome::NotAnswering);
}

// Whatever holds the copy up, a later start decides within its patience: a
// copy that holds the lock but has no socket (ending, or killed between the
// two), and a copy whose socket's queue is full.
TEST_F(HandOverTest, AHeldUpCopyIsReportedWithinThePatience) {
    const HandOverEndpoint endpoint = Endpoint();
    const FileLock held = FileLock::Take(endpoint.Lock, std::chrono::milliseconds{0});
    ASSERT_TRUE(held.Held());
    Clock::time_point start = Clock::now();
    EXPECT_EQ(ClaimSettingsFile(settings, {}, ShortPatience).Result, Outcome::NotAnswering);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds{3});

    // A queue of one, filled: connecting finds it full.
    const FileDescriptor listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    endpoint.Socket.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener.Get(), 0), 0);
    std::vector<std::unique_ptr<FileDescriptor>> queued;
    for (LocalConnection connection = ConnectLocally(endpoint.Socket);
         connection.State == LocalConnection::Result::Connected && queued.size() < 100;
         connection = ConnectLocally(endpoint.Socket))
        queued.push_back(std::make_unique<FileDescriptor>(connection.Socket));
    ASSERT_EQ(ConnectLocally(endpoint.Socket).State, LocalConnection::Result::QueueFull);
    start = Clock::now();
    EXPECT_EQ(ClaimSettingsFile(settings, {}, ShortPatience).Result, Outcome::NotAnswering);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds{3});
}

// A copy that is ending closes its connections unanswered: the later start
// looks again and, the copy gone, runs itself.
TEST_F(HandOverTest, AnEndingCopyIsFollowed) {
    const HandOverEndpoint endpoint = Endpoint();
    auto ending = std::make_unique<FileLock>(
        FileLock::Take(endpoint.Lock, std::chrono::milliseconds{0}));
    const FileDescriptor listener(ListenLocally(endpoint.Socket));
    ASSERT_GE(listener.Get(), 0);
    std::future<CopyClaim> claim = Claim(settings);
    pollfd connecting{listener.Get(), POLLIN, 0};
    ASSERT_EQ(::poll(&connecting, 1, 10000), 1);
    { const FileDescriptor closed(::accept(listener.Get(), nullptr, nullptr)); }
    ::unlink(endpoint.Socket.c_str());
    ending.reset();
    const CopyClaim next = Served(std::move(claim));
    EXPECT_EQ(next.Result, Outcome::First);
}

// A copy that ended, however, leaves its lock free, and a socket it left
// behind is replaced by the next copy's.
TEST_F(HandOverTest, AnEndedCopyLeavesNothingInTheWay) {
    const FileDescriptor killed(ListenLocally(Endpoint().Socket));
    ASSERT_GE(killed.Get(), 0);
    const CopyClaim next = ClaimSettingsFile(settings, {});
    ASSERT_EQ(next.Result, Outcome::First);
    HandOverServer server(*next.First);
    EXPECT_EQ(Served(Claim(settings)).Result, Outcome::HandedOver);
}

// Without a runtime folder of the user's own the endpoint lies beside the
// settings file.
TEST_F(HandOverTest, TheEndpointIsOnlyInAFolderOfTheUsersOwn) {
    std::filesystem::permissions(runtime.Path(), std::filesystem::perms::group_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(Endpoint().Lock.parent_path(), settings.parent_path());
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(Endpoint().Socket.parent_path(), settings.parent_path());
    EXPECT_EQ(ClaimSettingsFile(settings, {}).Result, Outcome::First);
}

// Where no safe lock can be made the start runs unguarded, and says why;
// nothing planted is followed or changed.
TEST_F(HandOverTest, AStartThatCannotBeGuardedSaysWhy) {
    using Kind = GuardProblem::Kind;
    qunsetenv("XDG_RUNTIME_DIR");
    const std::filesystem::path folder = settings.parent_path();
    const std::filesystem::path lock = Endpoint().Lock;
    ASSERT_EQ(lock.parent_path(), folder);
    const std::filesystem::path elsewhere = home.Path() / "elsewhere";
    const bool root = ::geteuid() == 0;
    const struct {
        const char* Name;
        std::function<void()> Plant;
        Kind Expected;
        bool RootOnly = false;
    } cases[] = {
        {"a link at the lock", [&] { std::filesystem::create_symlink(elsewhere, lock); },
         Kind::LockInTheWay},
        {"a folder at the lock", [&] { std::filesystem::create_directory(lock); },
         Kind::LockInTheWay},
        {"another user's file at the lock",
         [&] {
             WriteBytes(lock, "");
             if (root)
                 ASSERT_EQ(::chown(lock.c_str(), 65534, 65534), 0);
             else
                 std::filesystem::permissions(lock, std::filesystem::perms::none);
         },
         Kind::LockInTheWay},
        {"a folder open to all",
         [&] { std::filesystem::permissions(folder, std::filesystem::perms::all); },
         Kind::NoPrivateFolder},
        {"a link for the folder",
         [&] {
             std::filesystem::remove_all(folder);
             std::filesystem::create_directory(elsewhere);
             std::filesystem::create_directory_symlink(elsewhere, folder);
         },
         Kind::NoPrivateFolder},
        {"another user's folder", [&] { ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0); },
         Kind::NoPrivateFolder, true},
    };
    for (const auto& planted : cases) {
        if (planted.RootOnly && !root)
            continue;
        std::filesystem::remove_all(folder);
        std::filesystem::remove_all(elsewhere);
        std::filesystem::create_directories(folder);
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        planted.Plant();
        const CopyClaim claim = ClaimSettingsFile(settings, {});
        EXPECT_EQ(claim.Result, Outcome::Unguarded) << planted.Name;
        EXPECT_EQ(claim.Problem.What, planted.Expected) << planted.Name;
        EXPECT_NE(GuardProblemText(claim.Problem).find(claim.Problem.Place.string()),
                  std::string::npos)
            << planted.Name;
        EXPECT_TRUE(!std::filesystem::exists(elsewhere) || std::filesystem::is_empty(elsewhere))
            << planted.Name;
    }
    // Without a settings file there is nothing to guard, and nothing to say.
    EXPECT_EQ(ClaimSettingsFile({}, {}).Problem.What, Kind::None);
}

// Sends `bytes` on a connection of its own and waits until the running copy
// closes it; what the copy answered, if anything.
std::string AnswerTo(const std::filesystem::path& socket, const std::string& bytes) {
    const LocalConnection connection = ConnectLocally(socket);
    if (connection.State != LocalConnection::Result::Connected)
        return "no connection";
    const FileDescriptor connected(connection.Socket);
    ::send(connected.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    std::string answer;
    bool closed = false;
    WaitFor([&] {
        char buffer[64];
        const ssize_t count = ::recv(connected.Get(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (count > 0)
            answer.append(buffer, static_cast<std::size_t>(count));
        closed = count == 0 || (count < 0 && errno != EAGAIN);
        return closed;
    });
    return closed ? answer : "left open";
}

// Connections that never speak, as many as another process of the user
// cares to hold.
std::vector<std::unique_ptr<FileDescriptor>> SilentConnections(const std::filesystem::path& socket,
                                                               std::size_t count) {
    std::vector<std::unique_ptr<FileDescriptor>> silent;
    for (std::size_t tries = 0; silent.size() < count && tries < 100 * count; ++tries) {
        const LocalConnection connection = ConnectLocally(socket);
        if (connection.State == LocalConnection::Result::Connected)
            silent.push_back(std::make_unique<FileDescriptor>(connection.Socket));
    }
    return silent;
}

TEST_F(HandOverTest, WhatIsNotARequestIsDroppedWithoutDisturbingTheCopy) {
    const CopyClaim first = ClaimSettingsFile(settings, {});
    ASSERT_EQ(first.Result, Outcome::First);
    HandOverServer server(*first.First);
    QSignalSpy requests(&server, &HandOverServer::Requested);
    const auto socket = Endpoint().Socket;

    // A connection that never speaks stays open meanwhile, and does not hold
    // up a later start.
    const auto silent = SilentConnections(socket, 1);
    const std::string cases[] = {
        "garbage\n",
        std::string(MaxHandOverRequest + 100, 'r'),
        "raise xdg-activation=" + std::string(MaxHandOverRequest, 'x') + "\n",
        "raise\nraise\n",
        "raise startup-id=s xdg-activation=t\n",
        std::string("\0\xff\n", 3),
        "raise",
    };
    for (const std::string& bytes : cases)
        EXPECT_EQ(AnswerTo(socket, bytes), "") << bytes;
    EXPECT_EQ(requests.size(), 0);
    EXPECT_EQ(Served(Claim(settings)).Result, Outcome::HandedOver);
    EXPECT_EQ(requests.size(), 1);

    // The silent connection is closed by the copy after its patience.
    char byte = 0;
    EXPECT_TRUE(
        WaitFor([&] { return ::recv(silent[0]->Get(), &byte, 1, MSG_DONTWAIT) == 0; }));
}

// Starts that come at once are all answered, however many silent connections
// another process of the user holds meanwhile: more than the copy keeps
// waiting make the oldest go, never a start that has said what it wants.
TEST_F(HandOverTest, CrowdsOfStartsAndSilentConnectionsAreAllServed) {
    rlimit descriptors{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &descriptors), 0);
    descriptors.rlim_cur = descriptors.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &descriptors);
    const std::size_t crowd = descriptors.rlim_cur > 3 * LaterStartsListener::MostWaiting
                                  ? LaterStartsListener::MostWaiting + 64
                                  : 64;

    const CopyClaim first = ClaimSettingsFile(settings, {});
    ASSERT_EQ(first.Result, Outcome::First);
    HandOverServer server(*first.First);
    QSignalSpy requests(&server, &HandOverServer::Requested);
    const auto silent = SilentConnections(Endpoint().Socket, crowd);
    std::vector<std::future<CopyClaim>> starts;
    for (int start = 0; start < 32; ++start)
        starts.push_back(Claim(settings, {"", "start-" + std::to_string(start)}));
    for (std::future<CopyClaim>& start : starts)
        EXPECT_EQ(Served(std::move(start)).Result, Outcome::HandedOver);
    EXPECT_EQ(requests.size(), 32);
}

} // namespace
} // namespace kvarzel
