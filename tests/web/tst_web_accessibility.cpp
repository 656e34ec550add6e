#include "support/TestMain.h"
#include "web/frmDinning.h"

#include <QAccessible>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWebEngineView>

// The web window to a screen reader and the keyboard: its button and its page are named, and
// Alt+B goes back to the main window.
class TestWebAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namedAndReachedByItsAccessKey()
    {
        int backs = 0;
        QPointer<frmDinning> window = frmDinning::ShowWindow(QStringLiteral("about:blank"), [&backs] { ++backs; });
        QVERIFY(QTest::qWaitForWindowActive(window));

        QAccessibleInterface *back =
            QAccessible::queryAccessibleInterface(window->findChild<QPushButton *>(QStringLiteral("CmdBack")));
        QCOMPARE(back->role(), QAccessible::Button);
        QCOMPARE(back->text(QAccessible::Name), QStringLiteral("Back"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(window->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")))
                ->text(QAccessible::Name),
            QStringLiteral("Web page"));
        QCOMPARE(QAccessible::queryAccessibleInterface(window.data())->text(QAccessible::Name),
                 QStringLiteral("Search on the Web"));

        QTest::keyClick(window, Qt::Key_B, Qt::AltModifier);
        QTRY_COMPARE(backs, 1);

        window->close();
        QTRY_VERIFY(window.isNull());
    }
};

TARNWICK_TEST_MAIN(TestWebAccessibility)
#include "tst_web_accessibility.moc"
