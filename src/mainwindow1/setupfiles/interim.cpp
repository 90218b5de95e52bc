// Stand-ins for operations of the global settings page, the kit pages and the
// sound library that the setup files call; each is replaced by its own area.
#include "mainwindow1/mainwindow1.h"

#include "model/audioconverter.h"
#include "setup/soundsource.h"

#include <QFileInfo>

void MainWindow1::setGlobalFileChunk() {}
void MainWindow1::showVerAndGlobal1(percussionpadfile *) {}
void MainWindow1::disHHList(soundKit *, quint8, quint8) {}
void MainWindow1::dispPadList(QVector<soundKit>, quint8) {}
void MainWindow1::updateKitNo(int) {}
void MainWindow1::on_upRbtn_clicked() {}
void MainWindow1::on_DownRbtn_clicked() {}
void MainWindow1::on_kitRbtn_clicked() {}

// Plain audio files only: converted into the pad's wave form (format 0) or a
// playable WAV; the size written, 0 when nothing was written.
quint32 MainWindow1::getRawFile(QString waveFileName, QString outFileName, quint8 format)
{
    if (setupfiles::parseStoredSource(waveFileName).isStored() || !QFileInfo(waveFileName).isFile())
        return 0;
    audioconverter converter;
    QString err;
    if (format == 0)
        converter.audioConverterRun(waveFileName, outFileName, err);
    else
        converter.audioConverterWaveRun(waveFileName, outFileName, err);
    const QFileInfo out(outFileName);
    return out.isFile() ? quint32(out.size()) : 0;
}
