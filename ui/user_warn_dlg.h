#pragma once
// TUserWarnDlg: a message with a single OK button.

#include "ui/fixed_dialog.h"

class QLabel;

class TUserWarnDlg : public TFixedDialog {
    Q_OBJECT
public:
    // The OK caption comes from the dialog's own string set, in the language
    // current now; the caller sets the message.
    explicit TUserWarnDlg(QWidget* owner);

    QLabel* WarnDlgText;      // fixed 214 x 33: a long message is cut
    QPushButton* OKBtn;
};

// Builds the dialog, shows the message modally and destroys it.
void ShowUserWarning(QWidget* owner, const QString& message);
