#include "data/statements/SqlText.h"
#include "editing/EditingFixture.h"
#include "editing/MultiLineTextBox.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/HostileInputs.h"
#include "support/Keyboard.h"
#include "support/Recorders.h"
#include "support/StatementTrace.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTreeView>

#include <algorithm>

using namespace EditingFixture;
using HostileInputs::Input;

namespace {

enum class Entry { Typed, Pasted };

// One way of putting one text into one box.
struct Case
{
    Input input;
    Entry entry;

    QString describe(const char *box) const
    {
        return QStringLiteral("%1, %2 %3").arg(input.label, entry == Entry::Typed ? "typed into" : "pasted into", box);
    }
};

// Every text of the corpus and of the length texts for a box, typed where it can be typed and
// pasted always. Nobody types tens of thousands of characters: those are only pasted.
QList<Case> casesFor(int maxLength, bool multiLine)
{
    QList<Case> cases;
    QList<Input> inputs = HostileInputs::Corpus();
    inputs += HostileInputs::AtAndBeyondLength(maxLength);
    for (const Input &input : inputs) {
        if (Keyboard::Typeable(input.text, multiLine) && input.text.size() <= 1000)
            cases.append({input, Entry::Typed});
        cases.append({input, Entry::Pasted});
    }
    return cases;
}

void enter(QWidget *box, const Case &c)
{
    Keyboard::Clear(box);
    if (c.entry == Entry::Typed)
        Keyboard::Type(box, c.input.text);
    else
        Keyboard::Paste(box, c.input.text);
}

// What a box holds after the text went in: NULs dropped; in a box of several lines a CR LF or
// a lone CR is a new line. Pasted text is cut at the limit; typed text keeps every character
// that still fits whole when its key is pressed. Either way no character is cut in two.
QString expectedInBox(QString text, int maxLength, bool multiLine, Entry entry)
{
    text.remove(QChar(0));
    if (multiLine) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    if (entry == Entry::Typed) {
        QString kept;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype units = text.at(i).isHighSurrogate() ? 2 : 1;
            if (kept.size() + units <= maxLength)
                kept += text.mid(i, units);
            i += units - 1;
        }
        return kept;
    }
    if (text.size() > maxLength) {
        text.truncate(maxLength);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

// A long text shortened for a failure message.
QString brief(const QString &text)
{
    return text.size() <= 80 ? text : text.left(60) + QStringLiteral("... (%1 code units)").arg(text.size());
}

QString brief(const QStringList &texts)
{
    QStringList shortened;
    for (const QString &text : texts)
        shortened.append(brief(text));
    return shortened.join(QLatin1Char('|'));
}

// The statements that carry a literal, as skeletons: typed text may change only what lies
// inside the literals.
QStringList literalSkeletons(const QStringList &statements)
{
    QStringList skeletons;
    for (const QString &sql : statements) {
        if (sql.contains(QLatin1Char('\'')))
            skeletons.append(StatementTrace::Skeleton(sql));
    }
    return skeletons;
}

using Tables = QList<QList<QStringList>>;

// The rows of after that are not in before, table by table; and the rows of before that are gone.
struct Difference
{
    Tables added;
    Tables removed;
};

Difference difference(const Tables &before, const Tables &after)
{
    Difference d;
    for (qsizetype t = 0; t < before.size(); ++t) {
        QList<QStringList> added = after.at(t);
        QList<QStringList> removed;
        for (const QStringList &row : before.at(t)) {
            if (!added.removeOne(row))
                removed.append(row);
        }
        d.added.append(added);
        d.removed.append(removed);
    }
    return d;
}

enum Table { Root, Leaves, Links, Districts, Cities };

// Only the given rows were added, nothing was removed or changed.
Difference onlyAdded(const Tables &before, const Tables &after, const QList<QPair<Table, int>> &counts)
{
    const Difference d = difference(before, after);
    for (int t = Root; t <= Cities; ++t) {
        int expected = 0;
        for (const auto &[table, count] : counts) {
            if (table == t)
                expected = count;
        }
        if (d.added.at(t).size() != expected || !d.removed.at(t).isEmpty())
            qWarning() << "table" << t << "added" << d.added.at(t) << "removed" << d.removed.at(t);
    }
    return d;
}

// The like of the places query, as a user expects it: "%" any run of characters, "_" any one,
// everything else itself, without regard to letter case.
bool likeMatches(const QString &text, const QString &pattern)
{
    const QList<uint> t = text.toUpper().toUcs4();
    const QList<uint> p = pattern.toUpper().toUcs4();
    qsizetype ti = 0;
    qsizetype pi = 0;
    qsizetype star = -1;
    qsizetype mark = 0;
    while (ti < t.size()) {
        if (pi < p.size() && (p.at(pi) == '_' || (p.at(pi) != '%' && p.at(pi) == t.at(ti)))) {
            ++ti;
            ++pi;
        } else if (pi < p.size() && p.at(pi) == '%') {
            star = pi++;
            mark = ti;
        } else if (star >= 0) {
            pi = star + 1;
            ti = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p.at(pi) == '%')
        ++pi;
    return pi == p.size();
}

// A box of a place and where its text is stored.
struct PlaceBox
{
    const char *name;
    int maxLength;
    bool multiLine;
    int column; // of "select leaf_name, address, telephone, more_data, web_link"
};

const PlaceBox PlaceBoxes[] = {
    {"TxtPlaceName", 250, false, 0}, {"TxtTelephone", 100, false, 1}, {"TxtAddress", 400, true, 2},
    {"TxtMore", 250, true, 3},       {"TxtURL", 100, false, 4},
};

const char *const PlaceColumns = "leaf_name, address, telephone, more_data, web_link";

} // namespace

// Hostile text in every text box of every window: what is stored is what the box showed (trimmed
// where the program trims), a search finds it, nothing else changes, and no typed text reaches
// the database other than inside its quotes.
class TestHostileInput : public QObject
{
    Q_OBJECT

    QPointer<frmMain> m_main;
    int m_cases = 0;

    QStringList listedKeys() const
    {
        QStringList keys;
        for (int row = 0; row < BrowsingFixture::Places(*m_main)->rowCount(); ++row)
            keys.append(QStringLiteral("LF%1").arg(BrowsingFixture::Places(*m_main)->PlaceId(row)));
        keys.sort();
        return keys;
    }

    // Searches from a new search dialog, as the toolbar opens it; the name is pasted.
    void search(const QString &name, const char *option, MessageRecorder &messages)
    {
        FrmSearch dialog(*m_main, m_main);
        dialog.show();
        Keyboard::Paste(Find<QWidget>(&dialog, "TxtPlaceName"), name);
        Find<QRadioButton>(&dialog, option)->click();
        const int shown = messages.count();
        Click(&dialog, "CmdSearch");
        if (messages.count() > shown)
            qWarning() << "search for" << brief(name) << "told:" << brief(messages.texts().mid(shown));
    }

    // A search by the stored name lists the place with its stored texts.
    void foundBySearch(int leafId, const QStringList &stored, MessageRecorder &messages, const QString &what)
    {
        search(stored.at(0), "OptExact", messages);
        const QString key = QStringLiteral("LF%1").arg(leafId);
        int row = -1;
        for (int r = 0; r < BrowsingFixture::Places(*m_main)->rowCount(); ++r) {
            if (QStringLiteral("LF%1").arg(BrowsingFixture::Places(*m_main)->PlaceId(r)) == key)
                row = r;
        }
        QVERIFY2(row >= 0, qPrintable(what + QStringLiteral(": not found by its name")));
        const QStringList shown = {BrowsingFixture::Places(*m_main)->Text(row, PlacesModel::Name),
                                   BrowsingFixture::Places(*m_main)->Text(row, PlacesModel::Telephone),
                                   BrowsingFixture::Places(*m_main)->Text(row, PlacesModel::Address),
                                   BrowsingFixture::Places(*m_main)->Text(row, PlacesModel::More),
                                   BrowsingFixture::Places(*m_main)->Text(row, PlacesModel::URL)};
        QStringList expected = stored;
        expected.replace(4, stored.at(4) == QLatin1String("<null>") ? QString() : stored.at(4));
        QVERIFY2(shown == expected, qPrintable(what + QStringLiteral(": listed as ") + brief(shown)));
    }

    void fillPlainPlace(frmAdd &dialog, int n)
    {
        Choose(Find<QComboBox>(&dialog, "CmbPlaceParent"), QStringLiteral("Cafes"));
        Choose(Find<QComboBox>(&dialog, "CmbCity"), QStringLiteral("Cairo"));
        Choose(Find<QComboBox>(&dialog, "CmbDistrict"), QStringLiteral("Zamalek"));
        Find<QLineEdit>(&dialog, "TxtPlaceName")->setText(QStringLiteral("Place %1").arg(n));
        Find<MultiLineTextBox>(&dialog, "TxtAddress")->setText(QStringLiteral("%1 Nile St").arg(n));
        Find<QLineEdit>(&dialog, "TxtTelephone")->setText(QStringLiteral("02 %1").arg(n));
        Find<MultiLineTextBox>(&dialog, "TxtMore")->setText(QStringLiteral("more %1").arg(n));
        Find<QLineEdit>(&dialog, "TxtURL")->setText(QStringLiteral("http://example.com/%1").arg(n));
    }

    // What each box stores: the lines of a box of several lines end in CR LF.
    static QStringList boxTexts(const QWidget *window)
    {
        QStringList texts;
        for (const PlaceBox &box : PlaceBoxes) {
            QString text = TextOf(Find<QWidget>(window, box.name));
            if (box.multiLine)
                text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
            texts.append(text);
        }
        return texts;
    }

    frmUpdate *openUpdateFor41()
    {
        // As a click on Cafes lists it: the last search no longer applies.
        m_main->SetSearchStr(QString());
        m_main->UpdateList(7);
        auto *list = m_main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"));
        list->selectionModel()->select(BrowsingFixture::Places(*m_main)->index(0, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_main->ToolbarButton(ToolbarEntry::Update)->trigger();
        frmUpdate *window = EditingFixture::ShownUpdateWindow();
        return window && window->isVisible() ? window : nullptr;
    }

private Q_SLOTS:
    void init()
    {
        MakeSmallDirectory();
        m_main = new frmMain;
        m_main->show();
    }

    void cleanup()
    {
        delete m_main;
        DeleteUpdateWindows();
    }

    void cleanupTestCase()
    {
        qInfo("hostile inputs tried on %s: %d", qPrintable(TestDatabase::BackendName()), m_cases);
    }

    void placeBoxesOfTheAddDialog()
    {
        MessageRecorder messages;
        StatementTrace trace;
        frmAdd dialog(m_main);
        dialog.show();
        Find<QCheckBox>(&dialog, "ChkAddPlace")->click();
        int n = 0;
        for (const PlaceBox &box : PlaceBoxes) {
            QStringList baseline; // the statements of a plain place, as skeletons
            QList<Case> cases = casesFor(box.maxLength, box.multiLine);
            cases.prepend({{QStringLiteral("plain"), QStringLiteral("plain text")}, Entry::Typed});
            for (const Case &c : cases) {
                const QString what = c.describe(box.name);
                ++n;
                fillPlainPlace(dialog, n);
                auto *widget = Find<QWidget>(&dialog, box.name);
                enter(widget, c);
                const QString inBox = expectedInBox(c.input.text, box.maxLength, box.multiLine, c.entry);
                QVERIFY2(TextOf(widget) == inBox,
                         qPrintable(what + QStringLiteral(": the box shows ") + brief(TextOf(widget))));
                QStringList stored = boxTexts(&dialog);
                stored[0] = Processing::TrimBlanks(stored[0]);
                stored[2] = Processing::TrimBlanks(stored[2]); // the address, as the check for a repeat has it
                stored[4] = QStringLiteral(" ") + Processing::TrimBlanks(stored[4]);

                const Tables before = Snapshot();
                trace.clear();
                messages.clear();
                Click(&dialog, "CmdAddPlace");
                ++m_cases;
                const QStringList sent = trace.statements();
                if (stored[0].isEmpty()) {
                    QVERIFY2(messages.count() == 1 && messages.last().title == QLatin1String("Invalid data"),
                             qPrintable(what));
                    QCOMPARE(Snapshot(), before);
                    continue;
                }
                QVERIFY2(messages.count() == 0, qPrintable(what + QStringLiteral(": ") + brief(messages.texts())));
                const Difference d = onlyAdded(before, Snapshot(), {{Leaves, 1}, {Links, 1}});
                QVERIFY2(d.added.at(Leaves).size() == 1 && d.added.at(Links).size() == 1, qPrintable(what));
                const int leafId = d.added.at(Leaves).first().at(0).toInt();
                QCOMPARE(d.added.at(Links).first(), (QStringList{QStringLiteral("7"), QString::number(leafId)}));
                const QList<QStringList> row = TestDatabase::Rows(
                    QStringLiteral("select %1 from places_leaves where leaf_id = %2").arg(PlaceColumns).arg(leafId));
                QVERIFY2(row.value(0) == stored, qPrintable(what + QStringLiteral(": stored ") + brief(row.value(0))));
                if (trace.active()) {
                    if (baseline.isEmpty())
                        baseline = literalSkeletons(sent);
                    QVERIFY2(literalSkeletons(sent) == baseline,
                             qPrintable(what + QStringLiteral(": sent ") + brief(sent)));
                }
                foundBySearch(leafId, stored, messages, what);
            }
        }
        if (!trace.active())
            QSKIP(StatementTrace::NotSeen);
    }

    void placeBoxesOfTheUpdateWindow()
    {
        MessageRecorder messages;
        StatementTrace trace;
        for (const PlaceBox &box : PlaceBoxes) {
            QStringList baseline;
            QList<Case> cases = casesFor(box.maxLength, box.multiLine);
            cases.prepend({{QStringLiteral("plain"), QStringLiteral("plain text")}, Entry::Typed});
            for (const Case &c : cases) {
                const QString what = c.describe(box.name);
                TestDatabase::Exec(
                    QStringLiteral("update places_leaves set leaf_name = 'CAFE NILE', address = '02 41', "
                                   "telephone = '5 main st', more_data = 'tea', web_link = ' http://x' "
                                   "where leaf_id = 41"));
                QPointer<frmUpdate> window = openUpdateFor41();
                QVERIFY2(window, qPrintable(what));
                Choose(Find<QComboBox>(window, "CmbPlaceParent"), QStringLiteral("Cafes"));
                auto *widget = Find<QWidget>(window, box.name);
                enter(widget, c);
                const QString inBox = expectedInBox(c.input.text, box.maxLength, box.multiLine, c.entry);
                QVERIFY2(TextOf(widget) == inBox,
                         qPrintable(what + QStringLiteral(": the box shows ") + brief(TextOf(widget))));
                QStringList stored;
                for (const QString &text : boxTexts(window))
                    stored.append(Processing::TrimBlanks(text));
                if (stored[4].isEmpty())
                    stored[4] = QStringLiteral("<null>");

                const Tables before = Snapshot();
                trace.clear();
                messages.clear();
                Click(window, "CmdUpdate");
                ++m_cases;
                const QStringList sent = trace.statements();
                if (stored[0].isEmpty()) {
                    QVERIFY2(messages.count() == 1 && messages.last().title == QLatin1String("Invalid data"),
                             qPrintable(what));
                    QCOMPARE(Snapshot(), before);
                    QVERIFY(window && window->isVisible());
                    window->close();
                    continue;
                }
                QVERIFY2(messages.count() == 0, qPrintable(what + QStringLiteral(": ") + brief(messages.texts())));
                QTRY_VERIFY(!window);
                const Difference d = difference(before, Snapshot());
                // Only place 41 changed.
                QVERIFY2(d.removed.at(Leaves).size() <= 1 && d.added.at(Leaves).size() == d.removed.at(Leaves).size(),
                         qPrintable(what));
                for (int t : {Root, Links, Districts, Cities})
                    QVERIFY2(d.added.at(t).isEmpty() && d.removed.at(t).isEmpty(), qPrintable(what));
                const QList<QStringList> row =
                    TestDatabase::Rows(QStringLiteral("select %1, city, district from places_leaves where leaf_id = 41")
                                           .arg(PlaceColumns));
                const QStringList storedRow = stored + QStringList{QStringLiteral("12"), QStringLiteral("1")};
                QVERIFY2(row.value(0) == storedRow,
                         qPrintable(what + QStringLiteral(": stored ") + brief(row.value(0))));
                if (trace.active() && stored[4] != QLatin1String("<null>")) {
                    if (baseline.isEmpty())
                        baseline = literalSkeletons(sent);
                    QVERIFY2(literalSkeletons(sent) == baseline,
                             qPrintable(what + QStringLiteral(": sent ") + brief(sent)));
                }
                foundBySearch(41, stored, messages, what);
            }
        }
        if (!trace.active())
            QSKIP(StatementTrace::NotSeen);
    }

    void categoryAndDistrictNames()
    {
        MessageRecorder messages;
        StatementTrace trace;
        frmAdd dialog(m_main);
        dialog.show();
        struct NameBox
        {
            const char *check;
            const char *choice;
            const char *entry;
            const char *box;
            const char *button;
            int maxLength;
            Table table;
            const char *searchList;
        };
        const NameBox boxes[] = {
            {"ChkAddCat", "CmbParentCat", "* Root *", "TxtCatName", "CmdAddCat", 50, Root, "LstCat"},
            {"ChkAddDistrict", "CmbCityAdd", "Cairo", "TxtNewDistrict", "CmdAddDistrict", 20, Districts, "LstDistrict"},
        };
        for (const NameBox &box : boxes) {
            Find<QCheckBox>(&dialog, box.check)->click();
            QStringList baseline;
            QList<Case> cases = casesFor(box.maxLength, false);
            cases.prepend({{QStringLiteral("plain"), QStringLiteral("plain")}, Entry::Typed});
            for (const Case &c : cases) {
                const QString what = c.describe(box.box);
                Choose(Find<QComboBox>(&dialog, box.choice), QString::fromUtf8(box.entry));
                auto *widget = Find<QWidget>(&dialog, box.box);
                enter(widget, c);
                // Stored as typed, blanks included.
                const QString stored = expectedInBox(c.input.text, box.maxLength, false, c.entry);
                QVERIFY2(TextOf(widget) == stored,
                         qPrintable(what + QStringLiteral(": the box shows ") + brief(TextOf(widget))));

                const Tables before = Snapshot();
                trace.clear();
                messages.clear();
                Click(&dialog, box.button);
                ++m_cases;
                const QStringList sent = trace.statements();
                if (Processing::TrimBlanks(stored).isEmpty()) {
                    QVERIFY2(messages.count() == 1 && messages.last().title == QLatin1String("Invalid data"),
                             qPrintable(what));
                    QCOMPARE(Snapshot(), before);
                    continue;
                }
                QVERIFY2(messages.count() == 0, qPrintable(what + QStringLiteral(": ") + brief(messages.texts())));
                const Difference d = onlyAdded(before, Snapshot(), {{box.table, 1}});
                QVERIFY2(d.added.at(box.table).size() == 1, qPrintable(what));
                const QStringList row = d.added.at(box.table).first();
                QVERIFY2(row.at(1) == stored, qPrintable(what + QStringLiteral(": stored ") + brief(row.at(1))));
                QCOMPARE(row.at(2), box.table == Root ? QStringLiteral("0") : QStringLiteral("12"));
                if (trace.active()) {
                    if (baseline.isEmpty())
                        baseline = literalSkeletons(sent);
                    QVERIFY2(literalSkeletons(sent) == baseline,
                             qPrintable(what + QStringLiteral(": sent ") + brief(sent)));
                }
                // The search dialog offers it under its identifier.
                FrmSearch search(*m_main, m_main);
                auto *list = Find<QListWidget>(&search, box.searchList);
                bool offered = false;
                for (int i = 0; i < list->count(); ++i)
                    offered = offered || (list->item(i)->text() == stored &&
                                          list->item(i)->data(Qt::UserRole).toString() == row.at(0));
                QVERIFY2(offered, qPrintable(what + QStringLiteral(": not offered by the search")));
            }
        }
        // Every category added shows in the tree.
        m_main->InitForm();
        const QAbstractItemModel *tree = m_main->findChild<QTreeView *>(QStringLiteral("CatTree"))->model();
        const int categories =
            TestDatabase::Scalar(QStringLiteral("select count(*) from places_root where parent_id = 0 "
                                                "and branch_id <> 0"))
                .toInt();
        QCOMPARE(tree->rowCount(tree->index(0, 0)), categories);
        if (!trace.active())
            QSKIP(StatementTrace::NotSeen);
    }

    void searchName()
    {
        // A place named after every text of the corpus.
        int id = 100;
        QStringList names;
        for (const Input &input : HostileInputs::Corpus()) {
            QString name = input.text;
            name.remove(QChar(0));
            names.append(name);
            QString quoted = name;
            quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
            TestDatabase::Exec(QStringLiteral("insert into places_leaves values (%1, '%2', '', '', 12, 1, '', NULL)")
                                   .arg(id)
                                   .arg(quoted));
            TestDatabase::Exec(QStringLiteral("insert into places_branch_leaves values (7, %1)").arg(id++));
        }
        QMap<QString, QString> nameOf; // key -> name
        nameOf.insert(QStringLiteral("LF41"), QStringLiteral("CAFE NILE"));
        for (int i = 0; i < names.size(); ++i)
            nameOf.insert(QStringLiteral("LF%1").arg(100 + i), names.at(i));

        MessageRecorder messages;
        StatementTrace trace;
        const Tables before = Snapshot();
        const struct
        {
            const char *option;
            const char *before;
            const char *after;
        } options[] = {{"OptContain", "%", "%"}, {"OptStart", "", "%"}, {"OptEnd", "%", ""}, {"OptExact", "", ""}};
        int o = 0;
        QList<Case> cases = casesFor(32767, false);
        for (const Case &c : cases) {
            const auto &option = options[o++ % 4];
            const QString what = c.describe("TxtPlaceName") + QStringLiteral(" with ") + QLatin1String(option.option);
            FrmSearch dialog(*m_main, m_main);
            dialog.show();
            auto *box = Find<QLineEdit>(&dialog, "TxtPlaceName");
            enter(box, c);
            const QString typed = expectedInBox(c.input.text, 32767, false, c.entry);
            QVERIFY2(box->text() == typed, qPrintable(what));
            Find<QRadioButton>(&dialog, option.option)->click();
            trace.clear();
            messages.clear();
            Click(&dialog, "CmdSearch");
            ++m_cases;
            const QStringList sent = trace.statements();
            const QString pattern = QLatin1String(option.before) + typed + QLatin1String(option.after);
            if (!TestDatabase::IsPostgreSQL() && pattern.toUtf8().size() > 50000) {
                // Beyond SQLite's longest like pattern: the user is told, and may search again.
                QVERIFY2(messages.count() == 1 && messages.last().title == QLatin1String("DataBase Error"),
                         qPrintable(what));
                QVERIFY(dialog.isVisible());
                continue;
            }
            QVERIFY2(messages.count() == 0, qPrintable(what + QStringLiteral(": ") + brief(messages.texts())));
            QStringList expected;
            for (auto it = nameOf.cbegin(); it != nameOf.cend(); ++it) {
                if (likeMatches(it.value(), pattern))
                    expected.append(it.key());
            }
            expected.sort();
            QVERIFY2(listedKeys() == expected, qPrintable(what + QStringLiteral(": listed ") + listedKeys().join(' ') +
                                                          QStringLiteral(" instead of ") + expected.join(' ')));
            if (trace.active()) {
                // The places query under the condition, with the pattern in one literal.
                QVERIFY2(literalSkeletons(sent).size() == 1 &&
                             literalSkeletons(sent).first().count(QLatin1Char('\'')) == 2,
                         qPrintable(what + QStringLiteral(": sent ") + brief(sent)));
            }
        }
        QCOMPARE(Snapshot(), before);
        if (!trace.active())
            QSKIP(StatementTrace::NotSeen);
    }

    void backslashesOnAServerThatEscapesThem()
    {
        if (!TestDatabase::IsPostgreSQL())
            QSKIP("a PostgreSQL server only");
        // A server set up the old way reads a backslash in a literal as an escape; the program's
        // connection reads literals the standard way all the same.
        const QString database = TestDatabase::Scalar(QStringLiteral("select current_database()")).toString();
        TestDatabase::Exec(QStringLiteral("alter database %1 set standard_conforming_strings = off").arg(database));
        const auto restore = qScopeGuard([&database] {
            TestDatabase::Exec(QStringLiteral("alter database %1 reset standard_conforming_strings").arg(database));
        });
        delete m_main;
        MakeSmallDirectory();
        m_main = new frmMain;
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("show standard_conforming_strings")).toString(),
                 QStringLiteral("on"));
        MessageRecorder messages;
        frmAdd dialog(m_main);
        Find<QCheckBox>(&dialog, "ChkAddPlace")->click();
        fillPlainPlace(dialog, 1);
        Find<QLineEdit>(&dialog, "TxtPlaceName")->setText(QStringLiteral("C:\\new\\table\\"));
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.count(), 0);
        QCOMPARE(
            TestDatabase::Scalar(QStringLiteral("select leaf_name from places_leaves where leaf_id = 42")).toString(),
            QStringLiteral("C:\\new\\table\\"));
        foundBySearch(
            42,
            TestDatabase::Rows(QStringLiteral("select %1 from places_leaves where leaf_id = 42").arg(PlaceColumns))
                .value(0),
            messages, QStringLiteral("backslashes"));
    }

    void duplicateCheckIgnoresCaseOfEveryLetter()
    {
        TestDatabase::Exec(QStringLiteral("insert into places_leaves values (50, 'CAFÉ CRÈME ÅÑ', '', 'RUE DE L''ÉTÉ', "
                                          "12, 1, '', NULL)"));
        TestDatabase::Exec(QStringLiteral("insert into places_leaves values (51, 'МОСКВА ΩΜΈΓΑ', '', 'ÇARŞI', 12, 1, "
                                          "'', NULL)"));
        MessageRecorder messages;
        frmAdd dialog(m_main);
        dialog.show();
        Find<QCheckBox>(&dialog, "ChkAddPlace")->click();
        const QList<QPair<QString, QString>> repeated = {
            {QStringLiteral("café crème åñ"), QStringLiteral("rue de l'été")},
            {QStringLiteral("Café Crème Åñ"), QStringLiteral("Rue De L'Été")},
            {QStringLiteral("москва ωμέγα"), QStringLiteral("çarşi")},
        };
        const Tables before = Snapshot();
        for (const auto &[name, address] : repeated) {
            fillPlainPlace(dialog, 0);
            Find<QLineEdit>(&dialog, "TxtPlaceName")->setText(name);
            Find<MultiLineTextBox>(&dialog, "TxtAddress")->setText(address);
            Click(&dialog, "CmdAddPlace");
            QVERIFY2(messages.count() == 1 && messages.last().title == QLatin1String("Repeated Entry"),
                     qPrintable(name + QStringLiteral(": ") + brief(messages.texts())));
            messages.clear();
        }
        QCOMPARE(Snapshot(), before);
        // Another accented letter is another name.
        Find<QLineEdit>(&dialog, "TxtPlaceName")->setText(QStringLiteral("café crème áñ"));
        Click(&dialog, "CmdAddPlace");
        QCOMPARE(messages.count(), 0);
    }
};

TARNWICK_TEST_MAIN(TestHostileInput)

#include "tst_hostile_input.moc"
