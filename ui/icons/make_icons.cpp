// Draws the eight 24 x 24 tool-bar images of the main window into the
// current folder. Not part of the build; the PNGs are committed. Regenerate:
//
//   cd ui/icons
//   g++ -std=c++20 -fPIC make_icons.cpp -o /tmp/make_icons $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/make_icons
//
// The language images need the WenQuanYi Micro Hei font (fonts-wqy-microhei).

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>
#include <initializer_list>

namespace {

const QColor kOutline(60, 60, 70);

void save(const char* name, const std::function<void(QPainter&)>& draw) {
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    p.end();
    if (!image.save(name)) std::fprintf(stderr, "cannot write %s\n", name);
}

// Straight lines through the points; closed back to the first one unless told.
QPainterPath lines(std::initializer_list<QPointF> points, bool closed = true) {
    QPainterPath path;
    for (const QPointF& point : points) {
        if (path.elementCount() == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    if (closed) path.closeSubpath();
    return path;
}

// A sheet of paper with a folded corner.
void page(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawPath(lines({{4.5, 2.5}, {14.5, 2.5}, {19.5, 7.5}, {19.5, 21.5}, {4.5, 21.5}}));
    p.setBrush(QColor(220, 220, 225));
    p.drawPath(lines({{14.5, 2.5}, {14.5, 7.5}, {19.5, 7.5}}, false));
    p.setPen(QPen(QColor(170, 175, 185), 1));
    for (double y : {11.5, 14.5, 17.5}) p.drawLine(QPointF(7, y), QPointF(17, y));
}

void newImage(QPainter& p) {
    page(p);
    // A green plus in the lower right corner.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 150, 60));
    p.drawEllipse(QRectF(12, 12, 11, 11));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(17.5, 14.5), QPointF(17.5, 20.5));
    p.drawLine(QPointF(14.5, 17.5), QPointF(20.5, 17.5));
}

void openImage(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1));
    // Back of the folder with its tab.
    p.setBrush(QColor(230, 180, 60));
    p.drawPath(lines({{2.5, 5.5}, {8.5, 5.5}, {10.5, 7.5}, {19.5, 7.5}, {19.5, 19.5}, {2.5, 19.5}}));
    // The opened front, tilted.
    p.setBrush(QColor(250, 210, 90));
    p.drawPath(lines({{5.5, 11.5}, {22.5, 11.5}, {19.5, 19.5}, {2.5, 19.5}}));
}

void saveImage(QPainter& p) {
    // A floppy disk.
    p.setPen(QPen(QColor(20, 50, 110), 1));
    p.setBrush(QColor(50, 100, 190));
    p.drawPath(lines({{3.5, 3.5}, {18.5, 3.5}, {20.5, 5.5}, {20.5, 20.5}, {3.5, 20.5}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 215, 225));
    p.drawRect(QRectF(7, 4, 10, 6));           // shutter
    p.setBrush(QColor(50, 100, 190));
    p.drawRect(QRectF(13, 5, 2.5, 4));         // shutter window
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 13, 12, 7));          // label
    p.setPen(QPen(QColor(150, 160, 180), 1));
    p.drawLine(QPointF(8, 15.5), QPointF(16, 15.5));
    p.drawLine(QPointF(8, 17.5), QPointF(16, 17.5));
}

// A handheld radio on the right half of the image.
void radio(QPainter& p) {
    p.setPen(QPen(kOutline, 1.5));
    p.drawLine(QPointF(15.5, 1.5), QPointF(15.5, 7));   // antenna
    p.setPen(QPen(QColor(30, 30, 35), 1));
    p.setBrush(QColor(70, 75, 85));
    p.drawRoundedRect(QRectF(13.5, 6.5, 9, 16), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 210, 230));
    p.drawRect(QRectF(15, 8.5, 6, 4));                  // display
    p.setBrush(QColor(160, 165, 175));
    for (double y : {14.5, 17.0, 19.5})                  // keypad
        for (double x : {15.0, 17.5, 20.0}) p.drawRect(QRectF(x, y, 1.5, 1.5));
}

// A thick arrow along the middle, pointing left or right: the left one is
// the right one mirrored about x = 6.5.
void arrow(QPainter& p, bool pointsRight, const QColor& color) {
    auto x = [pointsRight](double right) { return pointsRight ? right : 13 - right; };
    p.setPen(QPen(color.darker(150), 1));
    p.setBrush(color);
    p.drawPath(lines({{x(1), 10}, {x(6), 10}, {x(6), 6}, {x(12), 13}, {x(6), 20}, {x(6), 16}, {x(1), 16}}));
}

void readImage(QPainter& p) {
    radio(p);
    arrow(p, false, QColor(40, 160, 60));   // data leaves the radio
}

void writeImage(QPainter& p) {
    radio(p);
    arrow(p, true, QColor(220, 90, 30));    // data goes into the radio
}

// A rounded badge with a short text, for the language buttons.
void languageImage(QPainter& p, const QString& text, const QColor& color, int pixelSize) {
    p.setPen(QPen(color.darker(140), 1));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
    QFont font("WenQuanYi Micro Hei");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, text);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    save("new.png", newImage);
    save("open.png", openImage);
    save("save.png", saveImage);
    save("read.png", readImage);
    save("write.png", writeImage);
    save("simplified.png", [](QPainter& p) { languageImage(p, QString::fromUtf8("简"), QColor(200, 40, 40), 17); });
    save("traditional.png", [](QPainter& p) { languageImage(p, QString::fromUtf8("繁"), QColor(190, 120, 20), 17); });
    save("english.png", [](QPainter& p) { languageImage(p, "EN", QColor(30, 80, 170), 12); });
    return 0;
}
