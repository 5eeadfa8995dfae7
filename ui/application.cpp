#include "ui/application.h"

#include <QMessageBox>
#include <exception>

T604Application::T604Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("t604"));
    // The title is empty until the main window puts its caption there.
    setApplicationDisplayName(QString());
}

bool T604Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowException(QString());
    }
    return false;
}

int T604Application::run(const std::function<std::unique_ptr<QWidget>()>& createMainWindow) {
    std::unique_ptr<QWidget> window;
    try {
        window = createMainWindow();
    } catch (const std::exception& e) {
        ShowException(QString::fromLocal8Bit(e.what()));
        return 1;
    } catch (...) {
        ShowException(QString());
        return 1;
    }
    window->show();
    return exec();
}

void ShowException(const QString& message) { QMessageBox::critical(nullptr, QString(), message); }
