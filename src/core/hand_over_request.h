// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvarzel {

// What a second start of the program asks of the copy already running on the
// same settings file: to bring its window to the front, with the tokens the
// launcher gave the second start, so that the desktop lets the first copy's
// window take the focus. The request is one short line of printable ASCII:
//   raise[ xdg-activation=<token>][ startup-id=<id>]\n
struct HandOverRequest {
    std::string ActivationToken; // XDG_ACTIVATION_TOKEN (Wayland), may be empty
    std::string StartupId;       // DESKTOP_STARTUP_ID (X11 startup notification), may be empty

    bool operator==(const HandOverRequest&) const = default;
};

// The longest a request may be, its newline included; a longer one is refused
// before it is read to the end.
inline constexpr std::size_t MaxHandOverRequest = 512;
// The longest token the request carries; a longer one is left out by the sender.
inline constexpr std::size_t MaxHandOverToken = 200;

// The line a second start sends; tokens that could not be read back (too long,
// spaces or control characters) are left out.
std::string EncodeHandOverRequest(const HandOverRequest& request);

// The request in `line` (its newline included), or nothing when it is not
// exactly a request as EncodeHandOverRequest writes one.
std::optional<HandOverRequest> ParseHandOverRequest(std::string_view line);

// The answer of the running copy once it has taken the request.
inline constexpr std::string_view HandOverAnswer = "ok\n";

// The X server time of the launcher's user action, which a startup id ends
// with ("..._TIME<number>"); nothing when it carries none.
std::optional<std::uint32_t> StartupIdTime(std::string_view startupId);

} // namespace kvarzel
