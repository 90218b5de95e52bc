#include "kitfile/soundbytes.h"

#include "kitfile/sharedsounds.h"
#include "kitfile/soundsource.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"

#include <QDebug>
#include <QFile>

#include <atomic>
#include <memory>

namespace setupfiles {

SoundBytes::Place SoundBytes::placeOf(const QString &source)
{
    const auto known = m_places.constFind(source);
    if (known != m_places.constEnd())
        return known.value();
    Place place;
    if (parseStoredSource(source).isStored()) {
        if (m_locate)
            place = m_locate(source);
    } else {
        const std::optional<qint64> size = ztplatform::lookAtFileWithin<qint64>(
                m_silent, source, kSilentLimitMs,
                [source, fence = m_fence]() {
                    return ztplatform::isRegularFile(fence, source)
                                   ? ztplatform::sizeAtPath(ztplatform::diskOf(fence), source)
                                   : qint64(-1);
                },
                m_wait);
        if (!size) {
            qWarning().noquote() << "the drive of" << source << "does not answer: its bytes are not compared";
            return place; // looked at again when asked again
        }
        if (*size >= 0) {
            place.file = source;
            place.length = *size;
        }
    }
    m_places.insert(source, place);
    return place;
}

QByteArray SoundBytes::digestOf(const Place &place)
{
    const QString key = place.file + QLatin1Char('\n') + QString::number(place.start) + QLatin1Char('+')
                        + QString::number(place.length);
    const auto known = m_digests.constFind(key);
    if (known != m_digests.constEnd())
        return known.value();
    if (place.file.isEmpty() || place.start < 0 || place.length < 0 || ztplatform::isSilentFile(m_silent, place.file))
        return QByteArray();
    // Read on a thread of its own while the file goes on reading.
    const auto lastRead = std::make_shared<std::atomic<qint64>>(nowMs());
    const auto mark = std::make_shared<ztplatform::SilentLook>(m_silent, place.file);
    const std::optional<QByteArray> read = ztplatform::lookUntilStalled<QByteArray>(
            [place, lastRead, mark, fence = m_fence]() {
                ztplatform::sysio::SeamFile file(&ztplatform::diskOf(fence));
                QByteArray digest;
                if (ztplatform::openRegularFile(place.file, file, false) && place.start + place.length <= file.size())
                    digest = storedDigest(file, quint32(place.start), quint32(place.length),
                                          [lastRead]() { *lastRead = nowMs(); });
                mark->returned();
                return digest;
            },
            [lastRead]() { return nowMs() - *lastRead >= kSilentLimitMs; }, m_wait);
    if (!read) {
        mark->givenUp();
        qWarning().noquote() << "the drive of" << place.file << "does not answer: its bytes are not compared";
        return QByteArray();
    }
    m_digests.insert(key, *read);
    return *read;
}

bool SoundBytes::same(const QString &source, const QString &other)
{
    return same(source, placeOf(other));
}

bool SoundBytes::same(const QString &source, const Place &other)
{
    const Place place = placeOf(source);
    if (place.length < 0 || other.length < 0 || place.length != other.length || place.length > 0xFFFFFFFFLL)
        return false;
    const QByteArray digest = digestOf(place);
    return !digest.isEmpty() && digest == digestOf(other);
}

} // namespace setupfiles
