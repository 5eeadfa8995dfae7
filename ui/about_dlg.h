#pragma once
// TAboutDlg: the program's name, version and maker in a bevelled frame.

#include "ui/fixed_dialog.h"

class QFrame;
class QLabel;

class TAboutDlg : public TFixedDialog {
    Q_OBJECT
public:
    explicit TAboutDlg(QWidget* owner);

    QFrame* Bevel1;
    QLabel* sName;          // 12 points
    QLabel* sVersion;       // 10 points
    QLabel* sCompanyTitle;  // the line that introduces the maker, 10 points
    QLabel* sCompany;       // 10 points, two lines high
    QPushButton* OKBtn;
};

// The about box in the current language, shown modally and destroyed.
void ShowAboutBox(QWidget* owner);
