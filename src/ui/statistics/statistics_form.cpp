#include "ui/statistics/statistics_form.h"

#include "help/help.h"
#include "ui/statistics/statistics_texts.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvarzel {
namespace {

const char* const Explanation =
    "«Случайно» — вероятность того, что человек совсем без интуиции, отвечая наугад с тем же "
    "числом ответов «белая», «чёрная» и по таймеру, наберёт не меньше верных ответов; если она "
    "ниже 5%, результат вряд ли объясняется везением.";

QLabel* WrappedLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

TStatisticsForm::TStatisticsForm(QWidget* parent, TrainingStatistics& statistics)
    : HelpDialog(parent, 0), statistics_(statistics) {
    setObjectName("StatisticsForm");
    setWindowTitle("Статистика тренировок");
    ChooseExportFile = [this] { return AskForExportFile(); };

    TrainingsTable = new QTableWidget(0, static_cast<int>(StatisticsColumnTitles().size()), this);
    TrainingsTable->setObjectName("TrainingsTable");
    TrainingsTable->setHorizontalHeaderLabels(StatisticsColumnTitles());
    TrainingsTable->verticalHeader()->hide();
    TrainingsTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    TrainingsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TrainingsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    TrainingsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TrainingsTable->horizontalHeader()->setStretchLastSection(true);

    RunLabel = WrappedLabel("RunLabel", this);
    ExplanationLabel = WrappedLabel("ExplanationLabel", this);
    ExplanationLabel->setText(Explanation);
    HistoryCheckBox = new QCheckBox("&Сохранять историю тренировок", this);
    HistoryCheckBox->setObjectName("HistoryCheckBox");
    HistoryLabel = WrappedLabel("HistoryLabel", this);
    HistoryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ExportButton = new QPushButton("&Экспорт в CSV...", this);
    ExportButton->setObjectName("ExportButton");
    CloseButton = new QPushButton("Закрыть", this);
    CloseButton->setObjectName("CloseButton");
    CloseButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(HistoryCheckBox);
    buttons->addStretch();
    buttons->addWidget(ExportButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TrainingsTable, 1);
    layout->addWidget(RunLabel);
    layout->addWidget(ExplanationLabel);
    layout->addWidget(HistoryLabel);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(HistoryCheckBox, &QCheckBox::clicked, this, &TStatisticsForm::HistoryCheckBoxClick);
    connect(ExportButton, &QPushButton::clicked, this, &TStatisticsForm::ExportButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    Refresh();
}

void TStatisticsForm::AddTraining(const TrainingRecord& record) {
    statistics_.AddTraining(record);
    if (isVisible())
        Refresh();
}

void TStatisticsForm::Refresh() {
    FillTable();
    RunLabel->setText(RunSummaryText(statistics_));
    HistoryCheckBox->setChecked(statistics_.KeepHistory());
    const QString status = HistoryStatusText(statistics_);
    HistoryLabel->setText(status);
    HistoryLabel->setVisible(!status.isEmpty());
    ExportButton->setEnabled(TrainingsTable->rowCount() > 0);
}

void TStatisticsForm::FillTable() {
    const std::vector<StatisticsRow> rows = statistics_.Rows();
    TrainingsTable->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < TrainingsTable->rowCount(); ++row) {
        const StatisticsRow& source = rows[static_cast<std::size_t>(row)];
        const QStringList cells = StatisticsCells(source);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(column == 1 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
            // The trainings of this run stand out among the earlier ones.
            QFont font = item->font();
            font.setBold(source.RunNumber > 0 && statistics_.KeepHistory());
            item->setFont(font);
            TrainingsTable->setItem(row, column, item);
        }
    }
    TrainingsTable->scrollToBottom();
}

void TStatisticsForm::showEvent(QShowEvent* event) {
    Refresh();
    HelpDialog::showEvent(event);
}

void TStatisticsForm::ShowDialogHelp() {
    ShowHelpPage(HelpPage);
}

void TStatisticsForm::HistoryCheckBoxClick(bool checked) {
    statistics_.SetKeepHistory(checked);
    Refresh();
}

QString TStatisticsForm::AskForExportFile() {
    return QFileDialog::getSaveFileName(this, "Экспорт истории тренировок",
                                        QDir::home().filePath("kvarzel-history.csv"),
                                        "Файлы CSV (*.csv);;Все файлы (*)");
}

void TStatisticsForm::ExportButtonClick() {
    const QString fileName = ChooseExportFile();
    if (fileName.isEmpty())
        return;
    const ExportResult result = ExportHistory(fileName.toStdString(), statistics_.RowRecords());
    if (!result.Ok)
        QMessageBox::warning(this, "Статистика тренировок", QString::fromStdString(result.Message));
}

} // namespace kvarzel
