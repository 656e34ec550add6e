#pragma once

#include <QString>

// What the search dialog needs of the window it searches for; the main window implements it,
// so the dialog never depends on the main window itself.
class SearchHost
{
public:
    virtual ~SearchHost() = default;
    // Records a condition in the search history.
    virtual void setsearch(const QString &Srchstr) = 0;
    // Rebuilds the category tree. Throws DbError.
    virtual void InitForm() = 0;
    // Reloads the places list for a category, or all (-1), under the current condition.
    // Throws DbError.
    virtual void UpdateList(qint32 Branch_ID) = 0;
};
