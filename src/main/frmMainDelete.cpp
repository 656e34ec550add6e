#include "data/CategoryDelete.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/DeleteStatements.h"
#include "data/Transaction.h"
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
    const QString name = m_places->Text(row, PlacesModel::Name);
    if (name.isEmpty())
        return;
    const QString placeFailed = QStringLiteral(" Place Can't be Deleted ");
    const QStringList statements = Processing::DeletePlaceStatements(m_places->PlaceId(row));
    if (!confirmed(name, QStringLiteral("Delete Place")))
        return;

    // Both statements take effect together or not at all: the first that fails ends the write,
    // and a transaction that cannot start runs nothing.
    // Message boxes show the ordinary pointer over it.
    WaitCursor wait;
    if (const std::optional<Processing::DbError> failure = Processing::RunAsOneWrite(statements)) {
        if (failure->outcomeUnknown())
            ShowDbError(*failure); // the place may be gone all the same
        else
            MsgBox(placeFailed, QMessageBox::Ok, QMessageBox::NoIcon, QStringLiteral("DataBase Error"));
        return;
    }

    // The list shows the selected category again. With nodes but none selected the list was
    // filled for all categories (after a search or a step through the history), so it is
    // filled that way again, under the search condition still in force.
    std::optional<Processing::DbError> reloadFailure;
    try {
        if (m_categories->rowCount() == 0) {
            UpdateList(-1);
        } else if (const QModelIndex node = SelectedNode(); node.isValid()) {
            UpdateList(NodeBranchId(node));
        } else {
            UpdateList(-1);
        }
    } catch (const Processing::DbError &error) {
        reloadFailure = error;
    }
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

    Processing::CategoryDeleteOutcome outcome;
    {
        WaitCursor wait;
        outcome = Processing::DeleteCategory(branchId, Processing::DbConn());
    }
    switch (outcome.result) {
    case Processing::CategoryDeleteOutcome::Result::HasSubCategories:
        categoryRefused(hasChildren);
        return;
    case Processing::CategoryDeleteOutcome::Result::HasPlaces:
        categoryRefused(hasRelated);
        return;
    case Processing::CategoryDeleteOutcome::Result::Deleted:
    case Processing::CategoryDeleteOutcome::Result::Failed:
        break;
    }
    // The tree is rebuilt whatever the outcome; a failure is told once it shows again.
    SearchStr.clear();
    std::optional<Processing::DbError> rebuildFailure;
    try {
        InitForm();
    } catch (const Processing::DbError &error) {
        rebuildFailure = error;
    }
    if (outcome.failure)
        ShowDbError(*outcome.failure);
    else
        MsgBox(name + QStringLiteral("  Deleted "), QMessageBox::Ok, QMessageBox::NoIcon,
               QStringLiteral("Delete Category"));
    if (rebuildFailure)
        ShowDbError(*rebuildFailure);
}
