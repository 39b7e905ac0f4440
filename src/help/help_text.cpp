// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_text.h"

#include <QStringDecoder>

namespace kvarzel {

namespace {

std::optional<QString> DecodeStrictly(QStringDecoder decoder, const QByteArray& data) {
    if (!decoder.isValid()) {
        return std::nullopt;
    }
    QString text = decoder.decode(data);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

} // namespace

QString DecodeHelpText(const QByteArray& data) {
    // Qt answers UTF-8 when nothing is declared; an unknown charset gives an invalid decoder.
    if (auto text = DecodeStrictly(QStringDecoder::decoderForHtml(data), data)) {
        return *text;
    }
    if (auto text = DecodeStrictly(QStringDecoder(QStringDecoder::Utf8), data)) {
        return *text;
    }
    if (auto text = DecodeStrictly(QStringDecoder("windows-1251"), data)) {
        return *text;
    }
    return QString::fromLatin1(data);
}

} // namespace kvarzel
