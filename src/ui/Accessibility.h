#pragma once

class QLabel;
class QWidget;

// The label beside a control names it for screen readers ("Place Name, edit text" rather than
// "edit text") and becomes its buddy, so an access key in the label would reach the control.
// Set explicitly: a combo box would otherwise be announced by its current entry alone.
void LabelControl(QLabel *label, QWidget *control);
