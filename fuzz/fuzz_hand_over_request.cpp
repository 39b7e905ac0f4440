// SPDX-License-Identifier: GPL-3.0-or-later
// The line another process sends to the running copy. Any bytes must parse
// without a crash; what is read as a request must be exactly the line the
// writer makes of it; and whatever tokens a launcher gives (the bytes split in
// two), the writer's line must read back with every token it carried.
#include "core/hand_over_request.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace kvarzel;

// A token goes into the line when it is printable ASCII without spaces and
// not too long; any other is left out.
std::string Carried(const std::string& token) {
    for (const char c : token)
        if (c <= ' ' || c >= 0x7f)
            return {};
    return token.size() <= MaxHandOverToken ? token : std::string();
}

void CheckRead(std::string_view bytes) {
    const std::optional<HandOverRequest> request = ParseHandOverRequest(bytes);
    if (request && EncodeHandOverRequest(*request) != bytes)
        std::abort();
}

void CheckWritten(std::string_view bytes) {
    const std::size_t half = bytes.size() / 2;
    const HandOverRequest sent{std::string(bytes.substr(0, half)), std::string(bytes.substr(half))};
    const std::string line = EncodeHandOverRequest(sent);
    const std::optional<HandOverRequest> read = ParseHandOverRequest(line);
    if (line.size() > MaxHandOverRequest || !read)
        std::abort();
    if (read->ActivationToken != Carried(sent.ActivationToken) ||
        read->StartupId != Carried(sent.StartupId))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckRead(bytes);
    CheckWritten(bytes);
    return 0;
}
