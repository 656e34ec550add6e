#include "editing/frmUpdate.h"

#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/statements/SqlText.h"
#include "data/writes/PlaceWrites.h"
#include "editing/EditMessages.h"
#include "editing/MultiLineTextBox.h"
#include "editing/ReferenceLists.h"
#include "ui/DbErrorMessage.h"
#include "ui/EnterKey.h"
#include "ui/FormFont.h"
#include "ui/LayoutDirection.h"
#include "ui/MsgBox.h"
#include "ui/Twips.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &rect)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(CaptionFont());
    button->setGeometry(rect);
    return button;
}

} // namespace

frmUpdate::frmUpdate(std::shared_ptr<Processing::StoredPlaces> stored, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_storedPlaces(stored ? std::move(stored) : std::make_shared<Processing::StoredPlaces>())
{
    setObjectName(QStringLiteral("frmUpdate"));
    setWindowTitle(tr("Add New Information"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(TwipsSize(5655, 7335));
    BuildLayout();
    SetTabOrder();
    Form_Load();
}

void frmUpdate::BuildLayout()
{
    FramePlace = new QGroupBox(tr("Add New Place"), this);
    FramePlace->setObjectName(QStringLiteral("FramePlace"));
    FramePlace->setGeometry(TwipsRect(120, 120, 5415, 6615));
    m_place = PlaceFields::Build(FramePlace);
    CmdUpdate = addButton(this, QStringLiteral("CmdUpdate"), tr("&Update"), TwipsRect(2880, 6840, 1215, 375));
    CmdCancel = addButton(this, QStringLiteral("CmdCancel"), tr("&Cancel"), TwipsRect(4320, 6840, 1215, 375));
    // Enter in a box presses nothing (a multi-line box starts a new line); on a focused
    // "&Update" it stores, and it never cancels.
    PressOnEnter(CmdUpdate);
    NeverPressOnEnter(CmdCancel);

    connect(CmdUpdate, &QPushButton::clicked, this, [this] {
        if (!m_storeWhenFree)
            return CmdUpdate_Click();
        m_storeWhenFree([window = QPointer<frmUpdate>(this)] {
            if (window)
                window->CmdUpdate_Click();
        });
    });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { CmdCancel_Click(); });
    OnLostFocus(m_place.CmbCity, [this] { CmbCity_LostFocus(); });
    MirrorFixedPlacements(this);
}

void frmUpdate::SetTabOrder()
{
    const QList<QWidget *> order = {
        m_place.CmbPlaceParent, m_place.TxtPlaceName, m_place.CmbCity, m_place.CmbDistrict, m_place.TxtAddress,
        m_place.TxtTelephone,   m_place.TxtMore,      m_place.TxtURL,  CmdUpdate,           CmdCancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void frmUpdate::Form_Load()
{
    try {
        WaitCursor wait;
        FillCategories();
        FillCities();
        FillDistricts();
    } catch (const Processing::DbError &error) {
        ShowDbError(error);
    }
}

void frmUpdate::FillCategories()
{
    LoadCategories({m_place.CmbPlaceParent});
}

void frmUpdate::FillCities()
{
    LoadCities({m_place.CmbCity});
}

void frmUpdate::FillDistricts()
{
    LoadDistricts(m_place.CmbDistrict);
}

void frmUpdate::Load(const Processing::StoredPlace &place)
{
    place_id = place.id;
    // What "&Update" compares with is what is stored now rather than the list's texts: the list
    // is not read again after an update, so its texts may be this user's own earlier ones.
    m_stored = place;
    try {
        WaitCursor wait;
        if (const std::optional<Processing::StoredPlace> now =
                Processing::ReadListedPlace(place.id, place.filedUnder, Processing::DbConn()))
            m_stored = Processing::ComparedWith(place, *now, m_storedPlaces->Last(place.id));
        else
            m_stored = Processing::StoredPlace{};
        m_stored.id = place.id;
    } catch (const Processing::DbError &) {
        // Then the list's texts are the best known. Not told here: opening the window has told
        // of the outage already, and "&Update" tells again if it still lasts.
    }
    m_place.TxtPlaceName->setText(place.name);
    SetChoiceText(m_place.CmbCity, place.city);
    SetChoiceText(m_place.CmbDistrict, place.district);
    m_place.TxtAddress->setText(place.address);
    m_place.TxtTelephone->setText(place.telephone);
    m_place.TxtMore->setText(place.more);
    // Stored links carry a leading blank, which would push the last character of a link of the
    // box's full length out of it; the update trims the blanks anyway.
    m_place.TxtURL->setText(Processing::TrimBlanks(place.url));
    if (place.category)
        SetChoiceText(m_place.CmbPlaceParent, *place.category);
}

void frmUpdate::CmbCity_LostFocus()
{
    try {
        NarrowDistricts(m_place.CmbCity, m_place.CmbDistrict);
    } catch (const Processing::DbError &error) {
        ShowDbError(error);
    }
}

void frmUpdate::CmdUpdate_Click()
{
    if (Processing::TrimBlanks(m_place.TxtPlaceName->text()).isEmpty()) {
        ShowInvalidData(tr("Error You Must Enter valid Place Name "));
        return;
    }
    // Told before anything is sent; the window stays open with what was typed.
    if (const std::optional<QString> missing = m_place.MissingChoice()) {
        ShowInvalidData(MissingChoiceMessage(*missing, tr("the place was not updated.")));
        return;
    }
    if (StorePlace())
        close();
}

bool frmUpdate::StorePlace()
{
    using Result = Processing::PlaceUpdateOutcome::Result;
    const Processing::PlaceValues place = m_place.Values();
    const qint32 category = m_place.Category().value_or(0);
    const QString notDone = tr("The place \"%1\" was not updated; nothing of the change was stored.")
                                .arg(Processing::TrimBlanks(place.name));
    for (;;) {
        Processing::PlaceUpdateOutcome outcome;
        {
            // Message boxes show the ordinary pointer over it; none is shown while the
            // transaction holds the place.
            WaitCursor wait;
            outcome = Processing::UpdatePlace(m_stored, place, category, m_place.CmbPlaceParent->currentText(),
                                              *m_storedPlaces, Processing::DbConn());
        }
        switch (outcome.result) {
        case Result::Failed:
            ShowNotStored(notDone, *outcome.failure);
            return false;
        case Result::Stored:
            return true;
        case Result::PlaceGone:
            // Not stored again: whoever deleted it meant it gone, and under a new identifier it
            // would be another place. What was typed stays, to be added anew if wanted.
            ShowNotStored(notDone, tr("The place was deleted after this window was opened, so it is not stored again. "
                                      "To keep it, add it anew in \"Add New Information\"."));
            return false;
        case Result::CategoryGone: {
            const QString gone = m_place.CmbPlaceParent->currentText();
            try {
                FillCategories();
            } catch (const Processing::DbError &error) {
                ShowDbError(error);
            }
            ShowInvalidData(tr("The category \"%1\" was deleted after this window was opened. Choose another Parent "
                               "Category; the place was not updated.")
                                .arg(gone));
            return false;
        }
        case Result::ChangedMeanwhile:
            if (!OverwriteConfirmed(outcome.changed))
                return false;
            // Written over what the user was shown just now; changed again meanwhile, it asks again.
            m_stored = outcome.now;
            break;
        }
    }
}

bool frmUpdate::OverwriteConfirmed(const QStringList &changed) const
{
    const QString text = tr("Someone else changed \"%1\" since the list showed it: %2.\n\n"
                            "Store what this window holds over their changes?")
                             .arg(m_stored.name, changed.join(tr(", ")));
    // Enter keeps the window and the other person's change: nothing is overwritten by a key
    // pressed in passing.
    return MsgBox(text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, tr("Place Changed"), QString(),
                  QMessageBox::No) == QMessageBox::Yes;
}

void frmUpdate::CmdCancel_Click()
{
    close();
}
