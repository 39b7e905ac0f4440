// SPDX-License-Identifier: GPL-3.0-or-later
// The pages and controls of the options dialog, at their designed places.
#include "ui/options/options_form.h"

#include "chart/chart.h"
#include "chart/chart_presets.h"
#include "core/ratio_scale.h"
#include "ui/common/anchors.h"
#include "ui/options/file_name_edit.h"
#include "ui/options/hot_key_clear_button.h"
#include "ui/options/hot_key_edit.h"
#include "ui/options/ratio_labels.h"
#include "ui/options/spin_edit.h"
#include "ui/options/track_bar.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <iterator>
#include <utility>

namespace kvarzel {
namespace {

template <typename Control, typename... Arguments>
Control* Place(QWidget* parent, const char* name, QRect place, Arguments&&... arguments) {
    auto* control = new Control(std::forward<Arguments>(arguments)..., parent);
    control->setObjectName(name);
    control->setGeometry(place);
    return control;
}

// A label sizes itself to its text.
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, QPoint place) {
    auto* label = Place<QLabel>(parent, name, {place, QSize()}, text);
    label->adjustSize();
    return label;
}

QPushButton* PlaceTestButton(QWidget* parent, const char* name, QRect place) {
    return Place<QPushButton>(parent, name, place, QStringLiteral("Тест"));
}

// A check box is at least as wide as its text needs in this font.
QCheckBox* PlaceCheckBox(QWidget* parent, const char* name, QRect place, const QString& text) {
    auto* box = Place<QCheckBox>(parent, name, place, text);
    box->ensurePolished();
    box->resize(std::max(place.width(), box->sizeHint().width()), place.height());
    return box;
}

// The strip across the lower part of the track bar, in the group box.
constexpr QRect StripPlace(13, 44, 215, 20);

// The track bar at 2, 17, 237 x 58, widened or narrowed so that the thumb's
// middle, and with it the first and last tick, meets the ends of the strip
// whatever width the style gives the thumb.
QRect TrackBarPlace(const QSlider& trackBar, QRect strip) {
    QStyleOptionSlider option;
    option.initFrom(&trackBar);
    option.orientation = Qt::Horizontal;
    const int thumb = trackBar.style()->pixelMetric(QStyle::PM_SliderLength, &option, &trackBar);
    return {strip.left() - thumb / 2, 17, strip.width() - 1 + thumb, 58};
}

QWidget* AddPage(QTabWidget* pages, const char* name, const QString& caption) {
    auto* page = new QWidget;
    page->setObjectName(name);
    pages->addTab(page, caption);
    return page;
}

} // namespace

void TOptionsForm::CreatePeasPage() {
    PeasTabSheet = AddPage(PageControl, "PeasTabSheet", "Горошины");
    CountLabel =
        PlaceLabel(PeasTabSheet, "CountLabel", "Сколько засыпать горошин в ведро:", {8, 11});
    CountSpinEdit = Place<SpinEdit>(PeasTabSheet, "CountSpinEdit", {202, 8, 47, 22}, 1, 9999, 4);
    RatioGroupBox = Place<QGroupBox>(PeasTabSheet, "RatioGroupBox", {8, 38, 241, 78},
                                     QStringLiteral("Соотношение белых и чёрных"));
    CreateRatioPreview();
}

void TOptionsForm::CreateRatioPreview() {
    RatioTrackBar = Place<TrackBar>(RatioGroupBox, "RatioTrackBar", {});
    RatioTrackBar->setGeometry(TrackBarPlace(*RatioTrackBar, StripPlace));
    RatioTrackBar->setRange(RatioScaleMin, RatioScaleMax);
    RatioTrackBar->setSingleStep(1);
    RatioTrackBar->setPageStep(10);
    RatioTrackBar->setTickInterval(1);
    RatioTrackBar->setTickPosition(QSlider::TicksBelow);

    // Laid over the track bar after it, so that it takes the mouse there.
    RatioChart = new TChart(RatioGroupBox);
    RatioChart->setObjectName("RatioChart");
    RatioChart->setFocusPolicy(Qt::NoFocus);
    ConfigureRatioChart(*RatioChart);
    auto* anchors = new Anchors(RatioGroupBox, RatioGroupBox->size());
    anchors->Place(RatioChart, StripPlace, akLeft | akTop | akRight);

    WhiteQLabel = CreateRatioLabel(RatioChart, "WhiteQLabel", {3, 4}, clBlack, clWhite);
    SetRatioLabelText(*WhiteQLabel, QStringLiteral("?"));
    BlackQLabel = CreateRatioLabel(RatioChart, "BlackQLabel", {204, 4}, clWhite, clBlack);
}

void TOptionsForm::CreateControlPage() {
    ControlTabSheet = AddPage(PageControl, "ControlTabSheet", "Управление");
    KeysGroupBox = Place<QGroupBox>(ControlTabSheet, "KeysGroupBox", {8, 8, 241, 82},
                                    QStringLiteral("Дополнительные клавиши выбора"));
    WhiteLabel = PlaceLabel(KeysGroupBox, "WhiteLabel", "Белая:", {15, 23});
    WhiteHotKey = Place<HotKeyEdit>(KeysGroupBox, "WhiteHotKey", {57, 20, 128, 19});
    WhiteClearButton =
        Place<HotKeyClearButton>(KeysGroupBox, "WhiteClearButton", {189, 20, 19, 19}, *WhiteHotKey);
    BlackLabel = PlaceLabel(KeysGroupBox, "BlackLabel", "Чёрная:", {8, 52});
    BlackHotKey = Place<HotKeyEdit>(KeysGroupBox, "BlackHotKey", {57, 49, 128, 19});
    BlackClearButton =
        Place<HotKeyClearButton>(KeysGroupBox, "BlackClearButton", {189, 49, 19, 19}, *BlackHotKey);
    TimerCheckBox = PlaceCheckBox(ControlTabSheet, "TimerCheckBox", {8, 98, 174, 17},
                                  QStringLiteral("Контролировать время ответа"));
    TimerSpinEdit =
        Place<SpinEdit>(ControlTabSheet, "TimerSpinEdit", {27, 118, 65, 22}, 1, 60000, 5);
    TimerMsLabel = PlaceLabel(ControlTabSheet, "TimerMsLabel", "миллисекунд", {100, 121});
}

void TOptionsForm::CreateSoundPage() {
    SoundTabSheet = AddPage(PageControl, "SoundTabSheet", "Звук");
    QWidget* page = SoundTabSheet;
    SoundLabel = PlaceLabel(page, "SoundLabel", "Звук неправильного ответа", {8, 8});
    BeepCheckBox =
        PlaceCheckBox(page, "BeepCheckBox", {8, 29, 123, 17}, QStringLiteral("Системный динамик"));
    BeepButton = PlaceTestButton(page, "BeepButton", {186, 27, 63, 21});
    FrequencyLabel = PlaceLabel(page, "FrequencyLabel", "Частота:", {39, 57});
    FrequencySpinEdit = Place<SpinEdit>(page, "FrequencySpinEdit", {92, 54, 65, 22}, 37, 32767, 5);
    FrequencyHzLabel = PlaceLabel(page, "FrequencyHzLabel", "герц", {165, 57});
    DurationLabel = PlaceLabel(page, "DurationLabel", "Длительность:", {8, 87});
    DurationSpinEdit = Place<SpinEdit>(page, "DurationSpinEdit", {92, 84, 65, 22}, 1, 60000, 5);
    DurationMsLabel = PlaceLabel(page, "DurationMsLabel", "миллисекунд", {165, 87});
    CreateWaveFileControls();
}

void TOptionsForm::CreateWaveFileControls() {
    QWidget* page = SoundTabSheet;
    WaveCheckBox =
        PlaceCheckBox(page, "WaveCheckBox", {8, 114, 98, 17}, QStringLiteral("Звуковая карта"));
    WaveButton = PlaceTestButton(page, "WaveButton", {186, 112, 63, 21});
    WaveLabel = PlaceLabel(page, "WaveLabel", "Звуковой файл:", {8, 144});
    WaveEdit = Place<FileNameEdit>(page, "WaveEdit", {96, 141, 131, 21});
    WaveSpeedButton = Place<QToolButton>(page, "WaveSpeedButton", {228, 141, 21, 21});
    WaveSpeedButton->setAutoRaise(true);
    // Reached with Tab like every other control, but a click leaves the focus where it is.
    WaveSpeedButton->setFocusPolicy(Qt::TabFocus);
    WaveSpeedButton->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    WaveSpeedButton->setIconSize({16, 16});
    const QString hint = QStringLiteral("Выберите звуковой файл");
    WaveSpeedButton->setToolTip(hint);
    WaveSpeedButton->setStatusTip(hint);
}

void TOptionsForm::SetFocusOrder() {
    QWidget* const order[] = {OKButton,         CancelButton,      PageControl,
                              CountSpinEdit,    RatioTrackBar,     WhiteHotKey,
                              WhiteClearButton, BlackHotKey,       BlackClearButton,
                              TimerCheckBox,    TimerSpinEdit,     BeepCheckBox,
                              BeepButton,       FrequencySpinEdit, DurationSpinEdit,
                              WaveCheckBox,     WaveButton,        WaveEdit,
                              WaveSpeedButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace kvarzel
