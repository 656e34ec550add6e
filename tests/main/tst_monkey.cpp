#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/statements/Queries.h"
#include "editing/EditingFixture.h"
#include "editing/MultiLineTextBox.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/CategoryTreeModel.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/Find.h"
#include "support/HostileInputs.h"
#include "support/Recorders.h"
#include "support/StatementTrace.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// A deeper run by hand: "tst_monkey --long", or any size and seed through the environment.
bool longRun = false;

// Actions between two starts of the program on a fresh directory.
const int SessionLength = 2500;

int actionCount()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("TARNWICK_MONKEY_ACTIONS", &ok);
    if (ok && n > 0)
        return n;
    return longRun ? 50000 : 3000;
}

quint32 seed()
{
    bool ok = false;
    const uint s = qEnvironmentVariable("TARNWICK_MONKEY_SEED").toUInt(&ok);
    return ok ? s : 20250608u;
}

} // namespace

// A user who never stops: random clicks, expansions, sorts, searches, steps through the history,
// additions, updates and deletions, every message answered at random. After each action the
// program is alive, the stored directory keeps its shape, and the list shows what its query says.
class TestMonkey : public QObject
{
    Q_OBJECT

    QPointer<frmMain> m_main;
    // Watches what the tree's model announces; a broken promise fails the test function.
    std::unique_ptr<QAbstractItemModelTester> m_treeTester;
    QPointer<frmUpdate> m_update;
    QRandomGenerator m_rng;
    QStringList m_log;
    QString m_failure;
    int m_messages = 0;
    QSet<QString> m_listed; // keys in the list after the last check
    // The places statements the program sends, where SQLite's trace shows them, and the last.
    std::unique_ptr<StatementTrace> m_trace;
    QString m_placesSent;

    int pick(int n) { return n <= 0 ? 0 : int(m_rng.bounded(n)); }
    bool chance(int percent) { return pick(100) < percent; }

    int m_noted = 0;
    bool m_inDialog = false; // while a modal dialog is driven
    void note(const QString &action) { m_log.append(QStringLiteral("#%1 %2").arg(++m_noted).arg(action)); }

    // Text a user might type: hostile, ordinary, a name already stored, or random characters.
    QString text(int maxLength)
    {
        static const QList<HostileInputs::Input> corpus = HostileInputs::Corpus();
        static const QStringList words = {QStringLiteral("Cafe"), QStringLiteral("Nile"),    QStringLiteral("مطعم"),
                                          QStringLiteral("北京"), QStringLiteral("Café"),    QStringLiteral("Pharmacy"),
                                          QStringLiteral("a"),    QStringLiteral("Zamalek"), QStringLiteral("🍕")};
        static const QString scatter = QStringLiteral("ab 'z%_\\\"é؛ن字🎉-1");
        QString t;
        switch (pick(4)) {
        case 0:
            t = corpus.at(pick(int(corpus.size()))).text;
            break;
        case 1:
            t = words.at(pick(int(words.size())));
            if (chance(50))
                t += QLatin1Char(' ') + words.at(pick(int(words.size())));
            break;
        case 2:
            if (m_main && BrowsingFixture::Places(*m_main)->rowCount() > 0) {
                t = BrowsingFixture::Places(*m_main)->Text(pick(BrowsingFixture::Places(*m_main)->rowCount()),
                                                           PlacesModel::Name);
                break;
            }
            Q_FALLTHROUGH();
        default:
            for (int i = pick(12); i >= 0; --i) {
                const int at = pick(int(scatter.size()));
                t += scatter.at(at).isHighSurrogate()  ? scatter.mid(at, 2)
                     : scatter.at(at).isLowSurrogate() ? scatter.mid(at - 1, 2)
                                                       : QString(scatter.at(at));
            }
        }
        t.remove(QChar(0));
        return t.left(maxLength);
    }

    void chooseAny(QComboBox *box)
    {
        // Mostly an entry; now and then none, or text that names none.
        if (chance(8)) {
            box->setCurrentIndex(-1);
            box->setEditText(chance(50) ? QString() : text(10));
        } else {
            box->setCurrentIndex(box->count() > 0 ? pick(box->count()) : -1);
        }
    }

    // Leaves a box by Tab, as the user moves on: the box's lost-focus handling runs.
    static void leave(QWidget *box)
    {
        box->activateWindow();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Tab);
    }

    QTreeView *tree() const { return Find<QTreeView>(m_main, "CatTree"); }
    QTreeView *list() const { return Find<QTreeView>(m_main, "LstVwPlaces"); }

    // The tree's nodes the user can see: every ancestor expanded.
    QList<QPersistentModelIndex> visibleNodes() const
    {
        QList<QPersistentModelIndex> nodes;
        const QAbstractItemModel *model = tree()->model();
        const std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
            for (int row = 0; row < model->rowCount(parent); ++row) {
                const QModelIndex node = model->index(row, 0, parent);
                nodes.append(node);
                if (tree()->isExpanded(node))
                    walk(node);
            }
        };
        walk(QModelIndex());
        return nodes;
    }

    static QString textOf(const QModelIndex &node) { return node.data().toString(); }

    QPersistentModelIndex randomNode()
    {
        const QList<QPersistentModelIndex> nodes = visibleNodes();
        return nodes.isEmpty() ? QPersistentModelIndex() : nodes.at(pick(int(nodes.size())));
    }

    bool selectRandomRow()
    {
        const int rows = BrowsingFixture::Places(*m_main)->rowCount();
        if (rows == 0)
            return false;
        const int row = pick(rows);
        list()->selectionModel()->select(BrowsingFixture::Places(*m_main)->index(row, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        note(QStringLiteral("select row %1 (%2)")
                 .arg(row)
                 .arg(QStringLiteral("LF%1").arg(BrowsingFixture::Places(*m_main)->PlaceId(row))));
        return true;
    }

    // Opens a modal dialog from the toolbar and lets drive use it; a dialog still open after
    // that is closed with its own button.
    template<typename Dialog> void withModal(ToolbarEntry button, const std::function<void(Dialog &)> &drive)
    {
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                m_failure = QStringLiteral("the dialog did not open");
                return;
            }
            opened = true;
            m_inDialog = true;
            drive(*dialog);
            m_inDialog = false;
            if (dialog->isVisible())
                dialog->reject();
        });
        m_main->ToolbarButton(button)->trigger();
        if (!opened && m_failure.isEmpty())
            m_failure = QStringLiteral("the dialog did not open");
    }

    void driveSearch(FrmSearch &dialog)
    {
        for (const char *pair : {"ChkCat/LstCat", "ChkCity/LstCity", "ChkDistrict/LstDistrict"}) {
            if (!chance(35))
                continue;
            const QString names = QString::fromLatin1(pair);
            const QByteArray box = names.section(QLatin1Char('/'), 0, 0).toLatin1();
            const QByteArray listName = names.section(QLatin1Char('/'), 1, 1).toLatin1();
            Find<QCheckBox>(&dialog, box.constData())->click();
            auto *entries = Find<QListWidget>(&dialog, listName.constData());
            for (int i = pick(4); i > 0 && entries->count() > 0; --i)
                entries->item(pick(entries->count()))->setSelected(true);
            if (listName == "LstCity" && chance(60))
                leave(entries);
        }
        if (chance(40))
            Find<QLineEdit>(&dialog, "TxtPlaceName")->setText(text(30));
        const char *options[] = {"OptStart", "OptEnd", "OptContain", "OptExact"};
        if (chance(80))
            Find<QRadioButton>(&dialog, options[pick(4)])->click();
        const bool search = chance(90);
        note(QStringLiteral("search: %1").arg(search ? QStringLiteral("Search") : QStringLiteral("Cancel")));
        Find<QPushButton>(&dialog, search ? "CmdSearch" : "CmdCancel")->click();
    }

    void fillPlace(QWidget *window)
    {
        if (chance(80))
            chooseAny(Find<QComboBox>(window, "CmbPlaceParent"));
        if (chance(80)) {
            chooseAny(Find<QComboBox>(window, "CmbCity"));
            if (chance(70))
                leave(Find<QComboBox>(window, "CmbCity"));
        }
        if (chance(80))
            chooseAny(Find<QComboBox>(window, "CmbDistrict"));
        if (chance(80))
            Find<QLineEdit>(window, "TxtPlaceName")->setText(chance(5) ? QStringLiteral("  ") : text(250));
        if (chance(60))
            Find<MultiLineTextBox>(window, "TxtAddress")->setText(chance(5) ? QString() : text(400));
        if (chance(50))
            Find<QLineEdit>(window, "TxtTelephone")->setText(text(100));
        if (chance(40))
            Find<MultiLineTextBox>(window, "TxtMore")->setText(text(250));
        if (chance(40))
            Find<QLineEdit>(window, "TxtURL")
                ->setText(chance(30) ? QString() : QStringLiteral("http://x.test/") + text(20));
    }

    void driveAdd(frmAdd &dialog)
    {
        for (int step = 1 + pick(4); step > 0 && m_failure.isEmpty(); --step) {
            switch (pick(3)) {
            case 0: {
                auto *check = Find<QCheckBox>(&dialog, "ChkAddCat");
                if (!check->isChecked())
                    check->click();
                chooseAny(Find<QComboBox>(&dialog, "CmbParentCat"));
                Find<QLineEdit>(&dialog, "TxtCatName")->setText(chance(5) ? QStringLiteral(" ") : text(50));
                note(QStringLiteral("add category %1").arg(Find<QLineEdit>(&dialog, "TxtCatName")->text()));
                Find<QPushButton>(&dialog, "CmdAddCat")->click();
                break;
            }
            case 1: {
                auto *check = Find<QCheckBox>(&dialog, "ChkAddDistrict");
                if (!check->isChecked())
                    check->click();
                chooseAny(Find<QComboBox>(&dialog, "CmbCityAdd"));
                Find<QLineEdit>(&dialog, "TxtNewDistrict")->setText(text(20));
                note(QStringLiteral("add district %1").arg(Find<QLineEdit>(&dialog, "TxtNewDistrict")->text()));
                Find<QPushButton>(&dialog, "CmdAddDistrict")->click();
                break;
            }
            default: {
                auto *check = Find<QCheckBox>(&dialog, "ChkAddPlace");
                if (!check->isChecked())
                    check->click();
                fillPlace(&dialog);
                note(QStringLiteral("add place %1").arg(Find<QLineEdit>(&dialog, "TxtPlaceName")->text()));
                Find<QPushButton>(&dialog, "CmdAddPlace")->click();
            }
            }
            check();
        }
        Find<QPushButton>(&dialog, "Command4")->click();
    }

    void act()
    {
        int roll = pick(100);
        // The list's own actions need places in it: then the user first looks some up.
        const bool onList = (roll >= 29 && roll < 38) || (roll >= 71 && roll < 77) || (roll >= 85 && roll < 91);
        if (onList && BrowsingFixture::Places(*m_main)->rowCount() == 0) {
            note(QStringLiteral("look places up by city"));
            withModal<FrmSearch>(ToolbarEntry::Search, [this](FrmSearch &dialog) {
                Find<QCheckBox>(&dialog, "ChkCity")->click();
                auto *cities = Find<QListWidget>(&dialog, "LstCity");
                for (int i = 0; i < 4 && cities->count() > 1; ++i)
                    cities->item(1 + pick(cities->count() - 1))->setSelected(true);
                Find<QPushButton>(&dialog, "CmdSearch")->click();
            });
            return;
        }
        if (roll < 14) {
            if (const QPersistentModelIndex node = randomNode(); node.isValid()) {
                note(QStringLiteral("click node %1").arg(textOf(node)));
                tree()->scrollTo(node);
                QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(node).center());
            }
        } else if (roll < 24) {
            if (const QPersistentModelIndex node = randomNode(); node.isValid()) {
                const bool expanded = tree()->isExpanded(node);
                note(QStringLiteral("%1 node %2").arg(expanded ? "collapse" : "expand", textOf(node)));
                tree()->setExpanded(node, !expanded);
            }
        } else if (roll < 29) {
            const int column = pick(PlacesModel::ColumnCount);
            note(QStringLiteral("sort column %1").arg(column));
            Q_EMIT list()->header()->sectionClicked(column);
        } else if (roll < 36) {
            selectRandomRow();
        } else if (roll < 38) {
            if (selectRandomRow()) {
                note(QStringLiteral("double-click"));
                Q_EMIT list()->doubleClicked(list()->currentIndex());
            }
        } else if (roll < 48) {
            note(QStringLiteral("open search"));
            withModal<FrmSearch>(ToolbarEntry::Search, [this](FrmSearch &dialog) { driveSearch(dialog); });
        } else if (roll < 53) {
            note(QStringLiteral("back"));
            m_main->ToolbarButton(ToolbarEntry::Back)->trigger();
        } else if (roll < 58) {
            note(QStringLiteral("forward"));
            m_main->ToolbarButton(ToolbarEntry::Forward)->trigger();
        } else if (roll < 62) {
            note(QStringLiteral("refresh"));
            m_main->ToolbarButton(ToolbarEntry::Refresh)->trigger();
        } else if (roll < 71) {
            note(QStringLiteral("open add"));
            withModal<frmAdd>(ToolbarEntry::Add, [this](frmAdd &dialog) { driveAdd(dialog); });
        } else if (roll < 77) {
            if (selectRandomRow()) {
                note(QStringLiteral("open update"));
                if (chance(50)) {
                    m_main->ToolbarButton(ToolbarEntry::Update)->trigger();
                } else {
                    list()->setFocus();
                    QTest::keyClick(list(), Qt::Key_Return);
                }
                if (EditingFixture::ShownUpdateWindow())
                    m_update = EditingFixture::ShownUpdateWindow();
            }
        } else if (roll < 85) {
            if (m_update && m_update->isVisible()) {
                fillPlace(m_update);
                const bool store = chance(80);
                note(QStringLiteral("update window: %1 %2")
                         .arg(store ? "Update" : "Cancel", Find<QLineEdit>(m_update, "TxtPlaceName")->text()));
                Find<QPushButton>(m_update, store ? "CmdUpdate" : "CmdCancel")->click();
            }
        } else if (roll < 91) {
            if (selectRandomRow()) {
                note(QStringLiteral("delete place"));
                m_main->ToolbarButton(ToolbarEntry::Delete)->trigger();
            }
        } else if (roll < 97) {
            if (const QPersistentModelIndex node = randomNode(); node.isValid()) {
                note(QStringLiteral("delete category %1").arg(textOf(node)));
                tree()->setCurrentIndex(node);
                m_main->ToolbarButton(ToolbarEntry::DeleteCategory)->trigger();
            }
        } else {
            note(QStringLiteral("internet"));
            m_main->ToolbarButton(ToolbarEntry::Internet)->trigger();
        }
    }

    QSet<QString> placesOf(const QString &sql) const
    {
        const Processing::Recordset rs = Processing::DbConn().openRecordset(sql);
        QSet<QString> keys;
        const int field = rs.field(QStringLiteral("leaf_id"));
        for (int row = 0; row < rs.RecordCount(); ++row)
            keys.insert(QStringLiteral("LF") + rs.text(row, field));
        return keys;
    }

    int count(const char *sql) const { return TestDatabase::Scalar(QString::fromLatin1(sql)).toInt(); }

    // Every category at most once, below the node of its stored parent; a category gone from
    // the database is gone from the tree, which is rebuilt after every deletion.
    QString treeBroken() const
    {
        QHash<QString, QString> parentOf;
        for (const QStringList &row :
             TestDatabase::Rows(QStringLiteral("select branch_id, parent_id from places_root")))
            parentOf.insert(QStringLiteral("BR ") + row.value(0), QStringLiteral("BR ") + row.value(1));
        const QAbstractItemModel *model = tree()->model();
        if (model->rowCount() != 1 || BrowsingFixture::Key(model->index(0, 0)) != QStringLiteral("BR 0"))
            return QStringLiteral("the tree has not the root alone at its top");
        QSet<QString> shown;
        QString failure;
        const std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
            const QString parentKey = BrowsingFixture::Key(parent);
            for (int row = 0; row < model->rowCount(parent) && failure.isEmpty(); ++row) {
                const QModelIndex node = model->index(row, 0, parent);
                const QString key = BrowsingFixture::Key(node);
                if (node.parent() != parent)
                    failure = QStringLiteral("node %1 does not know its parent").arg(key);
                else if (shown.contains(key))
                    failure = QStringLiteral("category %1 shown twice").arg(key);
                else if (!parentOf.contains(key))
                    failure = QStringLiteral("category %1 shown after its deletion").arg(key);
                else if (parentOf.value(key) != parentKey)
                    failure =
                        QStringLiteral("category %1 shown below %2, not %3").arg(key, parentKey, parentOf.value(key));
                shown.insert(key);
                walk(node);
            }
        };
        shown.insert(QStringLiteral("BR 0"));
        walk(model->index(0, 0));
        if (failure.isEmpty() && BrowsingFixture::ShownRows(tree()) != BrowsingFixture::OpenNodes(tree()))
            failure = QStringLiteral("the tree's view lays out other rows than its open nodes");
        return failure;
    }

    // What must hold after every action; the first thing that does not, or nothing.
    QString broken()
    {
        if (!m_main || !m_main->isVisible())
            return QStringLiteral("the main window is gone");
        if (!m_inDialog && QApplication::activeModalWidget())
            return QStringLiteral("a modal window stayed open");
        const struct
        {
            const char *what;
            const char *sql;
        } rules[] = {
            {"a place without exactly one link",
             "select count(*) from places_leaves l where (select count(*) from places_branch_leaves b where "
             "b.leaf_id = l.leaf_id) <> 1"},
            {"a place linked to a category that does not exist",
             "select count(*) from places_branch_leaves b, places_leaves l where b.leaf_id = l.leaf_id and not "
             "exists (select 1 from places_root r where r.branch_id = b.branch_id)"},
            {"a category whose parent does not exist",
             "select count(*) from places_root r where r.branch_id <> 0 and not exists (select 1 from places_root p "
             "where p.branch_id = r.parent_id)"},
            {"no root category", "select 1 - count(*) from places_root where branch_id = 0"},
            {"an identifier out of range",
             "select (select count(*) from places_root where branch_id < 0 or branch_id > 32767) + (select count(*) "
             "from places_leaves where leaf_id < 0 or leaf_id > 32767) + (select count(*) from places_district "
             "where district_id < 0 or district_id > 32767)"},
            {"an identifier twice",
             "select (select count(*) - count(distinct branch_id) from places_root) + (select count(*) - "
             "count(distinct leaf_id) from places_leaves) + (select count(*) - count(distinct district_id) from "
             "places_district)"},
        };
        for (const auto &rule : rules) {
            if (count(rule.sql) != 0)
                return QString::fromLatin1(rule.what);
        }
        if (QTest::currentTestFailed())
            return QStringLiteral("the tree's model broke its promises to its views");
        if (const QString tree = treeBroken(); !tree.isEmpty())
            return tree;

        // A list that changed shows what the places statement last sent gives. Only SQLite's
        // trace shows the statement, and with it the search condition in force.
        QSet<QString> keys;
        for (int row = 0; row < BrowsingFixture::Places(*m_main)->rowCount(); ++row) {
            const QString key = QStringLiteral("LF%1").arg(BrowsingFixture::Places(*m_main)->PlaceId(row));
            if (keys.contains(key))
                return QStringLiteral("place %1 listed twice").arg(key);
            keys.insert(key);
        }
        if (keys != m_listed && m_trace->active() && (m_placesSent.isEmpty() || placesOf(m_placesSent) != keys))
            return QStringLiteral("the list shows places its query does not give");
        m_trace->clear();
        m_listed = keys;
        return QString();
    }

    void check()
    {
        if (!m_failure.isEmpty())
            return;
        try {
            m_failure = broken();
        } catch (const std::exception &error) {
            m_failure = QString::fromLocal8Bit(error.what());
        } catch (const Processing::DbError &error) {
            m_failure = error.message();
        }
    }

private Q_SLOTS:
    void init()
    {
        TestDatabase::ResetWithSample();
        m_main = new frmMain;
        m_main->show();
        const QString places = Processing::DbConn().sent(Processing::GetPlacesQuery(-1));
        m_placesSent.clear();
        m_trace = std::make_unique<StatementTrace>([this, places](const QString &sql) {
            if (sql.startsWith(places))
                m_placesSent = sql;
        });
        m_treeTester = std::make_unique<QAbstractItemModelTester>(
            tree()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void cleanup()
    {
        m_trace.reset();
        m_treeTester.reset();
        delete m_main;
        // The update windows have no owner: deleting the main window leaves them. Deleting one
        // deletes its lists' pop-ups, top-level widgets too, so they are all found first.
        QList<frmUpdate *> updates;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *update = qobject_cast<frmUpdate *>(window))
                updates.append(update);
        }
        qDeleteAll(updates);
    }

    void randomUse()
    {
        const quint32 s = seed();
        const int actions = actionCount();
        m_rng.seed(s);
        // Every message is answered with one of its buttons, at random.
        SetMsgBoxHandler([this](const MsgBoxRequest &request) {
            ++m_messages;
            QList<QMessageBox::StandardButton> offered;
            for (QMessageBox::StandardButton b :
                 {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok, QMessageBox::Cancel})
                if (request.buttons.testFlag(b))
                    offered.append(b);
            const QMessageBox::StandardButton answer = offered.value(pick(int(offered.size())), QMessageBox::Ok);
            m_log.append(QStringLiteral("    told \"%1\" (%2), answered %3")
                             .arg(request.text.simplified().left(80), request.title)
                             .arg(int(answer)));
            return answer;
        });
        BrowserRecorder browser;
        int done = 0;
        for (; done < actions && m_failure.isEmpty(); ++done) {
            if (done > 0 && done % SessionLength == 0) {
                // A new session on a fresh directory keeps a long run's steps as quick as the first.
                note(QStringLiteral("new session"));
                cleanup();
                init();
                m_listed.clear();
            }
            act();
            check();
        }
        FailOnUnexpectedMessages();
        qInfo("monkey on %s: seed %u, %d actions, %d messages answered", qPrintable(TestDatabase::BackendName()), s,
              done, m_messages);
        if (!m_failure.isEmpty() || qEnvironmentVariableIsSet("TARNWICK_MONKEY_VERBOSE")) {
            std::fprintf(stderr, "Replay with TARNWICK_MONKEY_SEED=%u TARNWICK_MONKEY_ACTIONS=%d\n", s, done);
            for (const QString &line : m_log)
                std::fprintf(stderr, "%s\n", qPrintable(line));
        }
        if (!m_failure.isEmpty()) {
            QFAIL(qPrintable(QStringLiteral("after action %1 (seed %2): %3").arg(done).arg(s).arg(m_failure)));
        }
    }
};

int main(int argc, char *argv[])
{
    QList<char *> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--long") == 0)
            longRun = true;
        else
            args.append(argv[i]);
    }
    int count = int(args.size());
    args.append(nullptr);
    // A deep run takes longer than Qt Test allows one test function by default.
    if ((longRun || qEnvironmentVariableIsSet("TARNWICK_MONKEY_ACTIONS")) &&
        !qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    return TestSupport::run<TestMonkey>(count, args.data());
}

#include "tst_monkey.moc"
