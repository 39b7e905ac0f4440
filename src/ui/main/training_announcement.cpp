// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/training_announcement.h"

#include "core/russian_plural.h"
#include "platform/keys/shortcut_text.h"
#include "ui/main/answer_keys.h"

#include <QStringList>

namespace kvarzel {
namespace {

QString CountWithNoun(int count, const char* one, const char* few, const char* many) {
    const RussianPlural form = RussianPluralOf(count);
    const char* noun = form == RussianPlural::One ? one : form == RussianPlural::Few ? few : many;
    return QString::number(count) + u' ' + QString::fromUtf8(noun);
}

// "W или запятая (Б)", "W, запятая (Б) или F5": the keys in the order a list is read.
QString KeyList(QStringList keys) {
    const QString last = keys.takeLast();
    return keys.join(QStringLiteral(", ")) + QStringLiteral(" или ") + last;
}

// The fixed keys by their Latin letters, and by the letters a Russian layout
// puts on them where those are the buttons' initials.
QString AnswerKeys(Answer answer, TShortCut keyWhite, TShortCut keyBlack) {
    QStringList keys = answer == Answer::White
                           ? QStringList{QStringLiteral("W"), QStringLiteral("запятая (Б)")}
                           : QStringList{QStringLiteral("B"), QStringLiteral("X (Ч)")};
    if (const TShortCut hotKey = ActingHotKey(answer, keyWhite, keyBlack))
        keys << ShortCutToText(hotKey);
    return KeyList(keys);
}

} // namespace

QString TrainingStartText(int peasCount, TShortCut keyWhite, TShortCut keyBlack,
                          bool timerEnabled, int timeInterval) {
    const QString timer =
        timerEnabled ? QStringLiteral("Время на ответ: %1.")
                           .arg(CountWithNoun(timeInterval, "миллисекунда", "миллисекунды",
                                              "миллисекунд"))
                     : QStringLiteral("Время на ответ не ограничено.");
    return QStringLiteral("Тренировка: %1. Белая — %2; чёрная — %3. %4")
        .arg(CountWithNoun(peasCount, "горошина", "горошины", "горошин"),
             AnswerKeys(Answer::White, keyWhite, keyBlack),
             AnswerKeys(Answer::Black, keyWhite, keyBlack), timer);
}

} // namespace kvarzel
