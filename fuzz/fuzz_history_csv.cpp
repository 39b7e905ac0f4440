// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes must parse without a crash or hang; parsed in pieces they must
// give what they give whole; the lines before a history's tail must read
// alone as they read with it; and every record accepted must be written as a
// line that reads back as the same record, in a history that reads back
// whole. The same bytes as a journal must read without a crash too.
#include "core/history/history_csv.h"
#include "core/history/journal_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace kvarzel;

// The first byte chooses the size of the pieces the rest is fed in.
ParsedHistory ParseInPieces(std::string_view text, std::size_t piece) {
    HistoryParser parser;
    for (std::size_t at = 0; at < text.size(); at += piece)
        parser.Feed(text.substr(at, piece));
    return parser.Finish();
}

bool SameParse(const ParsedHistory& a, const ParsedHistory& b) {
    return a.Status == b.Status && a.Records == b.Records && a.BadLine == b.BadLine &&
           a.OlderFormat == b.OlderFormat && a.DataEnd == b.DataEnd &&
           a.DataEndsMidLine == b.DataEndsMidLine && a.DamagedTail == b.DamagedTail;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t piece = 1 + data[0] % 64;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const ParsedHistory whole = ParseHistory(text);
    if (!SameParse(whole, ParseInPieces(text, piece)))
        std::abort();
    if (whole.Status == ParsedHistory::Kind::Ours) {
        const ParsedHistory kept = ParseHistory(text.substr(0, whole.DataEnd));
        if (kept.Records != whole.Records || kept.DamagedTail)
            std::abort();
    }
    ReadJournalHeading(text);
    if (const std::optional<TrainingRecord> last = ParseJournalText(text)) {
        const std::string line = HistoryLine(*last);
        if (ParseHistoryLine(std::string_view(line).substr(0, line.size() - 1)) != *last)
            std::abort();
    }
    std::string written = HistoryHeaderLine();
    for (const TrainingRecord& record : whole.Records) {
        const std::string line = HistoryLine(record);
        const std::optional<TrainingRecord> read =
            ParseHistoryLine(std::string_view(line).substr(0, line.size() - 1));
        if (!read || *read != record)
            std::abort();
        written += line;
    }
    const ParsedHistory again = ParseHistory(written);
    if (again.Status != ParsedHistory::Kind::Ours || again.Records != whole.Records)
        std::abort();
    return 0;
}
