#pragma once

#include "data/writes/PlaceChanges.h"
#include "editing/PlaceFields.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QGroupBox;
class QPushButton;

// The window that edits one stored place. It is not modal: the main window stays usable and
// may fill it again for another place. It deletes itself when closed, so the next opening
// loads its lists afresh.
class frmUpdate : public QWidget
{
    Q_OBJECT

public:
    // stored: what this program stored last for each place, shared by the windows the main
    // window opens one after another; a window of its own has a memory of its own.
    explicit frmUpdate(std::shared_ptr<Processing::StoredPlaces> stored = nullptr, QWidget *parent = nullptr);
    // Fills the window for the place; what the user stores goes to that place. The place as
    // stored now is read and remembered: "&Update" asks before it writes over what others
    // stored since.
    void Load(const Processing::StoredPlace &place);
    // Where "&Update" waits for the window that opened this one to be free for a write (a list
    // it is still reading); by default it stores at once.
    void SetStoreWhenFree(std::function<void(std::function<void()> store)> whenFree)
    {
        m_storeWhenFree = std::move(whenFree);
    }

private:
    void BuildLayout();
    void SetTabOrder();
    void Form_Load();

    void FillCategories();
    void FillCities();
    void FillDistricts();
    void CmbCity_LostFocus();

    void CmdUpdate_Click();
    void CmdCancel_Click();
    bool StorePlace();
    bool OverwriteConfirmed(const QStringList &changed) const;

    std::shared_ptr<Processing::StoredPlaces> m_storedPlaces;

    // The place being edited, and its stored values when the window was filled.
    qint32 place_id = 0;
    Processing::StoredPlace m_stored;
    QGroupBox *FramePlace = nullptr;
    PlaceFields m_place;
    QPushButton *CmdUpdate = nullptr;
    QPushButton *CmdCancel = nullptr;
    std::function<void(std::function<void()> store)> m_storeWhenFree;
};
