#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QComboBox;
class QWidget;

// The combo boxes of the editing windows that offer categories, cities and districts: each
// entry shows a name and carries the row's identifier as item data (Qt::UserRole). Entries
// keep the order the database returns them in. The loaders throw Processing::DbError; the
// window's handler that called them reports it.

// An editable box whose typed text never becomes a new entry; text that is not an entry
// leaves no entry chosen, and the text of an entry chooses it.
void PrepareChoiceBox(QComboBox *box);

// "* Root *" (the root category, 0) and then every category, in each box.
void LoadCategories(const QList<QComboBox *> &boxes);
void LoadCities(const QList<QComboBox *> &boxes);
// Every district, or with a city given only the city's.
void LoadDistricts(QComboBox *box, std::optional<qint32> city = std::nullopt);
// Narrows the districts to the city chosen in cityBox; without a chosen city nothing changes.
void NarrowDistricts(const QComboBox *cityBox, QComboBox *districtBox);

// The identifier of the chosen entry; none when the text names no entry.
std::optional<qint32> ChosenId(const QComboBox *box);
// Shows a text in the box and chooses the entry with exactly that text, if there is one.
void SetChoiceText(QComboBox *box, const QString &text);
// No entry chosen and no text shown; the entries stay.
void ClearChoice(QComboBox *box);

// Runs handler whenever widget loses the input focus, but not when its own drop-down list
// takes it.
void OnLostFocus(QWidget *widget, std::function<void()> handler);
