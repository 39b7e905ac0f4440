// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes must parse without a crash or hang, and what the writer makes of
// the result must parse cleanly back into the same text.
#include "platform/settings/registry_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvarzel;
    const RegistryTextParse first =
        ParseRegistryText(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string written = WriteRegistryText(first.Hive);
    const RegistryTextParse second = ParseRegistryText(written);
    if (second.SkippedLines != 0 || second.EndsMidLine || WriteRegistryText(second.Hive) != written)
        std::abort();
    return 0;
}
