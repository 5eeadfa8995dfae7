// The port dialog over a scripted set of ports: which ports can be picked,
// what OK, Cancel and the automatic-search box change.

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <set>

#include "fake_ports.h"
#include "link/communication_port_dialog.h"
#include "link/port_selection.h"
#include "strings/string_table.h"

using namespace t604;

namespace {

std::set<int> EnabledPorts(const TCommunicationPort& dialog) {
    std::set<int> enabled;
    for (int n = 1; n <= 9; ++n)
        if (dialog.rbCOM[n - 1]->isEnabled()) enabled.insert(n);
    return enabled;
}

int CheckedPort(const TCommunicationPort& dialog) {
    for (int n = 1; n <= 9; ++n)
        if (dialog.rbCOM[n - 1]->isChecked()) return n;
    return 0;
}

}  // namespace

class PortDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        FoundPorts.clear();
        SetTextMode(TextMode::English);
    }

    void noFreePortShowsNineDisabledButtonsAndComOne() {
        FakePorts ports;
        int port = 5;
        bool autoSearch = false;
        TCommunicationPort dialog(nullptr, ports, port, autoSearch);
        QCOMPARE(EnabledPorts(dialog), std::set<int>{});
        QCOMPARE(CheckedPort(dialog), 1);
        QCOMPARE(port, 1);
    }

    void storedPortThatIsGoneFallsBackToComOne() {
        FakePorts ports({3, 4});
        int port = 7;
        bool autoSearch = false;
        TCommunicationPort dialog(nullptr, ports, port, autoSearch);
        QCOMPARE(port, 1);
        QCOMPARE(CheckedPort(dialog), 1);
        QVERIFY(!dialog.rbCOM[0]->isEnabled());
        QCOMPARE(EnabledPorts(dialog), (std::set<int>{3, 4}));
    }

    void automaticSearchDisablesEveryPortUntilTurnedOff() {
        FakePorts ports({2, 6});
        int port = 6;
        bool autoSearch = true;
        TCommunicationPort dialog(nullptr, ports, port, autoSearch);
        QVERIFY(dialog.cAutoSeachPort->isChecked());
        QCOMPARE(EnabledPorts(dialog), std::set<int>{});
        QCOMPARE(CheckedPort(dialog), 6);

        // Turning it off scans again: a port plugged in meanwhile can be picked.
        ports.present.insert(9);
        dialog.cAutoSeachPort->click();
        QVERIFY(!autoSearch);
        QCOMPARE(EnabledPorts(dialog), (std::set<int>{2, 6, 9}));

        dialog.cAutoSeachPort->click();
        QVERIFY(autoSearch);
        QCOMPARE(EnabledPorts(dialog), std::set<int>{});
    }

    void cancelKeepsTheAutomaticSearchChoiceButNotThePort() {
        FakePorts ports({1, 2});
        int port = 1;
        bool autoSearch = false;
        TCommunicationPort dialog(nullptr, ports, port, autoSearch);
        dialog.rbCOM[1]->click();
        QCOMPARE(CheckedPort(dialog), 2);
        dialog.cAutoSeachPort->click();
        dialog.CancelBtn->click();
        QCOMPARE(dialog.result(), int(mrCancel));
        QVERIFY(autoSearch);
        QCOMPARE(port, 1);
    }

    void okTakesTheCheckedPort() {
        FakePorts ports({2, 5});
        int port = 2;
        bool autoSearch = false;
        TCommunicationPort dialog(nullptr, ports, port, autoSearch);
        QCOMPARE(CheckedPort(dialog), 2);
        QTest::mouseClick(dialog.rbCOM[4], Qt::LeftButton);
        QCOMPARE(port, 2);  // only OK stores it
        dialog.OKBtn->click();
        QCOMPARE(dialog.result(), int(mrOk));
        QCOMPARE(port, 5);
        QVERIFY(!autoSearch);
    }

    void captionsShowTheDevicesAndTheLanguage() {
        FakePorts ports({1});
        int port = 1;
        bool autoSearch = true;
        SetTextMode(TextMode::Simplified);
        TCommunicationPort dialog(nullptr, ports, port, autoSearch);
        QCOMPARE(dialog.rbCOM[0]->text(), QString("COM1 (fake1)"));
        QCOMPARE(dialog.rbCOM[8]->text(), QString("COM9 (fake9)"));
        QCOMPARE(dialog.rbCOM[8]->toolTip(), QString("/nonexistent/fake9"));
        QCOMPARE(dialog.OKBtn->text(), QString::fromUtf8("确认"));
        QCOMPARE(dialog.CancelBtn->text(), QString::fromUtf8("取消"));
        QCOMPARE(dialog.cAutoSeachPort->text(), QString::fromUtf8("自动查找通讯口"));

        SetTextMode(TextMode::English);
        TCommunicationPort english(nullptr, ports, port, autoSearch);
        QCOMPARE(english.cAutoSeachPort->text(), QString("Auto search COM port"));
        QCOMPARE(english.OKBtn->text(), QString("OK"));
    }
};

QTEST_MAIN(PortDialogTest)
#include "port_dialog_test.moc"
