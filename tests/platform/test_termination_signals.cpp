// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/termination_signals.h"
#include "test_support/test_application.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace kvarzel {
namespace {

void (*HandlerOf(int number))(int) {
    struct sigaction current {};
    sigaction(number, nullptr, &current);
    return current.sa_handler;
}

// Puts a signal's disposition back when the test ends, whatever it set.
class SavedDisposition {
public:
    explicit SavedDisposition(int number) : number_(number) { sigaction(number, nullptr, &saved_); }
    ~SavedDisposition() { sigaction(number_, &saved_, nullptr); }

private:
    int number_;
    struct sigaction saved_ {};
};

class TerminationSignalsTest : public ::testing::Test {
protected:
    void SetUp() override { testing::TestApplication(); }
};

// Real signals, raised in this process: each one arrives as a Qt signal from
// the event loop, in the order raised, and not before the loop runs.
TEST_F(TerminationSignalsTest, EachSignalArrivesFromTheEventLoop) {
    TerminationSignals watcher;
    ASSERT_TRUE(watcher.Watching());
    QSignalSpy received(&watcher, &TerminationSignals::Received);
    for (const int number : TerminationSignalNumbers()) {
        ASSERT_EQ(raise(number), 0);
        EXPECT_EQ(received.count(), 0) << "a handler may do no more than write to the pipe";
        ASSERT_TRUE(received.wait(5000)) << number;
        EXPECT_EQ(received.takeFirst().at(0).toInt(), number);
    }
    raise(SIGTERM);
    raise(SIGHUP);
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.count() == 2; }, 5000));
    EXPECT_EQ(received.at(0).at(0).toInt(), SIGTERM);
    EXPECT_EQ(received.at(1).at(0).toInt(), SIGHUP);
}

TEST_F(TerminationSignalsTest, TheHandlersThatWereThereComeBack) {
    const SavedDisposition term(SIGTERM), hup(SIGHUP);
    auto* const own = +[](int) {};
    signal(SIGTERM, own);
    signal(SIGHUP, SIG_DFL);
    {
        const TerminationSignals watcher;
        EXPECT_NE(HandlerOf(SIGTERM), own);
        EXPECT_NE(HandlerOf(SIGHUP), SIG_DFL);
    }
    EXPECT_EQ(HandlerOf(SIGTERM), own);
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_DFL);
}

// As under nohup, or for a program a shell starts in the background.
TEST_F(TerminationSignalsTest, AnIgnoredSignalStaysIgnored) {
    const SavedDisposition hup(SIGHUP);
    signal(SIGHUP, SIG_IGN);
    TerminationSignals watcher;
    ASSERT_TRUE(watcher.Watching());
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
    QSignalSpy received(&watcher, &TerminationSignals::Received);
    raise(SIGHUP);
    raise(SIGTERM);
    ASSERT_TRUE(received.wait(5000));
    QCoreApplication::processEvents();
    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).toInt(), SIGTERM);
}

TEST_F(TerminationSignalsTest, OneWatcherAtATimeAndAnotherAfterIt) {
    auto first = std::make_unique<TerminationSignals>();
    const TerminationSignals second;
    EXPECT_TRUE(first->Watching());
    EXPECT_FALSE(second.Watching());
    first.reset();
    const TerminationSignals third;
    EXPECT_TRUE(third.Watching());
    QSignalSpy received(&third, &TerminationSignals::Received);
    raise(SIGINT);
    ASSERT_TRUE(received.wait(5000));
    EXPECT_EQ(received.at(0).at(0).toInt(), SIGINT);
}

} // namespace
} // namespace kvarzel
