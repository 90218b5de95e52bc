#include "kitfile/fileread.h"

#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"
#include "kitfile/soundsin.h"

#include <QDebug>
#include <QFile>

namespace setupfiles {

namespace {

using Model = percussionpadfile;

// A file that calls `read` after each read from the disk.
class WatchedFile : public ztplatform::sysio::SeamFile
{
public:
    WatchedFile(ztplatform::Disk &disk, std::function<void()> read)
        : SeamFile(&disk)
        , m_read(std::move(read))
    {
    }

protected:
    qint64 readData(char *data, qint64 len) override
    {
        const qint64 n = SeamFile::readData(data, len);
        if (m_read)
            m_read();
        return n;
    }

private:
    const std::function<void()> m_read;
};

// Opens the file once; its size is the opened file's.
LoadError openForReading(const std::shared_ptr<ztplatform::FolderFence> &fence, const QString &path,
                         ztplatform::sysio::SeamFile &file)
{
    if (!ztplatform::openToRead(fence, path, file))
        return LoadError::CannotOpen;
    if (file.size() > RAW_DATA_LENGTH_MAX) {
        file.close();
        return LoadError::TooLarge;
    }
    return LoadError::None;
}

// Reads the sound table: one that is missing, cut short or not tagged
// "SOUN" where the index points refuses the file.
LoadError readSounds(QFile &file, Model &m, bool kitFile)
{
    if (m.readSounChunk(&file, kitFile))
        return LoadError::None;
    qWarning() << "the sound table of" << file.fileName() << "cannot be read";
    return LoadError::DataError;
}

} // namespace

KitTables::KitTables()
    : base(KIT_MAX_COUNT), pedal(KIT_MAX_COUNT), pad(new PadRow[KIT_MAX_COUNT])
{
}

void KitTables::attach(percussionpadfile &model)
{
    model.kitChunk.baseChunk = base.data();
    model.kitChunk.pedalChunk = pedal.data();
    model.kitChunk.kpadChunk = pad.get();
}

namespace {

// A whole setup read from the open `file`, which was opened at `path`.
LoadError readWholeSetup(ztplatform::sysio::SeamFile &file, const QString &path,
                         MainWindow1Records::READ_KIT_FILE &rec, KitTables &tables, int *globalSize,
                         bool *loadClickFlag, const std::function<void()> &moved)
{
    MainWindow1Records::READ_KIT_FILE r;
    r.file = path;
    r.flag = 0;
    Model &m = r.info;
    m.curFlag = 0;
    m.initFileChunk();
    r.stamp = ztplatform::fileStamp(file.disk(), file.handle());
    if (!m.getChunkIndex(&file) || !m.readGlobalChunk(&file))
        return LoadError::DataError;
    const int size = (m.globalChunk.size == 0 || m.new_globalChunk.size == GLOBAL_CHUNK_SIZE)
                         ? int(m.new_globalChunk.size) : int(m.globalChunk.size);
    tables.attach(m);
    if (!m.readSkitChunk(&file))
        return LoadError::DataError;
    if (m.kitChunk.kit_count != KIT_MAX_COUNT) {
        qWarning() << path << "holds" << m.kitChunk.kit_count << "kits instead of" << KIT_MAX_COUNT;
        return LoadError::DataError;
    }
    LoadError err = readSounds(file, m, false);
    if (err != LoadError::None)
        return err;
    m.kitFileName = path;

    WholeSetupSounds sounds;
    err = takeWholeSetupSounds(path, m, sounds, namerules::NamesInUse(), nullptr, moved, &file);
    if (err != LoadError::None)
        return err;

    int clicks = 0;
    for (int i = 0; i < m.soundChunk.soundCount; ++i) {
        const quint16 no = m.soundChunk.soundIndex[i].wave_No;
        if (no > WAVE_MAX_COUNT && no != NO_WAVE)
            ++clicks;
    }
    r.waveCount = m.soundChunk.soundCount;
    r.fileTotalLength = quint64(file.size());
    rec = std::move(r);
    if (globalSize)
        *globalSize = size;
    if (loadClickFlag)
        *loadClickFlag = clicks == 5;
    return LoadError::None;
}

// A single-kit file read from the open `file`, which was opened at `path`.
LoadError readKit(ztplatform::sysio::SeamFile &file, const QString &path, MainWindow1Records::READ_KIT_FILE &rec,
                  KitTables &tables)
{
    const quint8 number = kitNumberOf(file);
    if (number == 0xFF)
        return LoadError::OldLayout;
    if (number > KIT_MAX_COUNT) {
        qWarning() << path << "names kit" << number;
        return LoadError::DataError;
    }
    MainWindow1Records::READ_KIT_FILE r;
    r.file = path;
    r.flag = 2;
    r.kitIndex = number;
    r.stamp = ztplatform::fileStamp(file.disk(), file.handle());
    Model &m = r.info;
    m.curFlag = 2;
    m.initFileChunk();
    if (!m.getChunkIndex(&file))
        return LoadError::DataError;
    tables.attach(m);
    if (!m.readSingleSkitChunk(&file, number - 1))
        return LoadError::DataError;
    LoadError err = readSounds(file, m, true);
    if (err != LoadError::None)
        return err;
    m.kitFileName = path;

    // The sounds must stand in the file and carry numbers 1..9999 once each;
    // they are numbered for the editor when they are taken.
    KitFileSounds sounds;
    err = takeKitFileSounds(path, m, {}, sounds, &file);
    if (err != LoadError::None)
        return err;
    for (int i = 0; i < m.soundChunk.soundCount; ++i)
        m.soundChunk.soundIndex[i].fileName.clear();

    r.waveCount = m.soundChunk.soundCount;
    r.fileTotalLength = quint64(file.size());
    rec = std::move(r);
    return LoadError::None;
}

// A file the disk failed to read is told as one that cannot be read, not as
// one whose data is wrong.
LoadError unlessUnread(const ztplatform::sysio::SeamFile &file, LoadError err)
{
    return err != LoadError::None && file.failure() != 0 ? LoadError::CannotOpen : err;
}

} // namespace

LoadError readWholeSetupFile(const QString &path, MainWindow1Records::READ_KIT_FILE &rec, KitTables &tables,
                             int *globalSize, bool *loadClickFlag, const std::function<void()> &moved,
                             const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    WatchedFile file(ztplatform::diskOf(fence), moved);
    const LoadError err = openForReading(fence, path, file);
    return err != LoadError::None ? err
                                  : unlessUnread(file, readWholeSetup(file, path, rec, tables,
                                                                      globalSize, loadClickFlag, moved));
}

quint8 kitNumberOf(QFile &file)
{
    const quint8 n = quint8(percussionpadfile::readKitNum(&file));
    return n == 0 ? 1 : n;
}

LoadError readKitFile(const QString &path, MainWindow1Records::READ_KIT_FILE &rec, KitTables &tables,
                      const std::shared_ptr<ztplatform::FolderFence> &fence, const std::function<void()> &moved)
{
    WatchedFile file(ztplatform::diskOf(fence), moved);
    const LoadError err = openForReading(fence, path, file);
    return err != LoadError::None ? err : unlessUnread(file, readKit(file, path, rec, tables));
}

bool readsBack(const QString &path, bool wholeSetup, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    // The file checked is the file read: opened once.
    ztplatform::sysio::SeamFile file(&ztplatform::diskOf(fence));
    bool ok = openForReading(fence, path, file) == LoadError::None;
    if (ok) {
        const quint32 type = percussionpadfile::judgeFileType(&file);
        ok = (wholeSetup ? type == 257 || type == 255 : type == Model::str2int(QStringLiteral("INDE")))
             && !Model::readIndex(&file, wholeSetup ? 0 : 2);
    }
    auto rec = std::make_unique<MainWindow1Records::READ_KIT_FILE>();
    KitTables tables;
    ok = ok
         && (wholeSetup ? readWholeSetup(file, path, *rec, tables, nullptr, nullptr, {})
                        : readKit(file, path, *rec, tables))
                    == LoadError::None;
    if (!ok)
        qWarning() << path << "does not read back as the kit file it was written as";
    return ok;
}

} // namespace setupfiles
