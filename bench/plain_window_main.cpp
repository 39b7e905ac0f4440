// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the program's start-up: a plain Qt window with a menu bar, a label, two
// buttons and a status bar, and nothing of the program's own.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Кварзель"));
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Тренировка"));
    menu->addAction(QStringLiteral("&Начать"));
    menu->addAction(QStringLiteral("&Выход"));
    window.menuBar()->addMenu(QStringLiteral("&Помощь"))->addAction(QStringLiteral("&Содержание"));
    auto* page = new QWidget;
    auto* label = new QLabel(QStringLiteral("Среднее значение по всем тренировкам:"), page);
    label->setGeometry(6, 231, 210, 13);
    (new QPushButton(QStringLiteral("&Белая"), page))->setGeometry(18, 193, 75, 25);
    (new QPushButton(QStringLiteral("&Чёрная"), page))->setGeometry(232, 193, 75, 25);
    window.setCentralWidget(page);
    window.statusBar();
    window.resize(331, 301);
    window.show();
    return QApplication::exec();
}
