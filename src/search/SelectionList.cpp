#include "search/SelectionList.h"

#include "data/Connection.h"
#include "data/InterfaceLanguage.h"

#include <QCollator>
#include <QCoreApplication>
#include <QListWidget>

#include <algorithm>

void FillSelectionList(QListWidget *list, const QString &sql, const QString &nameColumn, const QString &idColumn,
                       const QString &filter)
{
    // Read first: a list whose reload fails keeps its entries and the user's choices.
    const Processing::Recordset rows = Processing::DbConn().openRecordset(sql, filter);
    list->clear();
    if (rows.RecordCount() <= 0)
        return;
    const int name = rows.field(nameColumn);
    const int id = rows.field(idColumn);

    struct Row
    {
        QString text;
        qint32 id;
    };
    QList<Row> entries;
    entries.reserve(rows.RecordCount());
    for (int row = 0; row < rows.RecordCount(); ++row) {
        // A row whose identifier cannot be carried could never be searched for.
        const std::optional<qint32> identifier = rows.int32(row, id);
        if (identifier)
            entries.append({rows.text(row, name), *identifier});
    }
    // The statements ask for no order; the user finds an entry faster in alphabetical order.
    QCollator collator(Processing::InterfaceLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(),
                     [&collator](const Row &a, const Row &b) { return collator.compare(a.text, b.text) < 0; });

    auto *all = new QListWidgetItem(QCoreApplication::translate("FrmSearch", "* All *"), list);
    all->setData(Qt::UserRole, qint32(0));
    for (const Row &entry : entries) {
        auto *item = new QListWidgetItem(entry.text, list);
        item->setData(Qt::UserRole, entry.id);
    }
}

QList<ListEntry> SelectionEntries(const QListWidget *list)
{
    QList<ListEntry> entries;
    entries.reserve(list->count());
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem *item = list->item(i);
        entries.append({item->data(Qt::UserRole).toInt(), item->isSelected()});
    }
    return entries;
}
