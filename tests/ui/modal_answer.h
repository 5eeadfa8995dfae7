#pragma once
// Answers modal dialogs in window tests: the action runs on the dialog of
// the expected type as soon as it is the active modal window.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Whether the expected dialog showed up; a dialog that never comes leaves
// answered false, and an unexpected one is closed after a few seconds so the
// test fails instead of hanging.
struct ModalAnswer {
    bool answered = false;
};

template <class Dialog>
std::shared_ptr<ModalAnswer> WhenModal(std::function<void(Dialog*)> action) {
    auto answer = std::make_shared<ModalAnswer>();
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, answer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        const bool expired = clock->elapsed() > 5000;
        if (!dialog && !expired) return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (dialog) {
            answer->answered = true;
            action(dialog);
        } else if (modal) {
            modal->close();
        }
    });
    timer->start();
    return answer;
}
