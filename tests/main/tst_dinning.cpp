#include "main/BrowsingFixture.h"
#include "main/Listing.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "support/Waits.h"
#include "web/PageServer.h"
#include "web/WebWindowProtocol.h"
#include "web/WebWindowSettings.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "BuildConfig.h"

// "Dinning" from the main window, and the way back to it. The web window is a program of its
// own, started at the first "Dinning".
class TestDinning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.listening());
        m_server.addPage(Page, QStringLiteral("Directory"));
        QVERIFY(m_folder.isValid());
    }

    void init() { TestDatabase::ResetWithSample(); }

    void cleanup()
    {
        if (QProcess *web = webWindow())
            endWebWindow(web);
        QTRY_VERIFY_WITH_TIMEOUT(!webWindow(), 15000);
        for (frmMain *window : mainWindows())
            delete window;
    }

    // Without the web window's program (a build without the browser engine) the page opens in
    // the user's browser; a program that is there but does not start is reported, and nothing
    // else opens.
    void withoutTheProgram_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("absent") << QByteArray() << QString();
        QTest::newRow("not a program") << QByteArrayLiteral("not a program")
                                       << QStringLiteral("The web window could not be loaded: ");
    }

    void withoutTheProgram()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString program = m_folder.filePath(QStringLiteral("tarnwick-web"));
        QFile::remove(program);
        if (!content.isEmpty()) {
            QFile file(program);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        // The directory web service's own page, as the build names its host.
        QVERIFY(showMain({QString(), program}));

        BrowserRecorder browser;
        MessageRecorder messages;
        m_main->ToolbarButton(ToolbarEntry::Dinning)->trigger();
        QVERIFY(!webWindow());
        if (message.isEmpty()) {
            QCOMPARE(messages.count(), 0);
            QCOMPARE(browser.started(),
                     QStringList{QStringLiteral("http://") + QString::fromUtf8(BuildConfig::DirectoryHost) +
                                 QStringLiteral("/brantmoor/velmarqDirectory/velmarqservice.asp")});
        } else {
            QCOMPARE(browser.started(), QStringList());
            QCOMPARE(messages.count(), 1);
            QVERIFY2(messages.last().text.startsWith(message), qPrintable(messages.last().text));
        }
    }

    // One web window, its page loaded once; while it is open the program outlives its main
    // window, and once it has closed the program ends with its last window again.
    void oneWindowKeepsTheProgram()
    {
        QVERIFY(showMain(ownWebWindow()));
        m_main->ToolbarButton(ToolbarEntry::Dinning)->trigger();
        QPointer<QProcess> web = webWindow();
        QVERIFY(web);
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requests(Page), 1, 30000);
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());

        m_main->ToolbarButton(ToolbarEntry::Dinning)->trigger();
        QCOMPARE(webWindow(), web);
        // No second window's page is asked for.
        QVERIFY(KeepsHolding([&] { return m_server.requests(Page) == 1; }));
        QCOMPARE(web->state(), QProcess::Running);

        endWebWindow(web);
        QTRY_VERIFY_WITH_TIMEOUT(web.isNull(), 15000);
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        QCOMPARE(mainWindows(), QList<frmMain *>{m_main.data()});
    }

    // "&Back" as the web window's program says it: the main window comes to the front; once it
    // has been closed, a new main window starts up afresh, and from then on "&Back" returns to
    // that one. A stand-in program answers every "bring to front" with "&Back", as a user who
    // clicks it at once: the real window's button is out of reach in another process (its own
    // test presses it).
    void backToTheMainWindow()
    {
        const QString backer = m_folder.filePath(QStringLiteral("backer"));
        QFile script(backer);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nwhile read line; do echo back; done\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        QVERIFY(showMain({m_server.url(Page), backer}));

        m_main->ToolbarButton(ToolbarEntry::Dinning)->trigger();
        QVERIFY(webWindow());
        m_main->showMinimized();
        clickBack();
        QTRY_VERIFY(!(m_main->windowState() & Qt::WindowMinimized));
        QVERIFY(m_main->isVisible());
        QCOMPARE(mainWindows(), QList<frmMain *>{m_main.data()});

        m_main->ToolbarButton(ToolbarEntry::Exit)->trigger();
        QTRY_VERIFY(m_main.isNull());
        QVERIFY(webWindow());

        // The new window's start-up finds the connection open and keeps it, without a word.
        MessageRecorder messages;
        clickBack();
        QTRY_COMPARE(mainWindows().size(), 1);
        QPointer<frmMain> fresh = mainWindows().first();
        QVERIFY(fresh->isVisible());
        QCOMPARE(BrowsingFixture::PanelText(*fresh, 2), QStringLiteral("Connected To DB"));
        QCOMPARE(messages.count(), 0);
        const QAbstractItemModel *tree = fresh->findChild<QTreeView *>(QStringLiteral("CatTree"))->model();
        QCOMPARE(tree->rowCount(), 1);
        QVERIFY(tree->rowCount(tree->index(0, 0)) > 0);
        QCOMPARE(ReloadedWhole(*fresh), WholeUnder(QString()));

        fresh->showMinimized();
        clickBack();
        QTRY_VERIFY(!(fresh->windowState() & Qt::WindowMinimized));
        QCOMPARE(mainWindows(), QList<frmMain *>{fresh.data()});

        // The new window belongs to the same run: once the web window has closed, its "Dinning"
        // starts the run's web window again.
        BrowserRecorder browser;
        endWebWindow(webWindow());
        QTRY_VERIFY_WITH_TIMEOUT(!webWindow(), 15000);
        fresh->ToolbarButton(ToolbarEntry::Dinning)->trigger();
        QVERIFY(webWindow());
        QCOMPARE(browser.started(), QStringList());
    }

private:
    // The main window of a run whose web window is the given one.
    bool showMain(const WebWindowSettings &web)
    {
        m_main = new frmMain({.webWindow = web});
        m_main->show();
        return QTest::qWaitForWindowExposed(m_main);
    }

    // The build's own web window, showing the test's page.
    WebWindowSettings ownWebWindow() const { return {m_server.url(Page), QStringLiteral(TARNWICK_WEB_PROGRAM)}; }

    // The web window's program ends once its input does, as when its user closes it.
    static void endWebWindow(QProcess *web) { web->closeWriteChannel(); }

    static QPointer<QProcess> webWindow()
    {
        auto *process = qApp->findChild<QObject *>(QStringLiteral("WebWindowProcess"));
        return process ? process->findChild<QProcess *>() : nullptr;
    }

    // The stand-in says "&Back" when asked to come to the front.
    static void clickBack() { webWindow()->write(WebWindowShow); }

    static QList<frmMain *> mainWindows()
    {
        QList<frmMain *> windows;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<frmMain *>(widget))
                windows.append(window);
        }
        return windows;
    }

    static inline const QString Page = QStringLiteral("/directory");
    PageServer m_server;
    QTemporaryDir m_folder;
    QPointer<frmMain> m_main;
};

TARNWICK_TEST_MAIN(TestDinning)

#include "tst_dinning.moc"
