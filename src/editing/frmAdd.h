#pragma once

#include "editing/PlaceFields.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The modal dialog that adds categories, districts and places. A check box above each of its
// three group boxes switches that box on; at most one is on at a time.
class frmAdd : public QDialog
{
    Q_OBJECT

public:
    explicit frmAdd(QWidget *parent = nullptr);

private:
    void BuildLayout();
    void SetTabOrder();
    void Form_Load();

    void FillCategories();
    void FillCities();
    void FillDistricts();
    void CmbCity_LostFocus();

    void ChkAddCat_Click();
    void ChkAddDistrict_Click();
    void ChkAddPlace_Click();

    void CmdAddCat_Click();
    void CmdAddDistrict_Click();
    void Command4_Click();

    // Places
    void GetNewLeafID();
    void CmdAddPlace_Click();
    void AddPlace();
    void ClearPlace();

    QCheckBox *ChkAddPlace = nullptr;
    QGroupBox *FramePlace = nullptr;
    PlaceFields m_place;
    QPushButton *CmdAddPlace = nullptr;

    QCheckBox *ChkAddCat = nullptr;
    QGroupBox *FrameCat = nullptr;
    QComboBox *CmbParentCat = nullptr;
    QLineEdit *TxtCatName = nullptr;
    QPushButton *CmdAddCat = nullptr;

    QCheckBox *ChkAddDistrict = nullptr;
    QGroupBox *FrameDistrict = nullptr;
    QComboBox *CmbCityAdd = nullptr;
    QLineEdit *TxtNewDistrict = nullptr;
    QPushButton *CmdAddDistrict = nullptr;

    QPushButton *Command4 = nullptr;

    // The identifier the next added place gets; none while it could not be read.
    std::optional<qint64> NewLeafID;
};
