#pragma once

#include "data/statements/PlaceStatements.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

class MultiLineTextBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

// The inputs of one place, with a label to the left of each, as both the add dialog and the
// update window show them inside their frame "Add New Place". Each window sets its own tab order.
struct PlaceFields
{
    Q_DECLARE_TR_FUNCTIONS(PlaceFields)

public:
    QComboBox *CmbPlaceParent = nullptr;
    QLineEdit *TxtPlaceName = nullptr;
    QComboBox *CmbCity = nullptr;
    QComboBox *CmbDistrict = nullptr;
    MultiLineTextBox *TxtAddress = nullptr;
    QLineEdit *TxtTelephone = nullptr;
    MultiLineTextBox *TxtMore = nullptr;
    QLineEdit *TxtURL = nullptr;

    // Builds the labels and inputs inside frame, top to bottom: Parent Category, Place Name,
    // City, District, Address, Telephone, More, URL.
    static PlaceFields Build(QGroupBox *frame);

    // The label of the first box (category, city, district) in which no entry is chosen.
    std::optional<QString> MissingChoice() const;
    // The typed texts and the chosen identifiers; only meaningful when nothing is missing.
    Processing::PlaceValues Values() const;
    // The category chosen, when one is.
    std::optional<qint32> Category() const;
};
