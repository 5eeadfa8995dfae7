#include "ui/about_dlg.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/qt_text.h"

namespace {
QLabel* aboutLine(QWidget* parent, int y, int height, int pointSize) {
    auto* label = new QLabel(parent);
    label->setGeometry(12, y, 273, height);
    label->setWordWrap(true);
    QFont f = parent->font();
    f.setPointSize(pointSize);
    label->setFont(f);
    return label;
}
}  // namespace

TAboutDlg::TAboutDlg(QWidget* owner) : TFixedDialog(owner, 313, 205) {
    Bevel1 = new QFrame(this);
    Bevel1->setGeometry(8, 8, 297, 150);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sName = aboutLine(Bevel1, 14, 24, 12);
    sVersion = aboutLine(Bevel1, 46, 20, 10);
    sCompanyTitle = aboutLine(Bevel1, 74, 20, 10);
    sCompany = aboutLine(Bevel1, 96, 40, 10);

    OKBtn = resultButton(mrOk, 119, 168);
    OKBtn->setDefault(true);
}

void ShowAboutBox(QWidget* owner) {
    TAboutDlg dialog(owner);
    dialog.setWindowTitle(MainText(161));
    dialog.sVersion->setText(MainText(163));
    dialog.sCompanyTitle->setText(MainText(164));
    dialog.sName->setText(MainText(0) + QLatin1Char(' ') + MainText(162));
    dialog.sCompany->setText(MainText(165));
    dialog.OKBtn->setText(MainText(153));
    dialog.exec();
}
