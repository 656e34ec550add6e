#include "data/Connection.h"
#include "data/DbError.h"
#include "data/NewIdentifiers.h"
#include "data/NewRowWrite.h"
#include "data/PlaceStatements.h"
#include "data/RowLocks.h"
#include "data/SqlText.h"
#include "editing/EditMessages.h"
#include "editing/MultiLineTextBox.h"
#include "editing/ReferenceLists.h"
#include "editing/frmAdd.h"
#include "ui/DbErrorMessage.h"
#include "ui/MsgBox.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <optional>

void frmAdd::GetNewLeafID()
{
    NewLeafID = Processing::NextLeafId();
}

void frmAdd::CmdAddPlace_Click()
{
    const QString name = m_place.TxtPlaceName->text();
    if (Processing::TrimBlanks(name).isEmpty()) {
        ShowInvalidData(QStringLiteral("Error You Must Enter valid Place Name "));
        return;
    }
    // Only an empty box is refused: blanks count as an address.
    const QString address = m_place.TxtAddress->text();
    if (address.isEmpty()) {
        ShowInvalidData(QStringLiteral("You Can't Enter a Place without Address "));
        return;
    }
    // Told before anything is sent: without these the place could not be stored.
    if (const std::optional<QString> missing = m_place.MissingChoice()) {
        ShowInvalidData(MissingChoiceMessage(*missing, QStringLiteral("the place was not added.")));
        return;
    }
    const QString notDone = QStringLiteral("The place \"%1\" was not added.").arg(Processing::TrimBlanks(name));
    try {
        WaitCursor wait;
        if (!NewLeafID)
            GetNewLeafID();
        if (*NewLeafID > Processing::LargestIdentifier) {
            ShowNotStored(notDone, QStringLiteral("The new place would get the identifier %1, above the largest "
                                                  "the directory can keep (%2).")
                                       .arg(*NewLeafID)
                                       .arg(Processing::LargestIdentifier));
            return;
        }
    } catch (const Processing::DbError &error) {
        ShowNotStored(notDone, error);
        return;
    }
    AddPlace();
}

bool frmAdd::IsRepeated(const QString &name, const QString &address)
{
    return Processing::DbConn().openRecordset(Processing::DuplicatePlaceQuery(name, address)).RecordCount() > 0;
}

void frmAdd::AddPlace()
{
    const Processing::PlaceValues place = m_place.Values();
    const qint32 category = m_place.Category().value_or(0);
    const QString categoryName = m_place.CmbPlaceParent->currentText();
    const QString notDone = QStringLiteral("The place \"%1\" was not added; nothing of it was stored.")
                                .arg(Processing::TrimBlanks(place.name));
    bool categoryGone = false;
    bool repeated = false;
    Processing::NewRowOutcome outcome;
    {
        // Message boxes show the ordinary pointer over it.
        WaitCursor wait;
        // The place and its link are stored together or not at all; the first failure is the one told.
        outcome = Processing::WriteNewRow([&] {
            Processing::NewRowPlan plan;
            // No one adds a place between the check for a repeat and this one's commit: two
            // people adding the same place at once store it once.
            Processing::HoldAgainstAdds(QStringLiteral("PLACES_LEAVES"));
            repeated = IsRepeated(place.name, place.address);
            if (repeated) {
                plan.refusal = QStringLiteral("This Place name and address are repeated ,This can't be added\r\n"
                                              "Update the existing place or change this place name ");
                return plan;
            }
            // Held until the place is stored, so that no one deletes the category in between.
            categoryGone =
                !Processing::HoldAgainstChange(QStringLiteral("Places_Root"), QStringLiteral("Branch_ID"), category);
            if (categoryGone) {
                plan.refusal = QStringLiteral("The category \"%1\" was deleted by someone else after this dialog was "
                                              "opened; choose another Parent Category.")
                                   .arg(categoryName);
                return plan;
            }
            // Read afresh, since others may have added places since the dialog opened; never below
            // the identifier this dialog counted up to, which a rolled-back attempt skipped.
            plan.id = std::max(Processing::NextLeafId(), NewLeafID.value_or(0));
            if (plan.id > Processing::LargestIdentifier) {
                plan.refusal = QStringLiteral("The new place would get the identifier %1, above the largest the "
                                              "directory can keep (%2).")
                                   .arg(plan.id)
                                   .arg(Processing::LargestIdentifier);
                return plan;
            }
            plan.statements = {Processing::InsertPlaceStatement(qint32(plan.id), place),
                               Processing::InsertPlaceLinkStatement(category, qint32(plan.id))};
            return plan;
        });
    }
    // Counted up for every attempt, so a rolled-back identifier is not offered again.
    if (outcome.sent)
        NewLeafID = outcome.id + 1;
    if (repeated && !outcome.failure) {
        MsgBox(outcome.refusal, QMessageBox::Ok, QMessageBox::NoIcon, QStringLiteral("Repeated Entry"));
        return;
    }
    if (!outcome.stored()) {
        // What was typed stays, so the user can correct it and add again.
        ShowNotStored(notDone, outcome);
        if (categoryGone) {
            try {
                FillCategories();
            } catch (const Processing::DbError &error) {
                ShowDbError(error);
            }
        }
        return;
    }
    ClearPlace();
}

void frmAdd::ClearPlace()
{
    m_place.TxtPlaceName->clear();
    m_place.TxtTelephone->clear();
    m_place.TxtMore->clear();
    m_place.TxtURL->clear();
    m_place.TxtAddress->clear();
    // The entries stay; the district list stays narrowed to the last chosen city.
    ClearChoice(m_place.CmbCity);
    ClearChoice(m_place.CmbPlaceParent);
    ClearChoice(m_place.CmbDistrict);
}
