// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hand_over_request.h"
#include "platform/handover/later_starts_listener.h"

#include <QObject>

#include <chrono>

namespace kvarzel {

class FirstCopy;

// The running copy's window answering later starts: the copy's listener hands
// it each request, and the window carries it out and answers from its event
// loop, so that a start finds a window that does not answer, not a thread
// that does. A request is carried out only while its start still waits; the
// requests answered while the copy was starting follow once the event loop
// runs. When the event loop ends, the copy stops listening.
class HandOverServer : public QObject {
    Q_OBJECT
public:
    // Takes over the copy's requests; the copy must outlive the server.
    explicit HandOverServer(FirstCopy& copy, QObject* parent = nullptr);
    ~HandOverServer() override;

    // A request older than this is left: its start has given up, or is about to.
    static constexpr std::chrono::milliseconds AnswerDeadline{1750};

Q_SIGNALS:
    // A later start asked for this, and has been told that it was taken (a
    // start that has already given up waiting is not).
    void Requested(const kvarzel::HandOverRequest& request);

private:
    void Answer(const PendingRequest& pending);

    FirstCopy& copy_;
};

} // namespace kvarzel
