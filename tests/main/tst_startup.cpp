#include "data/connection/Connection.h"
#include "data/setup/Environment.h"
#include "main/BrowsingFixture.h"
#include "main/Listing.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <cstdio>

using namespace BrowsingFixture;

namespace {

const char ProbeOption[] = "--probe-start-up";

// Run as a copy of this program in a folder of its own: starts the main window on databases in
// that folder and prints what the status bar and the tree show.
int probeStartUp(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    const QString folder = QCoreApplication::applicationDirPath();
    const Processing::DatabaseOverrides databases{
        QStringLiteral("sqlite:") + folder + QStringLiteral("/production.sqlite"),
        QStringLiteral("sqlite:") + folder + QStringLiteral("/development.sqlite")};
    MessageRecorder messages;
    int categories = -1;
    QString panels;
    {
        frmMain window({.databases = databases});
        panels = BrowsingFixture::PanelText(window, 1) + QLatin1Char('|') + BrowsingFixture::PanelText(window, 2);
        categories = ChildCount(Tree(window)->model()->index(0, 0));
    }
    std::printf("%s|%d|%d\n", qPrintable(panels), categories, messages.count());
    Processing::DbConn().close();
    return 0;
}

} // namespace

// Start-up: the status bar, the tree and the list right after the window opens, with and
// without the marker file, and with a database that cannot be reached.
class TestStartUp : public QObject
{
    Q_OBJECT

private:
    static QString probe(bool withMarker)
    {
        QTemporaryDir folder;
        if (!folder.isValid())
            return QStringLiteral("no folder");
        const QString program = folder.filePath(QStringLiteral("tarnwick-probe"));
        if (!QFile::copy(QCoreApplication::applicationFilePath(), program))
            return QStringLiteral("no copy");
        if (withMarker) {
            QFile marker(folder.filePath(QStringLiteral("CM.ini")));
            if (!marker.open(QIODevice::WriteOnly))
                return QStringLiteral("no marker");
        }
        QProcess process;
        process.start(program, {QString::fromLatin1(ProbeOption)});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return QStringLiteral("probe failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    }

private Q_SLOTS:
    void init() { Load(); }

    void startUpConnectsAndShowsTheTree()
    {
        MessageRecorder messages;
        frmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarnwick"));
        QCOMPARE(messages.count(), 0);
        QCOMPARE(BrowsingFixture::PanelText(window, 1), QString());
        QCOMPARE(BrowsingFixture::PanelText(window, 2), QStringLiteral("Connected To DB"));
        QCOMPARE(BrowsingFixture::PanelText(window, 3), QString());
        QCOMPARE(BrowsingFixture::PanelText(window, 4), QString());
        QCOMPARE(ChildCount(Tree(window)->model()->index(0, 0)), 3);
        QCOMPARE(List(window)->model()->rowCount(), 0);
        QCOMPARE(ReloadedWhole(window), WholeUnder(QString()));
    }

    void markerFileBesideTheProgramChoosesDevelopment()
    {
        // Development comes with the sample directory, production with an empty tree.
        QCOMPARE(probe(true), QStringLiteral("*Dev*|Connected To DB|4|0"));
        QCOMPARE(probe(false), QStringLiteral("|Connected To DB|0|0"));
    }

    void unreachableDatabaseIsToldOnce()
    {
        Processing::DbConn().close();
        const QString nowhere = QStringLiteral("postgresql://x:y@127.0.0.1:1/none");
        MessageRecorder messages;
        frmMain window({.databases = {nowhere, nowhere}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().text,
                 QStringLiteral("Can't Connect To Data Base Check network or Contact System Administrator"));
        QCOMPARE(messages.last().title, QStringLiteral("Error "));
        QCOMPARE(messages.last().icon, QMessageBox::Critical);
        QCOMPARE(messages.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        // The reason lies behind the box's details, for whoever looks after the site. A build
        // without the native PostgreSQL driver (Windows) says so instead.
        const QString reason = QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))
                                   ? QStringLiteral("x@127.0.0.1:1/none could not be opened")
                                   : QStringLiteral("The database driver QPSQL is not installed");
        QVERIFY2(messages.last().details.contains(reason), qPrintable(messages.last().details));
        QVERIFY(!messages.last().details.contains(QStringLiteral(":y@")));
        QCOMPARE(BrowsingFixture::PanelText(window, 2), QString());
        QCOMPARE(Nodes(Tree(window)), QStringList{QStringLiteral(" > BR 0")});

        // The window stays; a click on the root says once that its list could not be read.
        ClickNode(Tree(window), Tree(window)->model()->index(0, 0));
        QCOMPARE(messages.count(), 2);
        QVERIFY2(messages.last().title == QStringLiteral("DataBase Error"), qPrintable(messages.last().text));
        QVERIFY(!(messages.last().text + messages.last().details).contains(QStringLiteral(":y@")));
        QCOMPARE(List(window)->model()->rowCount(), 0);
        QVERIFY(window.isVisible());
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], ProbeOption) == 0)
        return probeStartUp(argc, argv);
    return TestSupport::run<TestStartUp>(argc, argv);
}

#include "tst_startup.moc"
