// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hand_over_request.h"
#include "platform/files/file_lock.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace kvarzel {

// The copy of the program that runs on a settings file: it holds the
// endpoint's lock for as long as it lives (the system frees it with the
// process, however that ends) and, once it can answer, listens on the
// endpoint's socket.
class FirstCopy {
public:
    FirstCopy(FileLock lock, std::filesystem::path socket);
    ~FirstCopy();
    FirstCopy(const FirstCopy&) = delete;
    FirstCopy& operator=(const FirstCopy&) = delete;

    // Opens the socket, replacing one a killed copy left; the listening
    // socket, not blocking, which the copy keeps; -1 when it cannot be made.
    int Listen();

private:
    FileLock lock_;
    int listener_ = -1;
    std::filesystem::path socket_;
};

struct CopyClaim {
    enum class Outcome {
        First,        // no copy runs on the settings file: this one does
        HandedOver,   // a running copy has taken the request; this start ends
        NotAnswering, // a copy runs but did not answer in time
        Unguarded,    // there is no endpoint to use: this copy runs, unguarded, as before
    };
    Outcome Result;
    std::unique_ptr<FirstCopy> First; // with Outcome::First
};

// How long a later start waits for the running copy's answer once connected,
// and for a copy that is still starting to listen at all.
inline constexpr std::chrono::milliseconds HandOverPatience{2000};
inline constexpr std::chrono::milliseconds StartingCopyPatience{15000};

// Makes this start the copy that runs on the settings file, or hands the
// request over to the copy that already does. A copy that has just ended (or
// was killed) leaves the lock free and is followed at once.
CopyClaim ClaimSettingsFile(const std::filesystem::path& settingsFile,
                            const HandOverRequest& request,
                            std::chrono::milliseconds patience = HandOverPatience,
                            std::chrono::milliseconds startPatience = StartingCopyPatience);

// The request this start makes, with the tokens its launcher put in the
// environment.
HandOverRequest HandOverRequestFromEnvironment();

} // namespace kvarzel
