#include "support/TestMain.h"
#include "web/WebWindow.h"

#include <QApplication>
#include <QLibrary>
#include <QPointer>
#include <QPushButton>
#include <QWebEngineView>

// The web window as the program gets it: from its own module, loaded at the first opening.
class TestWebModule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensTheWindowFromTheModule()
    {
        QLibrary module(QStringLiteral(TARNWICK_WEB_MODULE));
        const auto entry = reinterpret_cast<OpenWebWindowEntry>(module.resolve(OpenWebWindowSymbol));
        QVERIFY2(entry, qPrintable(module.errorString()));
        int backs = 0;
        std::function<void()> showMain = [&backs] { ++backs; };
        entry(&showMain);

        QPointer<QWidget> window;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QStringLiteral("frmDinning"))
                window = widget;
        }
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->findChild<QWebEngineView *>());
        auto *back = window->findChild<QPushButton *>();
        QVERIFY(back);
        QCOMPARE(back->text(), QStringLiteral("&Back"));
        back->click();
        QCOMPARE(backs, 1);
        window->close();
        QTRY_VERIFY(window.isNull());
    }
};

int main(int argc, char *argv[])
{
    return TestSupport::run<TestWebModule>(argc, argv);
}

#include "tst_web_module.moc"
