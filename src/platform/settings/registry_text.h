// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/settings/registry_hive.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kvarzel {

// The registry-export text format, UTF-8:
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Tellumor\Kvarzel]
//   "PeasCount"=dword:0000000a
//   "WaveFilename"="C:\\Sounds\\\"A\".wav"
//   "Path"=hex(2):25,54,4d,50,25,00
struct RegistryTextParse {
    RegistryHive Hive;
    // Lines that could not be understood and were left out of the hive.
    std::size_t SkippedLines = 0;
    // The last line has no line end: the file may have been cut off there, so
    // even a last value that parsed may be only the start of what was written.
    bool EndsMidLine = false;
};

// Accepts what people and other tools write: either header or none, CRLF or
// LF, a UTF-8 or UTF-16LE byte-order mark, blank lines and ';' comments,
// spaces around '=', '@' for the default value, dword:, quoted text, hex: and
// hex(N): lists continued over lines with a trailing '\', "name"=- and [-KEY]
// removals. A malformed line is skipped and the rest still loads.
RegistryTextParse ParseRegistryText(std::string_view text);

// The whole hive as REGEDIT4 text with LF line ends. Parsing the result gives
// the same hive, and writing that gives the same text.
std::string WriteRegistryText(const RegistryHive& hive);

} // namespace kvarzel
