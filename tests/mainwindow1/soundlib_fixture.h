#pragma once

// A main window in a temporary working folder, with every prompt answered by
// a ScriptedPrompter, and helpers that make sound files and kit files.

#include "mainwindow1/library/soundlistscontroller.h"
#include "document/kitreload.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "model/kitfile_fixture.h"
#include "platform/removabledrives.h"
#include "resources/ztresources.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <memory>

namespace soundlib {

struct NoDrives : DriveSource
{
    QVector<DriveEntry> drives() const override { return {}; }
};

inline QByteArray le16(quint16 v) { return QByteArray(1, char(v & 0xFF)) + char(v >> 8); }
inline QByteArray le32(quint32 v) { return le16(quint16(v & 0xFFFF)) + le16(quint16(v >> 16)); }

// A PCM WAV of `frames` frames of a quiet saw, with optional chunks before "fmt ".
inline QByteArray pcmWav(quint16 channels, quint32 rate, int frames, const QByteArray &extra = QByteArray())
{
    const quint16 bits = 16;
    QByteArray data;
    data.reserve(frames * channels * 2);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            data += le16(quint16((i * 37) % 2000));
    const QByteArray fmt = QByteArray("fmt ") + le32(16) + le16(1) + le16(channels) + le32(rate)
                           + le32(rate * channels * bits / 8) + le16(quint16(channels * bits / 8)) + le16(bits);
    const QByteArray body = "WAVE" + extra + fmt + "data" + le32(quint32(data.size())) + data;
    return "RIFF" + le32(quint32(body.size())) + body;
}

inline QString writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    kf::writeFile(path, bytes);
    return QDir::toNativeSeparators(path);
}

// A record of the working sound list as a load makes it.
inline MainWindow1Records::SOUND_INDEX soundRecord(const QString &name, const QString &file, quint16 number, quint8 lock = 1)
{
    MainWindow1Records::SOUND_INDEX s;
    percussionpadfile::str2CharArray(name, s.wave_name, 16);
    s.file = file;
    s.wave_No = number;
    s.wave_lock = lock;
    return s;
}

// One window at a time; the working folder is its own.
struct Fixture
{
    QTemporaryDir work;
    QString oldDir;
    NoDrives drives;
    ScriptedPrompter prompter;
    WindowServices services{&prompter, PadSystem{&drives}}; // of the windows open() makes
    std::unique_ptr<MainWindow1> w;

    Fixture()
    {
        ztInitResources();
        oldDir = QDir::currentPath();
        QDir::setCurrent(work.path());
    }
    ~Fixture()
    {
        w.reset();
        QDir::setCurrent(oldDir);
    }

    MainWindow1 *open(bool writeSoundList = false)
    {
        w.reset();
        w.reset(new MainWindow1(services));
        w->soundLists().setWriteSoundListOnClose(writeSoundList);
        return w.get();
    }
    QString path(const QString &name) const { return QDir::toNativeSeparators(work.filePath(name)); }

    // Imports files into the total list through its button.
    void importToList(const QStringList &files)
    {
        prompter.fileAnswers.enqueue(files);
        w->form()->tbtAddWave->click();
    }
    // Texts of the total list's rows: number|name|path.
    QStringList totalRows() const
    {
        QStringList out;
        const SoundListModel *total = w->library().totalListItemModel();
        for (int r = 0; r < total->soundCount(); ++r)
            out << total->soundText(r, 0) + '|' + total->soundText(r, 1) + '|' + total->soundText(r, 2);
        return out;
    }
    QStringList mirrorRows() const
    {
        QStringList out;
        const SoundListModel *mirror = w->library().hhSoundItemModel();
        for (int r = 0; r < mirror->soundCount(); ++r)
            out << mirror->soundText(r, 0) + '|' + mirror->soundText(r, 1);
        return out;
    }
    // Selects row `row` of the total list as the user would (whole row).
    void selectTotalRow(int row, QItemSelectionModel::SelectionFlags extra = QItemSelectionModel::ClearAndSelect)
    {
        // As a click does: the current index first, then the selection.
        const QModelIndex idx = w->library().totalListItemModel()->soundIndex(row);
        QItemSelectionModel *selection = w->form()->totalWaveTreeView->selectionModel();
        selection->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
        selection->select(idx, extra | QItemSelectionModel::Rows);
    }
};

// A whole setup with five metronome sounds (10000..10004) and sounds 1..3,
// read back into a kit file record as a load leaves it.
struct KitFile
{
    QString path;
    QVector<QByteArray> waves; // the stored bytes, table order
    MainWindow1Records::READ_KIT_FILE record;

    bool make(const QString &folder, const QString &name)
    {
        QVector<kf::TestSound> sounds;
        for (int i = 0; i < 8; ++i) {
            const QByteArray bytes = kf::wavBytes(4000 + 1000 * i, quint32(i + 1));
            const QString src = QDir(folder).filePath(QStringLiteral("src%1.wav").arg(i));
            kf::writeFile(src, bytes);
            const quint16 number = i < 5 ? quint16(10000 + i) : quint16(i - 4);
            sounds << kf::TestSound{QStringLiteral("WAVE%1").arg(i), number, src, 0, quint32(bytes.size()), 1};
            waves << bytes;
        }
        kf::KitStorage kits;
        kits.fill({1, 2, 3}, 99);
        std::unique_ptr<percussionpadfile> m(new percussionpadfile);
        path = QDir(folder).filePath(name);
        if (!kf::writeWholeSetup(*m, kits, sounds, {1, 2, 3}, {1, 2, 3}, path))
            return false;
        kf::KitStorage back;
        std::unique_ptr<percussionpadfile> in(new percussionpadfile);
        if (!kf::readWholeSetup(*in, back, path))
            return false;
        record.file = QDir::fromNativeSeparators(path);
        record.waveCount = in->soundChunk.soundCount;
        record.fileTotalLength = quint64(QFileInfo(path).size());
        record.info = *in;
        record.info.kitChunk = percussionpadfile::FILE_KIT_CHUNK(); // the kit storage goes with `back`
        return true;
    }
};

} // namespace soundlib
