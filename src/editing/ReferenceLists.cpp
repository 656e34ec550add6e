#include "editing/ReferenceLists.h"

#include "data/rows/ReferenceListReads.h"
#include "ui/FormFont.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>

namespace {

const int IdRole = Qt::UserRole;

// Keeps the chosen entry in step with the text: the entry with exactly that text, or none.
void followText(QComboBox *box, const QString &text)
{
    const int current = box->currentIndex();
    if (current >= 0 && box->itemText(current) == text)
        return;
    const int match = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (match >= 0) {
        box->setCurrentIndex(match);
        return;
    }
    if (current < 0)
        return;
    // Choosing no entry empties the text; the user's text and cursor come back at once.
    QLineEdit *edit = box->lineEdit();
    const int cursor = edit->cursorPosition();
    box->setCurrentIndex(-1);
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

// Adds every entry of a list to each box, the name as text and the identifier as item data.
void addEntries(const QList<QComboBox *> &boxes, const QList<Processing::ReferenceEntry> &entries)
{
    for (const Processing::ReferenceEntry &entry : entries) {
        for (QComboBox *box : boxes)
            box->addItem(entry.name, entry.id);
    }
}

void clearAll(const QList<QComboBox *> &boxes)
{
    for (QComboBox *box : boxes)
        box->clear();
}

// A box that gets its first entry chooses it; the loaders leave every box without a choice.
void chooseNone(const QList<QComboBox *> &boxes)
{
    for (QComboBox *box : boxes)
        ClearChoice(box);
}

class LostFocusFilter : public QObject
{
public:
    LostFocusFilter(QWidget *widget, std::function<void()> handler) : QObject(widget), m_handler(std::move(handler))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A window that closes, or is destroyed, takes the focus with it: that is no move of the
        // user's, and by then the window whose handler this is may be half torn down.
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason &&
            !static_cast<QWidget *>(watched)->window()->isHidden())
            m_handler();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void PrepareChoiceBox(QComboBox *box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: a half-typed name must not look chosen while it is not.
    box->setCompleter(nullptr);
    box->setFont(ListFont());
    QObject::connect(box->lineEdit(), &QLineEdit::textEdited, box,
                     [box](const QString &text) { followText(box, text); });
}

// Each loader reads before it clears: boxes whose reload fails keep their entries and the
// user's choices.
void LoadCategories(const QList<QComboBox *> &boxes)
{
    WaitCursor wait;
    const QList<Processing::ReferenceEntry> categories = Processing::ReadCategories();
    clearAll(boxes);
    // The root stays even in a directory without categories, so a first one can be added.
    for (QComboBox *box : boxes)
        box->addItem(QCoreApplication::translate("ReferenceLists", "* Root *"), 0);
    addEntries(boxes, categories);
    chooseNone(boxes);
}

void LoadCities(const QList<QComboBox *> &boxes)
{
    WaitCursor wait;
    const QList<Processing::ReferenceEntry> cities = Processing::ReadCities();
    clearAll(boxes);
    addEntries(boxes, cities);
    chooseNone(boxes);
}

void LoadDistricts(QComboBox *box, std::optional<qint32> city)
{
    WaitCursor wait;
    const QList<Processing::ReferenceEntry> districts =
        Processing::ReadDistricts(city ? std::optional<QList<qint32>>(QList<qint32>{*city}) : std::nullopt);
    box->clear();
    addEntries({box}, districts);
    chooseNone({box});
}

void NarrowDistricts(const QComboBox *cityBox, QComboBox *districtBox)
{
    const std::optional<qint32> city = ChosenId(cityBox);
    if (!city)
        return;
    LoadDistricts(districtBox, *city);
}

std::optional<qint32> ChosenId(const QComboBox *box)
{
    const int index = box->currentIndex();
    if (index < 0)
        return std::nullopt;
    // The text may have been typed after the choice without passing through followText.
    if (box->isEditable() && box->currentText() != box->itemText(index))
        return std::nullopt;
    return box->itemData(index, IdRole).toInt();
}

void SetChoiceText(QComboBox *box, const QString &text)
{
    const int match = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    box->setCurrentIndex(match);
    if (match < 0 && box->isEditable())
        box->setEditText(text);
}

void ClearChoice(QComboBox *box)
{
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->clearEditText();
}

void OnLostFocus(QWidget *widget, std::function<void()> handler)
{
    new LostFocusFilter(widget, std::move(handler));
}
