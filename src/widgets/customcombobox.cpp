#include "widgets/customcombobox.h"

CustomComboBox::CustomComboBox(QWidget *parent)
    : QComboBox(parent)
{
}
