#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/statements/SqlText.h"
#include "data/writes/ReferenceDataWrites.h"
#include "editing/EditMessages.h"
#include "editing/ReferenceLists.h"
#include "editing/frmAdd.h"
#include "ui/DbErrorMessage.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

namespace {

QString deletedMeanwhile(const QString &parent)
{
    return QCoreApplication::translate(
               "frmAdd", "The parent category \"%1\" was deleted by someone else after this dialog was opened.")
        .arg(parent);
}

} // namespace

void frmAdd::CmdAddCat_Click()
{
    // The name is stored as typed, blanks included; only a name of blanks alone is refused.
    const QString name = TxtCatName->text();
    if (Processing::TrimBlanks(name).isEmpty()) {
        ShowInvalidData(tr("Error You Must Enter valid Category Name "));
        return;
    }
    const std::optional<qint32> parent = ChosenId(CmbParentCat);
    if (!parent) {
        ShowInvalidData(MissingChoiceMessage(tr("Parent Category"), tr("the category was not added.")));
        return;
    }
    const QString notDone = tr("The category \"%1\" was not added.").arg(name);
    const qint64 counted = CmbParentCat->count();
    const QString parentName = CmbParentCat->currentText();
    const auto reloadCategories = [this] {
        try {
            FillCategories(); // under the wait cursor of its loader
        } catch (const Processing::DbError &error) {
            ShowDbError(error);
        }
    };
    Processing::NewRowOutcome outcome;
    {
        WaitCursor wait;
        outcome = Processing::AddCategory(name, *parent, parentName, counted, Processing::DbConn());
    }
    if (!outcome.stored()) {
        const bool parentGone = outcome.refusal == Processing::NewRowRefusal::ParentGone;
        ShowNotStored(notDone, outcome,
                      parentGone ? deletedMeanwhile(parentName)
                                 : IdentifierTooLargeMessage(NewRowKind::Category, outcome.id));
        // The lists no longer offer a parent that is gone; the typed name stays.
        if (parentGone)
            reloadCategories();
        return;
    }
    TxtCatName->clear();
    reloadCategories();
}

void frmAdd::CmdAddDistrict_Click()
{
    const QString name = TxtNewDistrict->text();
    if (Processing::TrimBlanks(name).isEmpty()) {
        ShowInvalidData(tr("Error You Must Enter valid District Name "));
        return;
    }
    const std::optional<qint32> city = ChosenId(CmbCityAdd);
    if (!city) {
        ShowInvalidData(MissingChoiceMessage(tr("City Name"), tr("the district was not added.")));
        return;
    }
    const QString notDone = tr("The district \"%1\" was not added.").arg(name);
    Processing::NewRowOutcome outcome;
    try {
        WaitCursor wait;
        // All districts, so that the count is the number of rows; this also undoes a narrowing.
        FillDistricts();
        const qint64 counted = m_place.CmbDistrict->count();
        outcome = Processing::AddDistrict(name, *city, counted, Processing::DbConn());
    } catch (const Processing::DbError &error) {
        ShowNotStored(notDone, error);
        return;
    }
    if (!outcome.stored()) {
        ShowNotStored(notDone, outcome, IdentifierTooLargeMessage(NewRowKind::District, outcome.id));
        return;
    }
    // The place group's district list shows the new district from its next reload on.
    TxtNewDistrict->clear();
}
