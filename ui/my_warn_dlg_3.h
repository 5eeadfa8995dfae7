#pragma once
// TMyWarnDlg_3: a question with three buttons, OK (default), No and Cancel.

#include "ui/fixed_dialog.h"

class QLabel;

class TMyWarnDlg_3 : public TFixedDialog {
    Q_OBJECT
public:
    // The caller sets the question and the three captions.
    explicit TMyWarnDlg_3(QWidget* owner);

    QLabel* Label1;
    QPushButton* OKBtn;
    QPushButton* NoBtn;
    QPushButton* CancelBtn;
};
