// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handover/later_starts_listener.h"

#include "platform/handover/local_socket.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <span>
#include <sys/eventfd.h>
#include <sys/socket.h>

namespace kvarzel {
namespace {

using Clock = std::chrono::steady_clock;

// Out of descriptors with nothing of its own to let go: accepting waits this
// long rather than spin on a queue it cannot take from.
constexpr std::chrono::milliseconds AcceptPause{50};
// Connections taken in one go before the waiting ones are read again.
constexpr int MostAcceptedAtOnce = 256;

bool Answer(int connection) {
    return ::send(connection, HandOverAnswer.data(), HandOverAnswer.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(HandOverAnswer.size());
}

int MillisecondsUntil(Clock::time_point when) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now()).count();
    return static_cast<int>(std::clamp<std::int64_t>(left, 0, 60000));
}

} // namespace

struct LaterStartsListener::Waiting {
    explicit Waiting(int socket)
        : Connection(std::make_shared<FileDescriptor>(socket)), Since(Clock::now()) {}

    std::shared_ptr<FileDescriptor> Connection;
    std::string Received;
    Clock::time_point Since;
};

LaterStartsListener::LaterStartsListener(int listeningSocket, std::filesystem::path socketPath,
                                         std::chrono::milliseconds startingGrace)
    : listener_(listeningSocket), socketPath_(std::move(socketPath)),
      wake_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)), started_(Clock::now()),
      startingGrace_(startingGrace) {
    if (listener_.Get() >= 0 && wake_.Get() >= 0)
        thread_ = std::thread([this] { Run(); });
}

LaterStartsListener::~LaterStartsListener() {
    StopListening();
}

std::vector<HandOverRequest> LaterStartsListener::Attach(Delivery deliver) {
    const std::lock_guard lock(mutex_);
    deliver_ = std::move(deliver);
    return std::exchange(answered_, {});
}

// The thread goes first: nothing polls the socket when it closes.
void LaterStartsListener::StopListening() {
    {
        const std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        stopping_ = true;
    }
    const std::uint64_t one = 1;
    if (thread_.joinable()) {
        [[maybe_unused]] const ssize_t written = ::write(wake_.Get(), &one, sizeof one);
        thread_.join();
    }
    waiting_.clear();
    if (listener_.Get() >= 0)
        ::unlink(socketPath_.c_str());
    FileDescriptor closed(listener_.Release());
}

void LaterStartsListener::Run() {
    for (;;) {
        {
            const std::lock_guard lock(mutex_);
            if (stopping_)
                return;
        }
        std::vector<pollfd> watched{{wake_.Get(), POLLIN, 0}};
        const bool accepting = Clock::now() >= acceptPausedUntil_;
        if (accepting)
            watched.push_back({listener_.Get(), POLLIN, 0});
        for (const Waiting& waiting : waiting_)
            watched.push_back({waiting.Connection->Get(), POLLIN, 0});
        if (::poll(watched.data(), watched.size(), PollTimeout()) < 0 && errno != EINTR)
            return;
        // The waiting connections first: accepting adds to them and may drop the oldest.
        const std::size_t firstWaiting = accepting ? 2 : 1;
        ReadReady(std::span(watched).subspan(firstWaiting));
        if (accepting && (watched[1].revents & POLLIN) != 0)
            AcceptAll();
        DropSilent();
    }
}

// `ready` holds the poll results of the waiting connections, in their order.
void LaterStartsListener::ReadReady(std::span<const pollfd> ready) {
    std::deque<Waiting> still;
    for (std::size_t index = 0; index < waiting_.size(); ++index)
        if (ready[index].revents == 0 || !Read(waiting_[index]))
            still.push_back(std::move(waiting_[index]));
    waiting_ = std::move(still);
}

void LaterStartsListener::AcceptAll() {
    for (int count = 0; count < MostAcceptedAtOnce; ++count) {
        const int socket =
            ::accept4(listener_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0 && errno == EINTR)
            continue;
        if (socket < 0 && (errno == EMFILE || errno == ENFILE)) {
            if (waiting_.empty()) {
                acceptPausedUntil_ = Clock::now() + AcceptPause;
                return;
            }
            waiting_.pop_front();
            continue;
        }
        if (socket < 0)
            return;
        if (!PeerIsUser(socket)) {
            FileDescriptor foreign(socket);
            continue;
        }
        if (waiting_.size() >= MostWaiting)
            waiting_.pop_front();
        // A later start sends its request as it connects: mostly it is there already.
        waiting_.emplace_back(socket);
        if (Read(waiting_.back()))
            waiting_.pop_back();
    }
}

// True once the connection is done with: its request taken, or dropped.
bool LaterStartsListener::Read(Waiting& waiting) {
    for (;;) {
        char buffer[MaxHandOverRequest];
        const ssize_t count = ::recv(waiting.Connection->Get(), buffer, sizeof buffer, 0);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errno != EAGAIN;
        if (count == 0)
            return true;
        waiting.Received.append(buffer, static_cast<std::size_t>(count));
        const std::size_t newline = waiting.Received.find('\n');
        if (newline != std::string::npos) {
            // A request is all a connection says: anything after its line spoils it.
            const auto request = newline + 1 == waiting.Received.size()
                                     ? ParseHandOverRequest(waiting.Received)
                                     : std::nullopt;
            if (request)
                Take(*request, waiting.Connection);
            return true;
        }
        if (waiting.Received.size() >= MaxHandOverRequest)
            return true;
    }
}

void LaterStartsListener::Take(const HandOverRequest& request,
                               const std::shared_ptr<FileDescriptor>& connection) {
    const std::lock_guard lock(mutex_);
    if (deliver_) {
        deliver_({request, connection, Clock::now()});
        return;
    }
    if (Clock::now() - started_ < startingGrace_ && Answer(connection->Get()))
        answered_.push_back(request);
}

void LaterStartsListener::DropSilent() {
    const Clock::time_point now = Clock::now();
    std::erase_if(waiting_,
                  [&](const Waiting& waiting) { return now - waiting.Since >= ClientPatience; });
}

int LaterStartsListener::PollTimeout() const {
    Clock::time_point next = Clock::time_point::max();
    if (!waiting_.empty())
        next = waiting_.front().Since + ClientPatience; // the oldest
    if (Clock::now() < acceptPausedUntil_)
        next = std::min(next, acceptPausedUntil_);
    return next == Clock::time_point::max() ? -1 : MillisecondsUntil(next);
}

} // namespace kvarzel
