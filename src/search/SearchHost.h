#pragma once

#include "data/DbError.h"

#include <QString>

#include <functional>
#include <optional>

// What the search dialog needs of the window it searches for; the main window implements it,
// so the dialog never depends on the main window itself.
class SearchHost
{
public:
    virtual ~SearchHost() = default;
    // Records a condition in the search history.
    virtual void setsearch(const QString &Srchstr) = 0;
    // The condition the places list is filled under from now on; empty for none.
    virtual void SetSearchStr(const QString &Srchstr) = 0;
    // Rebuilds the category tree. Throws DbError.
    virtual void InitForm() = 0;
    // Reloads the places list for a category, or all (-1), under the current condition.
    // Throws DbError when the list cannot be read; a long list may still be loading when it
    // returns.
    virtual void UpdateList(qint32 Branch_ID) = 0;
    // Runs `then` once the list asked for is whole, with the failure that ended its load, if
    // any: `then` tells the user of it. At once for a host whose lists load within UpdateList.
    virtual void AfterListLoaded(std::function<void(const std::optional<Processing::DbError> &failure)> then)
    {
        then(std::nullopt);
    }
};
