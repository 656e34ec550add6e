#include "data/rows/CsvReader.h"
#include "support/SmallDirectory.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

// Places in and out of the directory as CSV, through the real program on the test's database:
// every refusal told by line, nothing stored after one, and an export that imports unchanged.
class TestPlaceFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

    struct Run
    {
        int exitCode = -1;
        QString messages; // standard error
        QString result;   // standard output
        QByteArray output;
    };

    // What the program tells: its standard streams are text on Windows, where lines end in "\r\n".
    static QString lines(const QByteArray &told)
    {
        QString text = QString::fromUtf8(told);
#ifdef Q_OS_WIN
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
        return text;
    }

    static Run transfer(const QStringList &arguments)
    {
        QProcess program;
        program.start(QStringLiteral(TARNWICK_TRANSFER_PROGRAM), arguments);
        if (!program.waitForFinished(120000))
            return {};
        const QByteArray output = program.readAllStandardOutput();
        return {program.exitCode(), lines(program.readAllStandardError()), lines(output), output};
    }

    // A file as the program names it to the user.
    static QString shown(const QString &path)
    {
        return QDir::toNativeSeparators(path);
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The records of an export, the header first, the places sorted: a server lists in no
    // promised order.
    static QList<QStringList> records(const QByteArray &csv)
    {
        QList<QStringList> all;
        const QString text = QString::fromUtf8(csv);
        Processing::CsvReader reader(text);
        while (reader.next()) {
            all.append(QStringList());
            for (const QString &field : reader.fields())
                all.last().append(QString(field.constData(), field.size())); // its own, beyond text's life
        }
        std::sort(all.begin() + std::min<qsizetype>(1, all.size()), all.end());
        return all;
    }

    // The places' columns as stored, the category by name.
    static QList<QStringList> storedPlaces()
    {
        return TestDatabase::Rows(QStringLiteral(
            "select l.leaf_name, l.address, l.telephone, l.city, d.district_name, l.more_data, l.web_link, "
            "r.branch_name from places_leaves l join places_branch_leaves b on b.leaf_id = l.leaf_id "
            "join places_root r on r.branch_id = b.branch_id join places_district d on d.district_id = l.district "
            "order by l.leaf_id"));
    }

private Q_SLOTS:
    void init()
    {
        // Beside the small directory: two categories of one name, under Food and under Cafes.
        SmallDirectory::MakeSmallDirectory();
        TestDatabase::Exec({QStringLiteral("insert into places_root values (8, 'Kiosks', 4, 'N', 1)"),
                            QStringLiteral("insert into places_root values (9, 'Kiosks', 7, 'N', 1)")});
    }

    void importRefusesEveryFaultAndStoresNothing()
    {
        // Each record of the file, faulty and as mended. Line 2 is the header's.
        struct Record
        {
            QString faulty;
            QString reason; // empty for a sound record
            QString mended;
        };
        const QString longName(251, QLatin1Char('n'));
        const QList<Record> table{
            {QStringLiteral("   ,Food,Cairo,Zamalek,1 Nile St,,,"),
             QStringLiteral("Error You Must Enter valid Place Name "),
             QStringLiteral("Kiosk One,Food,Cairo,Zamalek,1 Nile St,,,")},
            {QStringLiteral("No Address,Food,Cairo,Zamalek,,,,"),
             QStringLiteral("You Can't Enter a Place without Address "),
             QStringLiteral("With Address,Food,Cairo,Zamalek,  ,,,")},
            {longName + QStringLiteral(",Food,Cairo,Zamalek,2 Nile St,,,"),
             QStringLiteral("the Name is 251 characters long; at most 250 fit"),
             longName.left(250) + QStringLiteral(",Food,Cairo,Zamalek,2 Nile St,,,")},
            // A quoted line break, a comma and a quote: the next record starts two lines on.
            {QStringLiteral("\"Multi\",Food,Luxor,Karnak,\"3 Temple St,\r\n\"\"Gate\"\"\",,,"),
             QStringLiteral("unknown city \"Luxor\""),
             QStringLiteral("\"Multi\",Food,Cairo,Maadi,\"3 Temple St,\r\n\"\"Gate\"\"\",,,")},
            {QStringLiteral("Dokki Cafe,Cafes,Cairo,Dokki,4 St,,,"),
             QStringLiteral("the district \"Dokki\" lies in \"Giza\", not in \"Cairo\""),
             QStringLiteral("Dokki Cafe,Cafes,Giza,Dokki,4 St,,,")},
            {QStringLiteral("Far Cafe,Cafes,Cairo,Heliopolis,5 St,,,"),
             QStringLiteral("unknown district \"Heliopolis\" in \"Cairo\""),
             QStringLiteral("Far Cafe,Cafes,Cairo, Zamalek ,5 St,,,")},
            {QStringLiteral("Kiosk Two,Kiosks,Giza,Haram,6 St,,,"),
             QStringLiteral("the category \"Kiosks\" is ambiguous: 2 categories are so named; give its path from the "
                            "root, the names joined by \" / \""),
             QStringLiteral("Kiosk Two,Food / Cafes / Kiosks,Giza,Haram,6 St,,,")},
            {QStringLiteral("Bakery,Bakeries,Giza,Haram,7 St,,,"), QStringLiteral("unknown category \"Bakeries\""),
             QStringLiteral("Bakery,Food/Kiosks,Giza,Haram,7 St,,,")},
            {QStringLiteral("cafe nile,Cafes,Cairo,Zamalek, 5 MAIN ST ,,,"),
             QStringLiteral("Repeated Entry: This Place name and address are repeated ,This can't be added (the stored "
                            "place 41)"),
             QStringLiteral("cafe nile,Cafes,Cairo,Zamalek,6 main st,,,")},
            {QStringLiteral("Twin,Cafes,Aswan,,8 St,,,"), QStringLiteral("no District given"),
             QStringLiteral("Twin,Cafes,Giza,Agouza,8 St,'+20 2,' http://twin.example ,'=1+1")},
            {QStringLiteral("TWIN,Cafes,Giza,Agouza,8 st,,,"),
             QStringLiteral("repeats line 13: the same name and address"),
             QStringLiteral("Twin Two,Cafes,Giza,Agouza,8 st,,,")},
            {QStringLiteral("Short,Cafes,Giza"), QStringLiteral("it has 3 fields where the header names 8 columns"),
             QStringLiteral("''Quoted,Cafes,Giza,Agouza,9 St,,,")},
        };
        const QString header = QStringLiteral("Name,Category,City,District,Address,Telephone,URL,More\r\n");
        QString faulty = QStringLiteral("\r\n") + header;
        QString mended = header;
        for (const Record &record : table) {
            faulty += record.faulty + QStringLiteral("\r\n");
            mended += record.mended + QStringLiteral("\r\n");
        }
        const auto before = SmallDirectory::Snapshot();
        const QString database = TestDatabase::Descriptor();
        const QString path = write(QStringLiteral("places.csv"), faulty.toUtf8());
        const Run refused = transfer({QStringLiteral("import"), QStringLiteral("--database"), database, path});
        QCOMPARE(refused.exitCode, 1);
        QStringList expected;
        qsizetype line = 3;
        for (const Record &record : table) {
            if (!record.reason.isEmpty())
                expected.append(QStringLiteral("%1:%2: %3").arg(shown(path)).arg(line).arg(record.reason));
            line += record.faulty.count(QLatin1Char('\n')) + 1;
        }
        expected.append(QStringLiteral("Nothing of %1 was imported: 12 of 12 records refused.").arg(shown(path)));
        QCOMPARE(refused.messages.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
        QCOMPARE(SmallDirectory::Snapshot(), before);
        // A record that is no place stores nothing of the sound ones either.
        const QString broken =
            write(QStringLiteral("broken.csv"),
                  (header + QStringLiteral("Sound,Food,Cairo,Zamalek,1 St,,,\r\n\"Open,Food\r\n")).toUtf8());
        QCOMPARE(
            transfer({QStringLiteral("import"), QStringLiteral("--database"), database, broken}).messages,
            QStringLiteral("%1:3: the quoted field opened on line 3 is never closed\nNothing of %1 was imported: 1 "
                           "of 2 records refused.\n")
                .arg(shown(broken)));
        QCOMPARE(SmallDirectory::Snapshot(), before);

        // Mended, in the encoding Arabic spreadsheets write, every place is stored once, as the
        // add window stores it: name and address trimmed, the telephone in ADDRESS and the
        // address in TELEPHONE, the link after a blank; a cell's guarding ' taken off.
        // "مقهى النيل,Cafes,Cairo,Maadi,شارع النيل,,," as bytes: Qt on Windows has no encoder for it.
        const QString arabic = write(QStringLiteral("mended.csv"),
                                     mended.toUtf8() + "\xE3\xDE\xE5\xEC \xC7\xE1\xE4\xED\xE1,Cafes,Cairo,Maadi,"
                                                       "\xD4\xC7\xD1\xDA \xC7\xE1\xE4\xED\xE1,,,\r\n");
        const QStringList import{QStringLiteral("import"),     QStringLiteral("--database"),   database,
                                 QStringLiteral("--encoding"), QStringLiteral("windows-1256"), arabic};
        const Run stored = transfer(import);
        QCOMPARE(stored.result, QStringLiteral("Imported 13 places from %1.\n").arg(shown(arabic)));
        QCOMPARE(stored.exitCode, 0);
        const QList<QStringList> places = storedPlaces();
        QCOMPARE(places.size(), 14);
        QCOMPARE(places[1],
                 (QStringList{QStringLiteral("Kiosk One"), QString(), QStringLiteral("1 Nile St"), QStringLiteral("12"),
                              QStringLiteral("Zamalek"), QString(), QStringLiteral(" "), QStringLiteral("Food")}));
        QCOMPARE(places[2][2], QString()); // an address of blanks, trimmed
        QCOMPARE(places[4][2], QStringLiteral("3 Temple St,\r\n\"Gate\""));
        QCOMPARE(places[7][7], QStringLiteral("Kiosks"));
        QCOMPARE(places[10], (QStringList{QStringLiteral("Twin"), QStringLiteral("+20 2"), QStringLiteral("8 St"),
                                          QStringLiteral("3"), QStringLiteral("Agouza"), QStringLiteral("=1+1"),
                                          QStringLiteral(" http://twin.example"), QStringLiteral("Cafes")}));
        QCOMPARE(places[12][0], QStringLiteral("'Quoted"));
        QCOMPARE(places[13][0], QStringLiteral("مقهى النيل"));
        QCOMPARE(
            TestDatabase::Scalar(QStringLiteral("select min(leaf_id) from places_leaves where leaf_id > 41")).toInt(),
            42);

        // Again: each one repeats a stored place, and nothing more is stored.
        const Run again = transfer(import);
        QCOMPARE(again.exitCode, 1);
        QCOMPARE(again.messages.count(QStringLiteral("Repeated Entry")), 13);
        QCOMPARE(storedPlaces(), places);
    }

    void exportImportsAgainUnchanged()
    {
        // Texts a spreadsheet would run as formulas, a ' of its own, Arabic, a line break, and
        // a place filed under the root.
        TestDatabase::Exec({
            QStringLiteral("insert into places_leaves values (42, '=HYPERLINK(\"x\")', '+20 2 555', '@home', 3, 2, "
                           "'-5 stars', ' http://x.example')"),
            QStringLiteral("insert into places_leaves values (43, '''quoted', '02', 'سوق' || '\n' || 'الجمعة', 3, 4, "
                           "'\tTab', NULL)"),
            QStringLiteral("insert into places_branch_leaves values (0, 42)"),
            QStringLiteral("insert into places_branch_leaves values (9, 43)"),
        });
        const QString database = TestDatabase::Descriptor();
        const QString first = folder.filePath(QStringLiteral("first.csv"));
        const Run exported = transfer({QStringLiteral("export"), QStringLiteral("--database"), database, first});
        QCOMPARE(exported.result, QStringLiteral("Exported 3 places to %1.\n").arg(shown(first)));
        const QByteArray file = read(first);
        QVERIFY(file.startsWith("\xEF\xBB\xBFName,Category,City,District,Address,Telephone,URL,More\r\n"));
        QVERIFY(
            file.contains("\r\n\"'=HYPERLINK(\"\"x\"\")\",* Root *,Giza,Dokki,'@home,'+20 2 555,http://x.example,'-5 "
                          "stars\r\n"));
        QVERIFY(file.contains("\r\n''quoted,Food / Cafes / Kiosks,Giza,Haram,"));
        // Standard output carries the very bytes of the file, a line break inside a field too.
        const QStringList cafes{QStringLiteral("export"), QStringLiteral("--database"), database,
                                QStringLiteral("--category"), QStringLiteral("Cafes")};
        const Run told = transfer(cafes + QStringList{QStringLiteral("-")});
        QCOMPARE(told.messages, QStringLiteral("Exported 2 places to standard output.\n"));
        QCOMPARE(transfer(cafes + QStringList{folder.filePath(QStringLiteral("cafes.csv"))}).exitCode, 0);
        QCOMPARE(told.output, read(folder.filePath(QStringLiteral("cafes.csv"))));

        // Into a directory with the same cities and nothing else.
        TestDatabase::Reset({QStringLiteral("root.sql")});
        TestDatabase::Exec({QStringLiteral("insert into cm_city (CODE, ENAME) values (3, 'Giza')"),
                            QStringLiteral("insert into cm_city (CODE, ENAME) values (12, 'Cairo')")});
        const Run imported = transfer({QStringLiteral("import"), QStringLiteral("--database"), database,
                                       QStringLiteral("--create-missing"), first});
        QCOMPARE(imported.result,
                 QStringLiteral("Imported 3 places from %1, with 3 new categories and 3 new districts made.\n")
                     .arg(shown(first)));
        const QString second = folder.filePath(QStringLiteral("second.csv"));
        QCOMPARE(transfer({QStringLiteral("export"), QStringLiteral("--database"), database, second}).exitCode, 0);
        QCOMPARE(records(read(second)), records(file));
        QCOMPARE(
            TestDatabase::Scalar(QStringLiteral("select leaf_name from places_leaves where more_data = '-5 stars'"))
                .toString(),
            QStringLiteral("=HYPERLINK(\"x\")"));
    }
};

TARNWICK_TEST_MAIN(TestPlaceFiles)
#include "tst_place_files.moc"
