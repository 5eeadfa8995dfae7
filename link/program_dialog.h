#pragma once
// TProgramDialog: every exchange with the radio runs inside it. The user
// presses Start; three timers of the dialog drive the programming run on the
// user-interface thread, and the run's end is reported in a message box
// before the dialog closes by itself.

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

#include "link/program_run.h"
#include "ui/fixed_dialog.h"

class QFrame;
class QProgressBar;
class QPushButton;
class QSocketNotifier;

class TProgramDialog : public TFixedDialog {
    Q_OBJECT
public:
    // The caller sets the caption (setWindowTitle) and shows the dialog modally.
    TProgramDialog(QWidget* owner, t604::PortSystem& ports, t604::PortSettings settings,
                   int operationCode, bool readFromRadio);
    ~TProgramDialog() override;

    // Runs after a successful read has been confirmed and converted into the
    // program's records (the main window redraws itself here).
    void setOnRecordReplaced(std::function<void()> callback);

    const t604::ProgramRun& run() const { return run_; }

    QProgressBar* ProgressBar1;
    QPushButton* ProgramStart;
    QPushButton* CancelBtn;
    QPushButton* OKBtn;
    QFrame* Bevel1;
    QTimer Timer_Tx;
    QTimer Timer_Rx;
    QTimer Timer_TimeOut;

public slots:
    // Closing the window (its close button, or the cancel button before a
    // run); during a run this is FormClose.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ProgramStartClick();
    void FormClose();

    // Timer_Tx, Timer_Rx and Timer_TimeOut: runs every timer of the run that
    // is due (the send step, the receive poll, the watchdog).
    void fireDueTimers();
    // Bytes arrived: the receive poll runs at once.
    void pollPortNow();
    // After every call into the run: mirror its timers and progress, or
    // report its end.
    void followRun();
    void armTimer(QTimer& timer, t604::TimerId id);
    void watchPort();
    void stopDriving();
    void reportEnd();
    t604::Millis now() const { return clock_.elapsed(); }

    t604::ProgramRun run_;
    bool readFromRadio_;
    QElapsedTimer clock_;
    std::unique_ptr<QSocketNotifier> portWatch_;
    int hungUpHandle_ = -1;  // a port whose other end hung up: not watched
    std::function<void()> onRecordReplaced_;
};
