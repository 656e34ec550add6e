// The main window's controls and nothing else: the floor of the program's start. The toolbar
// with its eleven captions, the category tree, the places list with its eight column headers
// and the status bar's four panels, in the places and faces the program gives them; no
// picture, no database, no row. What the program's start takes beyond this window's is its
// own work (pictures, database, the tree's rows), not Qt's for the controls it shows.
#include "ui/FormFont.h"
#include "ui/ScreenFit.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tarnwick"));

    auto *scroller = new QScrollArea(&window);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    window.setCentralWidget(scroller);
    auto *client = new QWidget;
    client->setFixedSize(TwipsSize(13140, 11115));
    scroller->setWidget(client);

    auto *toolbar = new QToolBar(client);
    toolbar->setGeometry(TwipsRect(0, 0, 13140, 765));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(25, 25));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const char *caption :
         {"Dinning", "Search", "Add", "Internet", "Refresh", "Update", "Delete", "Back", "Forward", "Delete Cat"})
        toolbar->addAction(QString::fromLatin1(caption));
    for (int separator = 0; separator < 4; ++separator)
        toolbar->addSeparator();
    toolbar->addWidget(new QWidget(toolbar));
    auto *widePlaceholder = new QWidget(toolbar);
    widePlaceholder->setFixedWidth(40);
    toolbar->addWidget(widePlaceholder);
    toolbar->addAction(QStringLiteral("Exit "));

    auto *tree = new QTreeView(client);
    tree->setGeometry(TwipsRect(0, 840, 3015, 9975));
    tree->setHeaderHidden(true);
    tree->setUniformRowHeights(true);

    QStandardItemModel columns(0, 8);
    columns.setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("City"), QStringLiteral("District"),
                                       QStringLiteral("Address"), QStringLiteral("Telephone"), QStringLiteral("More"),
                                       QStringLiteral("URL"), QStringLiteral("Category")});
    auto *list = new QTreeView(client);
    list->setGeometry(TwipsRect(3120, 840, 13140 - 3120, 9975));
    list->setModel(&columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(false);
    for (int column = 0; column < columns.columnCount(); ++column)
        list->header()->resizeSection(column, Twips(1440));

    auto *status = new QStatusBar(client);
    status->setGeometry(TwipsRect(0, 10860, 13140, 255));
    status->setSizeGripEnabled(false);
    status->setFont(FormFont(8.25, false));
    for (int panel = 0; panel < 4; ++panel)
        status->addWidget(new QLabel(status), 1);

    PlaceOnScreen(&window, client->size());
    window.show();
    return QApplication::exec();
}
