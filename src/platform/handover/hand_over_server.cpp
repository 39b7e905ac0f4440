// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handover/hand_over_server.h"

#include "platform/files/file_descriptor.h"
#include "platform/handover/local_socket.h"
#include "platform/handover/running_copy.h"

#include <QTimer>

#include <cerrno>
#include <sys/socket.h>

namespace kvarzel {
namespace {

// One connection of a later start, read as its bytes come until the request
// is complete; it ends itself when the request is taken, refused or late.
class HandOverClient : public QObject {
public:
    HandOverClient(int socket, HandOverServer& server)
        : QObject(&server), server_(server), socket_(socket),
          readable_(socket, QSocketNotifier::Read) {
        connect(&readable_, &QSocketNotifier::activated, this, [this] { Read(); });
        patience_.setSingleShot(true);
        connect(&patience_, &QTimer::timeout, this, [this] { End(); });
        patience_.start(HandOverServer::ClientPatience);
    }

private:
    void Read() {
        char buffer[MaxHandOverRequest];
        const ssize_t count = ::recv(socket_.Get(), buffer, sizeof buffer, 0);
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (count <= 0)
            return End();
        received_.append(buffer, static_cast<std::size_t>(count));
        const std::size_t newline = received_.find('\n');
        if (newline == std::string::npos) {
            if (received_.size() >= MaxHandOverRequest)
                End();
            return;
        }
        // A request is all a connection says: anything after its line spoils it.
        const auto request =
            newline + 1 == received_.size() ? ParseHandOverRequest(received_) : std::nullopt;
        // A start that has given up waiting (this copy was held up) is gone:
        // its request is not carried out late.
        const bool taken =
            request && ::send(socket_.Get(), HandOverAnswer.data(), HandOverAnswer.size(),
                              MSG_NOSIGNAL) == static_cast<ssize_t>(HandOverAnswer.size());
        End();
        if (taken)
            Q_EMIT server_.Requested(*request);
    }

    void End() {
        readable_.setEnabled(false);
        patience_.stop();
        ::shutdown(socket_.Get(), SHUT_RDWR);
        deleteLater();
    }

    HandOverServer& server_;
    FileDescriptor socket_;
    QSocketNotifier readable_;
    QTimer patience_;
    std::string received_;
};

} // namespace

HandOverServer::HandOverServer(FirstCopy& copy, QObject* parent)
    : QObject(parent), accepting_(QSocketNotifier::Read) {
    if (const int listener = copy.Listen(); listener >= 0)
        accepting_.setSocket(listener);
    accepting_.setEnabled(accepting_.isValid());
    connect(&accepting_, &QSocketNotifier::activated, this, [this] { AcceptClients(); });
}

void HandOverServer::AcceptClients() {
    for (;;) {
        FileDescriptor socket(
            ::accept4(accepting_.socket(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (socket.Get() < 0)
            return;
        const auto clients = findChildren<QObject*>(Qt::FindDirectChildrenOnly).size();
        if (PeerIsUser(socket.Get()) && clients < MostClients)
            new HandOverClient(socket.Release(), *this);
    }
}

} // namespace kvarzel
