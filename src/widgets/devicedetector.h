#ifndef ZT_WIDGETS_DEVICEDETECTOR_H
#define ZT_WIDGETS_DEVICEDETECTOR_H

#include "platform/removabledrives.h"

#include <QStringList>
#include <QVector>
#include <QWidget>

namespace Ui {
class DeviceDetector;
}

// The start-up chooser of the pad's drive.
class DeviceDetector : public QWidget
{
    Q_OBJECT

public:
    explicit DeviceDetector(QWidget *parent = nullptr);
    ~DeviceDetector() override;

    // Appends the removable drives to the list, preselects one that holds
    // the pad's folders and returns the removable drive roots.
    QVector<QString> getDevicePath();
    // True when the names are exactly the pad's four main folders.
    bool judgeFourName(const QStringList &names);

    bool closeFlag;                    // true until OK is pressed
    QVector<QString> dirDetectorList;  // removable roots of the last getDevicePath
    int currentIndex;
    QVector<DriveEntry> list;          // drives of the last look
    int oldDeviceCount;
    int newDeviceCount;

signals:
    void sendCurFilePath(QString filePath);
    void sendClose(int flag);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    Ui::DeviceDetector *ui;
};

#endif
