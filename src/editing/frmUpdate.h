#pragma once

#include "editing/PlaceFields.h"

#include <QString>
#include <QWidget>

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
    explicit frmUpdate(QWidget *parent = nullptr);

    // A stored place as the main window's list shows it.
    struct StoredPlace
    {
        qint32 id = 0;
        QString name;
        QString city;
        QString district;
        QString address;
        QString telephone;
        QString more;
        QString url;
        // The category to propose; none leaves the choice as it is.
        std::optional<QString> category;
    };
    // Fills the window for the place; what the user stores goes to that place.
    void Load(const StoredPlace &place);

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

    // The place being edited.
    qint32 place_id = 0;
    QGroupBox *FramePlace = nullptr;
    PlaceFields m_place;
    QPushButton *CmdUpdate = nullptr;
    QPushButton *CmdCancel = nullptr;
};
