#include "widgets/workrunnable.h"

WorkRunnable::WorkRunnable(QObject *parent)
    : QObject(parent)
{
}
