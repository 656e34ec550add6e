#pragma once

#include "search/SearchCondition.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class SearchHost;

// The "Find Place" dialog: a name pattern and three selection lists (categories, cities,
// districts) become the search condition of the host's places list. Each opening builds a
// new dialog, so the lists are always loaded afresh.
class FrmSearch : public QDialog
{
    Q_OBJECT

public:
    explicit FrmSearch(SearchHost &host, QWidget *parent = nullptr);

    // The choices as they stand, in the form the condition is built from.
    SearchCriteria Criteria() const;

    // Escape and the close box: while the search's list loads, the dialog closes when it is
    // whole.
    void reject() override;

private:
    void BuildLayout();
    void SetTabOrder();
    void Form_Load();

    void FillLists();
    void FillCategories();
    void FillCities();
    void FillDistricts(const std::optional<QList<qint32>> &cities);

    void LstCity_LostFocus();
    void CmdSearch_Click();
    void CmdCancel_Click();

    bool eventFilter(QObject *watched, QEvent *event) override;

    SearchHost &m_host;
    bool m_searching = false; // the search's list is loading
    bool m_closeAsked = false;

    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *TxtPlaceName = nullptr;
    QRadioButton *OptStart = nullptr;
    QRadioButton *OptEnd = nullptr;
    QRadioButton *OptContain = nullptr;
    QRadioButton *OptExact = nullptr;
    QCheckBox *ChkCat = nullptr;
    QListWidget *LstCat = nullptr;
    QCheckBox *ChkCity = nullptr;
    QListWidget *LstCity = nullptr;
    QCheckBox *ChkDistrict = nullptr;
    QListWidget *LstDistrict = nullptr;
    QPushButton *CmdSearch = nullptr;
    QPushButton *CmdCancel = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Text3 = nullptr;
};
