#include "widgets/mylabel.h"

MyLabel::MyLabel(QWidget *parent)
    : QLabel(parent)
{
}
