// Steps the loads and saves of setup files share.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "model/namerules.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QProgressDialog>
#include <QStandardItem>

namespace setupflow {

namespace {
const char kPlayingStyle[] = "border-image: url(:/images/suspend.png);";
const char kIdleStyle[] = "border-image: url(:/images/play.png);";

QStandardItem *fixedItem(const QString &text, const QIcon &icon = QIcon())
{
    auto *item = new QStandardItem(icon, text);
    item->setEditable(false);
    return item;
}

void reportRenamed(MainWindow1 *w, const QString &lead, const QVector<int> &numbers, const QString &one,
                   const QString &more)
{
    if (!numbers.isEmpty())
        UiPrompter::instance()->warning(w, MainWindow1::tr("Warning"),
                                        namerules::joinNumbersMessage(lead, numbers, one, more), QMessageBox::Ok);
}

} // namespace

bool stopPreviewFirst(MainWindow1 *w, bool loopToo)
{
    Ui::MainWindow1 *ui = w->ui;
    if (ui->playBtn2->styleSheet() == QLatin1String(kPlayingStyle)) {
        if (w->singleLoop)
            w->on_stopBtn2_clicked();
        else
            w->player2->stop();
        ui->songLabel2->setText(QStringLiteral("Sample"));
        ui->playBtn2->setStyleSheet(QLatin1String(kIdleStyle));
    } else if (loopToo && w->singleLoop) {
        w->on_stopBtn2_clicked();
    } else {
        return false;
    }
    UiPrompter::instance()->warning(w, MainWindow1::tr("Warning"),
                                    MainWindow1::tr("Please stop playing the music before importing or saving the file."),
                                    QMessageBox::Ok);
    return true;
}

void lockForSave(MainWindow1 *w, bool locked)
{
    Ui::MainWindow1 *ui = w->ui;
    ui->topWidget->setEnabled(!locked);
    for (QAction *a : {ui->actionGlobal_Setting, ui->actionKit_Setiing, ui->actionImport_All, ui->actionExport_All,
                       ui->actionBack_to_main_interface})
        a->setEnabled(!locked);
}

void rebuildSoundRows(MainWindow1 *w)
{
    const QVector<MainWindow1::SOUND_INDEX> &sounds = w->waveLoadKitAttrList;
    const int n = sounds.size();
    const QIcon lock(QStringLiteral(":/images/lock.png"));
    if (w->totalGroup && w->totalGroup->rowCount() > n)
        w->totalGroup->removeRows(n, w->totalGroup->rowCount() - n);
    if (w->hhGroup && w->hhGroup->rowCount() > n)
        w->hhGroup->removeRows(n, w->hhGroup->rowCount() - n);
    for (int i = 0; i < n; ++i) {
        const MainWindow1::SOUND_INDEX &s = sounds.at(i);
        const QString name = MainWindow1::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
        w->total_index = s.wave_No;
        if (w->totalGroup) {
            w->totalGroup->setChild(i, 0, fixedItem(QString::number(s.wave_No), s.wave_lock == 0 ? lock : QIcon()));
            w->totalGroup->setChild(i, 1, new QStandardItem(name));
            w->totalGroup->setChild(i, 2, new QStandardItem(s.file));
        }
        if (w->hhGroup) {
            w->hhGroup->setChild(i, 0, new QStandardItem(name));
            w->hhGroup->setChild(i, 1, new QStandardItem(s.file));
        }
    }
}

void reapplySoundOrder(MainWindow1 *w)
{
    Ui::MainWindow1 *ui = w->ui;
    if (ui->defaultRbtn->isChecked())
        w->on_defaultRbtn_clicked();
    else if (ui->upRbtn->isChecked())
        w->on_upRbtn_clicked();
    else if (ui->DownRbtn->isChecked())
        w->on_DownRbtn_clicked();
    else if (!ui->customRbtn->isChecked())
        w->on_defaultRbtn_clicked();
}

void redrawKits(MainWindow1 *w)
{
    for (int k = 0; k < KIT_MAX_COUNT && k < w->kitAttrList.size(); ++k) {
        for (int s = 0; s < HH_NUM_MAX; ++s)
            w->disHHList(&w->kitAttrList[k], quint8(k), quint8(s));
    }
    for (int k = 0; k < KIT_MAX_COUNT; ++k)
        w->dispPadList(w->kitAttrList, quint8(k));
}

void reportRenamedSounds(MainWindow1 *w, const QVector<int> &numbers)
{
    reportRenamed(
            w, MainWindow1::tr("The "), numbers,
            MainWindow1::tr("item is automatically renamed, as it exceeds 16 characters or ends with special symbol."),
            MainWindow1::tr("item are automatically renamed, as they exceed 16 characters or end with special symbol."));
}

void reportRenamedKits(MainWindow1 *w, const QVector<int> &numbers)
{
    reportRenamed(
            w, QStringLiteral("Kit "), numbers,
            MainWindow1::tr("is automatically renamed, as it exceeds 10 characters or contains special symbol."),
            MainWindow1::tr("are automatically renamed, as they exceed 10 characters or contain special symbol."));
}

void reportNotReplaced(MainWindow1 *w, const QString &target, const QString &kept)
{
    const QString crlf = QStringLiteral("\r\n");
    UiPrompter::instance()->warning(w, MainWindow1::tr("Error"),
                                    MainWindow1::tr("The old file could not be replaced:") + crlf
                                            + QDir::toNativeSeparators(target) + crlf
                                            + MainWindow1::tr("The new file is kept as:") + crlf
                                            + QDir::toNativeSeparators(kept),
                                    QMessageBox::Ok);
}

bool refuseBranded(MainWindow1 *w, const QString &path, int kind)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || !percussionpadfile::readIndex(&file, kind))
        return false;
    UiPrompter::instance()->warning(w, MainWindow1::tr("Error"),
                                    MainWindow1::tr("Please import file which is generated by Korvanta."),
                                    QMessageBox::Ok);
    return true;
}

bool recordKitFile(MainWindow1 *w, const QString &path, int n)
{
    QStringList &files = w->recordKitFileList;
    QVector<int> &numbers = w->recordKitIndexList;
    for (int j = files.size() - 1; j >= 0; --j) {
        const QString recorded = files.at(j);
        QFile file(recorded);
        if (!file.open(QIODevice::ReadOnly)) {
            qDebug() << "以只读模式打开文件失败" << recorded;
            if (recorded.isEmpty() || !QFileInfo::exists(recorded)) {
                w->removeSoundFile(recorded, numbers.value(j));
                files.removeAt(j);
                if (j < numbers.size())
                    numbers.remove(j);
            }
            continue;
        }
        int m = quint8(percussionpadfile::readKitNum(&file));
        file.close();
        if (m == 0xFF) {
            w->reportLoadError(setupfiles::LoadError::OldLayout, recorded, false);
            return false;
        }
        if (m == 0)
            m = 1;
        if (m == n) {
            files[j] = path;
            if (j < numbers.size())
                numbers[j] = n;
            return true;
        }
    }
    files.append(path);
    numbers.append(n);
    return true;
}

QProgressDialog *openSaveProgress(MainWindow1 *w, const QString &label, int value)
{
    if (w->dialog)
        w->dialog->deleteLater();
    auto *d = new QProgressDialog;
    w->dialog = d;
    d->setWindowModality(Qt::WindowModal);
    d->setWindowTitle(MainWindow1::tr("Please wait..."));
    d->setLabelText(label);
    d->setCancelButton(nullptr);
    d->setMinimumDuration(5);
    d->setRange(0, 100);
    d->setMaximumHeight(150);
    d->setValue(value);
    d->show();
    QCoreApplication::processEvents();
    return d;
}

void hideProgress(QProgressDialog *dialog)
{
    if (!dialog)
        return;
    dialog->hide();
    dialog->setAutoClose(true);
    QCoreApplication::processEvents();
}

} // namespace setupflow
