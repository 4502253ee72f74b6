#pragma once
// The mouse wheel over a control that changes a value (a drop-down list): the value changes
// only while the control has the keyboard focus. Over a control without the focus the wheel
// goes on to the control's container, which scrolls if it can.

class QWidget;

namespace vestamar {

void rodaSoComFoco(QWidget* controle);

}  // namespace vestamar
