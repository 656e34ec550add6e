#include "editing/frmAdd.h"
#include "support/Keyboard.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QCheckBox>

#include "EditingFixture.h"

using namespace EditingFixture;

namespace {

struct Place
{
    QString name = QStringLiteral("Nile View");
    QString address = QStringLiteral("7 River Rd");
    QString telephone = QStringLiteral("02 777");
    QString more = QStringLiteral("good tea");
    QString url;
    QString category = QStringLiteral("Cafes");
    QString city = QStringLiteral("Cairo");
    QString district = QStringLiteral("Maadi");
};

// Fills the place group box as the user does; an empty choice is left unchosen.
void fill(frmAdd &dialog, const Place &place)
{
    auto *check = Find<QCheckBox>(&dialog, "ChkAddPlace");
    if (!check->isChecked())
        check->click();
    Type(Find<QWidget>(&dialog, "TxtPlaceName"), place.name);
    Type(Find<QWidget>(&dialog, "TxtAddress"), place.address);
    Type(Find<QWidget>(&dialog, "TxtTelephone"), place.telephone);
    Type(Find<QWidget>(&dialog, "TxtMore"), place.more);
    Type(Find<QWidget>(&dialog, "TxtURL"), place.url);
    const QList<QPair<const char *, QString>> choices = {
        {"CmbPlaceParent", place.category}, {"CmbCity", place.city}, {"CmbDistrict", place.district}};
    for (const auto &[box, entry] : choices) {
        if (entry.isEmpty())
            ClearChoiceOf(Find<QComboBox>(&dialog, box));
        else
            Choose(Find<QComboBox>(&dialog, box), entry);
    }
}

QList<QStringList> place(int leafId)
{
    return TestDatabase::Rows(
        QStringLiteral("select leaf_name, address, telephone, city, district, more_data, web_link from places_leaves "
                       "where leaf_id = %1")
            .arg(leafId));
}

QList<QStringList> links(int leafId)
{
    return TestDatabase::Rows(
        QStringLiteral("select branch_id from places_branch_leaves where leaf_id = %1").arg(leafId));
}

} // namespace

// Adding a place: its identifier, the checks and their messages, the two rows stored together.
class TestAddPlace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { MakeSmallDirectory(); }

    void twoPlacesAfterTheLargest()
    {
        MessageRecorder messages;
        frmAdd dialog;
        Place first;
        first.name = QStringLiteral("  Nile View ");
        first.url = QStringLiteral("  http://example.com/nile  ");
        fill(dialog, first);
        Click(&dialog, "CmdAddPlace");
        QVERIFY2(messages.count() == 0, qPrintable(messages.texts().join(QLatin1Char('|'))));
        // The address box goes to TELEPHONE and the telephone box to ADDRESS.
        QCOMPARE(place(42),
                 (QList<QStringList>{{QStringLiteral("Nile View"), QStringLiteral("02 777"),
                                      QStringLiteral("7 River Rd"), QStringLiteral("12"), QStringLiteral("3"),
                                      QStringLiteral("good tea"), QStringLiteral(" http://example.com/nile")}}));
        QCOMPARE(links(42), QList<QStringList>{{QStringLiteral("7")}});
        QCOMPARE(PlaceInputs(&dialog), QStringList(8));
        for (const char *box : {"CmbPlaceParent", "CmbCity", "CmbDistrict"})
            QCOMPARE(Find<QComboBox>(&dialog, box)->currentIndex(), -1);

        Place second;
        second.name = QStringLiteral("Nile Kiosk");
        second.category = QStringLiteral("* Root *");
        fill(dialog, second);
        Click(&dialog, "CmdAddPlace");
        QVERIFY2(messages.count() == 0, qPrintable(messages.texts().join(QLatin1Char(0x7c))));
        QCOMPARE(place(43).value(0).value(6), QStringLiteral(" "));
        QCOMPARE(links(43), QList<QStringList>{{QStringLiteral("0")}});
    }

    void checksAndTheirMessages()
    {
        MessageRecorder messages;
        frmAdd dialog;
        const auto before = Snapshot();
        Place blank;
        blank.name = QStringLiteral("   ");
        fill(dialog, blank);
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.last().text, QStringLiteral("Error You Must Enter valid Place Name "));
        QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));

        Place noAddress;
        noAddress.address.clear();
        fill(dialog, noAddress);
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.last().text, QStringLiteral("You Can't Enter a Place without Address "));
        QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));
        QCOMPARE(messages.last().icon, QMessageBox::NoIcon);

        // The stored CAFE NILE at 5 main st, whatever the case of the letters.
        Place repeated;
        repeated.name = QStringLiteral("Cafe Nile");
        repeated.address = QStringLiteral("5 Main St");
        fill(dialog, repeated);
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.count(), 3);
        QCOMPARE(messages.last().text,
                 QStringLiteral("This Place name and address are repeated ,This can't be added\r\nUpdate the existing "
                                "place or change this place name "));
        QCOMPARE(messages.last().title, QStringLiteral("Repeated Entry"));
        QCOMPARE(messages.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(TextOf(Find<QWidget>(&dialog, "TxtPlaceName")), QStringLiteral("Cafe Nile"));
        QCOMPARE(Snapshot(), before);

        // The same name at another address, of blanks only, is a new place, stored as the check
        // compares it: without the blanks around, as an update would store it too.
        repeated.address = QStringLiteral("  ");
        fill(dialog, repeated);
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.count(), 3);
        QCOMPARE(place(42).value(0).value(2), QString());

        // What is checked is what is stored: typed again with a blank after it, it is a repeat.
        Place trailing;
        trailing.name = QStringLiteral("Trim Place");
        trailing.address = QStringLiteral("2 Trim Street ");
        for (int time = 1; time <= 2; ++time) {
            fill(dialog, trailing);
            Click(&dialog, "CmdAddPlace");
        }
        QCOMPARE(messages.count(), 4);
        QCOMPARE(messages.last().title, QStringLiteral("Repeated Entry"));
        QCOMPARE(place(43).value(0).value(2), QStringLiteral("2 Trim Street"));
    }

    void missingChoicesAreToldFirst()
    {
        MessageRecorder messages;
        frmAdd dialog;
        const auto before = Snapshot();
        const QList<QPair<QString, QString>> cases = {{QStringLiteral("category"), QStringLiteral("Parent Category")},
                                                      {QStringLiteral("city"), QStringLiteral("City")},
                                                      {QStringLiteral("district"), QStringLiteral("District")}};
        for (const auto &[missing, label] : cases) {
            Place place;
            if (missing == QLatin1StringView("category"))
                place.category.clear();
            else if (missing == QLatin1StringView("city"))
                place.city.clear();
            else
                place.district.clear();
            fill(dialog, place);
            if (missing == QLatin1StringView("city"))
                Type(Find<QComboBox>(&dialog, "CmbCity"), QStringLiteral("Atlantis"));
            const QStringList typed = PlaceInputs(&dialog);
            Click(&dialog, "CmdAddPlace");
            QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));
            QVERIFY2(messages.last().text.contains(label), qPrintable(messages.last().text));
            QCOMPARE(PlaceInputs(&dialog), typed);
        }
        QCOMPARE(Snapshot(), before);
        // Nothing was attempted, so the next place still gets 42.
        fill(dialog, Place());
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(links(42), QList<QStringList>{{QStringLiteral("7")}});
    }

    void rolledBackAddIsTold()
    {
        // A stray link row for place 42 makes the second insert fail after the first succeeded.
        TestDatabase::Exec(QStringLiteral("insert into places_branch_leaves values (7, 42)"));
        MessageRecorder messages;
        frmAdd dialog;
        fill(dialog, Place());
        const QStringList typed = PlaceInputs(&dialog);
        const auto before = Snapshot();
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QVERIFY(messages.last().text.contains(QStringLiteral("Nile View")));
        QCOMPARE(PlaceInputs(&dialog), typed);
        QCOMPARE(Snapshot(), before);

        // The identifier was used up by the attempt; the next one is stored.
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(place(43).value(0).value(0), QStringLiteral("Nile View"));
        QCOMPARE(place(42), QList<QStringList>());
    }

    void identifierLimits()
    {
        TestDatabase::Exec(QStringLiteral("delete from places_branch_leaves"));
        TestDatabase::Exec(QStringLiteral("update places_leaves set leaf_id = 32767"));
        MessageRecorder messages;
        frmAdd dialog;
        Place place;
        place.name = QStringLiteral("One Too Many");
        fill(dialog, place);
        const auto before = Snapshot();
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QVERIFY(messages.last().text.contains(QStringLiteral("32767")));
        QCOMPARE(TextOf(Find<QWidget>(&dialog, "TxtPlaceName")), QStringLiteral("One Too Many"));
        QCOMPARE(Snapshot(), before);
    }

    // Lines typed into the Address and More boxes are stored ending in CR LF, as the directory's
    // rows hold them: an address typed again over several lines is a repeated entry.
    void lineBreaksAsTheDirectoryStoresThem()
    {
        TestDatabase::Exec(
            QStringLiteral("insert into places_leaves values (43, 'Boat', '02 43', 'Pier 3\r\nCorniche', "
                           "12, 1, 'fish', NULL)"));
        TestDatabase::Exec(QStringLiteral("insert into places_branch_leaves values (7, 43)"));
        MessageRecorder messages;
        frmAdd dialog;
        Place boat;
        boat.name = QStringLiteral("BOAT");
        boat.address.clear();
        boat.more.clear();
        fill(dialog, boat);
        auto *address = Find<QWidget>(&dialog, "TxtAddress");
        Keyboard::Type(address, QStringLiteral("pier 3\ncorniche"));
        const auto before = Snapshot();
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("Repeated Entry"));
        QCOMPARE(Snapshot(), before);
        QCOMPARE(TextOf(address), QStringLiteral("pier 3\ncorniche"));

        messages.clear();
        Keyboard::Type(address, QStringLiteral("\nGate 2"));
        Keyboard::Type(Find<QWidget>(&dialog, "TxtMore"), QStringLiteral("fish\n\nand tea"));
        Click(&dialog, "CmdAddPlace");
        QVERIFY2(messages.count() == 0, qPrintable(messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(place(44), (QList<QStringList>{{QStringLiteral("BOAT"), QStringLiteral("02 777"),
                                                 QStringLiteral("pier 3\r\ncorniche\r\nGate 2"), QStringLiteral("12"),
                                                 QStringLiteral("3"), QStringLiteral("fish\r\n\r\nand tea"),
                                                 QStringLiteral(" ")}}));
    }
};

TARNWICK_TEST_MAIN(TestAddPlace)
#include "tst_add_place.moc"
