#pragma once
// TCommunicationPort: the user picks COM1..COM9 or turns the automatic port
// search on. Only ports that could be opened at the last scan can be picked.

#include <array>

#include "link/port_selection.h"
#include "link/serial_port.h"
#include "ui/fixed_dialog.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

class TCommunicationPort : public TFixedDialog {
    Q_OBJECT
public:
    // Port and AutoSeachPort are the program's settings: the check box changes
    // AutoSeachPort at once, OK changes Port.
    TCommunicationPort(QWidget* owner, t604::PortSystem& ports, int& Port, bool& AutoSeachPort);

    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QGroupBox* gbCOM;
    std::array<QRadioButton*, 9> rbCOM{};  // rbCOM[0] is COM1
    QCheckBox* cAutoSeachPort;

private:
    void cAutoSeachPortClick();
    void OKBtnClick();
    void enableFoundPorts();

    t604::PortSystem& ports_;
    int& Port_;
    bool& AutoSeachPort_;
};
