#include "support/TestMain.h"
#include "web/WebWindowPlugin.h"

#include <QApplication>
#include <QJsonObject>
#include <QPluginLoader>
#include <QPointer>
#include <QPushButton>
#include <QWebEngineView>

// The web window as the program gets it: from its plug-in, through the declared interface.
class TestWebModule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensTheWindowFromThePlugin()
    {
        QPluginLoader loader(QStringLiteral(TARNWICK_WEB_PLUGIN));
        QCOMPARE(loader.metaData().value(QStringLiteral("IID")).toString(), QStringLiteral(WebWindowPlugin_iid));
        auto *plugin = qobject_cast<WebWindowPlugin *>(loader.instance());
        QVERIFY2(plugin, qPrintable(loader.errorString()));
        int backs = 0;
        plugin->Open(QStringLiteral("about:blank"), [&backs] { ++backs; });

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
