#include "data/setup/InterfaceLanguage.h"
#include "main/BrowsingFixture.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCollator>
#include <QColor>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <memory>
#include <numeric>

using namespace BrowsingFixture;

// The places list: what each column shows, the colour of places with a link, sorting by a
// header, and opening a place's link.
class TestList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<frmMain> window;
    QTreeView *list = nullptr;

    QStringList row(int r) const
    {
        QStringList texts;
        for (int c = 0; c < list->model()->columnCount(); ++c)
            texts.append(list->model()->index(r, c).data().toString());
        return texts;
    }

    // Runs act on the first widget of type T that the application shows modally (or as a popup),
    // once it shows one while owner lives.
    template<typename T> static void whenShown(QObject *owner, std::function<void(T *)> act)
    {
        auto *poll = new QTimer(owner);
        QObject::connect(poll, &QTimer::timeout, [poll, act] {
            QWidget *shown = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                               : QApplication::activeModalWidget();
            if (auto *widget = qobject_cast<T *>(shown)) {
                poll->deleteLater();
                poll->stop();
                act(widget);
            }
        });
        poll->start(10);
    }

    // Chooses path in the "Save List As" dialog the window opens next, and answers the question
    // whether to replace a file there with replace.
    void chooseFile(const QString &path, QMessageBox::StandardButton replace)
    {
        whenShown<QFileDialog>(window.get(), [path, replace](QFileDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Save List As"));
            whenShown<QMessageBox>(dialog, [replace](QMessageBox *question) { question->button(replace)->click(); });
            // In the file's own folder: where the dialog opens (the home folder, when Documents is
            // missing) a "Places.csv" of its own would be chosen before the name typed.
            dialog->setDirectory(QFileInfo(path).absolutePath());
            // Typed into the name box, as a user does: selectFile() leaves the box alone while it
            // has the focus, which it may or may not have yet.
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(path);
            static_cast<QDialog *>(dialog)->accept(); // as the dialog's Save button does
            // Refused, the dialog would stay open and the test wait for ever.
            if (dialog->isVisible())
                dialog->reject();
        });
    }

    QVariant colour(const QString &name) const
    {
        return list->model()->index(Row(list, name), 0).data(Qt::ForegroundRole);
    }

private Q_SLOTS:
    // Qt's own file dialog, as on Linux: Windows' own answers nothing a test sends it.
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void init()
    {
        Load();
        window = std::make_unique<frmMain>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        list = List(*window);
    }

    void cleanup() { window.reset(); }

    void columnsShowTheFieldsCrosswise()
    {
        QCOMPARE(list->model()->columnCount(), 8);
        const QStringList headers{QStringLiteral("Name"),    QStringLiteral("City"),      QStringLiteral("District"),
                                  QStringLiteral("Address"), QStringLiteral("Telephone"), QStringLiteral("More"),
                                  QStringLiteral("URL"),     QStringLiteral("Category")};
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(list->model()->headerData(c, Qt::Horizontal).toString(), headers.at(c));
            QCOMPARE(list->header()->sectionSize(c), Twips(1440));
        }

        window->UpdateList(-1);
        // The "Address" column shows the address text, stored in TELEPHONE; "Telephone" the
        // telephone text, stored in ADDRESS. A link is shown as stored, leading blank and all.
        QCOMPARE(row(Row(list, QStringLiteral("Tourist Office"))),
                 (QStringList{QStringLiteral("Tourist Office"), QStringLiteral("Cairo"), QStringLiteral("Zamalek"),
                              QStringLiteral("Tahrir Sq"), QStringLiteral("02 1111"), QStringLiteral("Maps"),
                              QStringLiteral(" http://example.com/info"), QStringLiteral("Main Categories")}));
        // NULLs are empty.
        QCOMPARE(row(Row(list, QStringLiteral("food court"))),
                 (QStringList{QStringLiteral("food court"), QStringLiteral("Giza"), QStringLiteral("Dokki"),
                              QStringLiteral("Mall Road"), QStringLiteral("02 2222"), QString(), QString(),
                              QStringLiteral("Food")}));
        auto *places = qobject_cast<PlacesModel *>(list->model());
        QVERIFY(places);
        QCOMPARE(places->PlaceId(Row(list, QStringLiteral("Green Tea House"))), 7);
    }

    void placesWithALinkArePureBlue()
    {
        window->UpdateList(-1);
        QCOMPARE(colour(QStringLiteral("Tourist Office")).value<QColor>(), QColor(0, 0, 255));
        QCOMPARE(colour(QStringLiteral("Zephyr Cafe")).value<QColor>(), QColor(0, 0, 255));
        QCOMPARE(list->model()->index(Row(list, QStringLiteral("Zephyr Cafe")), 5).data(Qt::ForegroundRole),
                 QVariant(QColor(0, 0, 255)));
        // No link, and a link of blanks only: the list's own colour.
        QVERIFY(!colour(QStringLiteral("food court")).isValid());
        QVERIFY(!colour(QStringLiteral("Cafe Nile")).isValid());
    }

    void aPlaceIsListedOnce()
    {
        // Beta Clinic is linked to Health and to Clinics: two result rows, one listed place.
        window->UpdateList(-1);
        QStringList names = Column(list, 0);
        QCOMPARE(names.count(QStringLiteral("Beta Clinic")), 1);
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("Beta Clinic"), QStringLiteral("Cafe Nile"),
                                     QStringLiteral("Green Tea House"), QStringLiteral("Tourist Office"),
                                     QStringLiteral("Zephyr Cafe"), QStringLiteral("apple Tea"),
                                     QStringLiteral("food court")}));
        // A reload replaces the list, it does not add to it.
        window->UpdateList(-1);
        QCOMPARE(list->model()->rowCount(), 7);
        window->UpdateList(3);
        QCOMPARE(list->model()->rowCount(), 3);
    }

    void everyHeaderClickFlipsTheOrder()
    {
        window->UpdateList(3);
        // The first click sorts ascending, without regard to case.
        ClickHeader(list, 0);
        QCOMPARE(Column(list, 0), (QStringList{QStringLiteral("apple Tea"), QStringLiteral("Cafe Nile"),
                                               QStringLiteral("Zephyr Cafe")}));
        QVERIFY(list->header()->isSortIndicatorShown());
        QCOMPARE(list->header()->sortIndicatorSection(), 0);
        QCOMPARE(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
        ClickHeader(list, 0);
        QCOMPARE(Column(list, 0), (QStringList{QStringLiteral("Zephyr Cafe"), QStringLiteral("Cafe Nile"),
                                               QStringLiteral("apple Tea")}));
        QCOMPARE(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);

        // A new column is sorted opposite to the previous sort: here ascending again.
        ClickHeader(list, 1);
        QCOMPARE(Column(list, 1),
                 (QStringList{QStringLiteral("alexandria"), QStringLiteral("Cairo"), QStringLiteral("Giza")}));
        QCOMPARE(list->header()->sortIndicatorSection(), 1);
        ClickHeader(list, 1);
        QCOMPARE(Column(list, 1),
                 (QStringList{QStringLiteral("Giza"), QStringLiteral("Cairo"), QStringLiteral("alexandria")}));
        // And after a descending sort, a new column comes ascending.
        ClickHeader(list, 3);
        QCOMPARE(Column(list, 3),
                 (QStringList{QStringLiteral("Brazil St"), QStringLiteral("Corniche"), QStringLiteral("Dokki St")}));
        ClickHeader(list, 7);
        QCOMPARE(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);

        // The order stays with the list: the next load comes sorted the same way.
        ClickHeader(list, 0);
        QCOMPARE(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
        window->UpdateList(-1);
        QStringList names = Column(list, 0);
        QStringList sorted = names;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(names, sorted);
    }

    void sortAgreesWithACaseBlindStableCollation()
    {
        // Texts that share long beginnings, differ only in case or only after many letters, are
        // beginnings of one another, or are empty; some fit one byte a character, some do not.
        QRandomGenerator random(7);
        const QStringList pieces{QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("é"),
                                 QStringLiteral("É"), QStringLiteral(" "),
                                 // Beyond one byte a character: such places are kept apart.
                                 QStringLiteral("ω"), QStringLiteral("Ω"), QStringLiteral("ع"), QStringLiteral("😀")};
        const auto text = [&](int length) {
            QString t = random.bounded(2) ? QStringLiteral("Shared beginning ") : QString();
            for (int i = 0; i < length; ++i)
                t += pieces.at(random.bounded(int(pieces.size())));
            return t;
        };
        QStringList statements;
        for (int id = 100; id < 400; ++id) {
            const QString more = random.bounded(5) == 0
                                     ? QStringLiteral("NULL")
                                     : QLatin1Char('\'') + text(random.bounded(30)) + QLatin1Char('\'');
            statements.append(QStringLiteral("insert into places_leaves values (%1, '%2', '1', '2', 1, 1, %3, NULL)")
                                  .arg(id)
                                  .arg(text(random.bounded(20)), more));
            statements.append(QStringLiteral("insert into places_branch_leaves values (5, %1)").arg(id));
        }
        TestDatabase::Exec(statements);

        window->UpdateList(5);
        QCOMPARE(list->model()->rowCount(), 300);
        const QList<QStringList> loaded{Column(list, 0), Column(list, 5)};
        // Each place shows its stored name, whichever way the list keeps it.
        QStringList stored;
        for (const QStringList &row : TestDatabase::Rows(
                 QStringLiteral("select coalesce(leaf_name, '') from places_leaves where leaf_id >= 100")))
            stored.append(row.first());
        QStringList shown = loaded[0];
        stored.sort();
        shown.sort();
        QCOMPARE(shown, stored);
        const auto expected = [&](int which, bool ascending) {
            QList<int> order(300);
            std::iota(order.begin(), order.end(), 0);
            QCollator english(QLocale(QLocale::English));
            english.setCaseSensitivity(Qt::CaseInsensitive);
            // The texts themselves compared: Qt 6.4's keys on Windows are no measure.
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                const int c = english.compare(loaded[which][a], loaded[which][b]);
                return ascending ? c < 0 : c > 0;
            });
            QStringList texts;
            for (int i : order)
                texts.append(loaded[which][i]);
            return texts;
        };
        ClickHeader(list, 0);
        QCOMPARE(Column(list, 0), expected(0, true));
        ClickHeader(list, 0);
        QCOMPARE(Column(list, 0), expected(0, false));
        ClickHeader(list, 5);
        QCOMPARE(Column(list, 5), expected(1, true));
        ClickHeader(list, 5);
        QCOMPARE(Column(list, 5), expected(1, false));
    }

    // The language's alphabetical order, not the characters' numbers: a vowel mark or a hamza on
    // the alef does not move a name away from its letters, an accent not past the z.
    void sortsAsTheLanguageSorts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("English") << "en" << QStringList{"apple", "Éclair", "zeta bar"};
        QTest::newRow("Arabic") << "ar" << QStringList{"ابراهيم", "أحمد", "احمد", "مُحمد", "مطعم"};
    }

    void sortsAsTheLanguageSorts()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, sorted);
        Processing::UseLanguage(language);
        QStringList statements;
        for (qsizetype i = 0; i < sorted.size(); ++i) {
            // Stored in the opposite order, so that only a sort puts them right.
            const int id = 500 + int(sorted.size() - i);
            statements << QStringLiteral("insert into places_leaves values (%1, '%2', '1', '2', 1, 1, NULL, NULL)")
                              .arg(id)
                              .arg(sorted.at(i))
                       << QStringLiteral("insert into places_branch_leaves values (5, %1)").arg(id);
        }
        TestDatabase::Exec(statements);
        window->UpdateList(5);
        ClickHeader(list, 0);
        QStringList shown = Column(list, 0);
        Processing::UseLanguage(QStringLiteral("en"));
        // The alef with a hamza and the bare one are one letter: which of the two names comes
        // first is the collation's own choice.
        for (QStringList *names : {&shown, &sorted})
            names->replaceInStrings(QStringLiteral("أ"), QStringLiteral("ا"));
        QCOMPARE(shown, sorted);
    }

    void sortingKeepsTheSelectedPlace()
    {
        window->UpdateList(3);
        DoubleClickRow(list, Row(list, QStringLiteral("Cafe Nile")));
        ClickHeader(list, 0);
        ClickHeader(list, 0);
        const QModelIndexList selected = list->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().data().toString(), QStringLiteral("Cafe Nile"));
    }

    void saveListAsWritesTheListAsShown_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<int>("replace");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("saved");
        QTest::newRow("context menu, new file") << true << false << int(QMessageBox::No) << false << true;
        QTest::newRow("Ctrl+S, replacing a file") << false << true << int(QMessageBox::Yes) << false << true;
        QTest::newRow("Ctrl+S, a file kept") << false << true << int(QMessageBox::No) << false << false;
        QTest::newRow("read-only folder") << true << false << int(QMessageBox::No) << true << false;
    }

    void saveListAsWritesTheListAsShown()
    {
        QFETCH(bool, byMenu);
        QFETCH(bool, existing);
        QFETCH(int, replace);
        QFETCH(bool, readOnly);
        QFETCH(bool, saved);
        // A formula, a comma, a quote and a line break, each written so a spreadsheet reads it as text.
        TestDatabase::Exec(QStringLiteral("update places_leaves set more_data = '=1+1', telephone = 'Clinic St, \"B\"' "
                                          "|| chr(13) || chr(10) || '2nd floor' where leaf_id = 6")
                               .replace(QStringLiteral("chr("), TestDatabase::IsPostgreSQL()
                                                                    ? QStringLiteral("chr(")
                                                                    : QStringLiteral("char(")));
        window->UpdateList(1);
        ClickHeader(list, 0);
        ClickHeader(list, 0); // by name, descending
        window->UpdateList(2);
        // A server's list arrives in steps; the save waits for it, and so must the test's reading.
        QTRY_VERIFY(!window->ListLoading());

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("places.csv"));
        if (existing) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        const bool superuser = QFileInfo(folder.path()).isWritable() && readOnly;
        if (readOnly) {
            QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            // The owner's rights do not hold back the superuser, as the tests may run: the immutable
            // attribute does.
            if (superuser && QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder.path()}) != 0)
                QSKIP("the folder cannot be made read-only for this user");
        }
        MessageRecorder messages;
        chooseFile(path, QMessageBox::StandardButton(replace));
        if (byMenu) {
            // The menu key asks the list for its menu.
            whenShown<QMenu>(window.get(), [](QMenu *menu) {
                QCOMPARE(menu->actions().first()->text(), QStringLiteral("Save List As\u2026"));
                menu->actions().first()->trigger();
                menu->close();
            });
            QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), list->mapToGlobal(QPoint(0, 0)));
            QApplication::sendEvent(list, &key);
        } else {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        }
        QTRY_VERIFY(!QApplication::activeModalWidget());
        if (superuser)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder.path()});
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QFile file(path);
        const QByteArray written = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (saved) {
            QCOMPARE(messages.count(), 0);
            // Health's places in the order shown, every column as listed, in UTF-8 with its mark.
            QCOMPARE(written,
                     QByteArray("\xEF\xBB\xBFName,City,District,Address,Telephone,More,URL,Category\r\n"
                                "Beta Clinic,Cairo,Zamalek,\"Clinic St, \"\"B\"\"\r\n2nd floor\",02 6666,'=1+1,,"
                                "Health\r\n"));
        } else if (readOnly) {
            QCOMPARE(messages.count(), 1);
            QCOMPARE(messages.last().title, QStringLiteral("Save List As"));
            QVERIFY2(messages.last().text.contains(QDir::toNativeSeparators(path)), qPrintable(messages.last().text));
            QVERIFY(!file.exists());
        } else {
            QCOMPARE(messages.count(), 0);
            QCOMPARE(written, QByteArray("old"));
        }
    }

    void doubleClickOpensTheLinkAsShown()
    {
        BrowserRecorder browser;
        window->UpdateList(-1);
        DoubleClickRow(list, Row(list, QStringLiteral("Tourist Office")));
        QCOMPARE(browser.started(), QStringList{QStringLiteral(" http://example.com/info")});

        // No link, or blanks only: nothing starts.
        DoubleClickRow(list, Row(list, QStringLiteral("food court")));
        DoubleClickRow(list, Row(list, QStringLiteral("Cafe Nile")));
        QCOMPARE(browser.started().size(), 1);

        // Nothing listed: a double-click finds nothing to open.
        window->UpdateList(20);
        QCOMPARE(list->model()->rowCount(), 0);
        DoubleClickAt(list, QPoint(20, 20));
        QCOMPARE(browser.started().size(), 1);
    }
};

TARNWICK_TEST_MAIN(TestList)
#include "tst_list.moc"
