// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handover/hand_over_server.h"

#include "platform/handover/running_copy.h"

#include <QCoreApplication>

#include <sys/socket.h>

namespace kvarzel {

static_assert(HandOverServer::AnswerDeadline < HandOverPatience);

HandOverServer::HandOverServer(FirstCopy& copy, QObject* parent) : QObject(parent), copy_(copy) {
    const std::vector<HandOverRequest> answered =
        copy_.AnswerLaterStarts([this](const PendingRequest& pending) {
            QMetaObject::invokeMethod(this, [this, pending] { Answer(pending); },
                                      Qt::QueuedConnection);
        });
    for (const HandOverRequest& request : answered)
        QMetaObject::invokeMethod(this, [this, request] { Q_EMIT Requested(request); },
                                  Qt::QueuedConnection);
    if (QCoreApplication::instance() != nullptr)
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                [this] { copy_.StopListening(); });
}

// No request reaches the window once it is gone.
HandOverServer::~HandOverServer() {
    copy_.StopListening();
}

void HandOverServer::Answer(const PendingRequest& pending) {
    const int connection = pending.Connection->Get();
    const bool waiting = std::chrono::steady_clock::now() - pending.Received < AnswerDeadline;
    const bool taken =
        waiting && ::send(connection, HandOverAnswer.data(), HandOverAnswer.size(),
                          MSG_NOSIGNAL) == static_cast<ssize_t>(HandOverAnswer.size());
    ::shutdown(connection, SHUT_RDWR);
    if (taken)
        Q_EMIT Requested(pending.Request);
}

} // namespace kvarzel
