#ifndef TESTS_MAINWINDOW1_PADWINDOW_H
#define TESTS_MAINWINDOW1_PADWINDOW_H

// A main window loaded from a folder laid out as the pad: the drive layer
// lists that folder as a removable drive, every box is answered by a script
// and the dismount is recorded, with the change file as it stood then.

#include "device/padfixture.h"
#include "document/kitreload.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "model/audioconverter.h"
#include "platform/anchoredfolder.h"
#include "platform/disk.h"
#include "support/passdisk.h"
#include "support/switchdisk.h"
#include "platform/dismount.h"
#include "platform/volumeidentity.h"
#include "resources/ztresources.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QMutex>
#include <QWaitCondition>
#include <QPointer>
#include <QProcess>
#include <QStandardItemModel>

#include <atomic>
#include <functional>
#include <memory>

struct RecordingDismounter : VolumeDismounter {
    QStringList mountPoints;
    QVector<QByteArray> alterAtCall; // alter.ini when the dismount ran
    QString alterFile;
    bool answer = true;
    std::function<void()> onDismount;
    std::atomic_int left{0}; // calls that have returned: none touches this object after
    bool dismount(const QString &mountPoint) override
    {
        mountPoints << mountPoint;
        alterAtCall << kf::readFile(alterFile);
        if (onDismount)
            onDismount();
        const bool result = answer;
        ++left;
        return result;
    }
};

// The system's identity of a volume with the serial the test gives. Another
// serial comes with another mount; `mounts` counts mounts of the same one.
struct FakeVolumeSerial : ztplatform::VolumeIdentitySource {
    QString uuid = "A";
    int mounts = 0;
    ztplatform::VolumeIdentity identity(const QString &folder) const override
    {
        ztplatform::VolumeIdentity id = ztplatform::SystemVolumeIdentitySource().identity(folder);
        id.uuid = uuid;
        return id;
    }
    ztplatform::MountStamp mountStamp(int folderFd) const override
    {
        ztplatform::MountStamp stamp = ztplatform::readMountStamp(folderFd);
        stamp.id += qHash(uuid) + quint64(mounts);
        return stamp;
    }
};

// Mount ids as kernels without unique ones give them (Debian 12's 6.1): a
// new mount may get the id of one gone, and its root the same inode (a FAT
// root is always inode 1). The next `awayChecks` looks find no pad at all.
struct ReusedMountIds : ztplatform::VolumeIdentitySource {
    mutable int awayChecks = 0;
    ztplatform::VolumeIdentity identity(const QString &folder) const override
    {
        return ztplatform::SystemVolumeIdentitySource().identity(folder);
    }
    ztplatform::MountStamp mountStamp(int folderFd) const override
    {
        ztplatform::MountStamp stamp = ztplatform::readMountStamp(folderFd);
        if (awayChecks > 0 && awayChecks--)
            return ztplatform::MountStamp();
        stamp.id = 7;
        stamp.unique = false;
        stamp.inode = 1;
        return stamp;
    }
};

// The writes below the pad's root, one line each ("write", "remove" or
// "sync", then the path), on whatever thread they run, seen by the pad's
// disk `disk` while it lives; `onEvent` may act. Gone, it waits for the
// calls in it; a write given up on that ends later calls nothing of it.
struct FileEvents {
    QMutex lock;
    QStringList log;
    std::function<void(ztplatform::FileEvent, const QString &)> onEvent;
    explicit FileEvents(SwitchDisk &disk)
        : m_gate(new Gate) // a write given up on may call it later: it is never freed
        , m_disk(disk)
    {
        m_gate->owner = this;
        m_before = m_disk.use(m_gate);
    }
    ~FileEvents()
    {
        m_disk.use(m_before);
        QMutexLocker hold(&m_gate->lock);
        m_gate->owner = nullptr;
        while (m_gate->calling > 0)
            m_gate->idle.wait(&m_gate->lock);
    }
    QStringList lines()
    {
        QMutexLocker hold(&lock);
        return log;
    }

private:
    struct Gate : PassDisk
    {
        QMutex lock;
        QWaitCondition idle;
        FileEvents *owner = nullptr;
        int calling = 0;
        void changed(ztplatform::FileEvent e, int fd, const QByteArray &name) override
        {
            {
                QMutexLocker hold(&lock);
                if (!owner)
                    return;
                ++calling;
            }
            owner->record(e, changedPath(fd, name));
            QMutexLocker hold(&lock);
            if (--calling == 0)
                idle.wakeAll();
        }
    };
    void record(ztplatform::FileEvent e, const QString &path)
    {
        const char *kind[] = {"write ", "remove ", "sync "};
        {
            QMutexLocker hold(&lock);
            log << kind[int(e)] + path;
        }
        if (onEvent)
            onEvent(e, path);
    }
    Gate *m_gate;
    SwitchDisk &m_disk;
    ztplatform::Disk *m_before = nullptr;
};

// Kits as the pad's own writer leaves them: kit numbers 1 ... 100, wave
// positions from the sound files, nothing in the bytes a writer drops. Such a
// kit written back unchanged keeps every byte.
inline void writeCleanKits(PadFixture &pad, const QVector<quint16> &waves)
{
    pad.kits.fill(waves, 11);
    auto size = [&pad](quint16 no) {
        return no == NO_WAVE ? quint32(0)
                             : quint32(QFileInfo(pad.dataPath + "/" + padtree::waveDataRelativePath(no + 1)).size());
    };
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        percussionpadfile::P_KIT_BASE_PARA &b = pad.kits.base[size_t(k)];
        b.kit_no = quint8(k + 1);
        b.effect1_no %= 10;
        b.effect2_no %= 10;
        b.effect3_no %= 10;
        percussionpadfile::P_PEDAL_SETTING &h = pad.kits.pedal[size_t(k)];
        h.active_no = 0;
        auto slot = [&size](quint16 no, quint32 &cluster, quint32 &length, quint32 &start, quint32 &end) {
            cluster = start = 0;
            length = end = size(no);
        };
        slot(h.hh_wave1_no, h.hh_wave1_startCluster, h.hh_wave1_length, h.hh_wave1_start, h.hh_wave1_end);
        slot(h.hh_wave2_no, h.hh_wave2_startCluster, h.hh_wave2_length, h.hh_wave2_start, h.hh_wave2_end);
        slot(h.hh_wave3_no, h.hh_wave3_startCluster, h.hh_wave3_length, h.hh_wave3_start, h.hh_wave3_end);
        slot(h.hh_wave4_no, h.hh_wave4_startCluster, h.hh_wave4_length, h.hh_wave4_start, h.hh_wave4_end);
        slot(h.hh_wave5_no, h.hh_wave5_startCluster, h.hh_wave5_length, h.hh_wave5_start, h.hh_wave5_end);
        for (int j = 0; j < PAD_NUM_MAX; ++j) {
            percussionpadfile::P_KIT_PAD_SETTING &d = pad.kits.pads[k][j];
            d.aWaveStart = d.bWaveStart = 0;
            d.aWaveLength = d.aWaveEnd = size(d.aWaveNo);
            d.bWaveLength = d.bWaveEnd = size(d.bWaveNo);
            d.pad_fs_ctrl = 0;
        }
    }
    pad.saveKits();
}

// Metronome sounds the import takes (above 4 KB).
inline void writeClicks(const PadFixture &pad)
{
    for (int i = 1; i <= 5; ++i)
        touchFile(pad.sysPath + QString("/CLICK/click%1.wav").arg(i), kf::wavBytes(8000, quint32(i)));
}

struct PadWindow {
    PadFixture pad;
    FakeDriveSource drives;
    ScriptedPrompter prompter;
    RecordingDismounter dismounter;
    const ztplatform::VolumeIdentitySource *volumes = nullptr; // the pad's volume; null: the system's
    ztplatform::Disk *backupDisk = nullptr;                    // the backups' writes; null: the system's
    SwitchDisk &disk = pad.disk;                               // every call below the pad's root
    QTemporaryDir work;
    QString oldDir = QDir::currentPath();
    QPointer<MainWindow1> w;

    PadWindow()
    {
        ztInitResources();
        QDir::setCurrent(work.path());
        // The pad's backups go to the test's own data folder.
        qputenv("XDG_DATA_HOME", QFile::encodeName(work.path() + "/data"));
        writeClicks(pad);
        drives.list = {{root(), true}};
        dismounter.alterFile = pad.sysPath + "/alter.ini";
    }
    ~PadWindow()
    {
        delete w.data();
        QDir::setCurrent(oldDir);
    }
    QString root() const { return pad.root + "/"; }

    // What a window on the pad is handed: the test's prompter, drives, volume, dismount, backup disk and pad's disk.
    WindowServices services()
    {
        WindowServices s(&prompter);
        s.pad = PadSystem{&drives, volumes, &dismounter, backupDisk, &disk};
        return s;
    }

    // Sounds 1 ... n and kits that use the first of them.
    void layOut(int sounds = 3)
    {
        for (int n = 1; n <= sounds; ++n)
            pad.addWave(n);
        pad.writeKits(sounds > 0 ? QVector<quint16>{0, 1} : QVector<quint16>{});
    }

    MainWindow1 *open() { return openAt(pad.root); }

    // The window on the pad as mounted at `mountPoint`, listed as the drive.
    MainWindow1 *openAt(const QString &mountPoint)
    {
        drives.list = {{mountPoint + "/", true}};
        w = new MainWindow1(services());
        w->soundLists().setWriteSoundListOnClose(false);
        w->padSync().chooseDrive(mountPoint + "/");
        return w;
    }

    // Closes the window answering "Quit?" with Yes; true when it closed.
    bool closeWithYes()
    {
        prompter.buttonAnswers.enqueue(QMessageBox::Yes);
        const bool closed = w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return closed;
    }

    // The list's import in device mode, as the user's files reach it.
    void importSounds(const QStringList &files)
    {
        QVector<MainWindow1Records::strSoundItem> items;
        for (const QString &file : files) {
            MainWindow1Records::strSoundItem item;
            item.file = file;
            items << item;
        }
        MainWindow1Records::strSoundGroup group;
        group.name = w->library().currentOldGroupName();
        group.itemList = &items;
        w->soundFiles().addFileToGroupList(&group, w->library().totalListItemModel(), 4);
    }

    // The rows of the total list as "number|name|file".
    QStringList rows() const
    {
        QStringList out;
        const SoundListModel *total = w->library().totalListItemModel();
        for (int r = 0; r < total->soundCount(); ++r)
            out << total->soundText(r, 0) + "|" + total->soundText(r, 1) + "|" + total->soundText(r, 2);
        return out;
    }

    QString wav(int n) const { return pad.dataPath + "/" + padtree::waveDataRelativePath(n); }
    QString prm(int n) const { return pad.prmPath + "/" + padtree::wavePrmRelativePath(n); }
};

// A tone of `seconds` made by ffmpeg; empty when it cannot be made.
inline QString makeTone(const QString &path, double seconds = 1.0, int frequency = 440)
{
    QProcess p;
    p.start(audioconverter::defaultProgram(),
            {"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
             QString("sine=frequency=%1:sample_rate=44100:duration=%2").arg(frequency).arg(seconds), "-y", path});
    return p.waitForFinished(60000) && p.exitCode() == 0 ? path : QString();
}

#endif
