#include "search/SelectionList.h"

#include "data/setup/InterfaceLanguage.h"

#include <QCollator>
#include <QCoreApplication>
#include <QListWidget>

#include <algorithm>

void FillSelectionList(QListWidget *list, QList<Processing::ReferenceEntry> entries)
{
    list->clear();
    if (entries.isEmpty())
        return;
    // The statements ask for no order; the user finds an entry faster in alphabetical order.
    QCollator collator(Processing::InterfaceLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(),
                     [&collator](const Processing::ReferenceEntry &a, const Processing::ReferenceEntry &b) {
                         return collator.compare(a.name, b.name) < 0;
                     });

    auto *all = new QListWidgetItem(QCoreApplication::translate("FrmSearch", "* All *"), list);
    all->setData(Qt::UserRole, qint32(0));
    for (const Processing::ReferenceEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.name, list);
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
