// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handover/running_copy.h"

#include "platform/files/file_descriptor.h"
#include "platform/files/home_folder.h"
#include "platform/handover/hand_over_endpoint.h"
#include "platform/handover/local_socket.h"

#include <algorithm>
#include <cerrno>
#include <thread>

namespace kvarzel {
namespace {

using Clock = std::chrono::steady_clock;

// Between a copy taking the lock and its socket listening, while a copy ends,
// or while its queue is full, a later start looks again this often.
constexpr std::chrono::milliseconds LookAgain{10};

enum class Asked { Answered, LookAgain, Silent };

Asked AskRunningCopy(const HandOverEndpoint& endpoint, const HandOverRequest& request,
                     Clock::time_point deadline) {
    const LocalConnection connection = ConnectLocally(endpoint.Socket);
    if (connection.State != LocalConnection::Result::Connected)
        return Asked::LookAgain;
    const FileDescriptor socket(connection.Socket);
    switch (ExchangeLocally(socket.Get(), EncodeHandOverRequest(request), HandOverAnswer,
                            deadline)) {
    case LocalExchange::Answered:
        return Asked::Answered;
    case LocalExchange::Closed: // the copy is ending, or dropped this connection in a crowd
        return Asked::LookAgain;
    case LocalExchange::Silent:
        break;
    }
    return Asked::Silent;
}

CopyClaim Unguarded(GuardProblem::Kind what, const std::filesystem::path& place, int error = 0) {
    return {CopyClaim::Outcome::Unguarded, nullptr, {what, place, error}};
}

CopyClaim BecomeFirst(FileLock lock, const HandOverEndpoint& endpoint,
                      std::chrono::milliseconds startingGrace) {
    const int listener = ListenLocally(endpoint.Socket);
    if (listener < 0)
        return Unguarded(GuardProblem::Kind::SocketNotMade, endpoint.Socket, errno);
    return {CopyClaim::Outcome::First,
            std::make_unique<FirstCopy>(std::move(lock), std::make_unique<LaterStartsListener>(
                                                             listener, endpoint.Socket,
                                                             startingGrace))};
}

} // namespace

FirstCopy::FirstCopy(FileLock lock, std::unique_ptr<LaterStartsListener> listener)
    : lock_(std::move(lock)), listener_(std::move(listener)) {}

FirstCopy::~FirstCopy() {
    listener_.reset();
}

std::vector<HandOverRequest> FirstCopy::AnswerLaterStarts(LaterStartsListener::Delivery deliver) {
    return listener_->Attach(std::move(deliver));
}

void FirstCopy::StopListening() {
    listener_->StopListening();
}

CopyClaim ClaimSettingsFile(const std::filesystem::path& settingsFile,
                            const HandOverRequest& request, ClaimPatience patience) {
    // Without a settings file nothing is kept that two copies could spoil.
    if (settingsFile.empty())
        return {CopyClaim::Outcome::Unguarded, nullptr};
    const EndpointChoice choice = ChooseHandOverEndpoint(settingsFile);
    if (!choice.Endpoint)
        return {CopyClaim::Outcome::Unguarded, nullptr, choice.Problem};
    const HandOverEndpoint& endpoint = *choice.Endpoint;
    const Clock::time_point deadline = Clock::now() + patience.Answer;
    for (;;) {
        FileLock lock = FileLock::Take(endpoint.Lock, std::chrono::milliseconds{0});
        if (lock.Held())
            return BecomeFirst(std::move(lock), endpoint, patience.StartingGrace);
        if (lock.Result() == FileLock::State::Refused)
            return Unguarded(GuardProblem::Kind::LockInTheWay, endpoint.Lock);
        if (lock.Result() == FileLock::State::Failed)
            return Unguarded(GuardProblem::Kind::LockNotMade, endpoint.Lock, lock.Error());
        const Asked asked = AskRunningCopy(endpoint, request, deadline);
        if (asked == Asked::Answered)
            return {CopyClaim::Outcome::HandedOver, nullptr};
        const Clock::time_point now = Clock::now();
        if (asked == Asked::Silent || now >= deadline)
            return {CopyClaim::Outcome::NotAnswering, nullptr};
        std::this_thread::sleep_for(std::min<Clock::duration>(LookAgain, deadline - now));
    }
}

HandOverRequest HandOverRequestFromEnvironment() {
    return {EnvironmentText("XDG_ACTIVATION_TOKEN"), EnvironmentText("DESKTOP_STARTUP_ID")};
}

} // namespace kvarzel
