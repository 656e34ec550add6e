#include "editing/frmAdd.h"

#include "data/DbError.h"
#include "editing/MultiLineTextBox.h"
#include "editing/ReferenceLists.h"
#include "ui/Accessibility.h"
#include "ui/DbErrorMessage.h"
#include "ui/EnterKey.h"
#include "ui/FormFont.h"
#include "ui/LayoutDirection.h"
#include "ui/Twips.h"
#include "ui/WaitCursor.h"
#include "ui/WholeCharacters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QCheckBox *addCheckBox(QWidget *parent, const QString &name, const QString &caption, const QRect &rect)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setFont(CaptionFont());
    box->setGeometry(rect);
    return box;
}

QGroupBox *addFrame(QWidget *parent, const QString &name, const QString &caption, const QRect &rect)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(rect);
    frame->setEnabled(false);
    return frame;
}

QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &rect)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(CaptionFont());
    button->setGeometry(rect);
    // Enter in a box presses no button: it would store half-filled input, or close the dialog.
    // A focused "&Add" is pressed by Enter.
    PressOnEnter(button);
    return button;
}

// A label and its input in one row of the category or district group box; the label names it.
void addLabel(QGroupBox *frame, const QString &name, const QString &caption, QWidget *control)
{
    auto *label = new QLabel(caption, frame);
    label->setObjectName(name);
    label->setFont(CaptionFont());
    label->setGeometry(Twips(120), control->y(), Twips(1455), Twips(360));
    LabelControl(label, control);
}

const QRect SmallFrameInput = TwipsRect(1680, 0, 4695 - 1680 - 120, 360);

QRect inputRow(int top)
{
    return SmallFrameInput.translated(0, Twips(top));
}

} // namespace

frmAdd::frmAdd(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAdd"));
    setWindowTitle(tr("Add New Information"));
    setFixedSize(TwipsSize(10695, 7065));
    BuildLayout();
    SetTabOrder();
    Form_Load();
}

void frmAdd::BuildLayout()
{
    ChkAddPlace = addCheckBox(this, QStringLiteral("ChkAddPlace"), tr("Add Place"), TwipsRect(120, 0, 1815, 360));
    FramePlace = addFrame(this, QStringLiteral("FramePlace"), tr("Add New Place"), TwipsRect(120, 360, 5415, 6615));
    m_place = PlaceFields::Build(FramePlace);
    CmdAddPlace = addButton(FramePlace, QStringLiteral("CmdAddPlace"), tr("&Add"), TwipsRect(4080, 5940, 1215, 375));

    ChkAddCat = addCheckBox(this, QStringLiteral("ChkAddCat"), tr("Add Category"), TwipsRect(5880, 480, 1815, 360));
    FrameCat = addFrame(this, QStringLiteral("FrameCat"), tr("Add New Category"), TwipsRect(5880, 840, 4695, 1935));
    CmbParentCat = new QComboBox(FrameCat);
    CmbParentCat->setObjectName(QStringLiteral("CmbParentCat"));
    PrepareChoiceBox(CmbParentCat);
    CmbParentCat->setGeometry(inputRow(360));
    addLabel(FrameCat, QStringLiteral("LabelParentCat"), tr("Parent Category"), CmbParentCat);
    TxtCatName = new QLineEdit(FrameCat);
    TxtCatName->setObjectName(QStringLiteral("TxtCatName"));
    TxtCatName->setMaxLength(50);
    KeepWholeCharacters(TxtCatName);
    TxtCatName->setGeometry(inputRow(840));
    addLabel(FrameCat, QStringLiteral("LabelCatName"), tr("Category Name"), TxtCatName);
    CmdAddCat = addButton(FrameCat, QStringLiteral("CmdAddCat"), tr("&Add"), TwipsRect(3360, 1380, 1215, 375));

    ChkAddDistrict =
        addCheckBox(this, QStringLiteral("ChkAddDistrict"), tr("Add District"), TwipsRect(5880, 3600, 1815, 360));
    FrameDistrict =
        addFrame(this, QStringLiteral("FrameDistrict"), tr("Add New District"), TwipsRect(5880, 3960, 4695, 1935));
    CmbCityAdd = new QComboBox(FrameDistrict);
    CmbCityAdd->setObjectName(QStringLiteral("CmbCityAdd"));
    PrepareChoiceBox(CmbCityAdd);
    CmbCityAdd->setGeometry(inputRow(360));
    addLabel(FrameDistrict, QStringLiteral("LabelCityAdd"), tr("City Name"), CmbCityAdd);
    TxtNewDistrict = new QLineEdit(FrameDistrict);
    TxtNewDistrict->setObjectName(QStringLiteral("TxtNewDistrict"));
    TxtNewDistrict->setMaxLength(20);
    KeepWholeCharacters(TxtNewDistrict);
    TxtNewDistrict->setGeometry(inputRow(840));
    addLabel(FrameDistrict, QStringLiteral("LabelNewDistrict"), tr("District Name"), TxtNewDistrict);
    CmdAddDistrict =
        addButton(FrameDistrict, QStringLiteral("CmdAddDistrict"), tr("&Add"), TwipsRect(3360, 1380, 1215, 375));

    Command4 = addButton(this, QStringLiteral("Command4"), tr("&Close"), TwipsRect(9240, 6600, 1335, 375));
    NeverPressOnEnter(Command4);

    connect(ChkAddCat, &QCheckBox::toggled, this, [this] { ChkAddCat_Click(); });
    connect(ChkAddDistrict, &QCheckBox::toggled, this, [this] { ChkAddDistrict_Click(); });
    connect(ChkAddPlace, &QCheckBox::toggled, this, [this] { ChkAddPlace_Click(); });
    connect(CmdAddCat, &QPushButton::clicked, this, [this] { CmdAddCat_Click(); });
    connect(CmdAddDistrict, &QPushButton::clicked, this, [this] { CmdAddDistrict_Click(); });
    connect(CmdAddPlace, &QPushButton::clicked, this, [this] { CmdAddPlace_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    OnLostFocus(m_place.CmbCity, [this] { CmbCity_LostFocus(); });
    MirrorFixedPlacements(this);
}

void frmAdd::SetTabOrder()
{
    const QList<QWidget *> order = {
        ChkAddPlace,        m_place.CmbPlaceParent, m_place.TxtPlaceName, m_place.CmbCity, m_place.CmbDistrict,
        m_place.TxtAddress, m_place.TxtTelephone,   m_place.TxtURL,       m_place.TxtMore, CmdAddPlace,
        ChkAddCat,          CmbParentCat,           TxtCatName,           CmdAddCat,       CmbCityAdd,
        ChkAddDistrict,     TxtNewDistrict,         CmdAddDistrict,       Command4};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void frmAdd::Form_Load()
{
    try {
        // Left before the message: the unwinding restores the pointer first.
        WaitCursor wait;
        FillCategories();
        FillCities();
        FillDistricts();
        GetNewLeafID();
    } catch (const Processing::DbError &error) {
        // The dialog opens with what could be loaded; adding a place reads the identifier again.
        ShowDbError(error);
    }
}

void frmAdd::FillCategories()
{
    LoadCategories({CmbParentCat, m_place.CmbPlaceParent});
}

void frmAdd::FillCities()
{
    LoadCities({m_place.CmbCity, CmbCityAdd});
}

void frmAdd::FillDistricts()
{
    LoadDistricts(m_place.CmbDistrict);
}

void frmAdd::CmbCity_LostFocus()
{
    try {
        NarrowDistricts(m_place.CmbCity, m_place.CmbDistrict);
    } catch (const Processing::DbError &error) {
        ShowDbError(error);
    }
}

// Each handler runs whenever its box changes, also when another handler unticks it.
void frmAdd::ChkAddCat_Click()
{
    if (ChkAddCat->isChecked()) {
        FrameCat->setEnabled(true);
        FramePlace->setEnabled(false);
        FrameDistrict->setEnabled(false);
        ChkAddPlace->setChecked(false);
        ChkAddDistrict->setChecked(false);
    } else {
        FrameCat->setEnabled(false);
    }
}

void frmAdd::ChkAddDistrict_Click()
{
    if (ChkAddDistrict->isChecked()) {
        FrameCat->setEnabled(false);
        FramePlace->setEnabled(false);
        FrameDistrict->setEnabled(true);
        ChkAddCat->setChecked(false);
        ChkAddPlace->setChecked(false);
    } else {
        FrameDistrict->setEnabled(false);
    }
}

void frmAdd::ChkAddPlace_Click()
{
    if (ChkAddPlace->isChecked()) {
        FrameCat->setEnabled(false);
        FramePlace->setEnabled(true);
        FrameDistrict->setEnabled(false);
        ChkAddCat->setChecked(false);
        ChkAddDistrict->setChecked(false);
    } else {
        FramePlace->setEnabled(false);
    }
}

void frmAdd::Command4_Click()
{
    // Whatever is typed and not yet added is dropped.
    close();
}
