// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/files/file_descriptor.h"

#include <QObject>

#include <csignal>
#include <optional>
#include <vector>

class QSocketNotifier;

namespace kvarzel {

// The signals by which a desktop or a terminal asks a program to end: SIGTERM
// (a logout, `systemctl --user stop`, kill), SIGINT (Ctrl+C) and SIGHUP (the
// terminal went away).
const std::vector<int>& TerminationSignalNumbers();

// Catches the termination signals and reports each one on the thread that
// made this object, from its event loop, so that the program can end as the
// user ends it instead of being cut off. The handler only writes the signal's
// number into a pipe, which is all a signal handler may safely do; the event
// loop reads it. One watcher at a time; destroying it puts back the handlers
// that were there before.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the pipe or a handler could not be set up: the signals then
    // keep their previous effect.
    bool Watching() const { return watching_; }

signals:
    void Received(int signalNumber);

private:
    bool OpenPipe();
    bool InstallHandlers();
    void RestoreHandlers();
    void ReadPending();

    std::optional<FileDescriptor> readEnd_;
    std::optional<FileDescriptor> writeEnd_;
    QSocketNotifier* notifier_ = nullptr;
    std::vector<struct sigaction> previous_;
    bool watching_ = false;
};

} // namespace kvarzel
