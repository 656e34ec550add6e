#include "data/SqlText.h"
#include "editing/MultiLineTextBox.h"
#include "editing/ReferenceLists.h"
#include "editing/frmUpdate.h"
#include "main/CategoryTreeModel.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"

#include <QLineEdit>
#include <QModelIndex>

frmUpdate *frmMain::UpdateWindow() const
{
    return m_update;
}

void frmMain::UpdatePlace()
{
    if (m_places->rowCount() == 0)
        return;
    const int row = SelectedPlaceRow();
    if (row < 0 || m_places->Text(row, PlacesModel::Name).isEmpty())
        return;

    // A window closed a moment ago may not be deleted yet; it is not reused. The window has no
    // owner, so "Exit " leaves it open with what the user typed.
    if (!m_update || !m_update->isVisible())
        m_update = new frmUpdate;
    frmUpdate *window = m_update;
    window->show();
    window->raise();
    window->activateWindow();

    window->place_id = m_places->PlaceId(row);
    const PlaceFields &fields = window->Fields();
    fields.TxtPlaceName->setText(m_places->Text(row, PlacesModel::Name));
    SetChoiceText(fields.CmbCity, m_places->Text(row, PlacesModel::City));
    SetChoiceText(fields.CmbDistrict, m_places->Text(row, PlacesModel::District));
    fields.TxtAddress->setText(m_places->Text(row, PlacesModel::Address));
    fields.TxtTelephone->setText(m_places->Text(row, PlacesModel::Telephone));
    fields.TxtMore->setText(m_places->Text(row, PlacesModel::More));
    // Stored links carry a leading blank, which would push the last character of a link of the
    // box's full length out of it; the update trims the blanks anyway.
    fields.TxtURL->setText(Processing::TrimBlanks(m_places->Text(row, PlacesModel::URL)));

    // The category proposed is the tree's selected one, not the list's "Category" column. The
    // root node's text names no entry, so then no category is chosen.
    if (m_categories->NodeCount() > 1) {
        if (const QModelIndex node = SelectedNode(); node.isValid())
            SetChoiceText(fields.CmbPlaceParent, node.data().toString());
    }
}
