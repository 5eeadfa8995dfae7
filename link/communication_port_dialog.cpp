#include "link/communication_port_dialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "strings/dialog_strings.h"
#include "ui/qt_text.h"

using namespace t604;

TCommunicationPort::TCommunicationPort(QWidget* owner, PortSystem& ports, int& Port,
                                       bool& AutoSeachPort)
    // The size follows the captions (device names differ in length); the
    // layout fixes it below.
    : TFixedDialog(owner, 0, 0), ports_(ports), Port_(Port), AutoSeachPort_(AutoSeachPort) {

    gbCOM = new QGroupBox(this);
    auto* grid = new QGridLayout(gbCOM);
    for (int n = 1; n <= 9; ++n) {
        auto* button = new QRadioButton(gbCOM);
        button->setObjectName(QStringLiteral("rbCOM%1").arg(n));
        // The device's own name tells which port is which; its whole path
        // (a long one for a link) would stretch the dialog: it is the hint.
        const QString device = QString::fromStdString(ports_.deviceName(n));
        const QString deviceName = QFileInfo(device).fileName();
        button->setText(deviceName.isEmpty() ? QStringLiteral("COM%1").arg(n)
                                             : QStringLiteral("COM%1 (%2)").arg(n).arg(deviceName));
        button->setToolTip(device);
        // Three columns of three: COM1..COM3 in the first.
        grid->addWidget(button, (n - 1) % 3, (n - 1) / 3);
        rbCOM[n - 1] = button;
    }

    cAutoSeachPort = new QCheckBox(this);
    cAutoSeachPort->setObjectName(QStringLiteral("cAutoSeachPort"));
    OKBtn = new QPushButton(this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbCOM);
    layout->addWidget(cAutoSeachPort);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cAutoSeachPort, &QCheckBox::clicked, this, &TCommunicationPort::cAutoSeachPortClick);
    connect(OKBtn, &QPushButton::clicked, this, &TCommunicationPort::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });

    // Opening, in this order: captions and check box, all ports disabled, a
    // fresh scan, a stored port that is gone falls back to COM1, the found
    // ports enabled unless the search picks them itself, the port checked.
    OKBtn->setText(QtText(PortDialogStrings, kPortOk));
    CancelBtn->setText(QtText(PortDialogStrings, kPortCancel));
    cAutoSeachPort->setText(QtText(PortDialogStrings, kPortAutoSearch));
    cAutoSeachPort->setChecked(AutoSeachPort_);
    for (QRadioButton* button : rbCOM) button->setEnabled(false);
    ScanComPorts(ports_);
    Port_ = PortAfterScan(Port_, FoundPorts);
    if (!AutoSeachPort_) enableFoundPorts();
    rbCOM[Port_ - 1]->setChecked(true);
}

void TCommunicationPort::enableFoundPorts() {
    for (int n = 1; n <= 9; ++n) rbCOM[n - 1]->setEnabled(FoundPorts.contains(n));
}

void TCommunicationPort::cAutoSeachPortClick() {
    // Takes effect at once: Cancel does not undo it.
    AutoSeachPort_ = cAutoSeachPort->isChecked();
    ScanComPorts(ports_);
    if (AutoSeachPort_) {
        for (QRadioButton* button : rbCOM) button->setEnabled(false);
    } else {
        enableFoundPorts();
    }
}

void TCommunicationPort::OKBtnClick() {
    for (int n = 1; n <= 9; ++n) {
        if (rbCOM[n - 1]->isChecked()) {
            Port_ = n;
            break;
        }
    }
    done(mrOk);
}
