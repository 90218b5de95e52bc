#pragma once

#include <QObject>

// Empty worker object; nothing constructs it yet.
class WorkRunnable : public QObject
{
    Q_OBJECT
public:
    explicit WorkRunnable(QObject *parent = nullptr);
};
