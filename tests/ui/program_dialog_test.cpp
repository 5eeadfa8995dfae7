// The programming dialog against the virtual radio (t604-cli emulate) on a
// real pseudo-terminal: the dialog's timers and port watch drive the run, the
// end message is answered like a user would, and the record changes only
// when a read has succeeded and its message has been confirmed.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "link/port_selection.h"
#include "link/posix_serial_port.h"
#include "link/program_dialog.h"
#include "link/radio_image.h"
#include "model/channel_settings.h"
#include "model/program_state.h"
#include "strings/string_table.h"
#include "ui/user_warn_dlg.h"

using namespace t604;

namespace {

// The virtual radio on a pseudo-terminal whose device is linked at `link`.
class VirtualRadioProcess {
public:
    VirtualRadioProcess(const QString& link, QStringList extraArgs = {}) : link_(link) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(T604_CLI_PATH),
                       QStringList{"emulate", "--link", link} + extraArgs);
    }
    ~VirtualRadioProcess() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished(3000);
    }
    // The radio disappears at once, as when the cable is pulled.
    void vanish() {
        process_.kill();
        process_.waitForFinished(3000);
    }
    // True once the radio is listening.
    bool ready() {
        if (!process_.waitForStarted(5000)) return false;
        for (int i = 0; i < 500 && !QFileInfo::exists(link_); ++i) QTest::qWait(10);
        return QFileInfo::exists(link_);
    }
    const QString& link() const { return link_; }

private:
    QString link_;
    QProcess process_;
};

// What a user saw and did during one use of the dialog.
struct DialogUse {
    QStringList messages;
    std::vector<SoftwareData> recordWhenMessageShown;
    int messagesWhenStartReturned = -1;
    int callbackRuns = 0;
    bool callbackAfterConfirm = false;
    int result = -1;
    Outcome outcome = Outcome::NotStarted;
};

// Shows the dialog modally like its callers, presses Start, and confirms
// every end message with OK. closeWhen, checked every few milliseconds
// during the run, closes the dialog window when it returns true.
DialogUse UseProgramDialog(PortSystem& ports, PortSettings settings, bool readFromRadio,
                           std::function<bool(const TProgramDialog&)> closeWhen = {}) {
    DialogUse use;
    TProgramDialog dialog(nullptr, ports, settings, kOpConfig, readFromRadio);
    dialog.setWindowTitle(readFromRadio ? "Read from radio" : "Write to radio");
    dialog.setOnRecordReplaced([&] {
        ++use.callbackRuns;
        use.callbackAfterConfirm = !use.messages.isEmpty() &&
                                   QApplication::activeModalWidget() == &dialog;
    });

    QTimer user;
    user.setInterval(5);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<TUserWarnDlg*>(QApplication::activeModalWidget())) {
            use.messages << box->WarnDlgText->text();
            use.recordWhenMessageShown.push_back(softwareData);
            box->OKBtn->click();
        } else if (closeWhen && dialog.run().running() && closeWhen(dialog)) {
            dialog.close();
        }
    });
    user.start();
    QTimer::singleShot(0, &dialog, [&] {
        dialog.ProgramStart->click();
        use.messagesWhenStartReturned = static_cast<int>(use.messages.size());
    });
    use.result = dialog.exec();
    use.outcome = dialog.run().outcome();
    return use;
}

// Channel number, then what the grid shows of it.
const std::pair<int, ChannelSettings> kChannels[] = {
    {1, {430'125'000, 430'125'000, {}, {}, true, true, true}},
    {2, {439'500'000, 431'900'000, {885, kToneCtcss}, {885, kToneCtcss}, true, false, false}},
    {7, {446'006'250, 446'006'250, {0x2800 + 023, kToneDcsNormal}, {0x2800 + 023, kToneDcsNormal},
         false, false, true}},
};

void PutSampleChannels() {
    for (const auto& [n, settings] : kChannels) PutChannel(softwareData, n, settings);
}

int UsedChannels(const SoftwareData& record) {
    int used = 0;
    for (int n = 1; n <= kChannelCount; ++n) used += record.IsChannelUsed(n);
    return used;
}

}  // namespace

class ProgramDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(dir_.isValid());
        SetDefaultAllData();
        CurrentBandMin = kDefaultBandMin;
        CurrentBandMax = kDefaultBandMax;
        RadioImage.fill(0);
        FoundPorts.clear();
        SetTextMode(TextMode::English);
    }

    void writtenChannelsComeBackByReadOnlyAfterSuccessIsConfirmed() {
        VirtualRadioProcess radio(linkPath());
        QVERIFY(radio.ready());
        PosixPortSystem ports({{1, radio.link().toStdString()}});
        const PortSettings settings{1, false};

        PutSampleChannels();
        const SoftwareData written = softwareData;
        DialogUse write = UseProgramDialog(ports, settings, false);
        QCOMPARE(write.messages, QStringList{"SUCCESS"});
        QCOMPARE(write.outcome, Outcome::Success);
        QCOMPARE(write.callbackRuns, 0);  // a write leaves the record alone
        QVERIFY(softwareData == written);

        SetDefaultData();
        const SoftwareData blank = softwareData;
        DialogUse read = UseProgramDialog(ports, settings, true);
        QCOMPARE(read.messages, QStringList{"SUCCESS"});
        QCOMPARE(read.result, int(mrCancel));
        QVERIFY2(read.recordWhenMessageShown.front() == blank,
                 "the record changed before SUCCESS was confirmed");
        QCOMPARE(read.callbackRuns, 1);
        QVERIFY(read.callbackAfterConfirm);

        QCOMPARE(UsedChannels(softwareData), int(std::size(kChannels)));
        for (const auto& [n, settings] : kChannels) {
            QVERIFY(softwareData.IsChannelUsed(n));
            QVERIFY2(ChannelSettingsOf(softwareData, n) == settings, qPrintable(QString::number(n)));
        }
    }

    void automaticSearchMovesOnFromASilentPortToTheRadio() {
        VirtualRadioProcess silent(linkPath() + "-silent", {"--fault", "silent:0"});
        VirtualRadioProcess radio(linkPath(), {"--image", QStringLiteral(T604_SOURCE_DIR) +
                                                              "/samples/radio-memory.bin"});
        QVERIFY(silent.ready() && radio.ready());
        // Every COM port named, so that no real device of this machine is tried.
        std::map<int, std::string> devices;
        for (int n = 1; n <= 9; ++n) devices[n] = dir_.filePath("absent-%1").arg(n).toStdString();
        devices[1] = silent.link().toStdString();
        devices[2] = radio.link().toStdString();
        PosixPortSystem ports(devices);

        DialogUse read = UseProgramDialog(ports, {1, true}, true);
        QCOMPARE(read.messages, QStringList{"SUCCESS"});
        QCOMPARE(UsedChannels(softwareData), 12);  // the sample radio's channels
        QCOMPARE(std::as_const(softwareData).channel(1).FreqRx(), 433'500'000u);
    }

    void closingTheWindowDuringAReadLeavesTheRecordAndFreesThePort() {
        // Paced like a real radio at 9600 baud, so that the read takes seconds.
        VirtualRadioProcess radio(linkPath(), {"--pace"});
        QVERIFY(radio.ready());
        PosixPortSystem ports({{1, radio.link().toStdString()}});
        PutSampleChannels();
        const SoftwareData before = softwareData;

        DialogUse read = UseProgramDialog(ports, {1, false}, true, [](const TProgramDialog& d) {
            return d.ProgressBar1->value() >= 20;
        });
        QCOMPARE(read.outcome, Outcome::Closed);
        QCOMPARE(read.messages, QStringList{});
        QCOMPARE(read.callbackRuns, 0);
        QVERIFY(softwareData == before);
        QVERIFY2(ports.open(1).port != nullptr, "the port is still held after the dialog closed");
    }

    void radioVanishingDuringAReadEndsWithCommunicationFalse() {
        VirtualRadioProcess radio(linkPath(), {"--pace"});
        QVERIFY(radio.ready());
        PosixPortSystem ports({{1, radio.link().toStdString()}});
        PutSampleChannels();
        const SoftwareData before = softwareData;

        bool vanished = false;
        DialogUse read = UseProgramDialog(ports, {1, false}, true, [&](const TProgramDialog& d) {
            if (!vanished && d.ProgressBar1->value() >= 20) {
                radio.vanish();
                vanished = true;
            }
            return false;  // the user waits for the message
        });
        QVERIFY(vanished);
        QCOMPARE(read.messages, QStringList{"Communication False"});
        QCOMPARE(read.outcome, Outcome::CommunicationFalse);
        QCOMPARE(read.callbackRuns, 0);
        QVERIFY(softwareData == before);
    }

    void missingDeviceEndsWithCommunicationFalseAtOnce() {
        SetTextMode(TextMode::Simplified);
        PosixPortSystem ports({{1, dir_.filePath("no-such-device").toStdString()}});
        PutSampleChannels();
        const SoftwareData before = softwareData;

        DialogUse read = UseProgramDialog(ports, {1, false}, true);
        QCOMPARE(read.messages, QStringList{QString::fromUtf8("无法连接")});
        QCOMPARE(read.messagesWhenStartReturned, 1);  // no timer had to run first
        QCOMPARE(read.outcome, Outcome::CommunicationFalse);
        QVERIFY(softwareData == before);
    }

    void captionsAndTheIdleDialog() {
        SetTextMode(TextMode::Simplified);
        PosixPortSystem ports;
        TProgramDialog dialog(nullptr, ports, {}, kOpConfig, true);
        QCOMPARE(dialog.ProgramStart->text(), QString::fromUtf8("开始"));
        QCOMPARE(dialog.CancelBtn->text(), QString::fromUtf8("取消"));
        QVERIFY(!dialog.OKBtn->isVisibleTo(&dialog));
        QCOMPARE(dialog.ProgressBar1->minimum(), 0);
        QCOMPARE(dialog.ProgressBar1->maximum(), 100);
        QVERIFY(!dialog.Timer_Tx.isActive() && !dialog.Timer_Rx.isActive() &&
                !dialog.Timer_TimeOut.isActive());
        // Before a run the cancel button simply closes the dialog.
        dialog.show();
        dialog.CancelBtn->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(mrCancel));
        QCOMPARE(dialog.run().outcome(), Outcome::NotStarted);
    }

private:
    QString linkPath() const {
        return dir_.filePath(QStringLiteral("radio-") + QTest::currentTestFunction());
    }

    QTemporaryDir dir_;
};

QTEST_MAIN(ProgramDialogTest)
#include "program_dialog_test.moc"
