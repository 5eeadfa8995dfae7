#include "link/program_dialog.h"

#include <QFrame>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSocketNotifier>
#include <sys/ioctl.h>

#include <algorithm>
#include <optional>

#include "link/end_message.h"
#include "strings/dialog_strings.h"
#include "ui/qt_text.h"
#include "ui/user_warn_dlg.h"

using namespace t604;

TProgramDialog::TProgramDialog(QWidget* owner, PortSystem& ports, PortSettings settings,
                               int operationCode, bool readFromRadio)
    : TFixedDialog(owner, 330, 112), run_(ports, operationCode, readFromRadio, settings),
      readFromRadio_(readFromRadio) {
    clock_.start();
    // The port scan, the opens and the sleeps block the window; the run reads
    // the clock after them so that its timers count that time too.
    run_.useClock([this] { return now(); });

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(16, 16, 298, 22);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(16, 50, 298, 46);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    ProgramStart = new QPushButton(QtText(ProgramDialogStrings, kProgramStart), this);
    ProgramStart->setObjectName(QStringLiteral("ProgramStart"));
    ProgramStart->setGeometry(68, 61, 75, 25);
    ProgramStart->setDefault(true);
    CancelBtn = new QPushButton(QtText(ProgramDialogStrings, kProgramCancel), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(187, 61, 75, 25);
    OKBtn = new QPushButton(this);  // part of the window's design, never shown
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setVisible(false);

    for (QTimer* timer : {&Timer_Tx, &Timer_Rx, &Timer_TimeOut}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);  // the receive poll runs every 3 ms
        connect(timer, &QTimer::timeout, this, &TProgramDialog::fireDueTimers);
    }
    connect(ProgramStart, &QPushButton::clicked, this, &TProgramDialog::ProgramStartClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TProgramDialog::reject);
}

TProgramDialog::~TProgramDialog() {
    if (run_.running()) run_.close();
    stopDriving();
}

void TProgramDialog::setOnRecordReplaced(std::function<void()> callback) {
    onRecordReplaced_ = std::move(callback);
}

void TProgramDialog::ProgramStartClick() {
    if (run_.outcome() != Outcome::NotStarted) return;
    CancelBtn->setEnabled(false);
    ProgramStart->setEnabled(false);
    ProgressBar1->setFormat(
        QtText(ProgramDialogStrings, readFromRadio_ ? kProgramReading : kProgramWriting) +
        QStringLiteral(" %p%"));
    run_.start(now());
    followRun();
}

void TProgramDialog::fireDueTimers() {
    // Timers due together fire in the run's order (a reply that has arrived is
    // judged before the watchdog gives up), not in the order Qt wakes them.
    while (run_.running()) {
        const Millis at = now();
        const std::optional<TimerId> due = run_.dueTimer(at);
        if (!due) break;
        run_.onTimer(*due, at);
    }
    followRun();
}

void TProgramDialog::pollPortNow() {
    if (!run_.running()) return;
    int waiting = 0;
    if (ioctl(run_.pollHandle(), FIONREAD, &waiting) != 0 || waiting == 0) {
        // Readable with nothing to read: the other end hung up (a cable pulled,
        // the virtual radio gone). Waking on it would spin until the watchdog
        // ends the run; the receive timer keeps polling meanwhile.
        hungUpHandle_ = run_.pollHandle();
        portWatch_->setEnabled(false);
        return;
    }
    run_.onTimer(TimerId::Rx, now());
    followRun();
}

void TProgramDialog::followRun() {
    ProgressBar1->setValue(run_.progress());
    if (!run_.running()) {
        ProgressBar1->resetFormat();
        stopDriving();
        reportEnd();
        return;
    }
    armTimer(Timer_Tx, TimerId::Tx);
    armTimer(Timer_Rx, TimerId::Rx);
    armTimer(Timer_TimeOut, TimerId::TimeOut);
    watchPort();
}

void TProgramDialog::armTimer(QTimer& timer, TimerId id) {
    const LinkTimer& state = run_.timer(id);
    if (!state.enabled) {
        timer.stop();
        return;
    }
    timer.start(static_cast<int>(std::max<Millis>(0, state.due - now())));
}

void TProgramDialog::watchPort() {
    // Bytes waiting run the receive poll at once instead of at its next tick.
    const int handle = run_.pollHandle();
    if (handle < 0) {
        portWatch_.reset();
        return;
    }
    if (!portWatch_ || portWatch_->socket() != handle) {
        portWatch_ = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Read);
        hungUpHandle_ = -1;
        connect(portWatch_.get(), &QSocketNotifier::activated, this,
                &TProgramDialog::pollPortNow);
    }
    // Only while the run polls; otherwise waiting bytes would wake us for nothing.
    portWatch_->setEnabled(run_.timer(TimerId::Rx).enabled && handle != hungUpHandle_);
}

void TProgramDialog::stopDriving() {
    Timer_Tx.stop();
    Timer_Rx.stop();
    Timer_TimeOut.stop();
    portWatch_.reset();
}

void TProgramDialog::reportEnd() {
    const Outcome outcome = run_.outcome();
    if (outcome == Outcome::Closed) return;  // closed by the user: silently
    // The run has already closed the port.
    ShowUserWarning(this, QtText(ProgramDialogStrings, EndMessageRow(outcome)));
    if (outcome == Outcome::Success) {
        run_.confirmOutcome();
        if (readFromRadio_ && onRecordReplaced_) onRecordReplaced_();
    }
    done(mrCancel);
}

void TProgramDialog::FormClose() {
    run_.close();
    stopDriving();
    ProgressBar1->setValue(run_.progress());
}

void TProgramDialog::reject() {
    if (run_.running()) FormClose();
    TFixedDialog::reject();
}

void TProgramDialog::keyPressEvent(QKeyEvent* event) {
    // Escape is the cancel button's key, and that button is off during a run.
    if (event->key() == Qt::Key_Escape && run_.running()) {
        event->accept();
        return;
    }
    TFixedDialog::keyPressEvent(event);
}
