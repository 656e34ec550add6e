#pragma once

#include <QStringList>

class frmMain;
class QTreeView;

// The program's main window, started the way the program starts it, over the connection the
// benchmark has already opened (ConnectDB keeps an open connection), and shown offscreen.
class BenchWindow
{
public:
    BenchWindow();
    ~BenchWindow();
    BenchWindow(const BenchWindow &) = delete;
    BenchWindow &operator=(const BenchWindow &) = delete;

    frmMain &main() { return *m_main; }
    QTreeView &list() { return *m_list; }
    QTreeView &tree() { return *m_tree; }

    int listedRows() const;
    // A column's texts in the order the list shows them.
    QStringList columnTexts(int column) const;
    // Bytes (UTF-8) of every text the list shows.
    qint64 listedTextBytes() const;

    // Clicks the list's header on a column, with the mouse, as a user does.
    void clickHeader(int column);
    // Brings the column's header into view, so a click can reach it.
    void revealColumn(int column);

    // Delivers what the last operation left pending (layout, paint): a user waits for that too.
    static void Settle();
    // UpdateList, and the event loop until the list is whole: a long one loads in steps.
    static void LoadList(frmMain &main, qint32 Branch_ID);

private:
    frmMain *m_main = nullptr;
    QTreeView *m_list = nullptr;
    QTreeView *m_tree = nullptr;
};
