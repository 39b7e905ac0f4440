// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/statistics_form.h"

#include "chart/chart.h"
#include "help/help.h"
#include "platform/desktop/application.h"
#include "platform/desktop/message_box_icon.h"
#include "ui/common/accessible_names.h"
#include "ui/statistics/evidence_picture.h"
#include "ui/statistics/statistics_table_model.h"
#include "ui/statistics/statistics_texts.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHash>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kvarzel {
namespace {

// The rows at each end of the table that the columns are sized by: the
// widest texts of a column come from any row alike.
constexpr int SampleRows = 50;

const char* const FiguresHeading = "Вероятность таких результатов у человека совсем без интуиции:";

const char* const PictureLegend =
    "<span style=\"color:#008040\">━━</span><span style=\"color:#000080\">●</span> оценка "
    "серии в конце каждой тренировки (внутри тренировки она не читается)<br>"
    "<span style=\"color:#ff8000\">━━</span> уровень 5% &nbsp; "
    "<span style=\"color:#ff0000\">━━</span> уровень 1%";

// A line of figures that Tab reaches, for a screen reader to read it again
// after it was read with the dialog; it shows a caret while it has the focus.
void ReachableByTab(QLabel* label) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
}

QLabel* WrappedLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

StatisticsForm::StatisticsForm(QWidget* parent, TrainingStatistics& statistics)
    : HelpDialog(parent, 0), statistics_(statistics) {
    setObjectName("StatisticsForm");
    setWindowTitle("Статистика тренировок");
    ChooseExportFile = [this] { return AskForExportFile(); };
    statistics_.ReadHistory();

    CreateHeadline();
    CreatePicture();
    CreateTable();
    OlderLinesLabel = WrappedLabel("OlderLinesLabel", this);
    ExplanationLabel = WrappedLabel("ExplanationLabel", this);
    ExplanationLabel->setText(FigureExplanation);
    HistoryCheckBox = new QCheckBox("&Сохранять историю тренировок", this);
    HistoryCheckBox->setObjectName("HistoryCheckBox");
    HistoryLabel = WrappedLabel("HistoryLabel", this);
    HistoryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ExportButton = new QPushButton("&Экспорт в CSV...", this);
    ExportButton->setObjectName("ExportButton");
    CloseButton = new QPushButton("Закрыть", this);
    CloseButton->setObjectName("CloseButton");
    CloseButton->setDefault(true);

    auto* figures = new QVBoxLayout;
    auto* heading = WrappedLabel("FiguresHeadingLabel", this);
    heading->setText(FiguresHeading);
    figures->addWidget(heading);
    for (QLabel* label :
         {RunFigureLabel, HistoryFigureLabel, ExpectationLabel, RowsLabel, WarningLabel})
        figures->addWidget(label);
    figures->addStretch();
    auto* picture = new QVBoxLayout;
    picture->addWidget(EvidenceChart, 1);
    picture->addWidget(PictureLegendLabel);
    auto* headline = new QHBoxLayout;
    headline->addLayout(figures, 1);
    headline->addLayout(picture, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(HistoryCheckBox);
    buttons->addStretch();
    buttons->addWidget(ExportButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(headline);
    layout->addWidget(TrainingsTable, 1);
    layout->addWidget(OlderLinesLabel);
    layout->addWidget(ExplanationLabel);
    layout->addWidget(HistoryLabel);
    layout->addLayout(buttons);
    resize(820, 620);

    connect(HistoryCheckBox, &QCheckBox::clicked, this, &StatisticsForm::HistoryCheckBoxClick);
    connect(ExportButton, &QPushButton::clicked, this, &StatisticsForm::ExportButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    Refresh();
}

StatisticsForm::~StatisticsForm() = default;

void StatisticsForm::CreateHeadline() {
    RunFigureLabel = WrappedLabel("RunFigureLabel", this);
    HistoryFigureLabel = WrappedLabel("HistoryFigureLabel", this);
    QFont larger = font();
    if (larger.pixelSize() > 0)
        larger.setPixelSize(larger.pixelSize() * 6 / 5);
    else
        larger.setPointSizeF(larger.pointSizeF() * 1.2);
    RunFigureLabel->setFont(larger);
    HistoryFigureLabel->setFont(larger);
    ExpectationLabel = WrappedLabel("ExpectationLabel", this);
    RowsLabel = WrappedLabel("RowsLabel", this);
    WarningLabel = WrappedLabel("WarningLabel", this);
    WarningLabel->setText(SingleRowWarning);
    WarningLabel->setStyleSheet("color: #7a4b00");
    // The dialog opens on the first of them, the figure it is there for.
    for (QLabel* line : {RunFigureLabel, HistoryFigureLabel, ExpectationLabel, RowsLabel})
        ReachableByTab(line);
}

void StatisticsForm::CreatePicture() {
    EvidenceChart = new TChart(this);
    EvidenceChart->setObjectName("EvidenceChart");
    EvidenceChart->setMinimumSize(340, 150);
    NameControl(EvidenceChart, "Оценка серии",
                "Оценка «без интуиции» после каждого ответа серии, в процентах, с точками в "
                "конце тренировок и уровнями 5% и 1%");
    picture_ = std::make_unique<EvidencePicture>(*EvidenceChart);
    PictureLegendLabel = WrappedLabel("PictureLegendLabel", this);
    PictureLegendLabel->setTextFormat(Qt::RichText);
    PictureLegendLabel->setText(PictureLegend);
}

void StatisticsForm::CreateTable() {
    model_ = new StatisticsTableModel(statistics_, this);
    TrainingsTable = new QTableView(this);
    TrainingsTable->setObjectName("TrainingsTable");
    NameControl(TrainingsTable, "Тренировки");
    // Tab goes on to the dialog's other controls; the arrows move between the cells.
    TrainingsTable->setTabKeyNavigation(false);
    TrainingsTable->verticalHeader()->hide();
    // Rows of one height: the view places any row without asking the others.
    // Set before the model comes, which would make it resize every row.
    TrainingsTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    TrainingsTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    TrainingsTable->setModel(model_);
    TrainingsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    TrainingsTable->horizontalHeader()->setStretchLastSection(true);
    TrainingsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TrainingsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    TrainingsTable->setWordWrap(false);
}

void StatisticsForm::AddTraining(const TrainingRecord& record) {
    statistics_.AddTraining(record);
    if (isVisible()) {
        Refresh();
        return;
    }
    // The rest waits for the dialog to be shown.
    model_->RowsChanged();
    ExportButton->setEnabled(model_->rowCount() > 0);
}

void StatisticsForm::Refresh() {
    statistics_.ReadHistory();
    model_->RowsChanged();
    SizeColumns();
    TrainingsTable->scrollToBottom();
    FillHeadline();
    picture_->Show(statistics_.Run().LogWealthCourse(), statistics_.Run().ReadingGuesses());
    HistoryCheckBox->setChecked(statistics_.KeepHistory());
    const QString status = HistoryStatusText(statistics_);
    HistoryLabel->setText(status);
    HistoryLabel->setVisible(!status.isEmpty());
    ExportButton->setEnabled(model_->rowCount() > 0);
}

void StatisticsForm::FillHeadline() {
    RunFigureLabel->setText(RunFigureText(statistics_));
    const bool history = statistics_.ShowsHistory();
    HistoryFigureLabel->setVisible(history);
    const EvidenceSummary& shown = history ? statistics_.HistorySummary() : statistics_.RunSummary();
    if (history)
        HistoryFigureLabel->setText(HistoryFigureText(shown));
    ExpectationLabel->setText(ExpectationText(shown, history ? "за всю историю" : "в этой серии"));
    RowsLabel->setText(RowsText(shown));
    const QString older = history ? OlderLinesText(shown) : QString();
    OlderLinesLabel->setText(older);
    OlderLinesLabel->setVisible(!older.isEmpty());
}

// From the header, the widest texts a column can have, and the rows at both
// ends, in the bold face of this run's rows: measuring every row of a long
// history would take longer than the history takes to read. Rows only ever
// come at the end, so a later call measures just the rows added since.
void StatisticsForm::SizeColumns() {
    QFont bold = TrainingsTable->font();
    bold.setBold(true);
    const QFontMetrics cells(bold);
    const QFontMetrics header(TrainingsTable->horizontalHeader()->font());
    const int rows = model_->rowCount();
    if (rows < measuredRows_)
        measuredRows_ = 0;
    const int firstEnd = measuredRows_ == 0 ? std::min(rows, SampleRows) : 0;
    const int tailStart = std::max({measuredRows_, rows - SampleRows, firstEnd});
    const int padding = 2 * TrainingsTable->style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
    // Many cells repeat a text (the same pea count, the same share): each
    // text is laid out once.
    QHash<QString, int> advances;
    const auto measure = [&](int column, int from, int to, int width) {
        for (int row = from; row < to; ++row) {
            const QString text = StatisticsCell(statistics_.Row(row), column);
            auto found = advances.find(text);
            if (found == advances.end())
                found = advances.insert(text, cells.horizontalAdvance(text));
            width = std::max(width, *found);
        }
        return width;
    };
    for (int column = 0; column < model_->columnCount(); ++column) {
        // A title may take two lines.
        int width = 0;
        for (const QString& line : StatisticsColumnTitles()[column].split(u'\n'))
            width = std::max(width, header.horizontalAdvance(line));
        for (const QString& text : StatisticsWidestTexts(column))
            width = std::max(width, cells.horizontalAdvance(text));
        width = measure(column, tailStart, rows, measure(column, 0, firstEnd, width));
        // Then only ever wider: a column the user has widened keeps its width.
        if (!columnsSized_ || width + padding > TrainingsTable->columnWidth(column))
            TrainingsTable->setColumnWidth(column, width + padding);
    }
    columnsSized_ = true;
    measuredRows_ = rows;
}

void StatisticsForm::showEvent(QShowEvent* event) {
    statistics_.NoticeChangedHistory();
    Refresh();
    HelpDialog::showEvent(event);
}

void StatisticsForm::ShowDialogHelp() {
    ShowHelpPage(HelpPage);
}

void StatisticsForm::HistoryCheckBoxClick(bool checked) {
    if (!statistics_.SetKeepHistory(checked))
        ShowApplicationError(
            QString("Выбор «Сохранять историю тренировок» не удалось сохранить в настройках. "
                    "Причина: %1. До выхода из программы он действует")
                .arg(QString::fromStdString(WriteFailureText(statistics_.ChoiceFailure()))));
    // The rows are now others: the history's or the run's.
    measuredRows_ = 0;
    Refresh();
}

QString StatisticsForm::AskForExportFile() {
    return QFileDialog::getSaveFileName(this, "Экспорт истории тренировок",
                                        QDir::home().filePath("kvarzel-history.csv"),
                                        "Файлы CSV (*.csv);;Все файлы (*)");
}

void StatisticsForm::ExportButtonClick() {
    const QString fileName = ChooseExportFile();
    if (fileName.isEmpty())
        return;
    const ExportResult result = ExportHistory(fileName.toStdString(), statistics_.RowRecords());
    if (result.Ok)
        return;
    QMessageBox box(QMessageBox::Warning, "Статистика тренировок",
                    QString::fromStdString(result.Message), QMessageBox::Ok, this);
    NameMessageBoxIcon(box);
    box.exec();
}

} // namespace kvarzel
