#ifndef ZT_MAINWINDOW1_DEVICE_PADSYNCCONTROLLER_H
#define ZT_MAINWINDOW1_DEVICE_PADSYNCCONTROLLER_H

// The pad: choosing it, its load, the add and delete batches, renumbering and the write-back at close.

#include <QObject>

class PadSyncController : public QObject
{
    Q_OBJECT

public:
    explicit PadSyncController(QObject *parent = nullptr);
};

#endif
