#include "support/TestMain.h"
#include "support/Waits.h"
#include "web/MainProgramLink.h"
#include "web/PageServer.h"
#include "web/WebEngineStartup.h"
#include "web/WebWindowProtocol.h"
#include "web/frmDinning.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstring>
#include <unistd.h>

// The web window on a real browser engine, showing pages from a server the test runs.
class TestWeb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.listening());
        m_server.addPage(Page, QStringLiteral("Directory"),
                         QStringLiteral("<p id=\"greeting\">Find a place</p><a id=\"next\" href=\"/other\">more</a>"),
                         QStringLiteral("background: rgb(0, 128, 96)"));
        m_server.addPage(QStringLiteral("/other"), QStringLiteral("Other"));
    }

    void cleanup()
    {
        for (QPointer<frmDinning> window : openWindows()) {
            window->close();
            QTRY_VERIFY(window.isNull());
        }
    }

    void opensAndShowsThePage()
    {
        const int before = m_server.requests(Page);
        int backs = 0;
        QPointer<frmDinning> window = frmDinning::ShowWindow(m_server.url(Page), [&backs] { ++backs; });
        QVERIFY(window);
        QCOMPARE(openWindows(), QList<frmDinning *>{window});
        QCOMPARE(window->windowTitle(), QStringLiteral("Search on the Web"));
        QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("CmdBack"))->text(), QStringLiteral("&Back"));
        QVERIFY(window->isVisible());
        QVERIFY(waitForLoad(window));
        QCOMPARE(m_server.requests(Page), before + 1);
        QCOMPARE(window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"))->title(),
                 QStringLiteral("Directory"));
        QCOMPARE(script(window, QStringLiteral("document.getElementById('greeting').textContent")),
                 QVariant(QStringLiteral("Find a place")));

        // The button sits at the top left, the browser fills the window below it.
        QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("CmdBack"))->geometry().topLeft(), QPoint(0, 0));
        const QRect browser = window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"))->geometry();
        QVERIFY(browser.top() >= window->findChild<QPushButton *>(QStringLiteral("CmdBack"))->geometry().bottom());
        QCOMPARE(browser.left(), 0);
        QCOMPARE(browser.right(), window->width() - 1);
        QCOMPARE(browser.bottom(), window->height() - 1);
        // The page is really drawn: its background colour shows in the window.
        QTRY_VERIFY_WITH_TIMEOUT(showsPageColour(window), 30000);

        // "&Back" hands over to the main window and leaves the page as it is.
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("CmdBack")), Qt::LeftButton);
        QCOMPARE(backs, 1);
        QCOMPARE(openWindows(), QList<frmDinning *>{window});
        QCOMPARE(m_server.requests(Page), before + 1);
    }

    void openWindowKeepsWhereTheUserBrowsed()
    {
        QPointer<frmDinning> window = frmDinning::ShowWindow(m_server.url(Page), [] {});
        QVERIFY(waitForLoad(window));
        const int pageRequests = m_server.requests(Page);
        // The user follows a link inside the page.
        QSignalSpy followed(window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")),
                            &QWebEngineView::loadFinished);
        script(window, QStringLiteral("document.getElementById('next').click(); true"));
        QTRY_COMPARE_WITH_TIMEOUT(followed.count(), 1, 30000);
        QCOMPARE(window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"))->title(), QStringLiteral("Other"));

        // "Dinning" again: the same window, nothing reloaded, the browsed page still shown.
        QSignalSpy started(window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")),
                           &QWebEngineView::loadStarted);
        int backs = 0;
        QCOMPARE(frmDinning::ShowWindow(m_server.url(Page), [&backs] { ++backs; }), window.data());
        // A round trip to the page's renderer: a navigation started above would be under way.
        QCOMPARE(script(window, QStringLiteral("location.pathname")), QVariant(QStringLiteral("/other")));
        QCOMPARE(started.count(), 0);
        QCOMPARE(m_server.requests(Page), pageRequests);
        QCOMPARE(window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"))->url(),
                 QUrl(m_server.url(QStringLiteral("/other"))));
        // The latest caller's "&Back" is the one used.
        window->findChild<QPushButton *>(QStringLiteral("CmdBack"))->click();
        QCOMPARE(backs, 1);
    }

    void closedWindowOpensAnew()
    {
        QPointer<frmDinning> first = frmDinning::ShowWindow(m_server.url(Page), [] {});
        QVERIFY(waitForLoad(first));
        const int pageRequests = m_server.requests(Page);
        first->close();
        // A new window at once, before the closed one is deleted.
        QVERIFY(first);
        QPointer<frmDinning> second = frmDinning::ShowWindow(m_server.url(Page), [] {});
        QVERIFY(second);
        QVERIFY(second != first);
        QTRY_VERIFY(first.isNull());
        QCOMPARE(openWindows(), QList<frmDinning *>{second});
        QVERIFY(waitForLoad(second));
        QCOMPARE(m_server.requests(Page), pageRequests + 1);
        QCOMPARE(second->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"))->title(),
                 QStringLiteral("Directory"));
    }

    // The window's side of the pipes to the main program, as its own program wires it: "&Back"
    // reaches the program, the program's word brings the window forward however the pipe cuts
    // it up, and the pipe's end closes the window.
    void linkToTheMainProgram()
    {
        int toWindow[2];
        int toProgram[2];
        QCOMPARE(::pipe(toWindow), 0);
        QCOMPARE(::pipe(toProgram), 0);
        int shown = 0;
        bool ended = false;
        MainProgramLink link(
            toWindow[0], toProgram[1], [&shown] { ++shown; }, [&ended] { ended = true; });
        QPointer<frmDinning> window = frmDinning::ShowWindow(QStringLiteral("about:blank"), [&link] { link.Back(); });

        window->findChild<QPushButton *>(QStringLiteral("CmdBack"))->click();
        window->findChild<QPushButton *>(QStringLiteral("CmdBack"))->click();
        char said[64] = {};
        QCOMPARE(::read(toProgram[0], said, sizeof said - 1), qsizetype(2 * std::strlen(WebWindowBack)));
        QCOMPARE(QByteArray(said), QByteArray(WebWindowBack) + WebWindowBack);

        const QByteArray words = QByteArray(WebWindowShow) + WebWindowShow;
        QCOMPARE(::write(toWindow[1], words.constData(), 3), 3);
        QVERIFY(KeepsHolding([&] { return shown == 0; }));
        QCOMPARE(::write(toWindow[1], words.constData() + 3, words.size() - 3), words.size() - 3);
        QTRY_COMPARE(shown, 2);
        QVERIFY(!ended);

        ::close(toWindow[1]);
        QTRY_VERIFY(ended);
        QCOMPARE(shown, 2);
        ::close(toProgram[0]);
    }

private:
    // The web windows on the screen.
    static QList<frmDinning *> openWindows()
    {
        QList<frmDinning *> windows;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<frmDinning *>(widget); window && window->isVisible())
                windows.append(window);
        }
        return windows;
    }

    // Waits for a fresh window's page.
    static bool waitForLoad(frmDinning *window)
    {
        if (!window)
            return false;
        QSignalSpy loaded(window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")),
                          &QWebEngineView::loadFinished);
        return loaded.wait(30000) && loaded.first().first().toBool();
    }

    static bool showsPageColour(frmDinning *window)
    {
        const QImage image = window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"))->grab().toImage();
        int coloured = 0;
        for (int y = 0; y < image.height(); y += 7) {
            for (int x = 0; x < image.width(); x += 7) {
                if (image.pixelColor(x, y) == PageColour)
                    ++coloured;
            }
        }
        return coloured > 100;
    }

    static QVariant script(frmDinning *window, const QString &code)
    {
        QVariant result;
        bool done = false;
        window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"))
            ->page()
            ->runJavaScript(code, [&](const QVariant &value) {
                result = value;
                done = true;
            });
        if (!QTest::qWaitFor([&] { return done; }, 30000))
            return QStringLiteral("<no answer>");
        return result;
    }

    static inline const QString Page = QStringLiteral("/directory");
    static inline const QColor PageColour = QColor(0, 128, 96);
    PageServer m_server;
};

int main(int argc, char *argv[])
{
    PrepareWebEngine();
    return TestSupport::run<TestWeb>(argc, argv);
}
#include "tst_web.moc"
