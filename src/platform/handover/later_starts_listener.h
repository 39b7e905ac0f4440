// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hand_over_request.h"
#include "platform/files/file_descriptor.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <poll.h>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace kvarzel {

// A request of a later start that the running copy's window still has to
// answer on the connection it came on.
struct PendingRequest {
    HandOverRequest Request;
    std::shared_ptr<FileDescriptor> Connection;
    std::chrono::steady_clock::time_point Received;
};

// Serves the running copy's socket on a thread of its own, from the moment the
// copy has claimed its settings file, so that neither a slow start nor a busy
// window nor any number of connections at once keeps a later start waiting:
// every connection is accepted at once and read as its bytes come; one that
// stays silent for ClientPatience, sends anything but one request, or belongs
// to another user is dropped without a word.
//
// Until the window takes the requests over (Attach), a request is answered
// here at once and kept for the window, which comes to the front anyway once
// it is shown; only a copy still starting after the grace is taken for hung,
// and answers nothing. Once attached, every request goes to the window, which
// answers it: a hung window answers nothing, and the later start says so.
class LaterStartsListener {
public:
    using Delivery = std::function<void(PendingRequest)>;

    static constexpr std::chrono::milliseconds ClientPatience{1000};
    // Connections still sending their request, at most; a new one beyond
    // makes the oldest go.
    static constexpr std::size_t MostWaiting = 1024;

    // Takes over the listening socket at `socketPath`.
    LaterStartsListener(int listeningSocket, std::filesystem::path socketPath,
                        std::chrono::milliseconds startingGrace);
    // Stops listening.
    ~LaterStartsListener();
    LaterStartsListener(const LaterStartsListener&) = delete;
    LaterStartsListener& operator=(const LaterStartsListener&) = delete;

    // From now on `deliver` takes the requests, called on the listener's
    // thread; returns the requests answered before.
    std::vector<HandOverRequest> Attach(Delivery deliver);
    // Closes the socket and removes its file, dropping every connection not
    // yet answered: later starts then wait for this copy to end, and run.
    void StopListening();

private:
    struct Waiting;

    void Run();
    void ReadReady(std::span<const pollfd> ready);
    void AcceptAll();
    bool Read(Waiting& waiting);
    void Take(const HandOverRequest& request, const std::shared_ptr<FileDescriptor>& connection);
    void DropSilent();
    int PollTimeout() const;

    FileDescriptor listener_;
    std::filesystem::path socketPath_;
    FileDescriptor wake_;
    std::chrono::steady_clock::time_point started_;
    std::chrono::milliseconds startingGrace_;
    std::chrono::steady_clock::time_point acceptPausedUntil_{};

    std::mutex mutex_; // guards what follows
    Delivery deliver_;
    std::vector<HandOverRequest> answered_;
    bool stopping_ = false;

    std::deque<Waiting> waiting_; // the thread's own
    std::thread thread_;
};

} // namespace kvarzel
