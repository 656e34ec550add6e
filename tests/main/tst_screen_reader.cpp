#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "ui/LayoutDirection.h"

#include <QAccessible>
#include <QAction>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <memory>

namespace {

constexpr int Patience = 20000; // ms for Orca to speak

// What Orca says, from its debug log: the texts of its "SPEECH OUTPUT:" lines written since the
// last mark.
class OrcaSpeech
{
public:
    bool open(const QString &path)
    {
        m_log.setFileName(path);
        return m_log.open(QIODevice::ReadOnly);
    }
    void mark()
    {
        m_said.clear();
        m_partial.clear();
        m_log.seek(m_log.size());
    }
    bool said(const QString &words)
    {
        // Only whole lines: Orca may be halfway through writing one.
        m_partial += m_log.readAll();
        qsizetype end;
        while ((end = m_partial.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(m_partial.left(end));
            m_partial.remove(0, end + 1);
            // SPEECH OUTPUT: 'Food collapsed.'{'established': False}
            if (const qsizetype at = line.indexOf(QLatin1StringView("SPEECH OUTPUT: '")); at >= 0)
                m_said.append(line.mid(at + 16).section(QLatin1StringView("'{"), 0, 0));
        }
        return std::any_of(m_said.cbegin(), m_said.cend(), [&](const QString &s) { return s.contains(words); });
    }
    QString heard() const { return m_said.join(QStringLiteral(" | ")); }

    // Waits in an event loop of its own, so that the program answers Orca's questions at once (a
    // polling wait answers one every few milliseconds, and Orca asks dozens for each event).
    bool waitFor(const std::function<bool()> &condition)
    {
        QEventLoop loop;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, &loop, [&] {
            if (condition())
                loop.quit();
        });
        look.start(20);
        QTimer::singleShot(Patience, &loop, &QEventLoop::quit);
        loop.exec();
        return condition();
    }
    bool waitToSay(const QString &words)
    {
        return waitFor([&] { return said(words); });
    }

private:
    QFile m_log;
    QByteArray m_partial;
    QStringList m_said;
};

} // namespace

// Orca, the screen reader, walked through the main window by keyboard: a category opened and
// closed, "Find Place", "Add New Information" and the update window opened. Each walk must say
// every one of them: the state words in Orca's own language, the names in the interface's. Run
// by tests/support/with-orca.sh on an X server and a D-Bus session of the test's own.
class TestScreenReader : public QObject
{
    Q_OBJECT

    OrcaSpeech m_orca;
    std::unique_ptr<frmMain> m_window;

    // Opens a modal dialog by the toolbar and waits, inside it, until Orca says its name.
    void hearDialog(ToolbarEntry button, const QString &name)
    {
        m_orca.mark();
        bool said = false;
        QString title;
        QTimer::singleShot(0, this, [&] {
            said = m_orca.waitFor([&] { return QApplication::activeModalWidget() && m_orca.said(name); });
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                title = dialog->windowTitle();
                dialog->close();
            }
        });
        m_window->ToolbarButton(button)->trigger();
        QCOMPARE(title, name);
        QVERIFY2(said, qPrintable(QStringLiteral("Orca said: ") + m_orca.heard()));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_orca.open(qEnvironmentVariable("TARNWICK_ORCA_LOG")), "no Orca log: run by with-orca.sh");
        QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(), "the accessibility bridge is off", 10000);
        BrowsingFixture::Load();
    }

    void cleanup()
    {
        m_window.reset();
        UseInterfaceLanguage(QStringLiteral("en"));
    }

    void walk_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("findPlace");
        QTest::addColumn<QString>("addNew");
        for (int walk = 1; walk <= 5; ++walk)
            QTest::addRow("English, walk %d", walk) << "en"
                                                    << "Find Place"
                                                    << "Add New Information";
        QTest::newRow("Arabic") << "ar"
                                << "البحث عن مكان"
                                << "إضافة معلومات جديدة";
    }

    void walk()
    {
        QFETCH(QString, language);
        QFETCH(QString, findPlace);
        QFETCH(QString, addNew);
        QVERIFY(UseInterfaceLanguage(language));
        m_window = std::make_unique<frmMain>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        // No window manager on the test's X server: the window takes the focus itself.
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto *tree = m_window->findChild<QTreeView *>(QStringLiteral("CatTree"));
        const QModelIndex food = tree->model()->index(0, 0, tree->model()->index(0, 0));
        m_orca.mark();
        BrowsingFixture::ClickNode(tree, food);
        QVERIFY2(m_orca.waitToSay(QStringLiteral("Food")), qPrintable(m_orca.heard()));

        m_orca.mark();
        QTest::keyClick(tree, Qt::Key_Right);
        QVERIFY2(m_orca.waitToSay(QStringLiteral("expanded")), qPrintable(m_orca.heard()));
        m_orca.mark();
        QTest::keyClick(tree, Qt::Key_Left);
        QVERIFY2(m_orca.waitToSay(QStringLiteral("collapsed")), qPrintable(m_orca.heard()));

        hearDialog(ToolbarEntry::Search, findPlace);
        hearDialog(ToolbarEntry::Add, addNew);

        // The update window, for the place the list shows.
        QTRY_VERIFY(!m_window->ListLoading());
        auto *list = m_window->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"));
        list->setCurrentIndex(list->model()->index(0, 0));
        m_orca.mark();
        m_window->ToolbarButton(ToolbarEntry::Update)->trigger();
        QVERIFY2(m_orca.waitToSay(addNew), qPrintable(m_orca.heard()));
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1StringView("frmUpdate"))
                window->close();
        }
    }
};

TARNWICK_TEST_MAIN(TestScreenReader)
#include "tst_screen_reader.moc"
