#ifndef ZT_DEVICE_DEVICEMESSAGE_H
#define ZT_DEVICE_DEVICEMESSAGE_H

#include <QCoreApplication>
#include <QString>
#include <QVector>

// Texts of the device side, translated with the main window's.
class DeviceText {
    Q_DECLARE_TR_FUNCTIONS(MainWindow1)
};

// A warning box the window shows for the device side: title and text,
// already translated, one OK button.
struct DeviceMessage {
    QString title;
    QString text;
};

using DeviceMessages = QVector<DeviceMessage>;

#endif
