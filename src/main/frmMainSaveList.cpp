#include "data/rows/CsvWriter.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "ui/MsgBox.h"
#include "ui/WaitCursor.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTreeView>

namespace {

// Not a toolbar entry: it waits for a list loading as they do, under a number of its own.
constexpr int SaveListCommand = 1000;

} // namespace

void frmMain::LstVwPlaces_ContextMenu(const QContextMenuEvent *event)
{
    QPoint position = event->globalPos();
    // From the keyboard, beside the chosen place, or at the list's top corner.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const QRect item = LstVwPlaces->visualRect(LstVwPlaces->currentIndex());
        position = LstVwPlaces->viewport()->mapToGlobal(item.isValid() ? item.center() : QPoint(0, 0));
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("LstVwPlacesMenu"));
    menu.addAction(mnuSaveListAs);
    menu.exec(position);
}

void frmMain::SaveListAs()
{
    WhenListWhole(this, SaveListCommand, [this] {
        QFileDialog dialog(this, tr("Save List As"));
        dialog.setObjectName(QStringLiteral("SaveListDialog"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters({QStringLiteral("CSV files (*.csv)"), QStringLiteral("All files (*)")});
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        const QString folder = m_savedListFolder.isEmpty()
                                   ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                   : m_savedListFolder;
        dialog.setDirectory(folder);
        dialog.selectFile(QStringLiteral("Places.csv"));
        // The dialog asks before a file is replaced, in the desktop's own words.
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        const QString path = dialog.selectedFiles().constFirst();
        m_savedListFolder = QFileInfo(path).absolutePath();
        QString failure;
        {
            WaitCursor wait;
            failure = WriteListTo(path);
        }
        if (!failure.isEmpty())
            MsgBox(tr("The list was not saved to \"%1\": %2").arg(QDir::toNativeSeparators(path), failure),
                   QMessageBox::Ok, QMessageBox::Critical, tr("Save List As"));
    });
}

QString frmMain::WriteListTo(const QString &path) const
{
    // Written beside the file and put in its place only when whole: a failure halfway leaves a
    // file that was there as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QHeaderView *header = LstVwPlaces->header();
    QList<int> columns;
    Processing::CsvWriter out(file);
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (header->isSectionHidden(column))
            continue;
        columns.append(column);
        out.field(m_places->headerData(column, Qt::Horizontal).toString());
    }
    out.endRecord();
    for (int row = 0; row < m_places->rowCount() && !out.failed(); ++row)
        m_places->WriteRow(row, columns, out);
    if (!out.flush()) {
        file.cancelWriting();
        return out.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
