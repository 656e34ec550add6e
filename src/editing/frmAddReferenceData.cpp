#include "data/DbError.h"
#include "data/NewIdentifiers.h"
#include "data/NewRowWrite.h"
#include "data/ReferenceListStatements.h"
#include "data/RowLocks.h"
#include "data/SqlText.h"
#include "editing/EditMessages.h"
#include "editing/ReferenceLists.h"
#include "editing/frmAdd.h"
#include "ui/DbErrorMessage.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QString tooLarge(qint64 id, const QString &kind)
{
    return QStringLiteral("The new %1 would get the identifier %2, above the largest the directory can keep (%3).")
        .arg(kind)
        .arg(id)
        .arg(Processing::LargestIdentifier);
}

QString deletedMeanwhile(const QString &parent)
{
    return QStringLiteral("The parent category \"%1\" was deleted by someone else after this dialog was opened.")
        .arg(parent);
}

} // namespace

void frmAdd::CmdAddCat_Click()
{
    // The name is stored as typed, blanks included; only a name of blanks alone is refused.
    const QString name = TxtCatName->text();
    if (Processing::TrimBlanks(name).isEmpty()) {
        ShowInvalidData(QStringLiteral("Error You Must Enter valid Category Name "));
        return;
    }
    const std::optional<qint32> parent = ChosenId(CmbParentCat);
    if (!parent) {
        ShowInvalidData(
            MissingChoiceMessage(QStringLiteral("Parent Category"), QStringLiteral("the category was not added.")));
        return;
    }
    const QString notDone = QStringLiteral("The category \"%1\" was not added.").arg(name);
    const qint64 counted = CmbParentCat->count();
    const QString parentName = CmbParentCat->currentText();
    const auto reloadCategories = [this] {
        try {
            FillCategories(); // under the wait cursor of its loader
        } catch (const Processing::DbError &error) {
            ShowDbError(error);
        }
    };
    bool parentGone = false;
    Processing::NewRowOutcome outcome;
    {
        WaitCursor wait;
        outcome = Processing::WriteNewRow([&] {
            Processing::NewRowPlan plan;
            // Someone else may delete the parent meanwhile; held, it stays until this commits.
            parentGone =
                !Processing::HoldAgainstChange(QStringLiteral("Places_Root"), QStringLiteral("Branch_ID"), *parent);
            if (parentGone) {
                plan.refusal = deletedMeanwhile(parentName);
                return plan;
            }
            plan.id = Processing::NewRowIdentifier(counted, QStringLiteral("Places_Root"), QStringLiteral("Branch_ID"));
            if (plan.id > Processing::LargestIdentifier)
                plan.refusal = tooLarge(plan.id, QStringLiteral("category"));
            else
                plan.statements = {Processing::InsertCategoryStatement(qint32(plan.id), name, *parent)};
            return plan;
        });
    }
    if (!outcome.stored()) {
        ShowNotStored(notDone, outcome);
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
        ShowInvalidData(QStringLiteral("Error You Must Enter valid District Name "));
        return;
    }
    const std::optional<qint32> city = ChosenId(CmbCityAdd);
    if (!city) {
        ShowInvalidData(
            MissingChoiceMessage(QStringLiteral("City Name"), QStringLiteral("the district was not added.")));
        return;
    }
    const QString notDone = QStringLiteral("The district \"%1\" was not added.").arg(name);
    Processing::NewRowOutcome outcome;
    try {
        WaitCursor wait;
        // All districts, so that the count is the number of rows; this also undoes a narrowing.
        FillDistricts(QString());
        const qint64 counted = m_place.CmbDistrict->count();
        outcome = Processing::WriteNewRow([&] {
            Processing::NewRowPlan plan;
            plan.id =
                Processing::NewRowIdentifier(counted, QStringLiteral("PLACES_DISTRICT"), QStringLiteral("DISTRICT_ID"));
            if (plan.id > Processing::LargestIdentifier)
                plan.refusal = tooLarge(plan.id, QStringLiteral("district"));
            else
                plan.statements = {Processing::InsertDistrictStatement(qint32(plan.id), name, *city)};
            return plan;
        });
    } catch (const Processing::DbError &error) {
        ShowNotStored(notDone, error);
        return;
    }
    if (!outcome.stored()) {
        ShowNotStored(notDone, outcome);
        return;
    }
    // The place group's district list shows the new district from its next reload on.
    TxtNewDistrict->clear();
}
