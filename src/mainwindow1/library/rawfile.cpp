// The wave of a sound source written to a file: stored sounds copied out of
// their kit file, audio files converted by ffmpeg.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "library/kitusage.h"
#include "library/soundsource.h"
#include "library/waveprobe.h"
#include "model/audioconverter.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"

#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QStandardItemModel>

soundsource::StoredEntries MainWindow1::storedEntries() const
{
    // The five metronome sounds stand first in a whole setup that holds them.
    return soundsource::StoredEntries(loadedKitFiles, loadClickFlag && !clickDeviceFlag);
}

int MainWindow1::storedSoundEntry(const QString &source, const READ_KIT_FILE **kit)
{
    return storedEntries().find(source, kit);
}

quint64 MainWindow1::getBinOrIniWaveFileSize(QString source, QString target)
{
    if (!soundsource::isStored(source))
        return 0;
    const READ_KIT_FILE *kit = nullptr;
    const int e = storedSoundEntry(source, &kit);
    if (e < 0) {
        UiPrompter::instance()->information(this, tr("Error"), tr("File error!"), QMessageBox::Ok);
        return 0;
    }
    // Taken before the wait lets events run.
    const QString kitFile = kit->file;
    const quint32 start = kit->info.sound[size_t(e)].wave_start;
    const quint32 length = kit->info.sound[size_t(e)].wave_length;
    quint64 written = 0;
    const std::atomic_bool *stop = previewSession.stopFlag();
    runPreviewWork([&]() { written = soundsource::copyStoredWave(kitFile, start, length, target, stop); }, 88);
    return written == length ? written : 0;
}

quint32 MainWindow1::getRawFile(QString waveFileName, QString outFileName, quint8 format)
{
    UiPrompter *prompter = UiPrompter::instance();
    // A preview's work runs off the GUI thread until Stop, a save's in place.
    const bool preview = format != 0;
    const std::atomic_bool *stop = preview ? previewSession.stopFlag() : nullptr;
    auto run = [&](const std::function<void()> &work, int lastStep) {
        if (preview)
            runPreviewWork(work, lastStep);
        else
            work();
    };
    if (soundsource::isStored(waveFileName)) {
        const READ_KIT_FILE *kit = nullptr;
        const int e = storedSoundEntry(waveFileName, &kit);
        if (e < 0) {
            prompter->information(this, tr("Error"), tr("File error!"), QMessageBox::Ok);
            return 0;
        }
        const QString kitFile = kit->file;
        const quint32 start = kit->info.sound[size_t(e)].wave_start;
        const quint32 length = kit->info.sound[size_t(e)].wave_length;
        quint64 written = 0;
        run([&]() { written = soundsource::copyStoredWave(kitFile, start, length, outFileName, stop); }, 88);
        if (written == length)
            return quint32(written);
        QFile::remove(outFileName); // a short copy is no wave
        return 0;
    }

    const QFileInfo source(waveFileName);
    if (!ztplatform::isRegularFile(waveFileName)) {
        // Name the kits that use the missing file, pads first, then hi-hats.
        QStringList kits;
        for (int kit : kitusage::kitsUsing(kitAttrList, waveFileName))
            kits.append(QString::number(kit));
        prompter->information(
                this, tr("Error"),
                source.fileName() + tr("sound exists in Kit ") + kits.join(QStringLiteral("、"))
                        + QStringLiteral("\r\n")
                        + tr("If you want to delete a sound, please find it in the right list and press 'OK' to "
                             "confirm.")
                        + QStringLiteral("\r\n") + tr("File not found:") + waveFileName,
                QMessageBox::Ok);
        QModelIndex row;
        for (int r = 0; totalGroup && r < totalGroup->rowCount() && !row.isValid(); ++r) {
            const QStandardItem *file = totalGroup->child(r, 2);
            if (file && file->text() == waveFileName)
                row = file->index();
        }
        if (QItemSelectionModel *selection = ui->totalWaveTreeView->selectionModel())
            selection->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
        return 0;
    }

    audioconverter converter;
    converter.setStopFlag(stop);
    QString err;
    if (preview) {
        run([&]() { converter.audioConverterWaveRun(waveFileName, outFileName, err); }, 80);
    } else {
        audioconverter::removeEarlierOutput(waveFileName, outFileName);
        converter.audioConverterRun(waveFileName, outFileName, err);
    }
    if (preview && previewSession.stopped())
        return 0; // Stop ended the preview: nothing to report
    if (err.isEmpty()) {
        prompter->information(this, tr("Error"), tr("Missing some files for the program!"), QMessageBox::Ok);
        return 0;
    }
    const int failure = soundsource::ffmpegFailure(err);
    QFile target(outFileName);
    const bool hasSamples = failure == 0 && target.open(QIODevice::ReadOnly) && waveprobe::dataBytes(target) > 0;
    const qint64 size = target.size();
    target.close();
    if (hasSamples)
        return quint32(size);
    QString text = tr("Wrong data in file：") + QStringLiteral("\r\n");
    if (failure >= 1 && failure <= 4)
        text += tr("File Location: ") + waveFileName + QStringLiteral("\r\n") + soundsource::ffmpegFailureSentence(failure);
    prompter->information(this, tr("Error"), text, QMessageBox::Ok);
    return 0;
}
