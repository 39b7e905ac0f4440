// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/chm_system_info.h"

#include "help/help_text.h"

#include <cstdint>

namespace kvarzel {

namespace {

enum SystemRecord : std::uint16_t {
    ContentsRecord = 0,
    IndexRecord = 1,
    DefaultTopicRecord = 2,
    TitleRecord = 3,
};

std::uint16_t ReadWord(const QByteArray& data, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[at]) |
                                      static_cast<std::uint8_t>(data[at + 1]) << 8);
}

// Record texts end with a zero byte.
QString RecordText(const QByteArray& data, qsizetype at, qsizetype length) {
    QByteArray text = data.mid(at, length);
    const qsizetype end = text.indexOf('\0');
    if (end >= 0) {
        text.truncate(end);
    }
    return DecodeHelpText(text);
}

void StoreRecord(ChmSystemInfo& info, std::uint16_t code, const QString& text) {
    switch (code) {
    case ContentsRecord:
        info.ContentsFile = text;
        break;
    case IndexRecord:
        info.IndexFile = text;
        break;
    case DefaultTopicRecord:
        info.DefaultTopic = text;
        break;
    case TitleRecord:
        info.Title = text;
        break;
    default:
        break;
    }
}

} // namespace

ChmSystemInfo ParseChmSystemInfo(const QByteArray& data) {
    ChmSystemInfo info;
    constexpr qsizetype versionSize = 4;
    constexpr qsizetype recordHeaderSize = 4; // code and length, 16 bits each
    qsizetype at = versionSize;
    while (at + recordHeaderSize <= data.size()) {
        const std::uint16_t code = ReadWord(data, at);
        const qsizetype length = ReadWord(data, at + 2);
        at += recordHeaderSize;
        if (at + length > data.size()) {
            break;
        }
        StoreRecord(info, code, RecordText(data, at, length));
        at += length;
    }
    return info;
}

} // namespace kvarzel
