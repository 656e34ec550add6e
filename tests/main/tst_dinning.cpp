#include "data/SearchState.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "web/PageServer.h"
#include "web/WebEngineStartup.h"
#include "web/frmDinning.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QWebEngineView>

// "Dinning" from the main window, and the way back to it.
class TestDinning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.listening());
        m_server.addPage(QStringLiteral("/directory"), QStringLiteral("Directory"));
        frmDinning::SetPageAddress(m_server.url(QStringLiteral("/directory")));
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
        if (QPointer<frmDinning> web = frmDinning::Instance()) {
            web->close();
            QTRY_VERIFY(web.isNull());
        }
        for (frmMain *window : mainWindows())
            delete window;
        Processing::SearchStr.clear();
    }

    void oneWindowAndBackToTheMainWindow()
    {
        m_main->ToolbarButton(1)->trigger();
        QPointer<frmDinning> web = frmDinning::Instance();
        QVERIFY(web);
        QVERIFY(web->isVisible());
        QSignalSpy loaded(web->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")),
                          &QWebEngineView::loadFinished);
        QVERIFY(loaded.wait(30000));
        QCOMPARE(m_server.requests(QStringLiteral("/directory")), 1);

        m_main->ToolbarButton(1)->trigger();
        QCOMPARE(frmDinning::Instance(), web.data());
        QTRY_VERIFY(web->isActiveWindow());

        QTest::mouseClick(web->findChild<QPushButton *>(QStringLiteral("CmdBack")), Qt::LeftButton);
        QTRY_VERIFY(m_main->isActiveWindow());
        QVERIFY(web->isVisible());
        QCOMPARE(mainWindows(), QList<frmMain *>{m_main.data()});
        QCOMPARE(m_server.requests(QStringLiteral("/directory")), 1);
    }

    void backAfterExitStartsAnew()
    {
        m_main->ToolbarButton(1)->trigger();
        QPointer<frmDinning> web = frmDinning::Instance();
        QVERIFY(web);
        m_main->ToolbarButton(17)->trigger();
        QTRY_VERIFY(m_main.isNull());
        QVERIFY(web->isVisible());
        Processing::SearchStr = QStringLiteral(" 1 = 1");

        // The new window's start-up finds the connection open and keeps it, without a word.
        MessageRecorder messages;
        web->findChild<QPushButton *>(QStringLiteral("CmdBack"))->click();
        const QList<frmMain *> windows = mainWindows();
        QCOMPARE(windows.size(), 1);
        QPointer<frmMain> fresh = windows.first();
        QVERIFY(fresh->isVisible());
        QCOMPARE(BrowsingFixture::PanelText(*fresh, 2), QStringLiteral("Connected To DB"));
        QCOMPARE(messages.count(), 0);
        QCOMPARE(Processing::SearchStr, QString());
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
