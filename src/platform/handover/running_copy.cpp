// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handover/running_copy.h"

#include "platform/files/file_descriptor.h"
#include "platform/files/home_folder.h"
#include "platform/handover/hand_over_endpoint.h"
#include "platform/handover/local_socket.h"

#include <thread>
#include <unistd.h>

namespace kvarzel {
namespace {

using Clock = std::chrono::steady_clock;

// Between a copy taking the lock and its socket listening, or between a copy's
// end and the lock's release, a later start looks again this often.
constexpr std::chrono::milliseconds LookAgain{10};

enum class Asked { Answered, NoListener, Silent };

Asked AskRunningCopy(const HandOverEndpoint& endpoint, const HandOverRequest& request,
                     std::chrono::milliseconds patience) {
    const FileDescriptor socket(ConnectLocally(endpoint.Socket));
    if (socket.Get() < 0)
        return Asked::NoListener;
    return ExchangeLocally(socket.Get(), EncodeHandOverRequest(request), HandOverAnswer,
                           Clock::now() + patience)
               ? Asked::Answered
               : Asked::Silent;
}

} // namespace

FirstCopy::FirstCopy(FileLock lock, std::filesystem::path socket)
    : lock_(std::move(lock)), socket_(std::move(socket)) {}

// The socket goes while the lock is still held, so that it cannot take a
// later copy's socket with it.
FirstCopy::~FirstCopy() {
    if (listener_ < 0)
        return;
    ::unlink(socket_.c_str());
    ::close(listener_);
}

int FirstCopy::Listen() {
    if (listener_ < 0)
        listener_ = ListenLocally(socket_);
    return listener_;
}

// A copy that holds the lock but does not listen yet is still starting (or
// has just ended and not yet let go of the lock): it is looked at again until
// it listens, for longer than a copy that listens is given to answer.
CopyClaim ClaimSettingsFile(const std::filesystem::path& settingsFile,
                            const HandOverRequest& request, std::chrono::milliseconds patience,
                            std::chrono::milliseconds startPatience) {
    const auto endpoint = HandOverEndpointFor(settingsFile);
    if (!endpoint)
        return {CopyClaim::Outcome::Unguarded, nullptr};
    const Clock::time_point startDeadline = Clock::now() + startPatience;
    do {
        FileLock lock = FileLock::Take(endpoint->Lock, std::chrono::milliseconds{0});
        if (lock.Held())
            return {CopyClaim::Outcome::First,
                    std::make_unique<FirstCopy>(std::move(lock), endpoint->Socket)};
        if (lock.Result() != FileLock::State::Busy)
            return {CopyClaim::Outcome::Unguarded, nullptr};
        switch (AskRunningCopy(*endpoint, request, patience)) {
        case Asked::Answered:
            return {CopyClaim::Outcome::HandedOver, nullptr};
        case Asked::Silent:
            return {CopyClaim::Outcome::NotAnswering, nullptr};
        case Asked::NoListener:
            std::this_thread::sleep_for(LookAgain);
            break;
        }
    } while (Clock::now() < startDeadline);
    return {CopyClaim::Outcome::NotAnswering, nullptr};
}

HandOverRequest HandOverRequestFromEnvironment() {
    return {EnvironmentText("XDG_ACTIVATION_TOKEN"), EnvironmentText("DESKTOP_STARTUP_ID")};
}

} // namespace kvarzel
