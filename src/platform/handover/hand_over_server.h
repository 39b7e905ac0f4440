// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hand_over_request.h"

#include <QObject>
#include <QSocketNotifier>

#include <chrono>

namespace kvarzel {

class FirstCopy;

// Takes the requests of later starts on the running copy's socket, from the
// event loop, never waiting on a client: a request is read as it comes, and
// must be complete and valid within a second. Whatever else arrives (garbage,
// an overlong message, a connection that never speaks, another user's
// process, more connections at once than a start makes) is dropped without a
// word.
class HandOverServer : public QObject {
    Q_OBJECT
public:
    // Listens on the copy's socket, which must outlive the server.
    explicit HandOverServer(FirstCopy& copy, QObject* parent = nullptr);

    static constexpr std::chrono::milliseconds ClientPatience{1000};
    static constexpr int MostClients = 8;

Q_SIGNALS:
    // A later start asked for this, and has been told that it was taken (a
    // start that has already given up waiting is not).
    void Requested(const kvarzel::HandOverRequest& request);

private:
    void AcceptClients();

    QSocketNotifier accepting_;
};

} // namespace kvarzel
