#pragma once

#include "data/PlaceChanges.h"
#include "editing/frmUpdate.h"
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

// Root, categories 4 (Food, below the root) and 7 (Cafes, below 4); three cities, Giza (3) with
// three districts, Cairo (12) with two, Aswan (20) with none; and place 41, CAFE NILE at
// 5 main st in Cairo, Zamalek, filed under Cafes.
inline void MakeSmallDirectory()
{
    TestDatabase::Reset({QStringLiteral("root.sql")});
    TestDatabase::Exec(QStringList{
        QStringLiteral("insert into places_root values (4, 'Food', 0, 'N', 1)"),
        QStringLiteral("insert into places_root values (7, 'Cafes', 4, 'N', 1)"),
        QStringLiteral("insert into cm_city (CODE, ENAME) values (3, 'Giza')"),
        QStringLiteral("insert into cm_city (CODE, ENAME) values (12, 'Cairo')"),
        QStringLiteral("insert into cm_city (CODE, ENAME) values (20, 'Aswan')"),
        QStringLiteral("insert into places_district values (1, 'Zamalek', 12)"),
        QStringLiteral("insert into places_district values (2, 'Dokki', 3)"),
        QStringLiteral("insert into places_district values (3, 'Maadi', 12)"),
        QStringLiteral("insert into places_district values (4, 'Haram', 3)"),
        QStringLiteral("insert into places_district values (5, 'Agouza', 3)"),
        QStringLiteral("insert into places_leaves values (41, 'CAFE NILE', '02 41', '5 main st', 12, 1, 'tea', NULL)"),
        QStringLiteral("insert into places_branch_leaves values (7, 41)"),
    });
}

// Every row of the five tables, to show that nothing else changed.
inline QList<QList<QStringList>> Snapshot()
{
    return {
        TestDatabase::Rows(QStringLiteral("select * from places_root order by branch_id")),
        TestDatabase::Rows(QStringLiteral("select * from places_leaves order by leaf_id")),
        TestDatabase::Rows(QStringLiteral("select * from places_branch_leaves order by leaf_id, branch_id")),
        TestDatabase::Rows(QStringLiteral("select * from places_district order by district_id")),
        TestDatabase::Rows(QStringLiteral("select * from cm_city order by code")),
    };
}

template<typename T> T *Find(const QWidget *window, const char *name)
{
    T *widget = window->findChild<T *>(QLatin1StringView(name));
    if (!widget)
        qFatal("No control named %s", name);
    return widget;
}

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
