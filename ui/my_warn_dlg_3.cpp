#include "ui/my_warn_dlg_3.h"

#include <QLabel>
#include <QPushButton>

TMyWarnDlg_3::TMyWarnDlg_3(QWidget* owner) : TFixedDialog(owner, 282, 118) {
    // As wide as the dialog and a little more: the text is centred over it.
    Label1 = messageLabel(QRect(0, 20, 290, 40), 10, FontUnit::Points);

    OKBtn = resultButton(mrOk, 16, 78);
    OKBtn->setDefault(true);
    NoBtn = resultButton(mrNo, 103, 78);
    CancelBtn = resultButton(mrCancel, 190, 78);
}
