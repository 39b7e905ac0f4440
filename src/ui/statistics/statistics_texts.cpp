// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/statistics_texts.h"

#include "platform/desktop/locale_separators.h"
#include "ui/statistics/bound_text.h"

#include <QDateTime>

#include <chrono>
#include <cmath>

namespace kvarzel {
namespace {

QString DecimalText(double value, int decimals) {
    return QString::number(value, 'f', decimals)
        .replace(QLatin1Char('.'), UserNumberSeparators().Decimal);
}

QString PercentageText(double percentage) {
    return DecimalText(percentage, 2) + "%";
}

QString LocalTimeText(std::chrono::system_clock::time_point moment) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count();
    return QDateTime::fromSecsSinceEpoch(seconds).toString("dd.MM.yyyy HH:mm");
}

QString FileName(const TrainingStatistics& statistics) {
    return QString::fromStdString(statistics.File().Path().string());
}

QString PeasText(const TrainingRecord& record) {
    if (!record.Abandoned)
        return QString::number(record.PeasCount);
    return QString("%1 из %2").arg(record.Answers.Total()).arg(record.PeasCount);
}

QString NoteText(const StatisticsRow& row) {
    QStringList notes;
    if (!row.InRun)
        notes << "прежний запуск";
    if (row.Record->Abandoned)
        notes << "прервана";
    if (!row.Saved)
        notes << "не записана";
    return notes.join(", ");
}

// What waits to be written, and what a next start can still write: only a
// training whose line is synced in its journal.
QString UnsavedText(const TrainingStatistics& statistics) {
    const int unsaved = statistics.UnsavedCount();
    const int lost = statistics.UnjournalledCount();
    QString text = QString("Тренировок, ещё не записанных в файл истории «%1»: %2. Причина: %3. ")
                       .arg(FileName(statistics))
                       .arg(unsaved)
                       .arg(QString::fromStdString(WriteFailureText(statistics.Failure())));
    if (lost == 0)
        return text + "Программа попробует записать их снова через несколько секунд, при выходе и "
                      "при следующем запуске.";
    return text + QString("Программа попробует записать их снова через несколько секунд и при "
                          "выходе. Сохранено в журналах для следующего запуска: %1; не сохранено "
                          "нигде и будет потеряно, если не запишется до выхода: %2.")
                      .arg(unsaved - lost)
                      .arg(lost);
}

QString FileStateText(const TrainingStatistics& statistics) {
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
    return {};
}

// "не больше 3,1% (после 4-й тренировки, 12.03.2026 14:05; сейчас не больше
// 40%)": the lowest figure, where it was read, and where it stands now when
// later trainings have weakened it.
QString FigureWithMoment(const HistoryReading& reading) {
    const QString lowest = BoundText(reading.LogLowestBound());
    QString text = "<b>" + lowest + "</b>";
    const std::optional<FigureReading> peak = reading.Lowest();
    if (!peak)
        return text;
    text += QString(" (после %1-й тренировки, %2")
                .arg(peak->TrainingsRead)
                .arg(LocalTimeText(peak->Moment));
    const QString now = BoundText(reading.LogCurrentBound());
    if (now != lowest)
        text += "; сейчас " + now;
    return text + ")";
}

// A training under way, in this copy or another, that started before other
// trainings ended: the figure is read up to its start until it ends too.
QString WaitingText(const HistoryReading& reading) {
    const auto start = reading.WaitingFor();
    if (!start)
        return {};
    if (*start == std::chrono::system_clock::time_point::min())
        return "ждёт, пока программа прочитает журналы тренировок, оставшиеся от прежних запусков; "
               "пока ";
    return QString("ждёт тренировку, начатую %1; до её начала ").arg(LocalTimeText(*start));
}

} // namespace

const char* const SingleRowWarning =
    "Одна удачная строка среди многих мало что значит: и без всякой интуиции примерно каждая "
    "двадцатая тренировка получает не больше 5%. Судите по оценке всей серии и всей истории.";

const char* const FigureExplanation =
    "«Без интуиции» — вероятность того, что человек совсем без интуиции хоть раз к концу "
    "тренировки получил бы такую оценку; она не больше указанного числа, как бы он ни играл: "
    "считал вытянутые горошины, отдавал ответы таймеру, бросал тренировки и начинал заново. "
    "Оценка читается в конце каждой тренировки, законченной или прерванной. Она говорит о том, "
    "кто не может предугадать горошины: они псевдослучайны, и компьютер, знающий время начала "
    "тренировки, смог бы их вычислить. Оценка серии относится к одному запуску программы. Оценка "
    "истории читается в том порядке, в каком тренировки на самом деле заканчивались, и верна при "
    "любом порядке игры в нескольких копиях программы, при аварийном завершении и блокировках; "
    "пока идёт тренировка, начатая раньше конца других, она ждёт её. Если файл истории или "
    "журналы тренировок правят или удаляют, оценка истории неверна. Если оценка не больше 5%, "
    "везением результат объяснить трудно.";

const QStringList& StatisticsColumnTitles() {
    static const QStringList titles{
        "№",     "Время", "Горошин", "Чёрных", "Ответов\n«белая»", "Ответов\n«чёрная»",
        "Ответов\nтаймера", "Верно", "Процент", "Без интуиции", "Отметка"};
    return titles;
}

QString StatisticsColumnToolTip(int column) {
    if (column == FigureColumn)
        return "Вероятность такого результата у человека совсем без интуиции: не больше этого "
               "числа";
    if (column == PeasColumn)
        return "Горошин в тренировке; у прерванной — сколько из них получили ответ";
    if (column == BlackPeasColumn)
        return "Чёрных горошин в ведре; «случайно» — цвет каждой выпадал случайно";
    if (column == WhiteAnswersColumn || column == BlackAnswersColumn)
        return "Сколько раз вы ответили так, а не сколько горошин этого цвета выпало";
    if (column == TimerAnswersColumn)
        return "Ответы, которые за вас дал таймер: они всегда неверны и в оценку не входят";
    if (column == NoteColumn)
        return "«прежний запуск» — тренировка из истории, сыгранная до этого запуска программы";
    return {};
}

QString TrainingFigureText(const TrainingRecord& record) {
    return record.Evidence ? BoundText(record.Evidence->Total.LogBound()) : QString("—");
}

QString StatisticsCell(const StatisticsRow& row, int column) {
    const TrainingRecord& record = *row.Record;
    switch (column) {
    case NumberColumn:
        return row.RunNumber > 0 ? QString::number(row.RunNumber) : QString();
    case TimeColumn:
        return LocalTimeText(record.Finished);
    case PeasColumn:
        return PeasText(record);
    case BlackPeasColumn:
        return record.Bucket.ByChance ? QString("случайно")
                                      : QString::number(record.Bucket.BlackPeas);
    case WhiteAnswersColumn:
        return QString::number(record.Answers.White);
    case BlackAnswersColumn:
        return QString::number(record.Answers.Black);
    case TimerAnswersColumn:
        return QString::number(record.Answers.Timer);
    case RightColumn:
        return QString::number(record.RightCount);
    case PercentColumn:
        return PercentageText(record.Percentage);
    case FigureColumn:
        return TrainingFigureText(record);
    case NoteColumn:
        return NoteText(row);
    default:
        return {};
    }
}

Qt::Alignment StatisticsCellAlignment(int column) {
    const bool left = column == TimeColumn || column == NoteColumn;
    return (left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

QStringList StatisticsWidestTexts(int column) {
    if (column == FigureColumn)
        return {BoundText(std::log(1.15e-6)), BoundText(std::log(1.15e-22)), BoundText(0)};
    if (column == NoteColumn)
        return {"прервана, не записана", "прежний запуск, прервана"};
    if (column == TimeColumn)
        return {"00.00.0000 00:00"};
    return {};
}

QString StatisticsRowToolTip(const StatisticsRow& row) {
    if (!row.Saved && !row.InJournal)
        return "Тренировка ещё не записана в файл истории, и её журнал не сохранился: программа "
               "попробует записать её снова через несколько секунд и при выходе, а если не "
               "получится, она будет потеряна.";
    if (!row.Saved)
        return "Тренировка ещё не записана в файл истории: программа попробует записать её снова "
               "через несколько секунд, при выходе и при следующем запуске (она сохранена в "
               "своём журнале).";
    if (row.Record->Abandoned)
        return "Тренировка прервана: её ответы входят в оценку серии, но не в график и не в "
               "среднее значение.";
    return {};
}

QString RunFigureText(const TrainingStatistics& statistics) {
    const EvidenceSummary& run = statistics.RunSummary();
    QString text = "Эта серия: " + FigureWithMoment(run.Reading);
    if (run.Trainings == 0)
        return text + " — тренировок ещё не было.";
    text += QString(" — тренировок %1").arg(run.Trainings);
    if (const int abandoned = run.Trainings - statistics.RunTrainings(); abandoned > 0)
        text += QString(", из них прервано %1").arg(abandoned);
    return text + QString(", ответов без таймера %1.").arg(run.Guesses);
}

QString HistoryFigureText(const EvidenceSummary& history) {
    QString text = QString("Вся история: %1%2 — тренировок %3")
                       .arg(WaitingText(history.Reading), FigureWithMoment(history.Reading))
                       .arg(history.Trainings - history.WithoutEvidence);
    if (const int waiting = history.Reading.TrainingsWaiting(); waiting > 0)
        text += QString(", из них ждут её конца %1").arg(waiting);
    return text + ".";
}

QString ExpectationText(const EvidenceSummary& summary, const QString& scope) {
    const GuessEvidence& total = summary.Total;
    return QString("Верных ответов %1: %2 из %3; без интуиции ожидалось бы %4\u00a0±\u00a0%5.")
        .arg(scope)
        .arg(summary.RightAnswers)
        .arg(summary.Guesses)
        .arg(DecimalText(total.ExpectedRight, 1))
        .arg(DecimalText(std::sqrt(total.RightVariance), 1));
}

QString RowsText(const EvidenceSummary& summary) {
    return QString("Тренировок с оценкой не больше 5%: %1 из %2; одно везение дало бы в среднем "
                   "не больше %3.")
        .arg(summary.AtMostFivePercent)
        .arg(summary.WithGuesses)
        .arg(DecimalText(summary.ChanceRowsAtMostFivePercent(), 1));
}

QString OlderLinesText(const EvidenceSummary& history) {
    if (history.WithoutEvidence == 0)
        return {};
    return QString("Тренировок без оценки (—): %1. Их записала прежняя версия программы, которая "
                   "не сохраняла того, что нужно для оценки; в оценку истории они не входят.")
        .arg(history.WithoutEvidence);
}

QString HistoryStatusText(const TrainingStatistics& statistics) {
    if (!statistics.KeepHistory() && statistics.UnsavedCount() == 0)
        return {};
    const QString fileState = FileStateText(statistics);
    QString text = !fileState.isEmpty()
                       ? fileState
                       : "История хранится в файле «" + FileName(statistics) + "».";
    if (statistics.UnsavedCount() > 0)
        text = (fileState.isEmpty() ? QString() : fileState + " ") + UnsavedText(statistics);
    for (const std::filesystem::path& aside : statistics.MovedTails())
        text += " " + statistics.MovedTailText(aside) + ".";
    for (const std::filesystem::path& aside : statistics.SetAsideJournals())
        text += " Журнал тренировки больше, чем может записать тренировка, и не прочитан: он "
                "отложен как «" +
                QString::fromStdString(aside.string()) + "».";
    if (const int notKept = statistics.NotKeptCount(); notKept > 0)
        text += QString(" Тренировок этой серии, не сохранённых в истории, потому что при их "
                        "начале не удалось создать журнал: %1. Причина: %2.")
                    .arg(notKept)
                    .arg(QString::fromStdString(WriteFailureText(statistics.NotKeptFailure())));
    if (statistics.RunTrainingsLeftOut())
        text += " В историю входят тренировки, начатые после включения этого флажка; прежние "
                "тренировки этой серии в неё не добавлены.";
    return text;
}

} // namespace kvarzel
