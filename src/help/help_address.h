// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string_view>

namespace kvarzel {

// A help address names a page inside a help file: "<file>::/<page>".
struct HelpAddress {
    QString File;
    QString Page; // path inside the file, without the leading "/"; empty for the default page
};

// A topic's page in the help file: "<Topic>.htm".
QString HelpTopicPage(std::string_view topic);

// "<helpFile>::/<page>".
QString HelpPageAddress(const QString& helpFile, const QString& page);

// "<helpFile>::/<Topic>.htm" for a context of the topic table; empty for any other context.
QString HelpTopicAddress(const QString& helpFile, int context);

// Splits an address; text without "::/" is taken as a file name alone.
HelpAddress SplitHelpAddress(const QString& address);

} // namespace kvarzel
