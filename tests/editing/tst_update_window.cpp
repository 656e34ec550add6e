#include "editing/frmUpdate.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QGroupBox>
#include <QPointer>

#include "EditingFixture.h"

using namespace EditingFixture;

namespace {

struct Edit
{
    QString name = QStringLiteral("  Cafe  ");
    QString address = QStringLiteral(" 5 Main St ");
    QString telephone = QStringLiteral("02 555");
    QString more = QStringLiteral("late");
    QString url = QStringLiteral("   ");
    QString category = QStringLiteral("Food");
    QString city = QStringLiteral("Giza");
    QString district = QStringLiteral("Dokki");
};

// The window for place 42, edited as the user does.
QPointer<frmUpdate> openFor42(const Edit &edit)
{
    QPointer<frmUpdate> window = new frmUpdate;
    EditingFixture::LoadPlace(window, 42);
    window->show();
    Type(Find<QWidget>(window, "TxtPlaceName"), edit.name);
    Type(Find<QWidget>(window, "TxtAddress"), edit.address);
    Type(Find<QWidget>(window, "TxtTelephone"), edit.telephone);
    Type(Find<QWidget>(window, "TxtMore"), edit.more);
    Type(Find<QWidget>(window, "TxtURL"), edit.url);
    const QList<QPair<const char *, QString>> choices = {
        {"CmbPlaceParent", edit.category}, {"CmbCity", edit.city}, {"CmbDistrict", edit.district}};
    for (const auto &[box, entry] : choices) {
        if (entry.isEmpty())
            ClearChoiceOf(Find<QComboBox>(window, box));
        else
            Choose(Find<QComboBox>(window, box), entry);
    }
    return window;
}

QList<QStringList> place42()
{
    return TestDatabase::Rows(QStringLiteral("select leaf_name, telephone, address, web_link, city, district, "
                                             "more_data from places_leaves where leaf_id = 42"));
}

QList<QStringList> links42()
{
    return TestDatabase::Rows(QStringLiteral("select branch_id from places_branch_leaves where leaf_id = 42"));
}

} // namespace

// The update window: both statements stored together, the window closing only when they are.
class TestUpdateWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MakeSmallDirectory();
        TestDatabase::Exec(QStringLiteral("insert into places_leaves values (42, 'Old Cafe', '01', 'Old St', 12, 1, "
                                          "'old', ' http://old.example')"));
        TestDatabase::Exec(QStringLiteral("insert into places_branch_leaves values (7, 42)"));
    }

    void layout()
    {
        frmUpdate window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Add New Information"));
        QCOMPARE(Find<QGroupBox>(&window, "FramePlace")->title(), QStringLiteral("Add New Place"));
        QCOMPARE(Find<QAbstractButton>(&window, "CmdUpdate")->text(), QStringLiteral("&Update"));
        QCOMPARE(Find<QAbstractButton>(&window, "CmdCancel")->text(), QStringLiteral("&Cancel"));
        const QStringList expected = {QStringLiteral("CmbPlaceParent"), QStringLiteral("TxtPlaceName"),
                                      QStringLiteral("CmbCity"),        QStringLiteral("CmbDistrict"),
                                      QStringLiteral("TxtAddress"),     QStringLiteral("TxtTelephone"),
                                      QStringLiteral("TxtMore"),        QStringLiteral("TxtURL"),
                                      QStringLiteral("CmdUpdate"),      QStringLiteral("CmdCancel")};
        QStringList order;
        QWidget *widget = Find<QWidget>(&window, "CmbPlaceParent");
        do {
            if (expected.contains(widget->objectName()) && !order.contains(widget->objectName()))
                order.append(widget->objectName());
            widget = widget->nextInFocusChain();
        } while (widget->objectName() != QLatin1StringView("CmbPlaceParent"));
        QCOMPARE(order, expected);
    }

    void updateStoresBothAndCloses()
    {
        MessageRecorder messages;
        const auto others = TestDatabase::Rows(QStringLiteral("select * from places_leaves where leaf_id <> 42"));
        QPointer<frmUpdate> window = openFor42(Edit());
        Click(window, "CmdUpdate");
        QCOMPARE(messages.count(), 0);
        // Trimmed; the address box to TELEPHONE, the telephone box to ADDRESS; a blank URL is NULL.
        QCOMPARE(place42(), (QList<QStringList>{{QStringLiteral("Cafe"), QStringLiteral("5 Main St"),
                                                 QStringLiteral("02 555"), QStringLiteral("<null>"),
                                                 QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("late")}}));
        QCOMPARE(links42(), QList<QStringList>{{QStringLiteral("4")}});
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select * from places_leaves where leaf_id <> 42")), others);
        QTRY_VERIFY(window.isNull());
    }

    void urlTrimmedAndRootCategory()
    {
        Edit edit;
        edit.url = QStringLiteral("  http://example.com/cafe ");
        edit.category = QStringLiteral("* Root *");
        QPointer<frmUpdate> window = openFor42(edit);
        Click(window, "CmdUpdate");
        QCOMPARE(place42().value(0).value(3), QStringLiteral("http://example.com/cafe"));
        QCOMPARE(links42(), QList<QStringList>{{QStringLiteral("0")}});
        QTRY_VERIFY(window.isNull());
    }

    void refusalsKeepTheWindowOpen()
    {
        MessageRecorder messages;
        const auto before = Snapshot();
        Edit blank;
        blank.name = QStringLiteral("   ");
        QPointer<frmUpdate> window = openFor42(blank);
        Click(window, "CmdUpdate");
        QCOMPARE(messages.last().text, QStringLiteral("Error You Must Enter valid Place Name "));
        QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));
        QVERIFY(window && window->isVisible());
        delete window;

        // Leaving the city box reloads its districts, so the district chosen before is gone.
        window = openFor42(Edit());
        QVERIFY(QTest::qWaitForWindowActive(window));
        Find<QComboBox>(window, "CmbCity")->setFocus();
        Find<QWidget>(window, "TxtAddress")->setFocus();
        const QStringList typed = PlaceInputs(window);
        Click(window, "CmdUpdate");
        QCOMPARE(messages.count(), 2);
        QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));
        QVERIFY(messages.last().text.contains(QStringLiteral("District")));
        QVERIFY(window && window->isVisible());
        QCOMPARE(PlaceInputs(window), typed);
        QCOMPARE(Snapshot(), before);
        delete window;
    }

    void cancelStoresNothing()
    {
        const auto before = Snapshot();
        QPointer<frmUpdate> window = openFor42(Edit());
        Click(window, "CmdCancel");
        QTRY_VERIFY(window.isNull());
        QCOMPARE(Snapshot(), before);
    }

    void rolledBackUpdateIsTold()
    {
        // A second link row for place 42: moving both to category 4 breaks the link key, after the
        // place itself was already rewritten.
        TestDatabase::Exec(QStringLiteral("insert into places_branch_leaves values (4, 42)"));
        MessageRecorder messages;
        const auto before = Snapshot();
        QPointer<frmUpdate> window = openFor42(Edit());
        const QStringList typed = PlaceInputs(window);
        Click(window, "CmdUpdate");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QVERIFY(messages.last().text.contains(QStringLiteral("not updated")));
        QCoreApplication::processEvents();
        QVERIFY(window && window->isVisible());
        QCOMPARE(PlaceInputs(window), typed);
        QCOMPARE(Snapshot(), before);
        delete window;
    }

    void quotesAreStoredAsTyped()
    {
        MessageRecorder messages;
        const auto others = TestDatabase::Rows(QStringLiteral("select * from places_leaves where leaf_id <> 42"));
        Edit quoted;
        quoted.name = QStringLiteral("Joe's Diner");
        quoted.address = QStringLiteral("1 O'Neil St");
        quoted.telephone = QStringLiteral("'02' 5");
        quoted.more = QStringLiteral("it's'; delete from cm_city; --");
        quoted.url = QStringLiteral("http://example.com/?q='a'");
        QPointer<frmUpdate> window = openFor42(quoted);
        Click(window, "CmdUpdate");
        QCOMPARE(messages.count(), 0);
        QCOMPARE(place42(), (QList<QStringList>{{quoted.name, quoted.address, quoted.telephone, quoted.url,
                                                 QStringLiteral("3"), QStringLiteral("2"), quoted.more}}));
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select * from places_leaves where leaf_id <> 42")), others);
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from cm_city")).toInt(), 3);
        QTRY_VERIFY(window.isNull());
    }

    // Enter in a box stores nothing and never closes: a box of several lines starts a new line.
    // On a focused "&Update" it stores; on "&Cancel" it does nothing, nor does Escape.
    void enterUpdatesOnlyOnAFocusedUpdate_data()
    {
        QTest::addColumn<QByteArray>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome");
        for (const char *control : {"CmbPlaceParent", "TxtPlaceName", "CmbCity", "CmbDistrict", "TxtAddress",
                                    "TxtTelephone", "TxtMore", "TxtURL", "CmdUpdate", "CmdCancel"}) {
            const QByteArray name(control);
            const QString outcome = name == "CmdUpdate"                         ? QStringLiteral("stored")
                                    : name == "TxtAddress" || name == "TxtMore" ? QStringLiteral("new line")
                                                                                : QStringLiteral("nothing");
            for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter)})
                QTest::addRow("%s on %s", key == Qt::Key_Enter ? "keypad Enter" : "Enter", control)
                    << name << key << outcome;
        }
        QTest::newRow("Escape") << QByteArray("TxtPlaceName") << int(Qt::Key_Escape) << QStringLiteral("nothing");
    }

    void enterUpdatesOnlyOnAFocusedUpdate()
    {
        QFETCH(QByteArray, focus);
        QFETCH(int, key);
        QFETCH(QString, outcome);
        MessageRecorder messages;
        const auto before = Snapshot();
        QPointer<frmUpdate> window = openFor42(Edit());
        QVERIFY(QTest::qWaitForWindowActive(window));
        QStringList expected = PlaceInputs(window);
        if (focus == "TxtAddress" || focus == "TxtMore")
            expected[focus == "TxtAddress" ? 1 : 3] += QStringLiteral("\n");
        QWidget *target = Find<QWidget>(window, focus.constData());
        target->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), target);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join(QLatin1Char('|'))));
        if (outcome == QLatin1String("stored")) {
            QCOMPARE(place42().value(0).value(0), QStringLiteral("Cafe"));
            QTRY_VERIFY(window.isNull());
            return;
        }
        QCOMPARE(Snapshot(), before);
        QVERIFY(window && window->isVisible());
        QCOMPARE(PlaceInputs(window), expected);
        delete window;
    }
};

TARNWICK_TEST_MAIN(TestUpdateWindow)
#include "tst_update_window.moc"
