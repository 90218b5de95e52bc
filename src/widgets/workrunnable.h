#pragma once

#include <QObject>

// The base of a worker object that a long task moves onto a thread of its own.
class WorkRunnable : public QObject
{
    Q_OBJECT
public:
    explicit WorkRunnable(QObject *parent = nullptr);
};
