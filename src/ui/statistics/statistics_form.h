#pragma once

#include "ui/common/dialog_keys.h"
#include "ui/statistics/training_statistics.h"

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kvarzel {

// "Статистика тренировок": this run's trainings (or the whole history) with
// the chance of each result, the run as a whole, and the history switch.
class TStatisticsForm : public HelpDialog {
    Q_OBJECT
public:
    // The help page F1 opens.
    static constexpr const char* HelpPage = "Statistics.htm";

    TStatisticsForm(QWidget* parent, TrainingStatistics& statistics);

    // A training has finished: keep it, and show it if the dialog is open.
    void AddTraining(const TrainingRecord& record);
    // Fills every control from the statistics.
    void Refresh();

    QTableWidget* TrainingsTable = nullptr;
    QLabel* RunLabel = nullptr;
    QLabel* ExplanationLabel = nullptr;
    QCheckBox* HistoryCheckBox = nullptr;
    QLabel* HistoryLabel = nullptr;
    QPushButton* ExportButton = nullptr;
    QPushButton* CloseButton = nullptr;

    // Asks for the file to export to; empty for none. A file chooser unless
    // a test puts its own.
    std::function<QString()> ChooseExportFile;

protected:
    void showEvent(QShowEvent* event) override;
    void ShowDialogHelp() override;

private:
    void HistoryCheckBoxClick(bool checked);
    void ExportButtonClick();
    void FillTable();
    QString AskForExportFile();

    TrainingStatistics& statistics_;
};

} // namespace kvarzel
