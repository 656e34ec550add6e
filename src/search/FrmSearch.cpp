#include "search/FrmSearch.h"

#include "data/DbError.h"
#include "data/rows/ReferenceListReads.h"
#include "search/SearchHost.h"
#include "search/SelectionList.h"
#include "ui/Accessibility.h"
#include "ui/DbErrorMessage.h"
#include "ui/EnterKey.h"
#include "ui/FormFont.h"
#include "ui/LayoutDirection.h"
#include "ui/MsgBox.h"
#include "ui/Pictures.h"
#include "ui/Twips.h"
#include "ui/WaitCursor.h"
#include "ui/WholeCharacters.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <optional>
#include <utility>

namespace {

template<typename Widget> Widget *place(Widget *widget, const char *name, const QRect &geometry)
{
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(geometry);
    return widget;
}

QListWidget *selectionList(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *list = place(new QListWidget(parent), name, geometry);
    // A click toggles an entry; any number may be selected.
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->setEnabled(false);
    return list;
}

} // namespace

FrmSearch::FrmSearch(SearchHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("FrmSearch"));
    setWindowTitle(tr("Find Place"));
    setWindowIcon(ToolbarPicture(2));
    BuildLayout();
    SetTabOrder();
    Form_Load();
}

void FrmSearch::BuildLayout()
{
    setFixedSize(TwipsSize(8970, 5025));
    const QFont bold = CaptionFont();
    const QFont textBox = ListFont();

    Frame1 = place(new QGroupBox(QStringLiteral("-"), this), "Frame1", TwipsRect(120, 240, 4935, 1935));
    Label1 = place(new QLabel(tr("Place Name"), Frame1), "Label1", TwipsRect(120, 360, 1095, 255));
    TxtPlaceName = place(new QLineEdit(Frame1), "TxtPlaceName", TwipsRect(1440, 240, 3255, 360));
    KeepWholeCharacters(TxtPlaceName);
    OptStart = place(new QRadioButton(tr("Starts with"), Frame1), "OptStart", TwipsRect(120, 720, 1335, 255));
    OptEnd = place(new QRadioButton(tr("Ends with"), Frame1), "OptEnd", TwipsRect(1560, 720, 1335, 255));
    OptContain = place(new QRadioButton(tr("Contains"), Frame1), "OptContain", TwipsRect(120, 1200, 1095, 255));
    OptExact = place(new QRadioButton(tr("Exactly"), Frame1), "OptExact", TwipsRect(1560, 1200, 1215, 255));

    ChkCat = place(new QCheckBox(tr("Category"), this), "ChkCat", TwipsRect(5280, 240, 1095, 255));
    LstCat = selectionList(this, "LstCat", TwipsRect(5280, 600, 3615, 1635));
    ChkCity = place(new QCheckBox(tr("City"), this), "ChkCity", TwipsRect(120, 2280, 1095, 255));
    LstCity = selectionList(this, "LstCity", TwipsRect(120, 2640, 3375, 1635));
    ChkDistrict = place(new QCheckBox(tr("District"), this), "ChkDistrict", TwipsRect(5280, 2280, 1095, 255));
    LstDistrict = selectionList(this, "LstDistrict", TwipsRect(5280, 2640, 3615, 1635));

    CmdSearch = place(new QPushButton(tr("&Search"), this), "CmdSearch", TwipsRect(5640, 4440, 1575, 495));
    CmdCancel = place(new QPushButton(tr("&Cancel"), this), "CmdCancel", TwipsRect(7320, 4440, 1575, 495));

    // Kept for the layout's sake; nothing reads them.
    Label3 = place(new QLabel(tr("Telephone"), this), "Label3", TwipsRect(120, 4320, 1095, 255));
    Text3 = place(new QLineEdit(this), "Text3", TwipsRect(120, 4680, 3495, 360));
    Label3->hide();
    Text3->hide();

    // Screen readers name each control after the label or check box beside it; the frame's
    // caption "-" says nothing, so it is named after what it holds.
    LabelControl(Label1, TxtPlaceName);
    LabelControl(Label3, Text3);
    Frame1->setAccessibleName(Label1->text());
    LstCat->setAccessibleName(ChkCat->text());
    LstCity->setAccessibleName(ChkCity->text());
    LstDistrict->setAccessibleName(ChkDistrict->text());

    for (QWidget *widget : std::initializer_list<QWidget *>{Label1, OptStart, OptEnd, OptContain, OptExact, ChkCat,
                                                            ChkCity, ChkDistrict, CmdSearch, CmdCancel, Label3})
        widget->setFont(bold);
    TxtPlaceName->setFont(textBox);
    Text3->setFont(textBox);

    // A box enables its list; clearing the box again leaves the list enabled.
    connect(ChkCat, &QCheckBox::clicked, LstCat, [this] { LstCat->setEnabled(true); });
    connect(ChkCity, &QCheckBox::clicked, LstCity, [this] { LstCity->setEnabled(true); });
    connect(ChkDistrict, &QCheckBox::clicked, LstDistrict, [this] { LstDistrict->setEnabled(true); });
    LstCity->installEventFilter(this);

    // Enter in any box searches, as "&Search" does; on a focused button it presses that button,
    // except "&Cancel": only Escape, Space or Alt+C cancel.
    PressOnEnter(CmdSearch);
    NeverPressOnEnter(CmdCancel);
    CmdSearch->setDefault(true);

    connect(CmdSearch, &QPushButton::clicked, this, [this] { CmdSearch_Click(); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { CmdCancel_Click(); });
    MirrorFixedPlacements(this);
}

void FrmSearch::SetTabOrder()
{
    const QList<QWidget *> order{Text3,   CmdSearch,   CmdCancel,    LstCat,   LstCity, LstDistrict, ChkCat,
                                 ChkCity, ChkDistrict, TxtPlaceName, OptStart, OptEnd,  OptContain,  OptExact};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    // Text3 is hidden, so the first control to take the focus is the Search button.
    CmdSearch->setFocus();
}

void FrmSearch::Form_Load()
{
    FillLists();
}

void FrmSearch::FillLists()
{
    WaitCursor wait;
    // Each list loads on its own, so one failing table does not empty the others; the user
    // hears of the first failure once.
    std::optional<Processing::DbError> failure;
    const auto attempt = [&failure](const auto &load) {
        try {
            load();
        } catch (const Processing::DbError &error) {
            if (!failure)
                failure = error;
        }
    };
    attempt([this] { FillCategories(); });
    attempt([this] { FillCities(); });
    attempt([this] { FillDistricts(std::nullopt); });
    if (failure)
        ShowDbError(*failure);
}

void FrmSearch::FillCategories()
{
    FillSelectionList(LstCat, Processing::ReadCategories());
}

void FrmSearch::FillCities()
{
    FillSelectionList(LstCity, Processing::ReadCities());
}

void FrmSearch::FillDistricts(const std::optional<QList<qint32>> &cities)
{
    FillSelectionList(LstDistrict, Processing::ReadDistricts(cities));
}

bool FrmSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LstCity && event->type() == QEvent::FocusOut) {
        // Only a move to another control counts, not the window losing the focus to
        // another window or a popup.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            LstCity_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void FrmSearch::LstCity_LostFocus()
{
    try {
        WaitCursor wait;
        FillDistricts(DistrictCities(SelectionEntries(LstCity)));
    } catch (const Processing::DbError &error) {
        ShowDbError(error);
    }
}

SearchCriteria FrmSearch::Criteria() const
{
    SearchCriteria criteria;
    criteria.categories = {ChkCat->isChecked(), SelectionEntries(LstCat)};
    criteria.cities = {ChkCity->isChecked(), SelectionEntries(LstCity)};
    criteria.districts = {ChkDistrict->isChecked(), SelectionEntries(LstDistrict)};
    criteria.name = TxtPlaceName->text();
    if (OptStart->isChecked())
        criteria.match = NameMatch::StartsWith;
    else if (OptEnd->isChecked())
        criteria.match = NameMatch::EndsWith;
    else if (OptContain->isChecked())
        criteria.match = NameMatch::Contains;
    else
        criteria.match = NameMatch::Exactly;
    return criteria;
}

void FrmSearch::CmdSearch_Click()
{
    // A second click or Enter while the list loads would record the search twice.
    if (m_searching)
        return;
    const Processing::SearchCondition built = Processing::BuildSearchCondition(TypedSearchOf(Criteria()));
    m_host.SetSearchStr(built.condition);
    if (built.condition.isEmpty()) {
        MsgBox(tr(" You Must enter Searching Criteria "), QMessageBox::Ok, QMessageBox::NoIcon, tr("Error"));
        return;
    }
    // The condition enters the history before the list is reloaded, even if the reload then
    // fails. On a failure the dialog stays open with every choice, so the user can try again
    // or cancel without setting everything up anew.
    m_host.setsearch(built.condition);
    try {
        m_host.InitForm();
        m_host.UpdateList(-1);
    } catch (const Processing::DbError &error) {
        ShowDbError(error);
        return;
    }
    m_searching = true;
    m_host.AfterListLoaded([this](const std::optional<Processing::DbError> &failure) {
        m_searching = false;
        if (!failure) {
            accept();
            return;
        }
        ShowDbError(*failure);
        if (std::exchange(m_closeAsked, false))
            QDialog::reject();
    });
}

void FrmSearch::CmdCancel_Click()
{
    reject();
}

void FrmSearch::reject()
{
    if (m_searching) {
        m_closeAsked = true;
        return;
    }
    QDialog::reject();
}
