#include "editing/PlaceFields.h"

#include "editing/MultiLineTextBox.h"
#include "editing/ReferenceLists.h"
#include "ui/Accessibility.h"
#include "ui/FormFont.h"
#include "ui/Twips.h"
#include "ui/WholeCharacters.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const int LabelLeft = 120;
const int LabelWidth = 1455;
const int InputLeft = 1680;
const int InputWidth = 5415 - InputLeft - 120;
const int RowHeight = 360;

// The label to the left of its control, on the same row; it names the control.
void addLabel(QGroupBox *frame, const QString &name, const QString &caption, QWidget *control)
{
    auto *label = new QLabel(caption, frame);
    label->setObjectName(name);
    label->setFont(CaptionFont());
    label->setGeometry(Twips(LabelLeft), control->y(), Twips(LabelWidth), Twips(RowHeight));
    LabelControl(label, control);
}

QComboBox *addChoiceBox(QGroupBox *frame, const QString &name, int top)
{
    auto *box = new QComboBox(frame);
    box->setObjectName(name);
    PrepareChoiceBox(box);
    box->setGeometry(TwipsRect(InputLeft, top, InputWidth, RowHeight));
    return box;
}

QLineEdit *addTextBox(QGroupBox *frame, const QString &name, int maxLength, int top)
{
    auto *box = new QLineEdit(frame);
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    KeepWholeCharacters(box);
    box->setGeometry(TwipsRect(InputLeft, top, InputWidth, RowHeight));
    return box;
}

MultiLineTextBox *addMultiLineBox(QGroupBox *frame, const QString &name, int maxLength, int top, int height)
{
    auto *box = new MultiLineTextBox(maxLength, frame);
    box->setObjectName(name);
    box->setGeometry(TwipsRect(InputLeft, top, InputWidth, height));
    return box;
}

} // namespace

PlaceFields PlaceFields::Build(QGroupBox *frame)
{
    PlaceFields f;
    f.CmbPlaceParent = addChoiceBox(frame, QStringLiteral("CmbPlaceParent"), 360);
    addLabel(frame, QStringLiteral("LabelPlaceParent"), tr("Parent Category"), f.CmbPlaceParent);
    f.TxtPlaceName = addTextBox(frame, QStringLiteral("TxtPlaceName"), 250, 840);
    addLabel(frame, QStringLiteral("LabelPlaceName"), tr("Place Name"), f.TxtPlaceName);
    f.CmbCity = addChoiceBox(frame, QStringLiteral("CmbCity"), 1320);
    addLabel(frame, QStringLiteral("LabelCity"), tr("City"), f.CmbCity);
    f.CmbDistrict = addChoiceBox(frame, QStringLiteral("CmbDistrict"), 1800);
    addLabel(frame, QStringLiteral("LabelDistrict"), tr("District"), f.CmbDistrict);
    f.TxtAddress = addMultiLineBox(frame, QStringLiteral("TxtAddress"), 400, 2280, 1095);
    addLabel(frame, QStringLiteral("LabelAddress"), tr("Address"), f.TxtAddress);
    f.TxtTelephone = addTextBox(frame, QStringLiteral("TxtTelephone"), 100, 3480);
    addLabel(frame, QStringLiteral("LabelTelephone"), tr("Telephone"), f.TxtTelephone);
    f.TxtMore = addMultiLineBox(frame, QStringLiteral("TxtMore"), 250, 3960, 1335);
    addLabel(frame, QStringLiteral("LabelMore"), tr("More"), f.TxtMore);
    f.TxtURL = addTextBox(frame, QStringLiteral("TxtURL"), 100, 5400);
    addLabel(frame, QStringLiteral("LabelURL"), tr("URL"), f.TxtURL);
    return f;
}

std::optional<QString> PlaceFields::MissingChoice() const
{
    if (!ChosenId(CmbPlaceParent))
        return tr("Parent Category");
    if (!ChosenId(CmbCity))
        return tr("City");
    if (!ChosenId(CmbDistrict))
        return tr("District");
    return std::nullopt;
}

Processing::PlaceValues PlaceFields::Values() const
{
    Processing::PlaceValues v;
    v.name = TxtPlaceName->text();
    v.address = TxtAddress->text();
    v.telephone = TxtTelephone->text();
    v.more = TxtMore->text();
    v.url = TxtURL->text();
    v.city = ChosenId(CmbCity).value_or(0);
    v.district = ChosenId(CmbDistrict).value_or(0);
    return v;
}

std::optional<qint32> PlaceFields::Category() const
{
    return ChosenId(CmbPlaceParent);
}
