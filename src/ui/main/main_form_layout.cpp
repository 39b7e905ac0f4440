// SPDX-License-Identifier: GPL-3.0-or-later
// The controls and the menu of the main window, at their designed places.
#include "ui/main/main_form.h"

#include "chart/chart.h"
#include "chart/chart_presets.h"
#include "platform/desktop/application.h"
#include "platform/desktop/interval_timer.h"
#include "ui/common/accessible_names.h"
#include "ui/common/anchors.h"
#include "ui/common/help_context.h"
#include "ui/common/line_edit_accessible.h"
#include "ui/common/read_only_focus.h"
#include "ui/main/bucket_picture.h"
#include "ui/main/bucket_view.h"
#include "ui/main/results_page.h"
#include "ui/main/signal_circle.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

namespace kvarzel {
namespace {

// Both pages are laid out for a client area of this size.
constexpr QSize PageDesignSize(323, 256);

template <typename Control>
Control* Create(QWidget* parent, const char* name, QRect place, int helpContext = 0) {
    auto* control = new Control(parent);
    control->setObjectName(name);
    control->setGeometry(place);
    SetHelpContext(control, helpContext);
    return control;
}

QPushButton* CreateAnswerButton(QWidget* page, const char* name, const QString& caption,
                                const QString& hint, QRect place) {
    auto* button = Create<QPushButton>(page, name, place, 2);
    button->setText(caption);
    button->setStatusTip(hint);
    // The hint shows only in the status bar, which a screen reader does not watch.
    button->setAccessibleDescription(hint);
    button->setAutoDefault(false);
    button->hide();
    return button;
}

QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                     const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setStatusTip(hint);
    action->setShortcut(shortcut);
    SetHelpContext(action, 1);
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption, const QString& hint) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setStatusTip(hint);
    SetHelpContext(menu, 1);
    SetHelpContext(menu->menuAction(), 1);
    return menu;
}

void AddSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    SetHelpContext(separator, 1);
}

} // namespace

void TMainForm::CreateTrainingPage() {
    TrainTabSheet = new QWidget;
    TrainTabSheet->setObjectName("TrainTabSheet");
    SetHelpContext(TrainTabSheet, 2);
    PageControl->addTab(TrainTabSheet, "&Тренировка");

    BucketImage = Create<BucketView>(TrainTabSheet, "BucketImage", {6, 6, 311, 238});
    BucketImage->SetPicture(BucketPicture);
    connect(BucketImage, &BucketView::MouseDown, this, &TMainForm::BucketImageMouseDown);
    NameControl(BucketImage, QStringLiteral("Ведро с горошинами"),
                QStringLiteral("Левая кнопка мыши — белая, правая — чёрная"));

    SignalShape = Create<SignalCircle>(TrainTabSheet, "SignalShape", {146, 66, 40, 40});
    SignalShape->hide();

    CounterLabel = Create<QLabel>(TrainTabSheet, "CounterLabel", {147, 79, 38, 13});
    CounterLabel->setAutoFillBackground(true);
    CounterLabel->setAlignment(Qt::AlignCenter);
    CounterLabel->setFont(MsSansSerifFont(true));
    QPalette palette = CounterLabel->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    CounterLabel->setPalette(palette);
    CounterLabel->hide();

    WhiteButton =
        CreateAnswerButton(TrainTabSheet, "WhiteButton", "&Белая",
                           "Я чувствую, что сейчас выпадет БЕЛАЯ горошина!", {18, 193, 75, 25});
    BlackButton =
        CreateAnswerButton(TrainTabSheet, "BlackButton", "&Чёрная",
                           "Я чувствую, что сейчас выпадет ЧЁРНАЯ горошина!", {232, 193, 75, 25});
    setTabOrder(WhiteButton, BlackButton);
    connect(WhiteButton, &QPushButton::clicked, this, [this] { BooleanButtonClick(WhiteButton); });
    connect(BlackButton, &QPushButton::clicked, this, [this] { BooleanButtonClick(BlackButton); });
}

void TMainForm::CreateResultsPage() {
    ResultsTabSheet = new QWidget;
    ResultsTabSheet->setObjectName("ResultsTabSheet");
    SetHelpContext(ResultsTabSheet, 3);
    PageControl->addTab(ResultsTabSheet, "&Результаты");
    auto* anchors = new Anchors(ResultsTabSheet, PageDesignSize);

    IntuitionChart = Create<TChart>(ResultsTabSheet, "IntuitionChart", {}, 3);
    IntuitionChart->setStatusTip("Масштабирование левой кнопкой мыши, прокрутка - правой");
    IntuitionSeries = &ConfigureIntuitionChart(*IntuitionChart);
    NameControl(IntuitionChart, QStringLiteral("Результаты тренировок"),
                IntuitionChart->statusTip());
    // Tab reaches the chart, for a screen reader to read its points; a click leaves the focus.
    IntuitionChart->setFocusPolicy(Qt::TabFocus);
    anchors->Place(IntuitionChart, {3, 6, 317, 207}, akLeft | akTop | akRight | akBottom);

    BottomBevel = Create<QFrame>(ResultsTabSheet, "BottomBevel", {});
    BottomBevel->setFrameShape(QFrame::HLine);
    BottomBevel->setFrameShadow(QFrame::Sunken);
    anchors->Place(BottomBevel, {2, 221, 319, 2}, akLeft | akRight | akBottom);

    AverageLabel = Create<QLabel>(ResultsTabSheet, "AverageLabel", {});
    AverageLabel->setText("Среднее значение по всем тренировкам:");
    anchors->Place(AverageLabel, {6, 231, 210, 13}, akLeft | akBottom);

    LineEditAccessible::Install();
    AverageEdit = Create<QLineEdit>(ResultsTabSheet, "AverageEdit", {}, 3);
    AverageEdit->setFrame(false);
    AverageEdit->setReadOnly(true);
    // Read-only, but reached with Tab for a screen reader to read it.
    AverageEdit->setFocusPolicy(Qt::StrongFocus);
    KeepTextUnselectedOnTab(*AverageEdit);
    AverageEdit->setFont(MsSansSerifFont(true));
    AverageEdit->setTextMargins(0, 0, 0, 0);
    AverageEdit->setContentsMargins(0, 0, 0, 0);
    QPalette palette = AverageEdit->palette();
    // The field blends into the page, as a borderless field in the face colour does.
    palette.setColor(QPalette::Base, Qt::transparent);
    AverageEdit->setPalette(palette);
    anchors->Place(AverageEdit, {224, 232, 93, 13}, akLeft | akRight | akBottom);
    NameAfterLabel(AverageEdit, AverageLabel);

    resultsPage_ = std::make_unique<ResultsPage>(*IntuitionChart, *IntuitionSeries, *AverageEdit,
                                                 *PageControl, *ResultsTabSheet);
    results_ = resultsPage_.get();
}

void TMainForm::CreateMenu() {
    QMenuBar* bar = menuBar();
    TrainingMenuItem = AddMenu(bar, "TrainingMenuItem", "&Тренировка", "Тренировка интуиции");
    TrainMenuItem = AddMenuItem(TrainingMenuItem, "TrainMenuItem", "&Начать", "Начать тренировку",
                                QKeySequence(Qt::CTRL | Qt::Key_N));
    OptionsMenuItems =
        AddMenuItem(TrainingMenuItem, "OptionsMenuItems", "&Параметры...", "Параметры тренировок");
    StatisticsMenuItem = AddMenuItem(TrainingMenuItem, "StatisticsMenuItem", "&Статистика...",
                                     "Статистика и история тренировок");
    AddSeparator(TrainingMenuItem, "TrainingMenuSeparator");
    ExitMenuItem = AddMenuItem(TrainingMenuItem, "ExitMenuItem", "&Выход", "Выход из программы",
                               QKeySequence(Qt::ALT | Qt::Key_F4));

    HelpMenuItem = AddMenu(bar, "HelpMenuItem", "&Помощь", "Помощь к программе");
    ContentsMenuItem = AddMenuItem(HelpMenuItem, "ContentsMenuItem", "&Содержание",
                                   "Вызов файла справки", QKeySequence(Qt::Key_F1));
    AddSeparator(HelpMenuItem, "HelpMenuSeparator");
    AboutMenuItem = AddMenuItem(HelpMenuItem, "AboutMenuItem", "&О программе...",
                                "Краткая информация о программе");

    connect(TrainMenuItem, &QAction::triggered, this, &TMainForm::TrainMenuItemClick);
    connect(OptionsMenuItems, &QAction::triggered, this, &TMainForm::OptionsMenuItemsClick);
    connect(StatisticsMenuItem, &QAction::triggered, this, &TMainForm::StatisticsMenuItemClick);
    connect(ExitMenuItem, &QAction::triggered, this, &TMainForm::ExitMenuItemClick);
    connect(ContentsMenuItem, &QAction::triggered, this, &TMainForm::ContentsMenuItemClick);
    connect(AboutMenuItem, &QAction::triggered, this, &TMainForm::AboutMenuItemClick);
}

} // namespace kvarzel
