#include "kitfile/soundbytes.h"

#include "kitfile/sharedsounds.h"
#include "kitfile/soundsource.h"
#include "platform/regularfile.h"

#include <QFile>
#include <QFileInfo>

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
    } else if (ztplatform::isRegularFile(source)) {
        place.file = source;
        place.length = QFileInfo(source).size();
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
    QFile file;
    QByteArray digest;
    if (ztplatform::openRegularFile(place.file, file, false) && place.start >= 0 && place.length >= 0
        && place.start + place.length <= file.size())
        digest = storedDigest(file, quint32(place.start), quint32(place.length));
    m_digests.insert(key, digest);
    return digest;
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
