#include "widgets/customcombobox.h"

CustomComboBox::CustomComboBox(QWidget *parent)
    : QComboBox(parent)
{
}

void CustomComboBox::showPopup()
{
    emit sendClick();
    QComboBox::showPopup();
}

void CustomComboBox::hidePopup()
{
    QComboBox::hidePopup();
}
