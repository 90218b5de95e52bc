#include "device/padidentity.h"

#include "model/percussionpadfile1.h"
#include "platform/regularfile.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

namespace {

constexpr qint64 GLOBAL_READ_MAX = 64 * 1024; // far above any global.ini of the pad

void appendTimes(QByteArray &out, const QString &path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) {
        out.append('-');
        return;
    }
    const qint64 times[] = {qint64(st.st_mode & S_IFMT), qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec),
                            qint64(st.st_ctim.tv_sec), qint64(st.st_ctim.tv_nsec)};
    out.append(reinterpret_cast<const char *>(times), int(sizeof times));
}

} // namespace

PadIdentity readPadIdentity(const PadPlaces &places)
{
    PadIdentity id;
    id.volume = ztplatform::volumeIdentitySource()->identity(places.root);
    // A pipe or a device put in its place is not waited on.
    QByteArray global;
    ztplatform::readRegularFile(places.globalFile, GLOBAL_READ_MAX, global);
    if (global.size() > KIT_CHAIN_BLOCK_OFFSET)
        global.remove(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE); // the one part the editor writes
    id.fingerprint = QCryptographicHash::hash(global, QCryptographicHash::Sha1);
    appendTimes(id.fingerprint, places.clickPath);
    return id;
}

bool samePad(const PadIdentity &loaded, const PadIdentity &now)
{
    return loaded.volume == now.volume && loaded.fingerprint == now.fingerprint;
}

DeviceMessage anotherPadMessage()
{
    return DeviceMessage{DeviceText::tr("Error"),
                         DeviceText::tr("The sampler pad at the drive is not the one that was loaded: nothing was "
                                        "written to it or deleted from it. Korvanta goes on without the sampler pad "
                                        "and keeps your edits.")};
}
