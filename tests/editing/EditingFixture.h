#pragma once

#include "data/writes/PlaceChanges.h"
#include "editing/frmUpdate.h"
#include "support/Find.h"
#include "support/SmallDirectory.h"
#include "support/TestDatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

// What the editing windows' tests share: a small directory whose answers are known, and the
// user's ways of choosing and typing.
namespace EditingFixture {

using SmallDirectory::MakeSmallDirectory;
using SmallDirectory::Snapshot;

using ::Find;

// The entries of a list: their texts, and their item data.
inline QStringList Texts(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

inline QList<int> Ids(const QComboBox *box)
{
    QList<int> ids;
    for (int i = 0; i < box->count(); ++i)
        ids.append(box->itemData(i).toInt());
    return ids;
}

// Picks an entry from the drop-down list, as the user does with the mouse.
inline void Choose(QComboBox *box, const QString &text)
{
    const int index = box->findText(text, Qt::MatchExactly);
    if (index < 0)
        qFatal("No entry %s", qPrintable(text));
    box->setCurrentIndex(index);
}

// Leaves a list with no entry chosen and no text.
inline void ClearChoiceOf(QComboBox *box)
{
    box->setCurrentIndex(-1);
    box->clearEditText();
}

// Replaces what a box holds with typed text, key by key.
inline void Type(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->clear();
    else if (auto *lines = qobject_cast<QPlainTextEdit *>(box))
        lines->clear();
    else if (auto *combo = qobject_cast<QComboBox *>(box)) {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), text);
        return;
    }
    QTest::keyClicks(box, text);
}

inline QString TextOf(const QWidget *box)
{
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (auto *lines = qobject_cast<const QPlainTextEdit *>(box))
        return lines->toPlainText();
    if (auto *combo = qobject_cast<const QComboBox *>(box))
        return combo->currentText();
    return QString();
}

// What the place boxes of an add dialog or an update window show, in one order.
inline QStringList PlaceInputs(const QWidget *window)
{
    QStringList texts;
    for (const char *box : {"TxtPlaceName", "TxtAddress", "TxtTelephone", "TxtMore", "TxtURL", "CmbPlaceParent",
                            "CmbCity", "CmbDistrict"})
        texts.append(TextOf(Find<QWidget>(window, box)));
    return texts;
}

// A new place under Cafes in the add dialog, every required box filled.
inline void FillNewPlace(QWidget *add)
{
    Find<QAbstractButton>(add, "ChkAddPlace")->click();
    Choose(Find<QComboBox>(add, "CmbPlaceParent"), QStringLiteral("Cafes"));
    Type(Find<QWidget>(add, "TxtPlaceName"), QStringLiteral("Half Way"));
    Type(Find<QWidget>(add, "TxtAddress"), QStringLiteral("1 Mid St"));
    Choose(Find<QComboBox>(add, "CmbCity"), QStringLiteral("Cairo"));
    Choose(Find<QComboBox>(add, "CmbDistrict"), QStringLiteral("Maadi"));
}

inline void Click(const QWidget *window, const char *button)
{
    Find<QAbstractButton>(window, button)->click();
}

// The update windows that exist, open or closed and not yet deleted. They have no owner, so
// deleting the main window leaves them: a test's cleanup deletes them.
inline QList<frmUpdate *> UpdateWindows()
{
    QList<frmUpdate *> windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *update = qobject_cast<frmUpdate *>(window))
            windows.append(update);
    }
    return windows;
}

// Opens the update window on a place as the main window would, filled with what the list shows
// of it (nothing for a place the list would not show).
inline void LoadPlace(frmUpdate *window, qint32 placeId)
{
    Processing::StoredPlace place =
        Processing::ReadListedPlace(placeId, QString(), Processing::DbConn()).value_or(Processing::StoredPlace{});
    place.id = placeId;
    window->Load(place);
}

// The update window on the screen, as the main window opened or refilled it; none if none is.
inline frmUpdate *ShownUpdateWindow()
{
    frmUpdate *shown = nullptr;
    for (frmUpdate *window : UpdateWindows()) {
        if (window->isVisible())
            shown = window;
    }
    return shown;
}

inline void DeleteUpdateWindows()
{
    qDeleteAll(UpdateWindows());
}

} // namespace EditingFixture
