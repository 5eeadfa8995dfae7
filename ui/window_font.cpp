#include "ui/window_font.h"

#include <QFontDatabase>
#include <QGuiApplication>

QStringList WindowFontFamilies() {
    return {QStringLiteral("NSimSun"), QString::fromUtf8("新宋体"), QStringLiteral("WenQuanYi Micro Hei"),
            QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback")};
}

QFont WindowFont() {
    QFont font = QGuiApplication::font();
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : WindowFontFamilies()) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            font.setFamilies({family});
            break;
        }
    }
    font.setPixelSize(12);
    return font;
}
