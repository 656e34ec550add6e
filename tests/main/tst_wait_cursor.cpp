#include "editing/EditingFixture.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/CursorWitness.h"
#include "support/DatabaseFaults.h"
#include "support/Find.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "ui/MsgBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include <functional>
#include <memory>

using namespace BrowsingFixture;

Q_DECLARE_METATYPE(std::function<void()>)

namespace {

int overrideShape()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? int(cursor->shape()) : -1;
}

void choose(const QWidget *window, const char *box, const QString &entry)
{
    auto *combo = Find<QComboBox>(window, box);
    combo->setCurrentIndex(combo->findText(entry));
}

} // namespace

// Long work shows the wait cursor: every load of a tree, list or window and every statement that
// writes. The pointer comes back on every way out, a database failure included, and a message
// box never waits for an answer under the wait cursor.
class TestWaitCursor : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmMain> m_main;
    QPointer<FrmSearch> m_search;
    QPointer<frmAdd> m_add;
    QPointer<frmUpdate> m_update;
    // Each message with the pointer shape showing when it was put up.
    QList<QPair<QString, int>> m_messages;

    // Opens the main window, answering every question with Yes.
    void openMain()
    {
        m_main = std::make_unique<frmMain>();
        m_main->show();
    }

    QModelIndex node(const char *key) { return Node(Tree(*m_main), QLatin1StringView(key)); }

    void addRows()
    {
        QTest::addColumn<std::function<void()>>("prepare");
        QTest::addColumn<std::function<void()>>("act");
        const auto nothing = [] {};

        QTest::newRow("main window start-up")
            << std::function<void()>(nothing) << std::function<void()>([this] { openMain(); });
        QTest::newRow("category click") << std::function<void()>([this] { openMain(); })
                                        << std::function<void()>([this] { ClickNode(Tree(*m_main), node("BR 1")); });
        QTest::newRow("category expand") << std::function<void()>([this] { openMain(); })
                                         << std::function<void()>([this] { Tree(*m_main)->expand(node("BR 3")); });
        QTest::newRow("refresh") << std::function<void()>([this] { openMain(); }) << std::function<void()>([this] {
            m_main->ToolbarButton(ToolbarEntry::Refresh)->trigger();
        });
        QTest::newRow("search dialog") << std::function<void()>([this] { openMain(); })
                                       << std::function<void()>([this] { m_search = new FrmSearch(*m_main); });
        QTest::newRow("search narrowing districts") << std::function<void()>([this] {
            openMain();
            m_search = new FrmSearch(*m_main);
            m_search->show();
            QVERIFY(QTest::qWaitForWindowActive(m_search));
            Find<QCheckBox>(m_search, "ChkCity")->click();
            auto *cities = Find<QListWidget>(m_search, "LstCity");
            cities->setFocus();
            cities->item(1)->setSelected(true);
        }) << std::function<void()>([this] { Find<QWidget>(m_search, "TxtPlaceName")->setFocus(); });
        QTest::newRow("add dialog") << std::function<void()>(nothing)
                                    << std::function<void()>([this] { m_add = new frmAdd; });
        QTest::newRow("add category") << std::function<void()>([this] {
            m_add = new frmAdd;
            Find<QCheckBox>(m_add, "ChkAddCat")->setChecked(true);
            choose(m_add, "CmbParentCat", QStringLiteral("Food"));
            Find<QLineEdit>(m_add, "TxtCatName")->setText(QStringLiteral("Bakeries"));
        }) << std::function<void()>([this] { Find<QPushButton>(m_add, "CmdAddCat")->click(); });
        QTest::newRow("add district") << std::function<void()>([this] {
            m_add = new frmAdd;
            Find<QCheckBox>(m_add, "ChkAddDistrict")->setChecked(true);
            choose(m_add, "CmbCityAdd", QStringLiteral("Giza"));
            Find<QLineEdit>(m_add, "TxtNewDistrict")->setText(QStringLiteral("Haram"));
        }) << std::function<void()>([this] { Find<QPushButton>(m_add, "CmdAddDistrict")->click(); });
        QTest::newRow("add place") << std::function<void()>([this] {
            m_add = new frmAdd;
            Find<QCheckBox>(m_add, "ChkAddPlace")->setChecked(true);
            choose(m_add, "CmbPlaceParent", QStringLiteral("Food"));
            choose(m_add, "CmbCity", QStringLiteral("Cairo"));
            choose(m_add, "CmbDistrict", QStringLiteral("Zamalek"));
            Find<QLineEdit>(m_add, "TxtPlaceName")->setText(QStringLiteral("Corner Bakery"));
            QTest::keyClicks(Find<QWidget>(m_add, "TxtAddress"), QStringLiteral("1 Nile St"));
        }) << std::function<void()>([this] { Find<QPushButton>(m_add, "CmdAddPlace")->click(); });
        QTest::newRow("update window") << std::function<void()>(nothing)
                                       << std::function<void()>([this] { m_update = new frmUpdate; });
        QTest::newRow("update place") << std::function<void()>([this] {
            m_update = new frmUpdate;
            EditingFixture::LoadPlace(m_update, 2);
            choose(m_update, "CmbPlaceParent", QStringLiteral("Food"));
            choose(m_update, "CmbCity", QStringLiteral("Giza"));
            choose(m_update, "CmbDistrict", QStringLiteral("Dokki"));
            Find<QLineEdit>(m_update, "TxtPlaceName")->setText(QStringLiteral("Food Court"));
        }) << std::function<void()>([this] { Find<QPushButton>(m_update, "CmdUpdate")->click(); });
        QTest::newRow("delete place") << std::function<void()>([this] {
            openMain();
            ClickNode(Tree(*m_main), node("BR 3"));
            QTRY_COMPARE(BrowsingFixture::Places(*m_main)->rowCount(), 3);
            QTreeView *list = List(*m_main);
            list->selectionModel()->select(list->model()->index(0, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }) << std::function<void()>([this] { m_main->ToolbarButton(ToolbarEntry::Delete)->trigger(); });
        QTest::newRow("delete category") << std::function<void()>([this] {
            openMain();
            Tree(*m_main)->setCurrentIndex(node("BR 7"));
        }) << std::function<void()>([this] { m_main->ToolbarButton(ToolbarEntry::DeleteCategory)->trigger(); });
    }

private Q_SLOTS:
    void init()
    {
        Load();
        m_messages.clear();
        SetMsgBoxHandler([this](const MsgBoxRequest &request) {
            m_messages.append({request.title + QStringLiteral(": ") + request.text.simplified(), overrideShape()});
            return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
    }

    void cleanup()
    {
        FailOnUnexpectedMessages();
        delete m_search;
        delete m_add;
        delete m_update;
        m_main.reset();
        // Whatever went wrong above must not leave a wait cursor for the next test.
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }

    void showsTheWaitCursorWhileItWorks_data() { addRows(); }
    void showsTheWaitCursorWhileItWorks()
    {
        QFETCH(std::function<void()>, prepare);
        QFETCH(std::function<void()>, act);
        prepare();
        QCOMPARE(overrideShape(), -1);
        CursorWitness witness;
        if (!witness.active())
            QSKIP("Statements can be watched on SQLite only.");
        act();

        QVERIFY2(!witness.shapes().isEmpty(), "the action ran no statement");
        for (int shape : witness.shapes())
            QCOMPARE(shape, int(Qt::WaitCursor));
        QCOMPARE(overrideShape(), -1);
        // The pointer is the feedback: the status bar's last two panels stay empty.
        if (m_main) {
            QCOMPARE(BrowsingFixture::PanelText(*m_main, 3), QString());
            QCOMPARE(BrowsingFixture::PanelText(*m_main, 4), QString());
        }
        // Only the confirmations and the reports of success were shown, never under the wait.
        for (const auto &[message, shape] : std::as_const(m_messages))
            QVERIFY2(shape != int(Qt::WaitCursor), qPrintable(message));
    }

    void restoresThePointerWhenTheDatabaseFails_data() { addRows(); }
    void restoresThePointerWhenTheDatabaseFails()
    {
        QFETCH(std::function<void()>, prepare);
        QFETCH(std::function<void()>, act);
        prepare();
        // A server that went away, or a file another program holds locked: reads and writes fail.
        DatabaseFaults faults;
        faults.inject(TestDatabase::IsPostgreSQL() ? DatabaseFaults::Kind::ServerGone : DatabaseFaults::Kind::Locked);
        m_messages.clear();
        act();

        QCOMPARE(overrideShape(), -1);
        for (const auto &[message, shape] : std::as_const(m_messages))
            QVERIFY2(shape != int(Qt::WaitCursor), qPrintable(message));
    }

    void aMessageInsideTheWaitShowsTheOrdinaryPointer()
    {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        MsgBox(QStringLiteral("Asked"), QMessageBox::Ok, QMessageBox::NoIcon, QStringLiteral("Title"));
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.first().second, int(Qt::ArrowCursor));
        // The wait goes on once the box is answered.
        QCOMPARE(overrideShape(), int(Qt::WaitCursor));
        QGuiApplication::restoreOverrideCursor();
        QCOMPARE(overrideShape(), -1);

        // Without a wait the box changes nothing about the pointer.
        MsgBox(QStringLiteral("Asked"), QMessageBox::Ok, QMessageBox::NoIcon, QStringLiteral("Title"));
        QCOMPARE(m_messages.last().second, -1);
        QCOMPARE(overrideShape(), -1);
    }
};

TARNWICK_TEST_MAIN(TestWaitCursor)
#include "tst_wait_cursor.moc"
