// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hand_over_request.h"
#include "platform/files/file_lock.h"
#include "platform/handover/guard_problem.h"
#include "platform/handover/later_starts_listener.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

namespace kvarzel {

// The copy of the program that runs on a settings file: it holds the
// endpoint's lock for as long as it lives (the system frees it with the
// process, however that ends) and listens on the endpoint's socket from its
// first moment.
class FirstCopy {
public:
    FirstCopy(FileLock lock, std::unique_ptr<LaterStartsListener> listener);
    // The socket goes while the lock is still held, so that it cannot take a
    // later copy's socket with it.
    ~FirstCopy();
    FirstCopy(const FirstCopy&) = delete;
    FirstCopy& operator=(const FirstCopy&) = delete;

    // The window answers later starts from now on (see LaterStartsListener);
    // the requests answered while this copy was starting.
    std::vector<HandOverRequest> AnswerLaterStarts(LaterStartsListener::Delivery deliver);
    // The window answers no more: later starts wait for this copy's end.
    void StopListening();

private:
    FileLock lock_;
    std::unique_ptr<LaterStartsListener> listener_;
};

struct CopyClaim {
    enum class Outcome {
        First,        // no copy runs on the settings file: this one does
        HandedOver,   // a running copy has taken the request; this start ends
        NotAnswering, // a copy runs but did not answer in time
        Unguarded,    // no safe endpoint: this copy runs unguarded, and says why
    };
    Outcome Result;
    std::unique_ptr<FirstCopy> First; // with Outcome::First
    GuardProblem Problem{};           // with Outcome::Unguarded; none without a settings file
};

// How long a later start waits for the running copy, whatever its state, all
// told; and how long a copy may take from its claim to its window before
// later starts take it for hung.
struct ClaimPatience {
    std::chrono::milliseconds Answer{2000};
    std::chrono::milliseconds StartingGrace{15000};
};
inline constexpr std::chrono::milliseconds HandOverPatience = ClaimPatience{}.Answer;

// Makes this start the copy that runs on the settings file, or hands the
// request over to the copy that already does. A copy that has just ended (or
// was killed) leaves the lock free and is followed at once; one that is
// ending is waited for. Returns within the patience.
CopyClaim ClaimSettingsFile(const std::filesystem::path& settingsFile,
                            const HandOverRequest& request, ClaimPatience patience = {});

// The request this start makes, with the tokens its launcher put in the
// environment.
HandOverRequest HandOverRequestFromEnvironment();

} // namespace kvarzel
