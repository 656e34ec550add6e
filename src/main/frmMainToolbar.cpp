#include "data/DbError.h"
#include "main/ListLoader.h"
#include "main/ToolbarEntry.h"
#include "main/frmMain.h"
#include "ui/DbErrorMessage.h"
#include "ui/Pictures.h"
#include "ui/StartBrowser.h"

#include <QEvent>
#include <QToolBar>

namespace {

struct ButtonEntry
{
    ToolbarEntry entry;
    const char *caption;
    const char *toolTip;
    int picture;
};

// The captions and tips in English; each is translated where the button is made.
const ButtonEntry Buttons[] = {
    {ToolbarEntry::Dinning, QT_TRANSLATE_NOOP("frmMain", "Dinning"),
     QT_TRANSLATE_NOOP("frmMain", "Find on the internet"), 1},
    {ToolbarEntry::Search, QT_TRANSLATE_NOOP("frmMain", "Search"), QT_TRANSLATE_NOOP("frmMain", "Find Place"), 2},
    {ToolbarEntry::Add, QT_TRANSLATE_NOOP("frmMain", "Add"), QT_TRANSLATE_NOOP("frmMain", "Add New Items"), 3},
    {ToolbarEntry::Internet, QT_TRANSLATE_NOOP("frmMain", "Internet"),
     QT_TRANSLATE_NOOP("frmMain", "Open Internet Window"), 4},
    {ToolbarEntry::Refresh, QT_TRANSLATE_NOOP("frmMain", "Refresh"), QT_TRANSLATE_NOOP("frmMain", "Show all Places"),
     5},
    {ToolbarEntry::Update, QT_TRANSLATE_NOOP("frmMain", "Update"), QT_TRANSLATE_NOOP("frmMain", "Update Record"), 7},
    {ToolbarEntry::Delete, QT_TRANSLATE_NOOP("frmMain", "Delete"), nullptr, 10},
    {ToolbarEntry::Back, QT_TRANSLATE_NOOP("frmMain", "Back"), nullptr, 8},
    {ToolbarEntry::Forward, QT_TRANSLATE_NOOP("frmMain", "Forward"), nullptr, 9},
    {ToolbarEntry::DeleteCategory, QT_TRANSLATE_NOOP("frmMain", "Delete Cat"), nullptr, 11},
};
const ButtonEntry ExitButton = {ToolbarEntry::Exit, QT_TRANSLATE_NOOP("frmMain", "Exit "),
                                QT_TRANSLATE_NOOP("frmMain", "Exit Application"), 6};

// Separators and placeholders only hold places on the bar.
bool RaisesClick(ToolbarEntry entry)
{
    return entry < ToolbarEntry::Separator1 || entry > ToolbarEntry::WidePlaceholder;
}

// While a list loads, Back and Forward replace it and Exit gives it up; every other
// command waits until the list is whole.
bool WaitsForWholeList(ToolbarEntry entry)
{
    return entry != ToolbarEntry::Back && entry != ToolbarEntry::Forward && entry != ToolbarEntry::Exit;
}

// A QAction without a tool tip shows its caption as one; the buttons that have none show nothing.
class NoToolTip : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void frmMain::BuildToolbar()
{
    const auto addButton = [this](const ButtonEntry &button) {
        // Back points the way the text reads from, Forward the way it reads to: in a window laid
        // out right to left, the other way round.
        int picture = button.picture;
        if (isRightToLeft() && (picture == 8 || picture == 9))
            picture = 17 - picture;
        QAction *action = Toolbar1->addAction(ToolbarPicture(picture), tr(button.caption));
        action->setObjectName(QStringLiteral("Button%1").arg(int(button.entry)));
        if (button.toolTip)
            action->setToolTip(tr(button.toolTip));
        else
            Toolbar1->widgetForAction(action)->installEventFilter(new NoToolTip(action));
        connect(action, &QAction::triggered, this, [this, entry = button.entry] { Toolbar1_ButtonClick(entry); });
        m_buttons.append(action);
    };
    for (const ButtonEntry &button : Buttons)
        addButton(button);
    for (int separator = int(ToolbarEntry::Separator1); separator <= int(ToolbarEntry::Separator4); ++separator)
        m_buttons.append(Toolbar1->addSeparator());
    m_buttons.append(Toolbar1->addWidget(new QWidget(Toolbar1)));
    auto *widePlaceholder = new QWidget(Toolbar1);
    widePlaceholder->setFixedWidth(40);
    m_buttons.append(Toolbar1->addWidget(widePlaceholder));
    addButton(ExitButton);
    Q_ASSERT(m_buttons.size() == int(ToolbarEntry::Exit));
}

QAction *frmMain::ToolbarButton(ToolbarEntry entry) const
{
    return m_buttons.value(int(entry) - 1);
}

void frmMain::Toolbar1_ButtonClick(ToolbarEntry entry)
{
    if (!RaisesClick(entry))
        return;
    if (WaitsForWholeList(entry) && ListLoading()) {
        WhenListWhole(this, int(entry), [this, entry] { Toolbar1_ButtonClick(entry); });
        return;
    }
    // A database failure inside a command is reported here, at the handler's boundary.
    try {
        switch (entry) {
        case ToolbarEntry::Dinning:
            ShowDinning();
            break;
        case ToolbarEntry::Search:
            ShowSearch();
            break;
        case ToolbarEntry::Add:
            ShowAdd();
            break;
        case ToolbarEntry::Internet:
            StartBrowser(QString());
            break;
        case ToolbarEntry::Refresh:
            SearchStr.clear();
            InitForm();
            break;
        case ToolbarEntry::Update:
            UpdatePlace();
            break;
        case ToolbarEntry::Delete:
            DeletePlace();
            break;
        case ToolbarEntry::Back:
            StepHistory(true);
            break;
        case ToolbarEntry::Forward:
            StepHistory(false);
            break;
        case ToolbarEntry::DeleteCategory:
            DeleteCategory();
            break;
        case ToolbarEntry::Separator1:
        case ToolbarEntry::Separator2:
        case ToolbarEntry::Separator3:
        case ToolbarEntry::Separator4:
        case ToolbarEntry::Placeholder:
        case ToolbarEntry::WidePlaceholder:
            break;
        case ToolbarEntry::Exit:
            GiveUpLoad();
            // Another window's command that waited runs now; this window's own are dropped.
            m_loader->Forget(this);
            m_loader->RunWaiting();
            close();
            break;
        }
    } catch (const Processing::DbError &error) {
        ShowDbError(error);
    }
}

void frmMain::setsearch(const QString &Srchstr)
{
    m_history.record(Srchstr);
}

void frmMain::SetSearchStr(const QString &Srchstr)
{
    SearchStr = Srchstr;
}

void frmMain::StepHistory(bool backwards)
{
    SearchStr.clear();
    const std::optional<QString> restored = backwards ? m_history.back() : m_history.forward();
    if (!restored)
        return;
    SearchStr = *restored;
    UpdateList(-1);
}
