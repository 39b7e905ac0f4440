// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kvarzel {

// Text stored in the help file: the charset an HTML page declares wins;
// otherwise UTF-8, and Windows-1251 (the Russian code page of older help
// files) when the bytes are not valid UTF-8.
QString DecodeHelpText(const QByteArray& data);

} // namespace kvarzel
