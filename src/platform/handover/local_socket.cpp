// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handover/local_socket.h"

#include "platform/files/file_descriptor.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kvarzel {
namespace {

using Clock = std::chrono::steady_clock;

sockaddr_un AddressOf(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    return address;
}

int NewSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

bool IsUsersSocket(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) &&
           info.st_uid == ::geteuid();
}

// Waits until the socket can be read, or the deadline passes.
bool WaitToRead(int socket, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd descriptor{socket, POLLIN, 0};
        const int ready = ::poll(&descriptor, 1, static_cast<int>(left));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

} // namespace

int ListenLocally(const std::filesystem::path& path) {
    FileDescriptor socket(NewSocket());
    if (socket.Get() < 0 || path.string().size() >= sizeof(sockaddr_un::sun_path))
        return -1;
    ::unlink(path.c_str());
    const sockaddr_un address = AddressOf(path);
    // The socket is made with the user's rights only, not changed to them afterwards.
    const mode_t previous = ::umask(0177);
    const int bound =
        ::bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::umask(previous);
    // The system caps the queue at its own most (net.core.somaxconn): later
    // starts that come at once, or while this copy is held up, queue there
    // instead of finding the socket full.
    if (bound != 0 || ::listen(socket.Get(), SOMAXCONN) != 0)
        return -1;
    return socket.Release();
}

LocalConnection ConnectLocally(const std::filesystem::path& path) {
    if (!IsUsersSocket(path))
        return {LocalConnection::Result::NoListener};
    FileDescriptor socket(NewSocket());
    const sockaddr_un address = AddressOf(path);
    if (socket.Get() < 0)
        return {LocalConnection::Result::NoListener};
    if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return {errno == EAGAIN ? LocalConnection::Result::QueueFull
                                : LocalConnection::Result::NoListener};
    if (!PeerIsUser(socket.Get()))
        return {LocalConnection::Result::NoListener};
    return {LocalConnection::Result::Connected, socket.Release()};
}

bool PeerIsUser(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
}

LocalExchange ExchangeLocally(int socket, std::string_view message, std::string_view expected,
                              Clock::time_point deadline) {
    // The message is far shorter than a socket's buffer: it goes at once, whole.
    if (::send(socket, message.data(), message.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(message.size()))
        return LocalExchange::Closed;
    std::string received;
    while (received.size() < expected.size()) {
        if (!WaitToRead(socket, deadline))
            return LocalExchange::Silent;
        char buffer[64];
        const ssize_t count = ::recv(socket, buffer, sizeof buffer, 0);
        if (count == 0 || (count < 0 && errno != EINTR && errno != EAGAIN))
            return LocalExchange::Closed;
        if (count > 0)
            received.append(buffer, static_cast<std::size_t>(count));
    }
    return received == expected ? LocalExchange::Answered : LocalExchange::Closed;
}

} // namespace kvarzel
