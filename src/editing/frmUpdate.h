#pragma once

#include "editing/PlaceFields.h"

#include <QWidget>

class QGroupBox;
class QPushButton;

// The window that edits one stored place. It is not modal: the main window stays usable and
// may fill it again for another place. It deletes itself when closed, so the next opening
// loads its lists afresh.
class frmUpdate : public QWidget
{
    Q_OBJECT

public:
    explicit frmUpdate(QWidget *parent = nullptr);

    // The place being edited; set by the main window.
    qint32 place_id = 0;

    // The inputs, for the main window to fill from the selected place.
    const PlaceFields &Fields() const { return m_place; }

private:
    void BuildLayout();
    void SetTabOrder();
    void Form_Load();

    void FillCategories();
    void FillCities();
    void FillDistricts(const QString &strFilter);
    void CmbCity_LostFocus();

    void CmdUpdate_Click();
    void CmdCancel_Click();
    bool StorePlace();
    static bool Exists(const QString &table, const QString &column, qint32 id);

    QGroupBox *FramePlace = nullptr;
    PlaceFields m_place;
    QPushButton *CmdUpdate = nullptr;
    QPushButton *CmdCancel = nullptr;
};
