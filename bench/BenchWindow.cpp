#include "BenchWindow.h"

#include "main/frmMain.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include <stdexcept>

BenchWindow::BenchWindow() : m_main(new frmMain)
{
    m_list = m_main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"));
    m_tree = m_main->findChild<QTreeView *>(QStringLiteral("CatTree"));
    if (!m_list || !m_tree)
        throw std::runtime_error("the main window has no LstVwPlaces or CatTree");
    m_main->show();
    if (!QTest::qWaitForWindowExposed(m_main))
        throw std::runtime_error("the main window was never shown");
    Settle();
}

BenchWindow::~BenchWindow()
{
    delete m_main;
}

int BenchWindow::listedRows() const
{
    return m_list->model()->rowCount();
}

QStringList BenchWindow::columnTexts(int column) const
{
    const QAbstractItemModel *model = m_list->model();
    QStringList texts;
    texts.reserve(model->rowCount());
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->data(model->index(row, column)).toString());
    return texts;
}

qint64 BenchWindow::listedTextBytes() const
{
    const QAbstractItemModel *model = m_list->model();
    qint64 bytes = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column)
            bytes += model->data(model->index(row, column)).toString().toUtf8().size();
    }
    return bytes;
}

void BenchWindow::revealColumn(int column)
{
    if (m_list->model()->rowCount() > 0)
        m_list->scrollTo(m_list->model()->index(0, column));
    Settle();
}

void BenchWindow::clickHeader(int column)
{
    QHeaderView *header = m_list->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    if (x < 0 || x >= header->viewport()->width())
        throw std::runtime_error("the header section to click is out of view");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, header->height() / 2));
}

void BenchWindow::LoadList(frmMain &main, qint32 Branch_ID)
{
    main.UpdateList(Branch_ID);
    if (!main.ListLoading())
        return;
    QEventLoop loop;
    QObject::connect(&main, &frmMain::ListLoaded, &loop, &QEventLoop::quit);
    loop.exec();
}

void BenchWindow::Settle()
{
    // Twice: a layout done in the first pass asks for the paint done in the second.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}
