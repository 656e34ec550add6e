#include "data/Connection.h"
#include "data/DbError.h"
#include "data/DeleteStatements.h"
#include "data/Recordset.h"
#include "data/RowLocks.h"
#include "data/SearchState.h"
#include "data/Transaction.h"
#include "editing/PlaceChanges.h"
#include "main/CategoryTreeModel.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "ui/DbErrorMessage.h"
#include "ui/MsgBox.h"
#include "ui/WaitCursor.h"

#include <QModelIndex>

#include <optional>

namespace {

const QString ConfirmText = QStringLiteral("Are you Sure you want to delete    ");
const QString CategoryErrorTitle = QStringLiteral("Delete Category Error");

bool confirmed(const QString &name, const QString &title)
{
    return MsgBox(ConfirmText + name, QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon, title) ==
           QMessageBox::Yes;
}

void categoryRefused(const QString &text)
{
    MsgBox(text, QMessageBox::Ok, QMessageBox::NoIcon, CategoryErrorTitle);
}

qint64 countOf(const QString &sql)
{
    WaitCursor wait;
    const Processing::Recordset rs = Processing::DbConn().openRecordset(sql);
    return rs.RecordCount() > 0 ? rs.value(0, 0).toLongLong() : 0;
}

// What the database holds below a category, whatever the tree has loaded so far.
bool hasSubCategories(qint32 branchId)
{
    return countOf(Processing::SubCategoryCountQuery(branchId)) > 0;
}

// Places filed under a category, whatever the list shows. A link to a place that no longer
// exists holds nothing back.
bool hasPlaces(qint32 branchId)
{
    return countOf(Processing::CategoryPlaceCountQuery(branchId)) > 0;
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
    const QString placeFailed = QStringLiteral(" Place Can't be Deleted ");
    const QStringList statements = Processing::DeletePlaceStatements(placeId);
    if (!confirmed(name, QStringLiteral("Delete Place")))
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
    // and a transaction that cannot start runs nothing. The list may be older than the row:
    // others may have renamed the place, or deleted it and added another that took its
    // identifier (a new place gets one above the largest). What the row holds now is read
    // while the write holds it, and a place the user did not confirm is not deleted unasked.
    for (;;) {
        std::optional<QString> nowNamed;
        std::optional<Processing::DbError> failure;
        {
            // Message boxes show the ordinary pointer over it.
            WaitCursor wait;
            try {
                Processing::Transaction write;
                // Its links first, in the order the statements take them, as an update holds them.
                Processing::HoldForChange(QStringLiteral("PLACES_BRANCH_LEAVES"), QStringLiteral("LEAF_ID"), placeId);
                if (Processing::HoldForChange(QStringLiteral("PLACES_LEAVES"), QStringLiteral("LEAF_ID"), placeId)) {
                    const Processing::Recordset rs =
                        Processing::DbConn().openRecordset(Processing::PlaceNameQuery(placeId));
                    const QString stored = rs.RecordCount() > 0 ? rs.value(0, 0).toString() : QString();
                    // The list is not read again after an update: a name this program stored
                    // last is the user's own change, not someone else's.
                    const std::optional<frmUpdate::StoredPlace> own = LastStored(placeId);
                    if (stored != name && (!own || own->name != stored))
                        nowNamed = stored;
                }
                // A place already gone is deleted as far as this user is concerned; the
                // statements then find nothing, as they always did.
                if (!nowNamed) {
                    for (const QString &statement : statements)
                        write.execute(statement);
                    failure = write.finish();
                }
            } catch (const Processing::DbError &error) {
                failure = error;
            }
        }
        if (failure) {
            if (failure->outcomeUnknown())
                ShowDbError(*failure); // the place may be gone all the same
            else
                MsgBox(placeFailed, QMessageBox::Ok, QMessageBox::NoIcon, QStringLiteral("DataBase Error"));
            return;
        }
        if (!nowNamed)
            break;
        // No is the default: Enter pressed in passing deletes nothing.
        const QString text =
            QStringLiteral(
                "The place \"%1\" was changed by someone else since the list showed it: it is now \"%2\".\n\n"
                "Delete \"%2\"?")
                .arg(name, *nowNamed);
        if (MsgBox(text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, QStringLiteral("Delete Place"),
                   QString(), QMessageBox::No) != QMessageBox::Yes) {
            if (const std::optional<Processing::DbError> reloadFailure = reloadList())
                ShowDbError(*reloadFailure);
            return;
        }
        // Asked again should it change once more meanwhile.
        name = *nowNamed;
    }

    const std::optional<Processing::DbError> reloadFailure = reloadList();
    MsgBox(QStringLiteral(" Place  Deleted "), QMessageBox::Ok, QMessageBox::NoIcon, QStringLiteral("Delete Place"));
    if (reloadFailure)
        ShowDbError(*reloadFailure);
}

void frmMain::DeleteCategory()
{
    if (m_categories->rowCount() == 0)
        return;
    const QModelIndex node = SelectedNode();
    const QString name = node.data().toString();
    if (!node.isValid() || name.trimmed().isEmpty())
        return;
    const qint32 branchId = NodeBranchId(node);
    if (branchId == 0) {
        categoryRefused(QStringLiteral("You Can't delete the Root Category "));
        return;
    }
    const QString hasChildren = QStringLiteral("You Can't delete a parent Category before deleting it's Children");
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
    const QString hasRelated =
        QStringLiteral("You Can't delete a parent Category before deleting or moving related places ");
    if (m_places->rowCount() > 0 || hasPlaces(branchId)) {
        categoryRefused(hasRelated);
        return;
    }
    if (!confirmed(name, QStringLiteral("Delete Category")))
        return;

    // Checked again where it counts: others may have filed something under the category while
    // the question was open. The category's row is held from the checks to the commit, so an
    // add under it either came first and is counted, or waits and then finds it gone.
    std::optional<QString> refusal;
    std::optional<Processing::DbError> failure;
    try {
        WaitCursor wait;
        Processing::Transaction write;
        Processing::HoldForChange(QStringLiteral("Places_root"), QStringLiteral("Branch_ID"), branchId);
        if (hasSubCategories(branchId)) {
            refusal = hasChildren;
        } else if (hasPlaces(branchId)) {
            refusal = hasRelated;
        } else {
            write.execute(Processing::DeleteCategoryStatement(branchId));
            failure = write.finish();
        }
    } catch (const Processing::DbError &error) {
        failure = error;
    }
    if (refusal) {
        categoryRefused(*refusal);
        return;
    }
    // The tree is rebuilt whatever the outcome; a failure is told once it shows again.
    Processing::SearchStr.clear();
    std::optional<Processing::DbError> rebuildFailure;
    try {
        InitForm();
    } catch (const Processing::DbError &error) {
        rebuildFailure = error;
    }
    if (failure)
        ShowDbError(*failure);
    else
        MsgBox(name + QStringLiteral("  Deleted "), QMessageBox::Ok, QMessageBox::NoIcon,
               QStringLiteral("Delete Category"));
    if (rebuildFailure)
        ShowDbError(*rebuildFailure);
}
