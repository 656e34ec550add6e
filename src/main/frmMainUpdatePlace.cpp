#include "data/writes/PlaceChanges.h"
#include "editing/frmUpdate.h"
#include "main/CategoryTreeModel.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"

#include <QModelIndex>
#include <QPointer>

void frmMain::UpdatePlace()
{
    if (m_places->rowCount() == 0)
        return;
    const int row = SelectedPlaceRow();
    if (row < 0 || m_places->Text(row, PlacesModel::Name).isEmpty())
        return;

    // A window closed a moment ago may not be deleted yet; it is not reused. The window has no
    // owner, so "Exit " leaves it open with what the user typed.
    if (!m_update || !m_update->isVisible()) {
        m_update = new frmUpdate(m_storedPlaces);
        // "&Update" writes over the connection a list may be reading: it waits for the list.
        m_update->SetStoreWhenFree([window = m_update, main = QPointer<frmMain>(this)](std::function<void()> store) {
            if (main)
                main->WhenListWhole(window.data(), 0, std::move(store));
            else
                store();
        });
    }
    frmUpdate *window = m_update;
    window->show();
    window->raise();
    window->activateWindow();

    Processing::StoredPlace place;
    place.id = m_places->PlaceId(row);
    place.name = m_places->Text(row, PlacesModel::Name);
    place.city = m_places->Text(row, PlacesModel::City);
    place.district = m_places->Text(row, PlacesModel::District);
    place.address = m_places->Text(row, PlacesModel::Address);
    place.telephone = m_places->Text(row, PlacesModel::Telephone);
    place.more = m_places->Text(row, PlacesModel::More);
    place.url = m_places->Text(row, PlacesModel::URL);
    place.filedUnder = m_places->Text(row, PlacesModel::Category);
    // The category proposed is the tree's selected one, not the list's "Category" column. The
    // root node's text names no entry, so then no category is chosen.
    if (m_categories->NodeCount() > 1) {
        if (const QModelIndex node = SelectedNode(); node.isValid())
            place.category = node.data().toString();
    }
    window->Load(place);
}
