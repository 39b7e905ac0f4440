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

#include <future>
#include <sys/socket.h>
#include <sys/stat.h>

namespace kvarzel {
namespace {

using Outcome = CopyClaim::Outcome;
using testing::TemporaryFolder;
using testing::WaitFor;

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::TestApplication();
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.Path().string()));
    }
    void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }

    // A later start's claim, answered by the event loop meanwhile.
    static CopyClaim ClaimWhileServing(const std::filesystem::path& settings,
                                       const HandOverRequest& request = {},
                                       std::chrono::milliseconds patience = HandOverPatience) {
        auto claim = std::async(std::launch::async,
                                [&] { return ClaimSettingsFile(settings, request, patience); });
        WaitFor(
            [&] { return claim.wait_for(std::chrono::seconds{0}) == std::future_status::ready; },
            10000);
        return claim.get();
    }

    TemporaryFolder runtime;
    TemporaryFolder home;
    const std::filesystem::path settings = home.Path() / "config" / "Tellumor" / "Kvarzel.reg";
};

TEST_F(HandOverTest, ALaterStartHandsItsRequestToTheRunningCopy) {
    const CopyClaim first = ClaimSettingsFile(settings, {});
    ASSERT_EQ(first.Result, Outcome::First);
    HandOverServer server(*first.First);
    QSignalSpy requests(&server, &HandOverServer::Requested);

    const HandOverRequest request{"token-1", "launcher-7-host-_TIME1234"};
    EXPECT_EQ(ClaimWhileServing(settings, request).Result, Outcome::HandedOver);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0][0].value<HandOverRequest>(), request);

    // The endpoint is the user's alone.
    const auto endpoint = HandOverEndpointFor(settings);
    ASSERT_TRUE(endpoint.has_value());
    EXPECT_EQ(endpoint->Socket.parent_path(), runtime.Path());
    struct stat socket {};
    ASSERT_EQ(::lstat(endpoint->Socket.c_str(), &socket), 0);
    EXPECT_TRUE(S_ISSOCK(socket.st_mode));
    EXPECT_EQ(socket.st_mode & 0777, 0600U);
}

// Two settings folders have a copy each; one folder reached through a link is
// still the same settings file. A copy that does not listen or does not
// answer is reported once the patience is over.
TEST_F(HandOverTest, EachResolvedSettingsFileHasOneCopy) {
    const std::filesystem::path other = home.Path() / "other" / "Tellumor" / "Kvarzel.reg";
    const CopyClaim first = ClaimSettingsFile(settings, {});
    const CopyClaim second = ClaimSettingsFile(other, {});
    EXPECT_EQ(first.Result, Outcome::First);
    EXPECT_EQ(second.Result, Outcome::First);

    std::filesystem::create_directories(settings.parent_path());
    std::filesystem::create_directory_symlink(home.Path() / "config", home.Path() / "linked");
    const auto linked = home.Path() / "linked" / "Tellumor" / "Kvarzel.reg";
    EXPECT_EQ(ClaimSettingsFile(linked, {}, std::chrono::milliseconds{100},
                                std::chrono::milliseconds{100})
                  .Result,
              Outcome::NotAnswering);
    // Listening, but never answering.
    ASSERT_GE(first.First->Listen(), 0);
    EXPECT_EQ(ClaimSettingsFile(linked, {}, std::chrono::milliseconds{100}).Result,
              Outcome::NotAnswering);
}

// A copy that ended, however, leaves its lock free, and a socket it left
// behind is replaced by the next copy's.
TEST_F(HandOverTest, AnEndedCopyLeavesNothingInTheWay) {
    const auto endpoint = HandOverEndpointFor(settings);
    ASSERT_TRUE(endpoint.has_value());
    const FileDescriptor killed(ListenLocally(endpoint->Socket));
    ASSERT_GE(killed.Get(), 0);
    const CopyClaim next = ClaimSettingsFile(settings, {});
    ASSERT_EQ(next.Result, Outcome::First);
    HandOverServer server(*next.First);
    EXPECT_EQ(ClaimWhileServing(settings).Result, Outcome::HandedOver);
}

// Without a runtime folder of the user's own the endpoint lies beside the
// settings file; a link planted in its place is not followed.
TEST_F(HandOverTest, TheEndpointIsOnlyInAFolderOfTheUsersOwn) {
    std::filesystem::permissions(runtime.Path(), std::filesystem::perms::group_write,
                                 std::filesystem::perm_options::add);
    auto endpoint = HandOverEndpointFor(settings);
    ASSERT_TRUE(endpoint.has_value());
    EXPECT_EQ(endpoint->Lock.parent_path(), settings.parent_path());
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(HandOverEndpointFor(settings)->Socket.parent_path(), settings.parent_path());

    std::filesystem::create_symlink(home.Path() / "elsewhere", endpoint->Lock);
    EXPECT_EQ(ClaimSettingsFile(settings, {}).Result, Outcome::Unguarded);
    EXPECT_FALSE(std::filesystem::exists(home.Path() / "elsewhere"));
}

// Sends `bytes` on a connection of its own and waits until the running copy
// closes it; what the copy answered, if anything.
std::string AnswerTo(const std::filesystem::path& socket, const std::string& bytes) {
    const FileDescriptor connection(ConnectLocally(socket));
    if (connection.Get() < 0)
        return "no connection";
    ::send(connection.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    std::string answer;
    bool closed = false;
    WaitFor([&] {
        char buffer[64];
        const ssize_t count = ::recv(connection.Get(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (count > 0)
            answer.append(buffer, static_cast<std::size_t>(count));
        closed = count == 0 || (count < 0 && errno != EAGAIN);
        return closed;
    });
    return closed ? answer : "left open";
}

TEST_F(HandOverTest, WhatIsNotARequestIsDroppedWithoutDisturbingTheCopy) {
    const CopyClaim first = ClaimSettingsFile(settings, {});
    ASSERT_EQ(first.Result, Outcome::First);
    HandOverServer server(*first.First);
    QSignalSpy requests(&server, &HandOverServer::Requested);
    const auto socket = HandOverEndpointFor(settings)->Socket;

    // A connection that never speaks stays open meanwhile, and does not hold
    // up a later start.
    const FileDescriptor silent(ConnectLocally(socket));
    ASSERT_GE(silent.Get(), 0);
    const std::string cases[] = {
        "garbage\n",
        std::string(MaxHandOverRequest + 100, 'r'),
        "raise xdg-activation=" + std::string(MaxHandOverRequest, 'x') + "\n",
        "raise\nraise\n",
        std::string("\0\xff\n", 3),
        "raise",
    };
    for (const std::string& bytes : cases)
        EXPECT_EQ(AnswerTo(socket, bytes), "") << bytes;
    // A start that gave up before the copy could answer is not carried out late.
    {
        const FileDescriptor gaveUp(ConnectLocally(socket));
        ::send(gaveUp.Get(), "raise\n", 6, MSG_NOSIGNAL);
    }
    EXPECT_TRUE(WaitFor([&] { return server.findChildren<QObject*>().isEmpty(); }));
    EXPECT_EQ(requests.size(), 0);
    EXPECT_EQ(ClaimWhileServing(settings).Result, Outcome::HandedOver);
    EXPECT_EQ(requests.size(), 1);

    // The silent connection is closed by the copy after its patience.
    char byte = 0;
    EXPECT_TRUE(WaitFor([&] { return ::recv(silent.Get(), &byte, 1, MSG_DONTWAIT) == 0; }));
}

} // namespace
} // namespace kvarzel
