// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_address.h"

#include "help/help_topics.h"

namespace kvarzel {

namespace {
const QString pageSeparator = QStringLiteral("::/");
}

QString HelpTopicPage(std::string_view topic) {
    return QString::fromLatin1(topic.data(), static_cast<qsizetype>(topic.size())) +
           QStringLiteral(".htm");
}

QString HelpPageAddress(const QString& helpFile, const QString& page) {
    return helpFile + pageSeparator + page;
}

QString HelpTopicAddress(const QString& helpFile, int context) {
    if (!IsHelpContext(context)) {
        return {};
    }
    return HelpPageAddress(helpFile, HelpTopicPage(HelpTopics[static_cast<std::size_t>(context)]));
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
