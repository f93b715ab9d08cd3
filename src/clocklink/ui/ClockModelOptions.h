#pragma once

class QBoxLayout;
class QButtonGroup;
class QRadioButton;
class QWidget;

namespace durvek {

// The clock models as option buttons, one per row of the model table and in
// its order, added to column inside frame. A button's id in the returned
// group (owned by frame) is its model's settings protocol number.
QButtonGroup* addClockModelOptions(QWidget* frame, QBoxLayout* column);

// The button of a protocol number; null when no model has that number.
QRadioButton* clockModelOption(const QButtonGroup* group, int protocol);

} // namespace durvek
