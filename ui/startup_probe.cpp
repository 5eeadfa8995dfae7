#include "ui/startup_probe.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <cstdio>

namespace {

bool MainWindowShown() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && !qobject_cast<QDialog*>(widget)) return true;
    return false;
}

}  // namespace

void QuitWhenIdleIfAsked() {
    if (qEnvironmentVariableIsEmpty(kQuitWhenIdleVariable)) return;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher) return;
    // aboutToBlock: every posted event (show, layout, paint) has been handled.
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, qApp, [] {
        static bool reported = false;
        if (reported || !MainWindowShown()) return;
        reported = true;
        std::fputs("idle\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}
