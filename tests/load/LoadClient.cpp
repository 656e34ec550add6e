// One user of a shared directory, for the load test: the program's own windows, offscreen, on
// the database a descriptor names, driven through seeded random actions. Every action and what
// the windows told about it goes to a journal, one line each, written as soon as it is known.
//
// tarnwick-load-client --database DESCRIPTOR --journal FILE --client K --seed S --actions N [--pause FILE]
#include "data/connection/Connection.h"
#include "editing/MultiLineTextBox.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/CategoryTreeModel.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/Find.h"
#include "ui/MsgBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDateTime>
#include <QFile>
#include <QItemSelectionModel>
#include <QJsonDocument>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "load/LoadJournal.h"
#include <cstdio>
#include <functional>

namespace {

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// Told texts that leave the outcome of a write open.
const QRegularExpression
    UnknownText(QStringLiteral("may or may not|unknown|not known|cannot tell|could not (be )?(checked|confirmed)"),
                QRegularExpression::CaseInsensitiveOption);

// A place every client may add, so that some are added twice, now and then at the same moment.
const QRegularExpression RepeatedText(QStringLiteral("^Repeated Entry: "));
const QRegularExpression NowNamedText(QStringLiteral("it is now \"(.*)\"\\.\\n"));

class LoadClient : public QObject
{
public:
    LoadClient(const RunSettings &settings, QFile &journal, int client, quint32 seed, const QString &pause)
        : m_settings(settings), m_journal(journal), m_client(client), m_rng(seed), m_pause(pause)
    {}

    int run(int actions)
    {
        SetMsgBoxHandler([this](const MsgBoxRequest &request) { return answer(request); });
        m_main = new frmMain(m_settings);
        m_main->show();
        if (!Processing::DbConn().isOpen()) {
            std::fprintf(stderr, "client %d: not connected: %s\n", m_client, qPrintable(m_told.join(QLatin1Char('|'))));
            return 2;
        }
        m_told.clear();
        for (int step = 1; step <= actions; ++step) {
            waitWhilePaused(step, actions);
            m_entry = JournalEntry();
            m_entry.client = m_client;
            m_entry.step = step;
            m_entry.outcome = Outcome::Read;
            m_told.clear();
            m_asked = false;
            m_entry.start = now();
            act();
            m_entry.end = now();
            m_entry.told = m_told;
            m_journal.write(QJsonDocument(m_entry.toJson()).toJson(QJsonDocument::Compact) + '\n');
            m_journal.flush();
            if (!m_main || !m_main->isVisible() || QApplication::activeModalWidget()) {
                std::fprintf(stderr, "client %d: after step %d the main window is gone or a dialog stayed open\n",
                             m_client, step);
                return 1;
            }
        }
        delete m_main;
        // The update windows have no owner; deleting one deletes its lists' pop-ups, top-level
        // widgets too, so they are all found first.
        QList<frmUpdate *> updates;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *update = qobject_cast<frmUpdate *>(window))
                updates.append(update);
        qDeleteAll(updates);
        return 0;
    }

private:
    const RunSettings m_settings;
    QFile &m_journal;
    int m_client;
    QRandomGenerator m_rng;
    QString m_pause;
    QPointer<frmMain> m_main;
    QPointer<frmUpdate> m_update;
    JournalEntry m_entry;
    QStringList m_told;
    qint64 m_updateOpened = 0;
    qint64 m_updateId = -1;
    QString m_updateFrom;
    bool m_asked = false;
    int m_names = 0;

    // A third of the way through, between two actions, as a user pauses: while the pause file
    // exists the client says so in a file of its own and waits, windows open, connection as it was.
    void waitWhilePaused(int step, int actions)
    {
        if (step != actions / 3 + 1 || m_pause.isEmpty() || !QFile::exists(m_pause))
            return;
        QFile paused(m_pause + QStringLiteral(".%1").arg(m_client));
        paused.open(QIODevice::WriteOnly);
        paused.close();
        while (QFile::exists(m_pause))
            QTest::qWait(50);
    }

    int pick(int n) { return n <= 0 ? 0 : int(m_rng.bounded(n)); }
    bool chance(int percent) { return pick(100) < percent; }
    QString newName(char kind) { return QStringLiteral("%1%2N%3").arg(QLatin1Char(kind)).arg(m_client).arg(++m_names); }

    QMessageBox::StandardButton answer(const MsgBoxRequest &request)
    {
        m_told.append(request.title + QStringLiteral(": ") + request.text.simplified());
        if (request.icon == QMessageBox::Critical || request.title == QLatin1StringView("DataBase Error"))
            m_entry.failure = true;
        const bool question = request.buttons.testFlag(QMessageBox::Yes) && request.buttons.testFlag(QMessageBox::No);
        if (!question)
            return request.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel;
        // The client asked for its deletions; any other question is whether to overwrite.
        if (request.text.startsWith(QLatin1StringView("Are you Sure")))
            return QMessageBox::Yes;
        // Whether to delete what the row holds now, the place having changed since it was listed.
        if (request.title == QLatin1StringView("Delete Place"))
            return chance(50) ? QMessageBox::Yes : QMessageBox::No;
        // Likewise a category shown under another name; the journal names the one deleted.
        if (request.title == QLatin1StringView("Delete Category")) {
            if (!chance(50))
                return QMessageBox::No;
            m_entry.from = NowNamedText.match(request.text).captured(1);
            return QMessageBox::Yes;
        }
        m_asked = true;
        m_entry.asked = true;
        return chance(50) ? QMessageBox::Yes : QMessageBox::No;
    }

    bool toldText(const QRegularExpression &pattern) const
    {
        for (const QString &t : m_told)
            if (pattern.match(t).hasMatch())
                return true;
        return false;
    }

    // The outcome of a write from its visible effect, unless a message left it open.
    QString judged(bool effect)
    {
        if (toldText(UnknownText))
            return Outcome::Unknown;
        return effect ? Outcome::Stored : Outcome::NotStored;
    }

    PlacesModel *places() const { return qobject_cast<PlacesModel *>(list()->model()); }
    QTreeView *tree() const { return Find<QTreeView>(m_main, "CatTree"); }
    QTreeView *list() const { return Find<QTreeView>(m_main, "LstVwPlaces"); }

    // Opens a modal dialog from the toolbar and lets drive use it; one still open after that is
    // closed as the user would.
    template<typename Dialog> void withModal(ToolbarEntry button, const std::function<void(Dialog &)> &drive)
    {
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                m_told.append(QStringLiteral("(the dialog did not open)"));
                return;
            }
            drive(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_main->ToolbarButton(button)->trigger();
    }

    // The dialogs keep their boxes' states from one opening to the next.
    static void check(QCheckBox *box, bool on = true)
    {
        if (box->isChecked() != on)
            box->click();
    }

    void chooseAny(QComboBox *box) { box->setCurrentIndex(box->count() > 0 ? pick(box->count()) : -1); }

    static void leave(QWidget *box)
    {
        box->activateWindow();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Tab);
    }

    // A city with districts and one of them; the district list narrows to the city on leaving it.
    void chooseCityAndDistrict(QWidget *window)
    {
        auto *cities = Find<QComboBox>(window, "CmbCity");
        auto *districts = Find<QComboBox>(window, "CmbDistrict");
        for (int attempt = 0; attempt < 8; ++attempt) {
            chooseAny(cities);
            leave(cities);
            if (districts->count() > 0)
                break;
        }
        chooseAny(districts);
    }

    // Every place: the list the update and the deletion choose from.
    void listAllPlaces()
    {
        withModal<FrmSearch>(ToolbarEntry::Search, [](FrmSearch &dialog) {
            for (const char *box : {"ChkCat", "ChkCity", "ChkDistrict"})
                check(Find<QCheckBox>(&dialog, box), false);
            Find<QLineEdit>(&dialog, "TxtPlaceName")->setText(QStringLiteral("%"));
            Find<QRadioButton>(&dialog, "OptContain")->click();
            Find<QPushButton>(&dialog, "CmdSearch")->click();
        });
    }

    int selectRandomPlace()
    {
        if (places()->rowCount() == 0)
            return -1;
        const int row = pick(places()->rowCount());
        list()->selectionModel()->select(places()->index(row, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_entry.id = places()->PlaceId(row);
        m_entry.from = places()->Text(row, PlacesModel::Name);
        return row;
    }

    void act()
    {
        const int roll = pick(100);
        if (roll < 15)
            addPlace();
        else if (roll < 22)
            addCategory();
        else if (roll < 26)
            addDistrict();
        else if (roll < 46)
            m_update && m_update->isVisible() ? submitUpdate() : openUpdate();
        else if (roll < 51)
            deletePlace();
        else if (roll < 59)
            deleteCategory();
        else if (roll < 72)
            search();
        else
            browse();
    }

    void addCategory()
    {
        m_entry.action = QStringLiteral("add-category");
        withModal<frmAdd>(ToolbarEntry::Add, [this](frmAdd &dialog) {
            check(Find<QCheckBox>(&dialog, "ChkAddCat"));
            auto *parents = Find<QComboBox>(&dialog, "CmbParentCat");
            chooseAny(parents);
            m_entry.ref = parents->currentData().toLongLong();
            m_entry.name = newName('C');
            auto *name = Find<QLineEdit>(&dialog, "TxtCatName");
            name->setText(m_entry.name);
            m_entry.start = now();
            Find<QPushButton>(&dialog, "CmdAddCat")->click();
            m_entry.outcome = judged(name->text().isEmpty());
            Find<QPushButton>(&dialog, "Command4")->click();
        });
    }

    void addDistrict()
    {
        m_entry.action = QStringLiteral("add-district");
        withModal<frmAdd>(ToolbarEntry::Add, [this](frmAdd &dialog) {
            check(Find<QCheckBox>(&dialog, "ChkAddDistrict"));
            auto *cities = Find<QComboBox>(&dialog, "CmbCityAdd");
            chooseAny(cities);
            m_entry.ref = cities->currentData().toLongLong();
            m_entry.name = newName('D');
            auto *name = Find<QLineEdit>(&dialog, "TxtNewDistrict");
            name->setText(m_entry.name);
            m_entry.start = now();
            Find<QPushButton>(&dialog, "CmdAddDistrict")->click();
            m_entry.outcome = judged(name->text().isEmpty());
            Find<QPushButton>(&dialog, "Command4")->click();
        });
    }

    void addPlace()
    {
        m_entry.action = QStringLiteral("add-place");
        withModal<frmAdd>(ToolbarEntry::Add, [this](frmAdd &dialog) {
            check(Find<QCheckBox>(&dialog, "ChkAddPlace"));
            auto *categories = Find<QComboBox>(&dialog, "CmbPlaceParent");
            chooseAny(categories);
            m_entry.ref = categories->currentData().toLongLong();
            chooseCityAndDistrict(&dialog);
            m_entry.name = chance(15) ? QStringLiteral("TwinN%1").arg(pick(8)) : newName('P');
            auto *name = Find<QLineEdit>(&dialog, "TxtPlaceName");
            name->setText(m_entry.name);
            Find<MultiLineTextBox>(&dialog, "TxtAddress")->setText(m_entry.name);
            Find<QLineEdit>(&dialog, "TxtTelephone")->setText(m_entry.name);
            m_entry.start = now();
            Find<QPushButton>(&dialog, "CmdAddPlace")->click();
            m_entry.outcome = toldText(RepeatedText) ? Outcome::Refused : judged(name->text().isEmpty());
            Find<QPushButton>(&dialog, "Command4")->click();
        });
    }

    // The window stays open over the next actions, as a user's does while others work.
    void openUpdate()
    {
        m_entry.action = QStringLiteral("read");
        listAllPlaces();
        if (selectRandomPlace() < 0)
            return;
        m_main->ToolbarButton(ToolbarEntry::Update)->trigger();
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *update = qobject_cast<frmUpdate *>(window); update && update->isVisible())
                m_update = update;
        m_updateOpened = now();
        m_updateId = m_entry.id;
        m_updateFrom = m_entry.from;
    }

    void submitUpdate()
    {
        m_entry.action = QStringLiteral("update");
        m_entry.opened = m_updateOpened;
        m_entry.id = m_updateId;
        m_entry.from = m_updateFrom;
        auto *categories = Find<QComboBox>(m_update, "CmbPlaceParent");
        if (categories->currentIndex() < 0 || chance(30))
            chooseAny(categories);
        m_entry.ref = categories->currentData().toLongLong();
        if (Find<QComboBox>(m_update, "CmbCity")->currentIndex() < 0 ||
            Find<QComboBox>(m_update, "CmbDistrict")->currentIndex() < 0)
            chooseCityAndDistrict(m_update);
        // Name, telephone and address together, so a write of only some of them shows.
        m_entry.name = newName('U');
        Find<QLineEdit>(m_update, "TxtPlaceName")->setText(m_entry.name);
        Find<MultiLineTextBox>(m_update, "TxtAddress")->setText(m_entry.name);
        Find<QLineEdit>(m_update, "TxtTelephone")->setText(m_entry.name);
        m_entry.start = now();
        Find<QPushButton>(m_update, "CmdUpdate")->click();
        const bool closed = !m_update->isVisible();
        m_entry.outcome = m_asked && !closed ? Outcome::Changed : judged(closed);
        if (!closed)
            Find<QPushButton>(m_update, "CmdCancel")->click();
        m_update->deleteLater();
    }

    void deletePlace()
    {
        m_entry.action = QStringLiteral("delete-place");
        listAllPlaces();
        if (selectRandomPlace() < 0) {
            m_entry.action = QStringLiteral("read");
            return;
        }
        m_entry.start = now();
        m_main->ToolbarButton(ToolbarEntry::Delete)->trigger();
        bool deleted = false;
        for (const QString &t : m_told)
            deleted = deleted || t.simplified().endsWith(QLatin1StringView("Place Deleted"));
        m_entry.outcome = judged(deleted);
    }

    // Mostly a category a client added, which may be empty; the guards hold the others back.
    void deleteCategory()
    {
        m_entry.action = QStringLiteral("delete-category");
        m_main->ToolbarButton(ToolbarEntry::Refresh)->trigger();
        QList<QModelIndex> nodes;
        const QAbstractItemModel *model = tree()->model();
        const std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
            for (int row = 0; row < model->rowCount(parent); ++row) {
                const QModelIndex node = model->index(row, 0, parent);
                nodes.append(node);
                if (node.data().toString().startsWith(QLatin1Char('C')) || chance(30)) {
                    tree()->expand(node);
                    walk(node);
                }
            }
        };
        walk(model->index(0, 0));
        QList<QModelIndex> added;
        for (const QModelIndex &node : nodes)
            if (QRegularExpression(QStringLiteral("^C\\d+N\\d+$")).match(node.data().toString()).hasMatch())
                added.append(node);
        const QList<QModelIndex> &from = added.isEmpty() || chance(15) ? nodes : added;
        if (from.isEmpty()) {
            m_entry.action = QStringLiteral("read");
            return;
        }
        const QPersistentModelIndex node = from.at(pick(int(from.size())));
        m_entry.id = node.data(CategoryTreeModel::IdRole).toLongLong();
        m_entry.from = node.data().toString();
        tree()->scrollTo(node);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(node).center());
        m_entry.start = now();
        m_main->ToolbarButton(ToolbarEntry::DeleteCategory)->trigger();
        bool refused = false;
        bool deleted = false;
        for (const QString &t : m_told) {
            refused = refused || t.startsWith(QLatin1StringView("Delete Category Error"));
            deleted = deleted ||
                      (t.startsWith(QLatin1StringView("Delete Category:")) && t.endsWith(QLatin1StringView("Deleted")));
        }
        m_entry.outcome = refused ? Outcome::Refused : judged(deleted);
    }

    void search()
    {
        m_entry.action = QStringLiteral("read");
        withModal<FrmSearch>(ToolbarEntry::Search, [this](FrmSearch &dialog) {
            check(Find<QCheckBox>(&dialog, "ChkCity"), false);
            check(Find<QCheckBox>(&dialog, "ChkCat"), chance(50));
            if (Find<QCheckBox>(&dialog, "ChkCat")->isChecked()) {
                auto *entries = Find<QListWidget>(&dialog, "LstCat");
                for (int i = 1 + pick(3); i > 0 && entries->count() > 0; --i)
                    entries->item(pick(entries->count()))->setSelected(true);
            }
            Find<QLineEdit>(&dialog, "TxtPlaceName")->setText(chance(50) ? QStringLiteral("U") : QStringLiteral("P"));
            Find<QRadioButton>(&dialog, "OptStart")->click();
            Find<QPushButton>(&dialog, "CmdSearch")->click();
        });
    }

    void browse()
    {
        m_entry.action = QStringLiteral("read");
        switch (pick(4)) {
        case 0:
            m_main->ToolbarButton(ToolbarEntry::Refresh)->trigger();
            break;
        case 1:
            m_main->ToolbarButton(chance(50) ? ToolbarEntry::Back : ToolbarEntry::Forward)->trigger();
            break;
        default: {
            const QAbstractItemModel *model = tree()->model();
            QModelIndex node = model->index(0, 0);
            for (int depth = pick(3); depth > 0 && model->rowCount(node) > 0; --depth) {
                tree()->expand(node);
                node = model->index(pick(model->rowCount(node)), 0, node);
            }
            if (node.isValid()) {
                tree()->scrollTo(node);
                QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(node).center());
            }
        }
        }
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    // The search history and settings stay out of the user's own folders.
    QStandardPaths::setTestModeEnabled(true);
    QCommandLineParser parser;
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("descriptor"), QStringLiteral("d"));
    const QCommandLineOption journal(QStringLiteral("journal"), QStringLiteral("file"), QStringLiteral("f"));
    const QCommandLineOption client(QStringLiteral("client"), QStringLiteral("number"), QStringLiteral("k"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("seed"), QStringLiteral("s"));
    const QCommandLineOption actions(QStringLiteral("actions"), QStringLiteral("count"), QStringLiteral("n"));
    const QCommandLineOption pause(QStringLiteral("pause"), QStringLiteral("file"), QStringLiteral("p"));
    parser.addOptions({database, journal, client, seed, actions, pause});
    parser.process(app);
    if (!parser.isSet(database) || !parser.isSet(journal)) {
        std::fputs("usage: tarnwick-load-client --database D --journal F [--client K --seed S --actions N]\n", stderr);
        return 2;
    }
    QFile file(parser.value(journal));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return 2;
    }
    // The program's own way to a database given for one run.
    RunSettings settings;
    settings.databases = {parser.value(database), parser.value(database)};
    LoadClient loadClient(settings, file, parser.value(client).toInt(), parser.value(seed).toUInt(),
                          parser.value(pause));
    const int code = loadClient.run(parser.isSet(actions) ? parser.value(actions).toInt() : 150);
    Processing::DbConn().close();
    return code;
}
