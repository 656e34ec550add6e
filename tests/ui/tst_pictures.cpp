#include "support/TestMain.h"
#include "ui/Pictures.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>

namespace {

QImage image(const QIcon &icon, int size = 25, qreal ratio = 1.0)
{
    return icon.pixmap(QSize(size, size), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

// How many pixels of a picture are not transparent.
int drawnPixels(const QImage &picture)
{
    int drawn = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            drawn += qAlpha(picture.pixel(x, y)) > 0;
    }
    return drawn;
}

QIcon bundled(const char *context, const char *name)
{
    return QIcon(
        QStringLiteral(":/icons/tarnwick/scalable/%1/%2.svg").arg(QLatin1StringView(context), QLatin1StringView(name)));
}

// A desktop icon theme with a few pictures of one plain colour.
void writeTheme(const QString &folder, const QString &theme, const QStringList &names)
{
    QDir(folder).mkpath(theme + QStringLiteral("/scalable/actions"));
    QFile index(folder + QLatin1Char('/') + theme + QStringLiteral("/index.theme"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=Desk\nDirectories=scalable/actions\n\n"
                "[scalable/actions]\nSize=24\nMinSize=8\nMaxSize=512\nType=Scalable\n");
    for (const QString &name : names) {
        QFile svg(folder + QLatin1Char('/') + theme + QStringLiteral("/scalable/actions/") + name +
                  QStringLiteral(".svg"));
        QVERIFY(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"24\" height=\"24\">"
                  "<rect width=\"24\" height=\"24\" fill=\"#ff0000\"/></svg>");
    }
}

} // namespace

// The toolbar's and the tree's pictures by index: from the desktop's icon theme where it has the
// very picture, otherwise from the drawings the program carries, so that the toolbar looks right
// on a desktop without a theme (here the offscreen platform, as on Windows).
class TestPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPictureIsDrawnAndTellsItsCommandApart()
    {
        QSet<QByteArray> seen;
        const auto take = [&seen](const QIcon &icon, const QString &what) {
            QVERIFY2(!icon.isNull(), qPrintable(what));
            const QImage picture = image(icon);
            QCOMPARE(picture.size(), QSize(25, 25));
            // Not an empty square, nor a square filled edge to edge.
            QVERIFY2(drawnPixels(picture) > 25 * 25 / 10, qPrintable(what));
            QVERIFY2(drawnPixels(picture) < 25 * 25, qPrintable(what));
            const QByteArray bits(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes());
            QVERIFY2(!seen.contains(bits), qPrintable(what + QStringLiteral(" looks like another picture")));
            seen.insert(bits);
        };
        for (int index = 1; index <= 11; ++index)
            take(ToolbarPicture(index), QStringLiteral("toolbar picture %1").arg(index));
        for (int index = 1; index <= 3; ++index)
            take(TreePicture(index), QStringLiteral("tree picture %1").arg(index));
        QVERIFY(ToolbarPicture(0).isNull());
        QVERIFY(ToolbarPicture(12).isNull());
        QVERIFY(TreePicture(4).isNull());
    }

    void withoutADesktopThemeTheBundledDrawingsShow()
    {
        QCOMPARE(image(ToolbarPicture(2)), image(bundled("actions", "edit-find")));
        QCOMPARE(image(ToolbarPicture(11)), image(bundled("actions", "folder-remove")));
        QCOMPARE(image(TreePicture(3)), image(bundled("places", "folder-open")));
        QCOMPARE(image(ApplicationPicture(), 256), image(bundled("apps", "org.tarnwick.Tarnwick"), 256));
    }

    void drawnSharpOnADenseScreen()
    {
        // At 200 % a picture is drawn anew at twice the pixels, not a 25-pixel image enlarged.
        for (int index = 1; index <= 11; ++index) {
            const QPixmap dense = ToolbarPicture(index).pixmap(QSize(25, 25), 2.0);
            QCOMPARE(dense.size(), QSize(50, 50));
            QCOMPARE(dense.devicePixelRatio(), 2.0);
            const QImage enlarged = image(ToolbarPicture(index)).scaled(50, 50);
            QVERIFY(dense.toImage().convertToFormat(QImage::Format_ARGB32) != enlarged);
        }
    }

    void theDesktopThemeWinsWhereItHasTheVeryPicture_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<bool>("desktopWins");
        QTest::newRow("a theme of the desktop's own") << QStringLiteral("desk") << true;
        // The common fallback holds programs' icons; naming only it is having no theme.
        QTest::newRow("hicolor alone") << QStringLiteral("hicolor") << false;
    }

    void theDesktopThemeWinsWhereItHasTheVeryPicture()
    {
        QFETCH(QString, theme);
        QFETCH(bool, desktopWins);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // The desktop theme has a search picture and a plain folder, but no "folder-remove".
        writeTheme(folder.path(), theme, {QStringLiteral("edit-find"), QStringLiteral("folder")});
        const QStringList paths = QIcon::themeSearchPaths();
        const QString before = QIcon::themeName();
        QIcon::setThemeSearchPaths(QStringList{folder.path()} + paths);
        QIcon::setThemeName(theme);

        const QImage search = image(ToolbarPicture(2));
        const QImage folderPicture = image(TreePicture(2));
        // Its plain folder would stand in for "folder-remove"; the bundled drawing is kept.
        const QImage deleteCategory = image(ToolbarPicture(11));
        // What it lacks comes from the bundled theme.
        const QImage refresh = image(ToolbarPicture(5));

        QIcon::setThemeName(before);
        QIcon::setThemeSearchPaths(paths);

        if (desktopWins) {
            QCOMPARE(search.pixel(12, 12), qRgb(255, 0, 0));
            QCOMPARE(folderPicture.pixel(12, 12), qRgb(255, 0, 0));
        } else {
            QCOMPARE(search, image(bundled("actions", "edit-find")));
            QCOMPARE(folderPicture, image(bundled("places", "folder")));
        }
        QCOMPARE(deleteCategory, image(bundled("actions", "folder-remove")));
        QCOMPARE(refresh, image(bundled("actions", "view-refresh")));
    }

    void theBundledThemeCarriesItsLicence()
    {
        QFile licence(QStringLiteral(":/icons/tarnwick/LICENSE"));
        QVERIFY(licence.open(QIODevice::ReadOnly));
        QVERIFY(licence.readAll().contains("CC0-1.0"));
    }
};

TARNWICK_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
