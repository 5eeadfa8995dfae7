#pragma once
// TMyWarnDlg_2: a question with two buttons, OK (default) and Cancel.

#include "ui/fixed_dialog.h"

class QLabel;

class TMyWarnDlg_2 : public TFixedDialog {
    Q_OBJECT
public:
    // The caller sets the question and both captions.
    explicit TMyWarnDlg_2(QWidget* owner);

    QLabel* Label1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

// "Clear all data ?" with "Ok" and "Cannel", in the current language: true
// when the user chose Ok. Asked before New and before a band change.
bool ConfirmClearAllData(QWidget* owner);
