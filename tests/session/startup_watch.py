#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The X11 startup notification as a launcher and a window manager see it.

  startup_watch.py watch <log>   follows the root window's _NET_STARTUP_INFO
                                 messages as the desktop's watchers do: each
                                 whole message goes to <log> as a line, then a
                                 line "open: <id> ..." of the launches still
                                 under way (started by "new:", ended by
                                 "remove:"). Runs until killed.
  startup_watch.py send <message>
                                 broadcasts one message as a launcher does
                                 ("new: ID=... NAME=... SCREEN=0").

The display is $DISPLAY.
"""
import shlex
import sys

from Xlib import X, display
from Xlib.protocol import event

PIECE = 20


def atoms(screen_display):
    return (screen_display.intern_atom("_NET_STARTUP_INFO_BEGIN"),
            screen_display.intern_atom("_NET_STARTUP_INFO"))


def send(text):
    connection = display.Display()
    root = connection.screen().root
    begin, more = atoms(connection)
    sender = root.create_window(-100, -100, 1, 1, 0, X.CopyFromParent,
                                X.InputOnly, X.CopyFromParent, override_redirect=True)
    data = text.encode("utf-8") + b"\0"
    for at in range(0, len(data), PIECE):
        piece = data[at:at + PIECE].ljust(PIECE, b"\0")
        message = event.ClientMessage(window=sender, client_type=begin if at == 0 else more,
                                      data=(8, piece))
        root.send_event(message, event_mask=X.PropertyChangeMask)
    sender.destroy()
    connection.sync()


def message_id(text):
    """The kind and the ID of a message, its values unquoted as the format has them."""
    kind, _, rest = text.partition(":")
    for field in shlex.split(rest, posix=True):
        key, _, value = field.partition("=")
        if key == "ID":
            return kind, value
    return kind, None


def watch(log_path):
    connection = display.Display()
    root = connection.screen().root
    begin, more = atoms(connection)
    root.change_attributes(event_mask=X.PropertyChangeMask)
    connection.sync()
    pending = {}
    launches = []
    with open(log_path, "a", encoding="utf-8") as log:
        log.write("watching\n")
        log.flush()
        while True:
            received = connection.next_event()
            if received.type != X.ClientMessage or received.client_type not in (begin, more):
                continue
            sender = received.window.id
            _, raw = received.data
            raw = bytes(raw)
            if received.client_type == begin:
                pending[sender] = b""
            elif sender not in pending:
                continue
            pending[sender] += raw
            if b"\0" not in pending[sender]:
                continue
            text = pending.pop(sender).split(b"\0", 1)[0].decode("utf-8", "replace")
            kind, launch = message_id(text)
            if kind == "new" and launch not in launches:
                launches.append(launch)
            elif kind == "remove" and launch in launches:
                launches.remove(launch)
            log.write(text + "\n")
            log.write("open: " + " ".join(launches) + "\n")
            log.flush()


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "watch":
        watch(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == "send":
        send(sys.argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
