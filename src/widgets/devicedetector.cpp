#include "widgets/devicedetector.h"

#include "device/padpaths.h"
#include "ui_devicedetector.h"

#include <QCloseEvent>

namespace {
// Roots of the removable drives, in drive order.
QStringList removableRoots(const QVector<DriveEntry> &drives)
{
    QStringList roots;
    for (const DriveEntry &d : drives) {
        if (d.removable)
            roots << d.root;
    }
    return roots;
}
} // namespace

DeviceDetector::DeviceDetector(QWidget *parent)
    : QWidget(parent)
    , closeFlag(true)
    , currentIndex(0)
    , oldDeviceCount(0)
    , newDeviceCount(0)
    , ui(new Ui::DeviceDetector)
{
    ui->setupUi(this);
    setWindowTitle(tr("Select Disk"));
    list = ztplatform::driveSource()->drives();
    oldDeviceCount = list.size();
    ui->comboBox->clear();
    ui->comboBox->addItem(tr("Device Unconnect(Default)"));
}

DeviceDetector::~DeviceDetector()
{
    delete ui;
}

QVector<QString> DeviceDetector::getDevicePath()
{
    dirDetectorList.clear();
    list = ztplatform::driveSource()->drives();
    oldDeviceCount = list.size();
    for (const QString &root : removableRoots(list)) {
        dirDetectorList.append(root);
        ui->comboBox->addItem(root);
    }

    for (int i = 0; i < ui->comboBox->count(); ++i) {
        const QString text = ui->comboBox->itemText(i);
        if (!text.endsWith(QLatin1Char('/')))
            continue; // the default item names no folder
        const QStringList names = padtree::modelFolderEntryNames(text);
        if (names.size() != 4)
            continue;
        ui->comboBox->setCurrentIndex(judgeFourName(names) ? i : 0);
    }
    return dirDetectorList;
}

bool DeviceDetector::judgeFourName(const QStringList &names)
{
    return padtree::isMainFolderSet(names);
}

void DeviceDetector::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    oldDeviceCount = list.size();
    list = ztplatform::driveSource()->drives();
    newDeviceCount = list.size();
    if (oldDeviceCount == newDeviceCount)
        return;

    const QString defaultText = tr("Device Unconnect(Default)");
    const QStringList roots = removableRoots(list);
    for (int i = ui->comboBox->count() - 1; i >= 0; --i) {
        const QString text = ui->comboBox->itemText(i);
        if (text == defaultText || roots.contains(text))
            continue;
        ui->comboBox->removeItem(i);
    }
    for (const QString &root : roots) {
        if (ui->comboBox->findText(root, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
            ui->comboBox->addItem(root);
    }
    oldDeviceCount = newDeviceCount;
}

void DeviceDetector::closeEvent(QCloseEvent *event)
{
    emit sendClose(closeFlag ? 0 : 1);
    event->accept();
}

void DeviceDetector::on_btnOk_clicked()
{
    const QString text = ui->comboBox->currentText();
    closeFlag = false;
    close();
    emit sendCurFilePath(text);
}

void DeviceDetector::on_btnCancel_clicked()
{
    closeFlag = true;
    close();
    emit sendCurFilePath(QString());
}
