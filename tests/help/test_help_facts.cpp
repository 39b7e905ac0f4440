// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/guess_evidence.h"
#include "core/options.h"
#include "core/ratio_scale.h"
#include "help/chm_file.h"
#include "help/help_text.h"
#include "platform/files/damaged_tail.h"
#include "platform/files/history_file.h"
#include "test_support/built_help_file.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>

namespace kvarzel {
namespace {

using testing::BuiltHelpFile;

// A page of the built help file as HTML.
QString HelpPage(const QString& page) {
    const auto file = ChmFile::Open(BuiltHelpFile());
    const auto data = file ? file->Read(u'/' + page) : std::nullopt;
    return data ? DecodeHelpText(*data) : QString();
}

QString PlainText(QString html) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return html.remove(tag).simplified();
}

// The cells of every table row of a page, by the text of the row's first cell.
QMap<QString, QStringList> TableRows(const QString& html) {
    static const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell(QStringLiteral("<t[dh][^>]*>(.*?)</t[dh]>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QMap<QString, QStringList> rows;
    for (const auto& rowMatch : row.globalMatch(html)) {
        QStringList cells;
        for (const auto& cellMatch : cell.globalMatch(rowMatch.captured(1))) {
            cells << PlainText(cellMatch.captured(1));
        }
        if (!cells.isEmpty()) {
            rows.insert(cells.takeFirst(), cells);
        }
    }
    return rows;
}

QString OnOff(bool on) {
    return on ? QStringLiteral("включено") : QStringLiteral("выключено");
}

TEST(HelpFacts, OptionsPageGivesEveryRangeAndTheDefaultsOfANewRecord) {
    const TOptions defaults;
    const QMap<QString, QStringList> rows = TableRows(HelpPage("OptsForm.htm"));
    const QMap<QString, QStringList> expected{
        {"Сколько засыпать горошин в ведро", {"от 1 до 9999", QString::number(defaults.PeasCount)}},
        {"Соотношение белых и чёрных",
         {QString("от %1 до %2").arg(RatioScaleMin).arg(RatioScaleMax),
          QString::number(defaults.PeasRatio)}},
        {"Контролировать время ответа", {"включено или выключено", OnOff(defaults.TimerEnabled)}},
        {"время на ответ, миллисекунд", {"от 1 до 60000", QString::number(defaults.TimeInterval)}},
        {"Системный динамик", {"включено или выключено", OnOff(defaults.BeepWrong)}},
        {"Частота", {"от 37 до 32767 герц", QString::number(defaults.BeepFrequency)}},
        {"Длительность", {"от 1 до 60000 миллисекунд", QString::number(defaults.BeepDuration)}},
        {"Звуковая карта", {"включено или выключено", OnOff(defaults.WaveWrong)}},
    };
    for (auto option = expected.begin(); option != expected.end(); ++option) {
        EXPECT_EQ(rows.value(option.key()), option.value()) << option.key().toStdString();
    }
}

TEST(HelpFacts, TrainingPageNamesTheFixedKeysOnBothLayouts) {
    const QMap<QString, QStringList> rows = TableRows(HelpPage("Training.htm"));
    EXPECT_EQ(rows.value("Постоянные клавиши"), QStringList({"W или , (запятая)", "B или X"}));
    EXPECT_EQ(rows.value("Те же клавиши в русской раскладке"), QStringList({"Ц или Б", "И или Ч"}));
    EXPECT_EQ(rows.value("Мышь на рисунке"), QStringList({"левая кнопка", "правая кнопка"}));
}

TEST(HelpFacts, ResultsPageQuotesTheChartsHint) {
    EXPECT_TRUE(PlainText(HelpPage("ResultsTab.htm"))
                    .contains("«Масштабирование левой кнопкой мыши, прокрутка - правой»"));
}

// The fewest coin-toss answers, all right, whose figure reads at or below `level`.
int ShortestPerfectTraining(double level) {
    GuessEvidence evidence;
    int guesses = 0;
    while (std::exp(evidence.LogBound()) > level) {
        evidence.AddGuess(0.5, true);
        ++guesses;
    }
    return guesses;
}

TEST(HelpFacts, StatisticsPageGivesTheShortestTrainingsThatCanSpeak) {
    const QString text = PlainText(HelpPage("Statistics.htm"));
    const int forFive = ShortestPerfectTraining(0.05);
    const int forOne = ShortestPerfectTraining(0.01);
    EXPECT_TRUE(text.contains(QString("Самая короткая тренировка, которая может дойти до 5%, — %1 "
                                      "горошин")
                                  .arg(forFive)))
        << forFive;
    EXPECT_TRUE(text.contains(QString("%1 верных ответов из %1").arg(forFive)));
    EXPECT_TRUE(text.contains(QString("До 1% может дойти тренировка из %1 горошин").arg(forOne)))
        << forOne;
}

// The help names the file a damaged end of the history goes to as the
// program names it, so that the user can find it.
TEST(HelpFacts, StatisticsPageNamesTheFileADamagedEndGoesTo) {
    const auto moment = std::chrono::sys_days{std::chrono::year{2026} / 1 / 7} +
                        std::chrono::hours{9} + std::chrono::minutes{30} + std::chrono::seconds{12};
    const std::filesystem::path history = "/home/user/.local/share/Tellumor/Kvarzel/history.csv";
    ASSERT_EQ(history.filename(), UserHistoryPath().filename());
    const std::string name = DamagedTailPath(history, moment, 1).filename().string();
    EXPECT_TRUE(PlainText(HelpPage("Statistics.htm")).contains(QString::fromStdString(name)))
        << name;
}

} // namespace
} // namespace kvarzel
