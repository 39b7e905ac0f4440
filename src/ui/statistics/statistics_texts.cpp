#include "ui/statistics/statistics_texts.h"

#include "core/chance_text.h"
#include "platform/locale_separators.h"

#include <QDateTime>

#include <chrono>

namespace kvarzel {
namespace {

QString Decimal() {
    return QString(UserNumberSeparators().Decimal);
}

QString PercentageText(double percentage) {
    return QString::number(percentage, 'f', 2).replace(QLatin1Char('.'), Decimal()) + "%";
}

QString LocalTimeText(std::chrono::system_clock::time_point moment) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count();
    return QDateTime::fromSecsSinceEpoch(seconds).toString("dd.MM.yyyy HH:mm");
}

QString FileName(const TrainingStatistics& statistics) {
    return QString::fromStdString(statistics.File().Path().string());
}

} // namespace

QStringList StatisticsColumnTitles() {
    return {"№",      "Время",  "Горошин", "Чёрных",  "Белая",
            "Чёрная", "Таймер", "Верно",   "Процент", "Случайно"};
}

QString ChanceCellText(const std::optional<double>& logChance) {
    if (!logChance)
        return "—";
    return QString::fromStdString(ChancePercentText(*logChance, Decimal().toStdString()));
}

QStringList StatisticsCells(const StatisticsRow& row) {
    const TrainingRecord& record = row.Record;
    return {row.RunNumber > 0 ? QString::number(row.RunNumber) : QString(),
            LocalTimeText(record.Finished),
            QString::number(record.PeasCount),
            record.Bucket.ByChance ? QString("случайно") : QString::number(record.Bucket.BlackPeas),
            QString::number(record.Answers.White),
            QString::number(record.Answers.Black),
            QString::number(record.Answers.Timer),
            QString::number(record.RightCount),
            PercentageText(record.Percentage),
            ChanceCellText(row.LogChance)};
}

QString RunSummaryText(const TrainingStatistics& statistics) {
    if (statistics.RunTrainings() == 0)
        return "В этой серии ещё нет законченных тренировок.";
    int peas = 0;
    int right = 0;
    for (const TrainingRecord& record : statistics.RunRecords()) {
        peas += record.PeasCount;
        right += record.RightCount;
    }
    return QString("За эту серию: тренировок — %1, горошин — %2, верных ответов — %3 (%4), "
                   "случайно — %5.")
        .arg(statistics.RunTrainings())
        .arg(peas)
        .arg(right)
        .arg(PercentageText(100.0 * right / peas))
        .arg(ChanceCellText(statistics.RunLogChance()));
}

QString HistoryStatusText(const TrainingStatistics& statistics) {
    if (!statistics.KeepHistory())
        return {};
    const QString kept = " Он оставлен как есть, новые тренировки в него не записываются.";
    const HistoryFile::Contents& history = statistics.History();
    switch (history.State) {
    case HistoryFile::Status::Foreign:
        return "Файл истории «" + FileName(statistics) + "» записан не этой программой." + kept;
    case HistoryFile::Status::Damaged:
        return QString("Файл истории «%1» повреждён (строка %2).")
                   .arg(FileName(statistics))
                   .arg(history.BadLine) +
               kept;
    case HistoryFile::Status::Protected:
        return "Файл истории «" + FileName(statistics) +
               "» защищён от записи или принадлежит другому пользователю." + kept;
    case HistoryFile::Status::Unreadable:
        return "Файл истории «" + FileName(statistics) + "» не удаётся прочитать." + kept;
    case HistoryFile::Status::Missing:
    case HistoryFile::Status::Ours:
        break;
    }
    if (statistics.LastAppendFailed())
        return "Последнюю тренировку не удалось записать в файл истории «" + FileName(statistics) +
               "».";
    return "История хранится в файле «" + FileName(statistics) + "».";
}

} // namespace kvarzel
