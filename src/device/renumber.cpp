#include "device/renumber.h"

#include "device/padpaths.h"
#include "model/bytepack.h"
#include "platform/inplacefile.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

struct Rename {
    QString from;
    QString to;
};

// Renames and number patches reach every file from the pad's root one folder
// at a time: a folder swapped for a link is never entered.
class PadFiles
{
public:
    explicit PadFiles(ztplatform::FolderAnchor root)
        : m_root(std::move(root))
    {
    }

    bool rename(const QString &from, const QString &to) const
    {
        QString fromName, toName;
        ztplatform::Reach a = ztplatform::Reach::Missing, b = ztplatform::Reach::Missing;
        const ztplatform::OpenFolder source = m_root.openFolderOf(from, &fromName, &a);
        const ztplatform::OpenFolder target = m_root.openFolderOf(to, &toName, &b);
        return a == ztplatform::Reach::Inside && b == ztplatform::Reach::Inside && !target.exists(toName)
                && source.rename(fromName, target, toName);
    }

    // A folder of one level below its existing parent; *created when new.
    bool folder(const QString &path, bool *created) const
    {
        QString name;
        ztplatform::Reach reach = ztplatform::Reach::Missing;
        const ztplatform::OpenFolder parent = m_root.openFolderOf(path, &name, &reach);
        return reach == ztplatform::Reach::Inside && parent.makeFolder(name, created).isOpen();
    }

    void removeFolder(const QString &path) const
    {
        QString name;
        ztplatform::Reach reach = ztplatform::Reach::Missing;
        const ztplatform::OpenFolder parent = m_root.openFolderOf(path, &name, &reach);
        if (reach == ztplatform::Reach::Inside)
            parent.removeFolder(name);
    }

    // Forces the folder's entries to the disk.
    bool syncFolder(const QString &path) const
    {
        ztplatform::Reach reach = ztplatform::Reach::Missing;
        const ztplatform::OpenFolder folder = m_root.openFolder(path, &reach);
        return reach == ztplatform::Reach::Inside && folder.sync();
    }

    // Stores `number` in bytes 0 and 1 of the record; *before gets the old one.
    bool patchNumber(const QString &prm, quint16 number, quint16 *before) const
    {
        QString name;
        ztplatform::Reach reach = ztplatform::Reach::Missing;
        const ztplatform::OpenFolder folder = m_root.openFolderOf(prm, &name, &reach);
        InPlaceFile f;
        if (reach != ztplatform::Reach::Inside || !f.open(folder, name))
            return false;
        const QByteArray old = f.readAt(0, 2);
        QByteArray now(2, '\0');
        bytepack::put16(reinterpret_cast<uchar *>(now.data()), number);
        if (old.size() != 2 || !f.writeAt(0, now))
            return false;
        if (before)
            *before = bytepack::get16(reinterpret_cast<const uchar *>(old.constData()));
        return true;
    }

private:
    ztplatform::FolderAnchor m_root;
};

// What has been done, so that it can be undone in reverse order.
struct Journal {
    const PadFiles &files;
    QVector<Rename> renames;
    QVector<QPair<QString, quint16>> patched; // record file, number it had
    QStringList createdFolders;

    bool rename(const QString &from, const QString &to)
    {
        if (!files.rename(from, to)) {
            qWarning() << "cannot rename" << from << "to" << to;
            return false;
        }
        renames << Rename{from, to};
        return true;
    }

    bool folder(const QString &path)
    {
        bool created = false;
        if (!files.folder(path, &created))
            return false;
        if (created)
            createdFolders << path;
        return true;
    }

    void rollBack()
    {
        for (int i = patched.size() - 1; i >= 0; --i)
            files.patchNumber(patched.at(i).first, patched.at(i).second, nullptr);
        for (int i = renames.size() - 1; i >= 0; --i) {
            if (!files.rename(renames.at(i).to, renames.at(i).from))
                qWarning() << "cannot put back" << renames.at(i).from;
        }
        for (int i = createdFolders.size() - 1; i >= 0; --i)
            files.removeFolder(createdFolders.at(i));
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

// Every folder that lost or took a name, and the one holding each new
// folder, forced to the disk.
bool syncTouchedFolders(const PadFiles &files, const QVector<Plan> &plans, const QStringList &createdFolders)
{
    QSet<QString> folders;
    for (const Plan &p : plans) {
        for (const QString &file : {p.wav, p.prm, p.newWav, p.newPrm})
            folders << QFileInfo(file).absolutePath();
    }
    for (const QString &created : createdFolders)
        folders << QFileInfo(created).absolutePath();
    for (const QString &folder : qAsConst(folders)) {
        if (!files.syncFolder(folder)) {
            qWarning() << "cannot force the renumbered pairs' folder to the disk:" << folder;
            return false;
        }
    }
    return true;
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

RenumberResult renumberPadWaves(const QVector<WaveRenumber> &changes, const QString &dataPath, const QString &prmPath,
                                const ztplatform::FolderAnchor &padRoot)
{
    const PadFiles files(padRoot.isValid() ? padRoot
                                           : ztplatform::FolderAnchor::record(QFileInfo(dataPath).absolutePath()));
    Journal journal{files, {}, {}, {}};
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
        quint16 before = 0;
        if (!files.patchNumber(p.newPrm, p.newNo, &before))
            return failed(journal);
        journal.patched << qMakePair(p.newPrm, before);
    }
    // On the disk before any kit record names the new numbers.
    if (!syncTouchedFolders(files, plans, journal.createdFolders))
        return failed(journal);

    RenumberResult r;
    r.ok = true;
    for (const Plan &p : qAsConst(plans))
        r.newFiles << QDir::toNativeSeparators(p.newWav);
    return r;
}
