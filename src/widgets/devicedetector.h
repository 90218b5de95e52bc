#ifndef ZT_WIDGETS_DEVICEDETECTOR_H
#define ZT_WIDGETS_DEVICEDETECTOR_H

#include "platform/removabledrives.h"

#include <QSet>
#include <QTimer>
#include <QVector>
#include <QWidget>

class DriveProbe;

namespace Ui {
class DeviceDetector;
}

// The start-up chooser of the pad's drive.
class DeviceDetector : public QWidget
{
    Q_OBJECT

public:
    // Lists the drives of `drives`, which outlives the chooser and its looks.
    explicit DeviceDetector(const DriveSource &drives, QWidget *parent = nullptr);
    ~DeviceDetector() override;

    // Lists the removable drives as their roots answer, each looked at off
    // the GUI thread, preselects one that holds the pad's folders (until the
    // user picks one) and returns the roots that have answered so far. From
    // then on the list follows the drives: every second while shown, every
    // two seconds while hidden. Never waits on a drive.
    QVector<QString> getDevicePath();

    bool closeFlag;                    // true until OK is pressed
    QVector<QString> dirDetectorList;  // removable roots that answered
    QVector<DriveEntry> list;          // drives of the last look
    int oldDeviceCount;
    int newDeviceCount;

signals:
    void sendCurFilePath(QString filePath);
    void sendClose(int flag);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override; // Escape is Cancel
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    // The combo follows the probe, in drive order: drives that answered, and
    // greyed those that did not in time; a drive still being looked at is
    // not listed yet.
    void showDrives();
    // The drive that looks like a pad, by the rule of the drives in list order.
    int padIndex() const;

    Ui::DeviceDetector *ui;
    DriveProbe *m_probe;
    QTimer m_refresh;
    bool m_userPicked = false; // the user chose an item: no preselection overrides it
    QSet<QString> m_preselect; // drives listed when the chooser was filled: one may be preselected
};

#endif
