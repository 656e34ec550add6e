// Takes the pictures of the README and the software-centre description: the main window on the
// sample directory and each of its windows, at the screen's scale (run once with
// QT_SCALE_FACTOR=1 and once with 2; scripts/screenshots.sh does both under a virtual display).
//
//   tarnwick-screenshots OUTPUT-FOLDER [LANGUAGE]
//
// Files are named after the window, with "@2x" at 200 %: main-window.png, search-dialog@2x.png ...
// In another language than English (ar) only the main window and "Find Place" are taken, named
// with the language: main-window-ar.png.
// The program's own windows are used as the program builds them, on a new sample directory in a
// temporary folder; the web window shows a page from a local file.

#include "data/connection/Connection.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/setup/EmbeddedDatabase.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/CategoryTreeModel.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "ui/LayoutDirection.h"
#include "ui/Pictures.h"
#include "web/WebEngineStartup.h"
#include "web/frmDinning.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QWebEngineView>

#include <cstdio>

namespace {

// Lets the windows lay themselves out and paint; the web window waits for its page.
void settle(int milliseconds = 300)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget *window, const QString &folder, const QString &name)
{
    window->raise();
    window->activateWindow();
    settle();
    const QPixmap shot = window->grab();
    const QString suffix = shot.devicePixelRatio() > 1.5 ? QStringLiteral("@2x") : QString();
    const QString path = folder + QLatin1Char('/') + name + suffix + QStringLiteral(".png");
    // Quality 0 is the strongest PNG compression: the pictures live in the repository.
    if (!shot.save(path, "PNG", 0)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s (%dx%d)\n", qPrintable(path), shot.width(), shot.height());
    return true;
}

QModelIndex category(const QTreeView *tree, const QString &name)
{
    const QModelIndexList found = tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole, name, 1,
                                                       Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

} // namespace

int main(int argc, char *argv[])
{
    PrepareWebEngine();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QApplication::setWindowIcon(ApplicationPicture());
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        std::fputs("usage: tarnwick-screenshots OUTPUT-FOLDER [LANGUAGE]\n", stderr);
        return 2;
    }
    const QString folder = arguments.at(1);
    const QString language = arguments.value(2, QStringLiteral("en"));
    const bool english = language == QLatin1StringView("en");
    const QString named = english ? QString() : QLatin1Char('-') + language;
    if (!UseInterfaceLanguage(language)) {
        std::fprintf(stderr, "no catalogue for the language %s\n", qPrintable(language));
        return 2;
    }
    QDir().mkpath(folder);

    QTemporaryDir scratch;
    const QString file = scratch.filePath(QStringLiteral("sample.sqlite"));
    Processing::EnsureEmbeddedDatabase(file, Processing::EmbeddedDatabaseScripts(true));
    Processing::DbConn().open(Processing::DatabaseDescriptor::parse(QStringLiteral("sqlite:") + file));

    bool ok = true;
    auto *main = new frmMain;
    main->show();
    auto *tree = main->findChild<QTreeView *>(QStringLiteral("CatTree"));
    if (const QModelIndex food = category(tree, QStringLiteral("Food & Drink")); food.isValid())
        tree->expand(food);
    // Found after the expansion above: the level below Food & Drink may have just been loaded.
    if (const QModelIndex restaurants = category(tree, QStringLiteral("Restaurants")); restaurants.isValid()) {
        tree->expand(restaurants);
        tree->setCurrentIndex(restaurants);
        main->UpdateList(restaurants.data(CategoryTreeModel::IdRole).toInt());
    }
    auto *list = main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"));
    // Sorted by name, as by a click on its header.
    Q_EMIT list->header()->sectionClicked(0);
    list->selectionModel()->select(list->model()->index(1, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ok &= save(main, folder, QStringLiteral("main-window") + named);

    {
        FrmSearch search(*main);
        search.findChild<QCheckBox *>(QStringLiteral("ChkCity"))->click();
        auto *cities = search.findChild<QListWidget *>(QStringLiteral("LstCity"));
        if (cities->count() > 2)
            cities->item(2)->setSelected(true);
        search.show();
        ok &= save(&search, folder, QStringLiteral("search-dialog") + named);
    }
    if (!english) {
        main->close();
        settle();
        return ok ? 0 : 1;
    }
    {
        frmAdd add;
        add.findChild<QCheckBox *>(QStringLiteral("ChkAddPlace"))->setChecked(true);
        add.show();
        ok &= save(&add, folder, QStringLiteral("add-dialog"));
    }
    // The update window as the toolbar's "Update" opens it, filled from the selected place.
    main->ToolbarButton(ToolbarEntry::Update)->trigger();
    frmUpdate *update = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *shown = qobject_cast<frmUpdate *>(window); shown && shown->isVisible())
            update = shown;
    }
    if (update) {
        ok &= save(update, folder, QStringLiteral("update-window"));
        update->close();
    } else {
        ok = false;
    }

    const QString page = scratch.filePath(QStringLiteral("directory.html"));
    QFile html(page);
    if (html.open(QIODevice::WriteOnly)) {
        html.write("<!DOCTYPE html><html><head><title>Directory</title></head>"
                   "<body style=\"font-family: sans-serif; margin: 2em\"><h1>Directory web service</h1>"
                   "<p>A page of the directory web service shows here.</p></body></html>");
        html.close();
    }
    frmDinning *web = frmDinning::ShowWindow(QUrl::fromLocalFile(page).toString(), [main] { main->raise(); });
    QEventLoop loaded;
    QObject::connect(web->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")), &QWebEngineView::loadFinished,
                     &loaded, &QEventLoop::quit);
    QTimer::singleShot(20000, &loaded, &QEventLoop::quit);
    loaded.exec();
    settle(1000);
    ok &= save(web, folder, QStringLiteral("web-window"));
    web->close();
    main->close();
    settle();
    return ok ? 0 : 1;
}
