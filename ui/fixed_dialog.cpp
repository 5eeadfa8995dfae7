#include "ui/fixed_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "ui/window_font.h"

TFixedDialog::TFixedDialog(QWidget* owner, int clientWidth, int clientHeight) : QDialog(owner) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(clientWidth, clientHeight);
    setFont(WindowFont());
}

QLabel* TFixedDialog::messageLabel(const QRect& geometry, int fontSize, FontUnit unit) {
    auto* label = new QLabel(this);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont f = font();
    if (unit == FontUnit::Points)
        f.setPointSize(fontSize);
    else
        f.setPixelSize(fontSize);
    label->setFont(f);
    return label;
}

QPushButton* TFixedDialog::resultButton(ModalResult result, int x, int y) {
    auto* button = new QPushButton(this);
    button->setGeometry(x, y, 75, 25);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
}

void TFixedDialog::showEvent(QShowEvent* event) {
    if (QScreen* s = screen()) move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}
