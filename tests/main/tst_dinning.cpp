#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "web/PageServer.h"
#include "web/WebEngineStartup.h"
#include "web/WebWindow.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QWebEngineView>

#include "BuildConfig.h"

// "Dinning" from the main window, and the way back to it.
class TestDinning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.listening());
        m_server.addPage(QStringLiteral("/directory"), QStringLiteral("Directory"));
        SetWebPageAddress(m_server.url(QStringLiteral("/directory")));
        SetWebWindowPluginPath(QStringLiteral(TARNWICK_WEB_PLUGIN));
    }

    void init()
    {
        TestDatabase::ResetWithSample();
        m_main = new frmMain;
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
    }

    void cleanup()
    {
        if (QPointer<QWidget> web = webWindow()) {
            web->close();
            QTRY_VERIFY(web.isNull());
        }
        for (frmMain *window : mainWindows())
            delete window;
        SetWebPageAddress(m_server.url(QStringLiteral("/directory")));
        SetWebWindowPluginPath(QStringLiteral(TARNWICK_WEB_PLUGIN));
    }

    // Without the plug-in (a build without the browser engine) the page opens in the user's
    // browser; a plug-in that is there but does not load is reported, and nothing else opens.
    void withoutThePlugin_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("absent") << QByteArray() << QString();
        QTest::newRow("not a plug-in") << QByteArrayLiteral("not a library")
                                       << QStringLiteral("The web window could not be loaded: ");
    }

    void withoutThePlugin()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString plugin = folder.filePath(QStringLiteral("tarnwick-web"));
        if (!content.isEmpty()) {
            QFile file(plugin + (QSysInfo::productType() == QStringLiteral("windows") ? QStringLiteral(".dll")
                                                                                      : QStringLiteral(".so")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        SetWebWindowPluginPath(plugin);
        // The directory web service's own page, as the build names its host.
        SetWebPageAddress(QString());

        BrowserRecorder browser;
        MessageRecorder messages;
        m_main->ToolbarButton(ToolbarEntry::Dinning)->trigger();
        QVERIFY(webWindow().isNull());
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

    void oneWindowAndBackToTheMainWindow()
    {
        m_main->ToolbarButton(ToolbarEntry::Dinning)->trigger();
        QPointer<QWidget> web = webWindow();
        QVERIFY(web);
        QVERIFY(web->isVisible());
        QSignalSpy loaded(web->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")),
                          &QWebEngineView::loadFinished);
        QVERIFY(loaded.wait(30000));
        QCOMPARE(m_server.requests(QStringLiteral("/directory")), 1);

        m_main->ToolbarButton(ToolbarEntry::Dinning)->trigger();
        QCOMPARE(webWindow().data(), web.data());
        QTRY_VERIFY(web->isActiveWindow());

        QTest::mouseClick(web->findChild<QPushButton *>(QStringLiteral("CmdBack")), Qt::LeftButton);
        QTRY_VERIFY(m_main->isActiveWindow());
        QVERIFY(web->isVisible());
        QCOMPARE(mainWindows(), QList<frmMain *>{m_main.data()});
        QCOMPARE(m_server.requests(QStringLiteral("/directory")), 1);
    }

    void backAfterExitStartsAnew()
    {
        m_main->ToolbarButton(ToolbarEntry::Dinning)->trigger();
        QPointer<QWidget> web = webWindow();
        QVERIFY(web);
        m_main->ToolbarButton(ToolbarEntry::Exit)->trigger();
        QTRY_VERIFY(m_main.isNull());
        QVERIFY(web->isVisible());

        // The new window's start-up finds the connection open and keeps it, without a word.
        MessageRecorder messages;
        web->findChild<QPushButton *>(QStringLiteral("CmdBack"))->click();
        const QList<frmMain *> windows = mainWindows();
        QCOMPARE(windows.size(), 1);
        QPointer<frmMain> fresh = windows.first();
        QVERIFY(fresh->isVisible());
        QCOMPARE(BrowsingFixture::PanelText(*fresh, 2), QStringLiteral("Connected To DB"));
        QCOMPARE(messages.count(), 0);
        QCOMPARE(fresh->SearchStr, QString());
        const QAbstractItemModel *tree = fresh->findChild<QTreeView *>(QStringLiteral("CatTree"))->model();
        QCOMPARE(tree->rowCount(), 1);
        QVERIFY(tree->rowCount(tree->index(0, 0)) > 0);

        // Back again, by Enter on the focused button, returns to that window rather than making
        // another.
        web->activateWindow();
        QTRY_VERIFY(web->isActiveWindow());
        web->findChild<QPushButton *>(QStringLiteral("CmdBack"))->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), web->findChild<QPushButton *>(QStringLiteral("CmdBack")));
        QTest::keyClick(web->findChild<QPushButton *>(QStringLiteral("CmdBack")), Qt::Key_Return);
        QTRY_VERIFY(fresh->isActiveWindow());
        QCOMPARE(mainWindows(), QList<frmMain *>{fresh.data()});
        QVERIFY(web->isVisible());
    }

private:
    // The web window comes from the plug-in, whose classes the test does not know: it is found
    // by its name.
    static QPointer<QWidget> webWindow()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QStringLiteral("frmDinning"))
                return widget;
        }
        return nullptr;
    }

    static QList<frmMain *> mainWindows()
    {
        QList<frmMain *> windows;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<frmMain *>(widget))
                windows.append(window);
        }
        return windows;
    }

    PageServer m_server;
    QPointer<frmMain> m_main;
};

int main(int argc, char *argv[])
{
    PrepareWebEngine();
    return TestSupport::run<TestDinning>(argc, argv);
}
#include "tst_dinning.moc"
