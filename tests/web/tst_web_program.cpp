#include "support/TestMain.h"
#include "support/Waits.h"
#include "web/PageServer.h"
#include "web/WebWindowProtocol.h"

#include <QProcess>
#include <QTest>

// The web window's own program, started as the main program starts it: the page as argument,
// pipes for standard input and output.
class TestWebProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.listening());
        m_server.addPage(Page, QStringLiteral("Directory"));
    }

    // It shows the page, comes to the front without loading it again, and ends cleanly once
    // the main program's end of its input closes (the main program has gone).
    void showsThePageUntilTheMainProgramGoes()
    {
        QProcess window;
        window.setProcessChannelMode(QProcess::SeparateChannels);
        window.start(QStringLiteral(TARNWICK_WEB_PROGRAM), {m_server.url(Page)});
        QVERIFY2(window.waitForStarted(), qPrintable(window.errorString()));
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requests(Page), 1, 30000);

        window.write(WebWindowShow);
        QVERIFY(window.waitForBytesWritten());
        // No navigation reaches the server.
        QVERIFY(KeepsHolding([&] { return m_server.requests(Page) == 1; }));
        QCOMPARE(window.state(), QProcess::Running);

        window.closeWriteChannel();
        QVERIFY(window.waitForFinished(30000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QCOMPARE(window.exitCode(), 0);
        // Nothing but the way back ever reaches the main program's pipe.
        QCOMPARE(window.readAllStandardOutput(), QByteArray());
    }

    void refusesToStartWithoutAPage()
    {
        QProcess window;
        window.start(QStringLiteral(TARNWICK_WEB_PROGRAM), {});
        QVERIFY(window.waitForFinished(30000));
        QCOMPARE(window.exitCode(), 2);
        QVERIFY(window.readAllStandardError().contains("Dinning"));
    }

private:
    static inline const QString Page = QStringLiteral("/directory");
    PageServer m_server;
};

TARNWICK_TEST_MAIN(TestWebProgram)
#include "tst_web_program.moc"
