#ifndef ZT_DEVICE_DEVICEMESSAGE_H
#define ZT_DEVICE_DEVICEMESSAGE_H

#include "model/namerules.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

// Texts of the device side, translated with the main window's.
class DeviceText {
    Q_DECLARE_TR_FUNCTIONS(MainWindow1)
};

// A warning box the window shows for the device side: title and text,
// already translated, one OK button; the details (if any) hold what the text
// shows cut.
struct DeviceMessage {
    QString title;
    QString text;
    QString details = QString();
};

using DeviceMessages = QVector<DeviceMessage>;

// A "Warning" listing numbers: lead, the numbers, then the sentence for one
// or for several.
inline DeviceMessage numbersWarning(const QString &lead, const QVector<int> &numbers, const QString &singular,
                                    const QString &plural)
{
    return DeviceMessage{DeviceText::tr("Warning"), namerules::joinNumbersMessage(lead, numbers, singular, plural)};
}

#endif
