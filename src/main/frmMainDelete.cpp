#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/writes/CategoryDelete.h"
#include "data/writes/PlaceDelete.h"
#include "main/CategoryTreeModel.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "ui/DbErrorMessage.h"
#include "ui/MsgBox.h"
#include "ui/WaitCursor.h"

#include <QCoreApplication>
#include <QModelIndex>

#include <optional>

namespace {

bool confirmed(const QString &name, const QString &title)
{
    return MsgBox(QCoreApplication::translate("frmMain", "Are you Sure you want to delete    %1").arg(name),
                  QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon, title) == QMessageBox::Yes;
}

void categoryRefused(const QString &text)
{
    MsgBox(text, QMessageBox::Ok, QMessageBox::NoIcon, QCoreApplication::translate("frmMain", "Delete Category Error"));
}

// Whether to delete what a row holds now, others having changed it since the window showed it
// (question: the text, with the name shown and the name now). No is the default: Enter pressed
// in passing deletes nothing.
bool deleteChanged(const char *question, const QString &name, const QString &nowNamed, const QString &title)
{
    return MsgBox(QCoreApplication::translate("frmMain", question).arg(name, nowNamed),
                  QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, title, QString(),
                  QMessageBox::No) == QMessageBox::Yes;
}

// Asked before the question, so that nothing is confirmed that is refused anyway.
bool hasSubCategories(qint32 branchId)
{
    WaitCursor wait;
    return Processing::HasSubCategories(branchId, Processing::DbConn());
}

bool hasPlaces(qint32 branchId)
{
    WaitCursor wait;
    return Processing::HasPlaces(branchId, Processing::DbConn());
}

} // namespace

void frmMain::DeletePlace()
{
    if (m_places->rowCount() == 0)
        return;
    const int row = SelectedPlaceRow();
    if (row < 0)
        return;
    QString name = m_places->Text(row, PlacesModel::Name);
    if (name.isEmpty())
        return;
    const qint32 placeId = m_places->PlaceId(row);
    const QString placeFailed = tr(" Place Can't be Deleted ");
    if (!confirmed(name, tr("Delete Place")))
        return;

    // The list shows the selected category again. With nodes but none selected the list was
    // filled for all categories (after a search or a step through the history), so it is
    // filled that way again, under the search condition still in force.
    const auto reloadList = [this]() -> std::optional<Processing::DbError> {
        try {
            if (m_categories->rowCount() == 0) {
                UpdateList(-1);
            } else if (const QModelIndex node = SelectedNode(); node.isValid()) {
                UpdateList(NodeBranchId(node));
            } else {
                UpdateList(-1);
            }
        } catch (const Processing::DbError &error) {
            return error;
        }
        return std::nullopt;
    };

    // Both statements take effect together or not at all: the first that fails ends the write,
    // and a transaction that cannot start runs nothing. A place others renamed, or one that took
    // the listed place's identifier, is not deleted unasked.
    for (;;) {
        Processing::PlaceDeleteOutcome outcome;
        {
            // Message boxes show the ordinary pointer over it.
            WaitCursor wait;
            outcome = Processing::DeletePlace(placeId, name, *m_storedPlaces, Processing::DbConn());
        }
        using Result = Processing::PlaceDeleteOutcome::Result;
        if (outcome.result == Result::Failed) {
            // The place may be gone all the same, or the server did not answer: the words say which.
            if (outcome.failure->outcomeUnknown() || outcome.failure->serverBusy() ||
                outcome.failure->serverSilence() != 0)
                ShowDbError(*outcome.failure);
            else
                MsgBox(placeFailed, QMessageBox::Ok, QMessageBox::NoIcon, tr("DataBase Error"));
            return;
        }
        if (outcome.result == Result::Deleted)
            break;
        if (!deleteChanged(QT_TRANSLATE_NOOP("frmMain", "The place \"%1\" was changed by someone else since the list "
                                                        "showed it: it is now \"%2\".\n\nDelete \"%2\"?"),
                           name, outcome.nowNamed, tr("Delete Place"))) {
            if (const std::optional<Processing::DbError> reloadFailure = reloadList())
                ShowDbError(*reloadFailure);
            return;
        }
        // Asked again should it change once more meanwhile.
        name = outcome.nowNamed;
    }

    const std::optional<Processing::DbError> reloadFailure = reloadList();
    MsgBox(tr(" Place  Deleted "), QMessageBox::Ok, QMessageBox::NoIcon, tr("Delete Place"));
    if (reloadFailure)
        ShowDbError(*reloadFailure);
}

void frmMain::DeleteCategory()
{
    if (m_categories->rowCount() == 0)
        return;
    const QModelIndex node = SelectedNode();
    QString name = node.data().toString();
    if (!node.isValid() || name.trimmed().isEmpty())
        return;
    const qint32 branchId = NodeBranchId(node);
    if (branchId == 0) {
        categoryRefused(tr("You Can't delete the Root Category "));
        return;
    }
    const QString hasChildren = tr("You Can't delete a parent Category before deleting it's Children");
    if (m_categories->rowCount(node) > 0) {
        categoryRefused(hasChildren);
        return;
    }
    // The tree loads sub-categories only as it is expanded, and the list may show a search:
    // the database has the last word on what still depends on the category.
    if (hasSubCategories(branchId)) {
        categoryRefused(hasChildren);
        return;
    }
    const QString hasRelated = tr("You Can't delete a parent Category before deleting or moving related places ");
    if (m_places->rowCount() > 0 || hasPlaces(branchId)) {
        categoryRefused(hasRelated);
        return;
    }
    if (!confirmed(name, tr("Delete Category")))
        return;

    // After a delete, or a changed category left alone, the tree shows the categories as they are now.
    const auto rebuildTree = [this]() -> std::optional<Processing::DbError> {
        SearchStr.clear();
        try {
            InitForm();
        } catch (const Processing::DbError &error) {
            return error;
        }
        return std::nullopt;
    };
    Processing::CategoryDeleteOutcome outcome;
    for (;;) {
        {
            WaitCursor wait;
            outcome = Processing::DeleteCategory(branchId, name, Processing::DbConn());
        }
        if (outcome.result != Processing::CategoryDeleteOutcome::Result::Renamed)
            break;
        if (!deleteChanged(QT_TRANSLATE_NOOP("frmMain", "The category \"%1\" was changed by someone else since the "
                                                        "tree showed it: it is now \"%2\".\n\nDelete \"%2\"?"),
                           name, outcome.nowNamed, tr("Delete Category"))) {
            if (const std::optional<Processing::DbError> rebuildFailure = rebuildTree())
                ShowDbError(*rebuildFailure);
            return;
        }
        // Asked again should it change once more meanwhile.
        name = outcome.nowNamed;
    }
    switch (outcome.result) {
    case Processing::CategoryDeleteOutcome::Result::HasSubCategories:
        categoryRefused(hasChildren);
        return;
    case Processing::CategoryDeleteOutcome::Result::HasPlaces:
        categoryRefused(hasRelated);
        return;
    case Processing::CategoryDeleteOutcome::Result::Deleted:
    case Processing::CategoryDeleteOutcome::Result::Renamed:
    case Processing::CategoryDeleteOutcome::Result::Failed:
        break;
    }
    // A failure is told once the tree shows again.
    const std::optional<Processing::DbError> rebuildFailure = rebuildTree();
    if (outcome.failure)
        ShowDbError(*outcome.failure);
    else
        MsgBox(tr("%1  Deleted ").arg(name), QMessageBox::Ok, QMessageBox::NoIcon, tr("Delete Category"));
    if (rebuildFailure)
        ShowDbError(*rebuildFailure);
}
