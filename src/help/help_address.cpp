#include "help/help_address.h"

#include "help/help_topics.h"

namespace kvarzel {

namespace {
const QString pageSeparator = QStringLiteral("::/");
}

QString HelpTopicAddress(const QString& helpFile, int context) {
    if (!IsHelpContext(context)) {
        return {};
    }
    const std::string_view topic = HelpTopics[static_cast<std::size_t>(context)];
    return helpFile + pageSeparator +
           QString::fromLatin1(topic.data(), static_cast<qsizetype>(topic.size())) +
           QStringLiteral(".htm");
}

HelpAddress SplitHelpAddress(const QString& address) {
    // The last separator counts, so that a folder name with "::/" in it stays whole.
    const qsizetype at = address.lastIndexOf(pageSeparator);
    if (at < 0) {
        return {address, {}};
    }
    return {address.left(at), address.mid(at + pageSeparator.size())};
}

} // namespace kvarzel
