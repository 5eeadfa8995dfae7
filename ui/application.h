#pragma once
// The application object: runs the main window and reports an exception that
// escapes a command in a message box instead of ending the program.

#include <QApplication>
#include <functional>
#include <memory>

class T604Application : public QApplication {
    Q_OBJECT
public:
    T604Application(int& argc, char** argv);

    // Every event handler runs inside this call.
    bool notify(QObject* receiver, QEvent* event) override;

    // Creates the main window, shows it and runs until it has closed; the
    // window is destroyed (and its settings written) before this returns.
    int run(const std::function<std::unique_ptr<QWidget>()>& createMainWindow);
};

// The message box for an exception; an exception of unknown type has an
// empty message.
void ShowException(const QString& message);
