#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/statements/SqlText.h"
#include "data/writes/NewIdentifiers.h"
#include "data/writes/PlaceWrites.h"
#include "editing/EditMessages.h"
#include "editing/MultiLineTextBox.h"
#include "editing/ReferenceLists.h"
#include "editing/frmAdd.h"
#include "ui/DbErrorMessage.h"
#include "ui/MsgBox.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QLineEdit>

#include <optional>

void frmAdd::GetNewLeafID()
{
    NewLeafID = Processing::NextLeafId(Processing::DbConn());
}

void frmAdd::CmdAddPlace_Click()
{
    const QString name = m_place.TxtPlaceName->text();
    if (Processing::TrimBlanks(name).isEmpty()) {
        ShowInvalidData(tr("Error You Must Enter valid Place Name "));
        return;
    }
    // Only an empty box is refused: blanks count as an address.
    const QString address = m_place.TxtAddress->text();
    if (address.isEmpty()) {
        ShowInvalidData(tr("You Can't Enter a Place without Address "));
        return;
    }
    // Told before anything is sent: without these the place could not be stored.
    if (const std::optional<QString> missing = m_place.MissingChoice()) {
        ShowInvalidData(MissingChoiceMessage(*missing, tr("the place was not added.")));
        return;
    }
    const QString notDone = tr("The place \"%1\" was not added.").arg(Processing::TrimBlanks(name));
    try {
        WaitCursor wait;
        if (!NewLeafID)
            GetNewLeafID();
        if (*NewLeafID > Processing::LargestIdentifier) {
            ShowNotStored(notDone, IdentifierTooLargeMessage(NewRowKind::Place, *NewLeafID));
            return;
        }
    } catch (const Processing::DbError &error) {
        ShowNotStored(notDone, error);
        return;
    }
    AddPlace();
}

void frmAdd::AddPlace()
{
    using Processing::NewRowRefusal;
    const Processing::PlaceValues place = m_place.Values();
    const qint32 category = m_place.Category().value_or(0);
    const QString categoryName = m_place.CmbPlaceParent->currentText();
    const QString notDone =
        tr("The place \"%1\" was not added; nothing of it was stored.").arg(Processing::TrimBlanks(place.name));
    Processing::NewRowOutcome outcome;
    {
        // Message boxes show the ordinary pointer over it.
        WaitCursor wait;
        outcome = Processing::AddPlace(place, category, categoryName, NewLeafID.value_or(0), Processing::DbConn());
    }
    // Counted up for every attempt, so a rolled-back identifier is not offered again.
    if (outcome.sent)
        NewLeafID = outcome.id + 1;
    if (outcome.refusal == NewRowRefusal::Repeated && !outcome.failure) {
        MsgBox(tr("This Place name and address are repeated ,This can't be added\r\n"
                  "Update the existing place or change this place name "),
               QMessageBox::Ok, QMessageBox::NoIcon, tr("Repeated Entry"));
        return;
    }
    if (!outcome.stored()) {
        // What was typed stays, so the user can correct it and add again.
        const bool categoryGone = outcome.refusal == NewRowRefusal::ParentGone;
        ShowNotStored(notDone, outcome,
                      categoryGone ? tr("The category \"%1\" was deleted by someone else after this dialog was opened; "
                                        "choose another Parent Category.")
                                         .arg(categoryName)
                                   : IdentifierTooLargeMessage(NewRowKind::Place, outcome.id));
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
