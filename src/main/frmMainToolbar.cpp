#include "data/DbError.h"
#include "main/frmMain.h"
#include "ui/DbErrorMessage.h"
#include "ui/Pictures.h"
#include "ui/StartBrowser.h"

#include <QEvent>
#include <QToolBar>

namespace {

struct ButtonEntry
{
    int index;
    const char *caption;
    const char *toolTip;
    int picture;
};

const ButtonEntry Buttons[] = {
    {1, "Dinning", "Find on the internet", 1},
    {2, "Search", "Find Place", 2},
    {3, "Add", "Add New Items", 3},
    {4, "Internet", "Open Internet Window", 4},
    {5, "Refresh", "Show all Places", 5},
    {6, "Update", "Update Record", 7},
    {7, "Delete", nullptr, 10},
    {8, "Back", nullptr, 8},
    {9, "Forward", nullptr, 9},
    {10, "Delete Cat", nullptr, 11},
};

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
    for (const ButtonEntry &entry : Buttons) {
        QAction *action = Toolbar1->addAction(ToolbarPicture(entry.picture), QString::fromLatin1(entry.caption));
        action->setObjectName(QStringLiteral("Button%1").arg(entry.index));
        if (entry.toolTip)
            action->setToolTip(QString::fromLatin1(entry.toolTip));
        else
            Toolbar1->widgetForAction(action)->installEventFilter(new NoToolTip(action));
        m_buttons.append(action);
    }
    for (int i = 11; i <= 14; ++i)
        m_buttons.append(Toolbar1->addSeparator());
    for (int i = 15; i <= 16; ++i) {
        auto *placeholder = new QWidget(Toolbar1);
        if (i == 16)
            placeholder->setFixedWidth(40);
        m_buttons.append(Toolbar1->addWidget(placeholder));
    }
    QAction *exit = Toolbar1->addAction(ToolbarPicture(6), QStringLiteral("Exit "));
    exit->setObjectName(QStringLiteral("Button17"));
    exit->setToolTip(QStringLiteral("Exit Application"));
    m_buttons.append(exit);

    for (int index = 1; index <= m_buttons.size(); ++index) {
        QAction *action = m_buttons.at(index - 1);
        if (action->isSeparator() || !action->objectName().startsWith(QLatin1StringView("Button")))
            continue;
        connect(action, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
    }
}

QAction *frmMain::ToolbarButton(int index) const
{
    if (index < 1 || index > m_buttons.size())
        return nullptr;
    return m_buttons.at(index - 1);
}

void frmMain::Toolbar1_ButtonClick(int index)
{
    if (index >= 11 && index <= 16)
        return; // separators and placeholders raise no click
    // While a list loads, Back and Forward replace it and Exit gives it up; every other
    // command waits until the list is whole.
    const bool replacesList = index == 8 || index == 9;
    const bool exits = index > 16;
    if (!replacesList && !exits && ListLoading()) {
        WhenListWhole(this, index, [this, index] { Toolbar1_ButtonClick(index); });
        return;
    }
    // A database failure inside a command is reported here, at the handler's boundary.
    try {
        switch (index) {
        case 1:
            ShowDinning();
            break;
        case 2:
            ShowSearch();
            break;
        case 3:
            ShowAdd();
            break;
        case 4:
            StartBrowser(QString());
            break;
        case 5:
            SearchStr.clear();
            InitForm();
            break;
        case 6:
            UpdatePlace();
            break;
        case 7:
            DeletePlace();
            break;
        case 8:
            StepHistory(true);
            break;
        case 9:
            StepHistory(false);
            break;
        case 10:
            DeleteCategory();
            break;
        default:
            GiveUpLoad();
            // Another window's command that waited runs now; this window's own are dropped.
            std::erase_if(m_waiting, [this](const Waiting &waiting) { return waiting.owner == this; });
            RunWaiting();
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
