// Draws a scalable picture (SVG) into a square bitmap, PNG or (OUTPUT.ico) a Windows icon: the
// application icon for the icon themes and packages that want a bitmap beside the scalable one,
// and every picture for a Qt without the SVG module. Run at build time, so the two never differ.
//
//   tarnwick-render-icon INPUT.svg OUTPUT.png|OUTPUT.ico SIZE

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
        std::fputs("usage: tarnwick-render-icon INPUT.svg OUTPUT.png|OUTPUT.ico SIZE\n", stderr);
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
    const char *format = arguments.at(2).endsWith(QStringLiteral(".ico")) ? "ICO" : "PNG";
    if (!image.save(arguments.at(2), format)) {
        std::fprintf(stderr, "tarnwick-render-icon: cannot write %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
