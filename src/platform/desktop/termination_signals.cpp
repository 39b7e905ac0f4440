// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/termination_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kvarzel {
namespace {

// Read by the handler, so a plain integer type that is written whole.
volatile std::sig_atomic_t signalPipe = -1;

extern "C" void WriteSignalNumber(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request to end; this one may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe, &byte, 1);
    errno = savedErrno;
}

} // namespace

const std::vector<int>& TerminationSignalNumbers() {
    static const std::vector<int> numbers{SIGTERM, SIGINT, SIGHUP};
    return numbers;
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (signalPipe >= 0 || !OpenPipe())
        return;
    notifier_ = new QSocketNotifier(readEnd_->Get(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::ReadPending);
    signalPipe = writeEnd_->Get();
    watching_ = InstallHandlers();
    if (!watching_) {
        RestoreHandlers();
        signalPipe = -1;
    }
}

TerminationSignals::~TerminationSignals() {
    if (!watching_)
        return;
    RestoreHandlers();
    signalPipe = -1;
}

// Non-blocking, so that neither the handler nor the reader can ever wait on
// it; closed on exec, so that programs started from here do not hold it.
bool TerminationSignals::OpenPipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    readEnd_.emplace(ends[0]);
    writeEnd_.emplace(ends[1]);
    return true;
}

// A signal the program was started with ignored stays ignored: `nohup`
// keeps a program alive when its terminal goes, and a shell keeps Ctrl+C away
// from the programs it starts in the background.
bool TerminationSignals::InstallHandlers() {
    struct sigaction action {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    // Calls the signal interrupts carry on, as they would without a handler.
    action.sa_flags = SA_RESTART;
    for (const int number : TerminationSignalNumbers()) {
        struct sigaction previous {};
        if (::sigaction(number, nullptr, &previous) != 0)
            return false;
        if (previous.sa_handler != SIG_IGN && ::sigaction(number, &action, nullptr) != 0)
            return false;
        previous_.push_back(previous);
    }
    return true;
}

void TerminationSignals::RestoreHandlers() {
    for (std::size_t i = 0; i < previous_.size(); ++i)
        ::sigaction(TerminationSignalNumbers()[i], &previous_[i], nullptr);
    previous_.clear();
}

void TerminationSignals::ReadPending() {
    unsigned char numbers[64];
    ssize_t count;
    while ((count = ::read(readEnd_->Get(), numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < count; ++i)
            emit Received(numbers[i]);
}

} // namespace kvarzel
