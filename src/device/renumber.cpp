#include "device/renumber.h"

#include "device/padpaths.h"
#include "device/waveprm.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

struct Rename {
    QString from;
    QString to;
};

// What has been done, so that it can be undone in reverse order.
struct Journal {
    QVector<Rename> renames;
    QVector<QPair<QString, quint16>> patched; // record file, number it had
    QStringList createdFolders;

    bool rename(const QString &from, const QString &to)
    {
        if (QFileInfo::exists(to) || !QFile::rename(from, to)) {
            qWarning() << "cannot rename" << from << "to" << to;
            return false;
        }
        renames << Rename{from, to};
        return true;
    }

    bool folder(const QString &path)
    {
        const bool existed = QFileInfo(path).isDir();
        if (!waveprm::ensureFolder(path))
            return false;
        if (!existed)
            createdFolders << path;
        return true;
    }

    void rollBack()
    {
        for (int i = patched.size() - 1; i >= 0; --i)
            MainWindow1Records::writePrmWaveInPlace(QFile::encodeName(patched.at(i).first).constData(), patched.at(i).second);
        for (int i = renames.size() - 1; i >= 0; --i) {
            if (!QFile::rename(renames.at(i).to, renames.at(i).from))
                qWarning() << "cannot put back" << renames.at(i).from;
        }
        for (int i = createdFolders.size() - 1; i >= 0; --i)
            QDir().rmdir(createdFolders.at(i));
    }
};

struct Plan {
    quint16 newNo;
    QString wav, prm; // where the pair is now
    QString tempWav, tempPrm; // hidden names beside them
    QString newWav, newPrm;
};

QString hiddenName(const QString &path)
{
    const QFileInfo fi(path);
    return fi.absolutePath() + QStringLiteral("/.") + fi.fileName() + QStringLiteral(".renumber");
}

RenumberResult failed(Journal &journal)
{
    journal.rollBack();
    RenumberResult r;
    r.messages << DeviceMessage{DeviceText::tr("Warning"),
                                DeviceText::tr("The sounds on the sampler pad could not be renumbered; they keep "
                                               "their numbers.")};
    return r;
}

} // namespace

QVector<WaveRenumber> renumberedWaves(const QVector<MainWindow1Records::SOUND_INDEX> &sounds,
                                      const QVector<int> &oldNumbers)
{
    QVector<WaveRenumber> changes;
    for (int i = 0; i < sounds.size() && i < oldNumbers.size(); ++i) {
        if (sounds.at(i).wave_No != oldNumbers.at(i))
            changes << WaveRenumber{i, quint16(oldNumbers.at(i)), sounds.at(i).wave_No, sounds.at(i).file};
    }
    return changes;
}

RenumberResult renumberPadWaves(const QVector<WaveRenumber> &changes, const QString &dataPath, const QString &prmPath)
{
    Journal journal;
    QVector<Plan> plans;
    for (const WaveRenumber &c : changes) {
        const padtree::WavePair pair = padtree::findWavePair(c.wavFile, dataPath, prmPath);
        if (pair.wav.isEmpty() || pair.prm.isEmpty() || c.newNo < 1 || c.newNo > WAVE_MAX_COUNT) {
            qWarning() << "wave" << c.oldNo << "has no pair on the pad to renumber:" << c.wavFile;
            return failed(journal);
        }
        plans << Plan{c.newNo,
                      pair.wav,
                      pair.prm,
                      hiddenName(pair.wav),
                      hiddenName(pair.prm),
                      dataPath + QLatin1Char('/') + padtree::waveDataRelativePath(c.newNo),
                      prmPath + QLatin1Char('/') + padtree::wavePrmRelativePath(c.newNo)};
    }
    for (const Plan &p : qAsConst(plans)) {
        if (!journal.folder(QFileInfo(p.newWav).absolutePath()) || !journal.folder(QFileInfo(p.newPrm).absolutePath()))
            return failed(journal);
    }
    // Phase one frees every old name, phase two takes the new ones.
    for (const Plan &p : qAsConst(plans)) {
        if (!journal.rename(p.wav, p.tempWav) || !journal.rename(p.prm, p.tempPrm))
            return failed(journal);
    }
    for (const Plan &p : qAsConst(plans)) {
        if (!journal.rename(p.tempWav, p.newWav) || !journal.rename(p.tempPrm, p.newPrm))
            return failed(journal);
    }
    for (const Plan &p : qAsConst(plans)) {
        QFile f(p.newPrm);
        const QByteArray before = f.open(QIODevice::ReadOnly) ? f.read(2) : QByteArray();
        f.close();
        if (before.size() != 2 || !MainWindow1Records::writePrmWaveInPlace(QFile::encodeName(p.newPrm).constData(), p.newNo))
            return failed(journal);
        journal.patched << qMakePair(p.newPrm, waveprm::parseRecord(before).waveNo);
    }

    RenumberResult r;
    r.ok = true;
    for (const Plan &p : qAsConst(plans))
        r.newFiles << QDir::toNativeSeparators(p.newWav);
    return r;
}
