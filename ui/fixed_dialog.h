#pragma once
// The frame shared by the program's small modal dialogs: a dialog border, a
// fixed client size, centred on the screen, the window font. Buttons close
// it with a modal result; its close button and Escape give mrCancel (so
// the message boxes need no hidden Cancel button for Escape).

#include <QDialog>

class QLabel;
class QPushButton;

// Modal results as the callers compare them.
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrNo = 7 };

class TFixedDialog : public QDialog {
    Q_OBJECT
public:
    TFixedDialog(QWidget* owner, int clientWidth, int clientHeight);

public slots:
    void reject() override { done(mrCancel); }

protected:
    enum class FontUnit { Points, Pixels };
    // A label of fixed size for a message or question: text centred and
    // wrapped; a longer text is cut, the dialog keeps its size.
    QLabel* messageLabel(const QRect& geometry, int fontSize, FontUnit unit);
    // A 75 x 25 button at (x, y) that closes the dialog with result.
    QPushButton* resultButton(ModalResult result, int x, int y);
    void showEvent(QShowEvent* event) override;
};
