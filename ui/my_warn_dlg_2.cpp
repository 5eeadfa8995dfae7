#include "ui/my_warn_dlg_2.h"

#include <QLabel>
#include <QPushButton>

#include "ui/qt_text.h"

TMyWarnDlg_2::TMyWarnDlg_2(QWidget* owner) : TFixedDialog(owner, 273, 135) {
    Label1 = messageLabel(QRect(4, 24, 265, 40), 12, FontUnit::Points);

    OKBtn = resultButton(mrOk, 44, 88);
    OKBtn->setDefault(true);
    CancelBtn = resultButton(mrCancel, 154, 88);
}

bool ConfirmClearAllData(QWidget* owner) {
    TMyWarnDlg_2 dialog(owner);
    dialog.OKBtn->setText(MainText(153));
    dialog.CancelBtn->setText(MainText(154));
    dialog.Label1->setText(MainText(155));
    return dialog.exec() == mrOk;
}
