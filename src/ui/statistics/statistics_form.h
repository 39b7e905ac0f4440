// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/dialog_keys.h"
#include "ui/statistics/training_statistics.h"

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace kvarzel {

class EvidencePicture;
class StatisticsTableModel;
class TChart;

// "Статистика тренировок": the figure of the run and of the whole history
// first, what chance alone would give beside them, the run's evidence as a
// picture, then every training with its own figure, and the history switch.
class StatisticsForm : public HelpDialog {
    Q_OBJECT
public:
    // The help page F1 opens.
    static constexpr const char* HelpPage = "Statistics.htm";

    StatisticsForm(QWidget* parent, TrainingStatistics& statistics);
    ~StatisticsForm() override;

    // A training has ended: keep it, and show it if the dialog is open.
    void AddTraining(const TrainingRecord& record);
    // Fills every control from the statistics.
    void Refresh();

    QLabel* RunFigureLabel = nullptr;
    QLabel* HistoryFigureLabel = nullptr;
    QLabel* ExpectationLabel = nullptr;
    QLabel* RowsLabel = nullptr;
    QLabel* WarningLabel = nullptr;
    TChart* EvidenceChart = nullptr;
    QLabel* PictureLegendLabel = nullptr;
    QTableView* TrainingsTable = nullptr;
    QLabel* OlderLinesLabel = nullptr;
    QLabel* ExplanationLabel = nullptr;
    QCheckBox* HistoryCheckBox = nullptr;
    QLabel* HistoryLabel = nullptr;
    QPushButton* ExportButton = nullptr;
    QPushButton* CloseButton = nullptr;

    StatisticsTableModel& TableModel() const { return *model_; }
    EvidencePicture& Picture() const { return *picture_; }

    // Asks for the file to export to; empty for none. A file chooser unless
    // a test puts its own.
    std::function<QString()> ChooseExportFile;

protected:
    void showEvent(QShowEvent* event) override;
    void ShowDialogHelp() override;

private:
    void CreateHeadline();
    void CreatePicture();
    void CreateTable();
    void FillHeadline();
    void SizeColumns();
    void HistoryCheckBoxClick(bool checked);
    void ExportButtonClick();
    QString AskForExportFile();

    TrainingStatistics& statistics_;
    StatisticsTableModel* model_ = nullptr;
    std::unique_ptr<EvidencePicture> picture_;
    bool columnsSized_ = false;
    // The rows SizeColumns has measured, from the first.
    int measuredRows_ = 0;
};

} // namespace kvarzel
