#include "data/DbError.h"
#include "data/NewIdentifiers.h"
#include "data/ReferenceListStatements.h"
#include "data/SqlText.h"
#include "data/Transaction.h"
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
    try {
        WaitCursor wait;
        const qint64 id = Processing::NewRowIdentifier(CmbParentCat->count(), QStringLiteral("Places_Root"),
                                                       QStringLiteral("Branch_ID"));
        if (id > Processing::LargestIdentifier) {
            ShowNotStored(notDone, tooLarge(id, QStringLiteral("category")));
            return;
        }
        Processing::RunAsOneWriteOrThrow({Processing::InsertCategoryStatement(qint32(id), name, *parent)});
    } catch (const Processing::DbError &error) {
        ShowNotStored(notDone, error);
        return;
    }
    TxtCatName->clear();
    try {
        FillCategories(); // under the wait cursor of its loader
    } catch (const Processing::DbError &error) {
        ShowDbError(error);
    }
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
    try {
        WaitCursor wait;
        // All districts, so that the count is the number of rows; this also undoes a narrowing.
        FillDistricts(QString());
        const qint64 id = Processing::NewRowIdentifier(m_place.CmbDistrict->count(), QStringLiteral("PLACES_DISTRICT"),
                                                       QStringLiteral("DISTRICT_ID"));
        if (id > Processing::LargestIdentifier) {
            ShowNotStored(notDone, tooLarge(id, QStringLiteral("district")));
            return;
        }
        Processing::RunAsOneWriteOrThrow({Processing::InsertDistrictStatement(qint32(id), name, *city)});
    } catch (const Processing::DbError &error) {
        ShowNotStored(notDone, error);
        return;
    }
    // The place group's district list shows the new district from its next reload on.
    TxtNewDistrict->clear();
}
