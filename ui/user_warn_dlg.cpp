#include "ui/user_warn_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "strings/dialog_strings.h"
#include "ui/qt_text.h"

TUserWarnDlg::TUserWarnDlg(QWidget* owner) : TFixedDialog(owner, 235, 121) {
    WarnDlgText = messageLabel(QRect(11, 24, 214, 33), 16, FontUnit::Pixels);

    OKBtn = resultButton(mrOk, 80, 80);
    OKBtn->setDefault(true);
    OKBtn->setText(QtText(t604::WarnDialogStrings, t604::kWarnOk));
}

void ShowUserWarning(QWidget* owner, const QString& message) {
    TUserWarnDlg dialog(owner);
    dialog.WarnDlgText->setText(message);
    dialog.exec();
}
