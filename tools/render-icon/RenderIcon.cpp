// Draws a scalable picture (SVG) into a square PNG: the application icon for the icon themes and
// packages that want a bitmap beside the scalable one. Run at build time, so the two never differ.
//
//   tarnwick-render-icon INPUT.svg OUTPUT.png SIZE

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool sizeOk = false;
    const int size = arguments.size() == 4 ? arguments.at(3).toInt(&sizeOk) : 0;
    if (!sizeOk || size <= 0) {
        std::fputs("usage: tarnwick-render-icon INPUT.svg OUTPUT.png SIZE\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "tarnwick-render-icon: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(arguments.at(2), "PNG")) {
        std::fprintf(stderr, "tarnwick-render-icon: cannot write %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
