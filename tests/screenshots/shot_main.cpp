// SPDX-License-Identifier: GPL-3.0-or-later
// The main window idle, during a training (right and wrong answer), with the
// menu open, and on the results page (also zoomed, and during a zoom drag).
#include "chart/chart.h"
#include "core/options.h"
#include "core/utc_clock.h"
#include "screenshot_registry.h"
#include "ui/common/sound_output.h"
#include "ui/main/main_form.h"
#include "ui/main/results_page.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include <memory>

namespace kvarzel::screenshots {
namespace {

class Silence : public SoundOutput {
public:
    void Beep(int, int) override {}
    void PlayWave(const std::string&) override {}
};

// A shown main window on default settings, its timer off.
struct ShownMainForm {
    ShownMainForm() {
        options.TimerEnabled = false;
        options.PeasCount = 20;
        Options = &options;
        SetUtcTimeOfDaySource([] { return UtcTimeOfDay{9, 15, 0, 0}; });
        form = std::make_unique<TMainForm>();
        form->SetSoundOutput(silence);
        form->show();
        (void)QTest::qWaitForWindowExposed(form.get());
    }
    ~ShownMainForm() {
        form.reset();
        Options = nullptr;
        SetUtcTimeOfDaySource({});
    }
    void Answer(bool right) {
        const bool black =
            form->Training().Peas().at(static_cast<std::size_t>(form->Training().DrawIndex()));
        (black == right ? form->BlackButton : form->WhiteButton)->click();
    }
    TOptions options;
    Silence silence;
    std::unique_ptr<TMainForm> form;
};

const Register idle{"main_idle", [](const QString& folder) {
                        ShownMainForm shown;
                        return SaveWidget(*shown.form, folder, "main_idle");
                    }};

const Register right{"main_training_right", [](const QString& folder) {
                         ShownMainForm shown;
                         shown.form->TrainMenuItem->trigger();
                         shown.Answer(true);
                         shown.Answer(true);
                         return SaveWidget(*shown.form, folder, "main_training_right");
                     }};

const Register wrong{"main_training_wrong", [](const QString& folder) {
                         ShownMainForm shown;
                         shown.form->TrainMenuItem->trigger();
                         for (int i = 0; i < 4; ++i)
                             shown.Answer(i != 3);
                         return SaveWidget(*shown.form, folder, "main_training_wrong");
                     }};

// The open menu is a window of its own: paint it over the main window where it drops down.
const Register menu{"main_menu", [](const QString& folder) {
                        ShownMainForm shown;
                        QMenuBar* bar = shown.form->menuBar();
                        bar->setActiveAction(shown.form->TrainingMenuItem->menuAction());
                        QApplication::processEvents();
                        QMenu* popup = shown.form->TrainingMenuItem;
                        popup->setActiveAction(shown.form->OptionsMenuItems);
                        QApplication::processEvents();
                        QPixmap window = shown.form->grab();
                        QPainter painter(&window);
                        const QRect item = bar->actionGeometry(popup->menuAction());
                        painter.drawPixmap(
                            bar->mapTo(shown.form.get(), item.bottomLeft() + QPoint(0, 1)),
                            popup->grab());
                        painter.end();
                        popup->close();
                        return window.save(folder + "/main_menu.png");
                    }};

// The results page after five trainings.
struct ShownResults : ShownMainForm {
    ShownResults()
        : page(*form->IntuitionChart, *form->IntuitionSeries, *form->AverageEdit,
               *form->PageControl, *form->ResultsTabSheet) {
        const double percentages[] = {60, 70, 100.0 / 3 * 2, 45, 80};
        for (int training = 1; training <= 5; ++training)
            page.AddTrainingResult(percentages[training - 1], training);
        QApplication::processEvents();
    }
    // A left-button drag through the window, in the chart rectangle's pixels.
    void Mouse(QEvent::Type type, QPoint at) {
        const PixelRect& rect = form->IntuitionChart->ChartRect();
        const QPoint pixel =
            form->IntuitionChart->mapTo(form.get(), QPoint(rect.Left, rect.Top) + at);
        QWindow* window = form->windowHandle();
        if (type == QEvent::MouseButtonPress)
            QTest::mousePress(window, Qt::LeftButton, {}, pixel);
        else if (type == QEvent::MouseMove)
            QTest::mouseMove(window, pixel);
        else
            QTest::mouseRelease(window, Qt::LeftButton, {}, pixel);
    }
    ResultsPage page;
};

const Register results{"main_results", [](const QString& folder) {
                           ShownResults shown;
                           return SaveWidget(*shown.form, folder, "main_results");
                       }};

const Register zoomDrag{"main_results_zoom_drag", [](const QString& folder) {
                            ShownResults shown;
                            shown.Mouse(QEvent::MouseButtonPress, {70, 40});
                            shown.Mouse(QEvent::MouseMove, {190, 140});
                            const bool saved =
                                SaveWidget(*shown.form, folder, "main_results_zoom_drag");
                            shown.Mouse(QEvent::MouseMove, {70, 40});
                            shown.Mouse(QEvent::MouseButtonRelease, {70, 40});
                            return saved;
                        }};

const Register zoomed{"main_results_zoomed", [](const QString& folder) {
                          ShownResults shown;
                          shown.Mouse(QEvent::MouseButtonPress, {70, 40});
                          shown.Mouse(QEvent::MouseMove, {190, 140});
                          shown.Mouse(QEvent::MouseButtonRelease, {190, 140});
                          return SaveWidget(*shown.form, folder, "main_results_zoomed");
                      }};

} // namespace
} // namespace kvarzel::screenshots
