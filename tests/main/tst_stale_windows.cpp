#include "editing/EditingFixture.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

using namespace EditingFixture;

// The update window is not modal: while it is open the main window may delete the place it
// edits, or the category the user is about to choose. Its update then must not pass for done,
// nor file the place under a category that is gone.
class TestStaleWindows : public QObject
{
    Q_OBJECT

    QPointer<frmMain> m_main;

    QPointer<frmUpdate> openUpdate()
    {
        m_main->UpdateList(7);
        m_main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"))
            ->selectionModel()
            ->select(BrowsingFixture::Places(*m_main)->index(0, 0),
                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_main->ToolbarButton(ToolbarEntry::Update)->trigger();
        return EditingFixture::ShownUpdateWindow();
    }

private Q_SLOTS:
    void init()
    {
        MakeSmallDirectory();
        TestDatabase::Exec(QStringLiteral("insert into places_root values (9, 'Closing Soon', 0, 'N', 1)"));
        m_main = new frmMain;
        m_main->show();
    }

    void cleanup()
    {
        delete m_main;
        DeleteUpdateWindows();
    }

    void placeDeletedWhileEdited()
    {
        MessageRecorder messages;
        QPointer<frmUpdate> window = openUpdate();
        QVERIFY(window);
        Choose(Find<QComboBox>(window, "CmbPlaceParent"), QStringLiteral("Cafes"));
        Type(Find<QWidget>(window, "TxtPlaceName"), QStringLiteral("Cafe Nile Renamed"));

        messages.answer(QMessageBox::Yes);
        m_main->ToolbarButton(ToolbarEntry::Delete)->trigger(); // from the same selection
        QCOMPARE(messages.last().text, QStringLiteral(" Place  Deleted "));
        const auto before = Snapshot();

        messages.clear();
        Click(window, "CmdUpdate");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QVERIFY2(messages.last().text.contains(QStringLiteral("deleted")), qPrintable(messages.last().text));
        QVERIFY(window && window->isVisible());
        QCOMPARE(TextOf(Find<QWidget>(window, "TxtPlaceName")), QStringLiteral("Cafe Nile Renamed"));
        QCOMPARE(Snapshot(), before);
    }

    void categoryDeletedWhileChosen()
    {
        MessageRecorder messages;
        QPointer<frmUpdate> window = openUpdate();
        QVERIFY(window);
        Type(Find<QWidget>(window, "TxtPlaceName"), QStringLiteral("Cafe Nile Moved"));

        // The main window deletes the empty category the window still offers.
        auto *tree = m_main->findChild<QTreeView *>(QStringLiteral("CatTree"));
        BrowsingFixture::Places(*m_main)->clear();
        tree->setCurrentIndex(tree->model()
                                  ->match(tree->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("Closing Soon"),
                                          1, Qt::MatchExactly | Qt::MatchRecursive)
                                  .value(0));
        messages.answer(QMessageBox::Yes);
        m_main->ToolbarButton(ToolbarEntry::DeleteCategory)->trigger();
        QCOMPARE(messages.last().text, QStringLiteral("Closing Soon  Deleted "));
        const auto before = Snapshot();

        messages.clear();
        Choose(Find<QComboBox>(window, "CmbPlaceParent"), QStringLiteral("Closing Soon"));
        Click(window, "CmdUpdate");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));
        QVERIFY(window && window->isVisible());
        QCOMPARE(Snapshot(), before);
        // The window offers what there is now; chosen again, the update is stored.
        QCOMPARE(Texts(Find<QComboBox>(window, "CmbPlaceParent")),
                 (QStringList{QStringLiteral("* Root *"), QStringLiteral("Food"), QStringLiteral("Cafes")}));
        QCOMPARE(TextOf(Find<QWidget>(window, "TxtPlaceName")), QStringLiteral("Cafe Nile Moved"));
        Choose(Find<QComboBox>(window, "CmbPlaceParent"), QStringLiteral("Food"));
        Click(window, "CmdUpdate");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select branch_id from places_branch_leaves where leaf_id = 41")),
                 QList<QStringList>{{QStringLiteral("4")}});
    }

    // "Exit " closes the main window only: the update window stays open with what was typed,
    // and its "&Update" stores that through the connection still open. The program ends when
    // that last window closes. Run inside the application's own event loop, which quits then.
    void updateWindowOutlivesExit()
    {
        MessageRecorder messages;
        QPointer<frmUpdate> window = openUpdate();
        QVERIFY(window);
        const QList<QPair<const char *, QString>> typed = {{"TxtPlaceName", QStringLiteral("Cafe Nile Afloat")},
                                                           {"TxtAddress", QStringLiteral("7 Corniche")},
                                                           {"TxtTelephone", QStringLiteral("02 777")},
                                                           {"TxtMore", QStringLiteral("on the river")},
                                                           {"TxtURL", QStringLiteral("http://afloat.example")}};
        for (const auto &[box, text] : typed)
            Type(Find<QWidget>(window, box), text);
        Choose(Find<QComboBox>(window, "CmbPlaceParent"), QStringLiteral("Food"));
        Choose(Find<QComboBox>(window, "CmbCity"), QStringLiteral("Giza"));
        Choose(Find<QComboBox>(window, "CmbDistrict"), QStringLiteral("Dokki"));
        const QStringList asTyped = PlaceInputs(window);

        bool runningAfterExit = false;
        bool openAfterExit = false;
        QStringList inputsAfterExit;
        connect(m_main, &QObject::destroyed, qApp, [&] {
            QTimer::singleShot(0, qApp, [&] {
                runningAfterExit = true;
                openAfterExit = window && window->isVisible();
                if (!openAfterExit)
                    return;
                inputsAfterExit = PlaceInputs(window);
                Click(window, "CmdUpdate");
            });
        });
        QTimer::singleShot(0, m_main, [this] { m_main->ToolbarButton(ToolbarEntry::Exit)->trigger(); });
        QVERIFY(TestSupport::RunEventLoopUntilQuit());
        QVERIFY(m_main.isNull());
        QVERIFY(runningAfterExit);
        QVERIFY(openAfterExit);
        QCOMPARE(inputsAfterExit, asTyped);
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(
            TestDatabase::Rows(QStringLiteral("select leaf_name, telephone, address, more_data, web_link, city, "
                                              "district from places_leaves where leaf_id = 41")),
            (QList<QStringList>{{QStringLiteral("Cafe Nile Afloat"), QStringLiteral("7 Corniche"),
                                 QStringLiteral("02 777"), QStringLiteral("on the river"),
                                 QStringLiteral("http://afloat.example"), QStringLiteral("3"), QStringLiteral("2")}}));
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select branch_id from places_branch_leaves where leaf_id = 41")),
                 QList<QStringList>{{QStringLiteral("4")}});
        QTRY_VERIFY(window.isNull());
    }
};

TARNWICK_TEST_MAIN(TestStaleWindows)
#include "tst_stale_windows.moc"
