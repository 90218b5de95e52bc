#include "widgets/devicedetector.h"

#include "device/driveprobe.h"
#include "device/padpaths.h"
#include "ui_devicedetector.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace {
constexpr int REFRESH_SHOWN_MS = 1000;
constexpr int REFRESH_HIDDEN_MS = 2000;
} // namespace

DeviceDetector::DeviceDetector(const DriveSource &drives, QWidget *parent)
    : QWidget(parent)
    , closeFlag(true)
    , oldDeviceCount(0)
    , newDeviceCount(0)
    , ui(new Ui::DeviceDetector)
    , m_probe(new DriveProbe(drives, this))
{
    ui->setupUi(this);
    setWindowTitle(tr("Select Disk"));
    // The mount table only: no drive is looked at before getDevicePath().
    list = drives.drives();
    oldDeviceCount = list.size();
    ui->comboBox->clear();
    ui->comboBox->addItem(tr("Device Unconnect(Default)"));
    connect(m_probe, &DriveProbe::changed, this, &DeviceDetector::showDrives);
    connect(ui->comboBox, QOverload<int>::of(&QComboBox::activated), this, [this]() { m_userPicked = true; });
    connect(&m_refresh, &QTimer::timeout, this, [this]() {
        list = m_probe->refresh();
        oldDeviceCount = newDeviceCount = list.size();
    });
}

DeviceDetector::~DeviceDetector()
{
    delete ui;
}

QVector<QString> DeviceDetector::getDevicePath()
{
    list = m_probe->refresh();
    oldDeviceCount = list.size();
    m_preselect.clear();
    for (const DriveEntry &d : qAsConst(list)) {
        if (d.removable)
            m_preselect.insert(d.root);
    }
    showDrives();
    if (!m_refresh.isActive())
        m_refresh.start(isVisible() ? REFRESH_SHOWN_MS : REFRESH_HIDDEN_MS);
    return dirDetectorList;
}

int DeviceDetector::padIndex() const
{
    // Of the drives listed when the chooser was filled, in combo order: one
    // whose model folder holds the pad's four folders is chosen, four other
    // entries take the choice back to the default, anything else changes nothing.
    int index = 0;
    for (int i = 1; i < ui->comboBox->count(); ++i) {
        const QString root = ui->comboBox->itemData(i).toString();
        if (!m_preselect.contains(root))
            continue;
        for (const DriveProbe::Drive &d : m_probe->removableDrives()) {
            if (d.root == root && d.answer == DriveProbe::Answer::Answered && d.modelFolderNames.size() == 4)
                index = padtree::isMainFolderSet(d.modelFolderNames) ? i : 0;
        }
    }
    return index;
}

void DeviceDetector::showDrives()
{
    struct Item
    {
        QString text;
        QString root;
        bool enabled;
    };
    QVector<Item> items{{tr("Device Unconnect(Default)"), QString(), true}};
    dirDetectorList.clear();
    for (const DriveProbe::Drive &d : m_probe->removableDrives()) {
        if (d.answer == DriveProbe::Answer::Answered) {
            items.append({d.root, d.root, true});
            dirDetectorList.append(d.root);
        } else if (d.answer == DriveProbe::Answer::NotAnswering) {
            items.append({tr("%1 (not answering)").arg(d.root), d.root, false});
        }
    }
    QComboBox *combo = ui->comboBox;
    auto *model = qobject_cast<QStandardItemModel *>(combo->model());
    bool same = combo->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i)
        same = combo->itemText(i) == items.at(i).text && (!model || model->item(i)->isEnabled() == items.at(i).enabled);
    if (!same) {
        const QString current = combo->currentIndex() > 0 ? combo->currentData().toString() : QString();
        const QSignalBlocker quiet(combo);
        combo->clear();
        int keep = 0;
        for (const Item &item : qAsConst(items)) {
            combo->addItem(item.text, item.root);
            if (model && !item.enabled)
                model->item(combo->count() - 1)->setEnabled(false);
            if (item.enabled && !current.isEmpty() && item.root == current)
                keep = combo->count() - 1;
        }
        combo->setCurrentIndex(keep);
    }
    if (!m_userPicked)
        combo->setCurrentIndex(padIndex());
}

void DeviceDetector::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    oldDeviceCount = list.size();
    list = m_probe->refresh(); // the combo follows through DriveProbe::changed
    newDeviceCount = list.size();
    oldDeviceCount = newDeviceCount;
}

void DeviceDetector::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_refresh.isActive())
        m_refresh.start(REFRESH_SHOWN_MS);
}

void DeviceDetector::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_refresh.isActive())
        m_refresh.start(REFRESH_HIDDEN_MS);
}

void DeviceDetector::closeEvent(QCloseEvent *event)
{
    emit sendClose(closeFlag ? 0 : 1);
    event->accept();
}

void DeviceDetector::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel))
        ui->btnCancel->click();
    else
        QWidget::keyPressEvent(event);
}

void DeviceDetector::on_btnOk_clicked()
{
    // A drive that did not answer cannot be chosen.
    const auto *model = qobject_cast<const QStandardItemModel *>(ui->comboBox->model());
    const QStandardItem *item = model ? model->item(ui->comboBox->currentIndex()) : nullptr;
    if (item && !item->isEnabled())
        return;
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
