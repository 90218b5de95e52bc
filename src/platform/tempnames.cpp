#include "platform/tempnames.h"

#include <QFile>
#include <QRegularExpression>

namespace ztplatform {

namespace {

const QLatin1String kEnding(".zt-part");
constexpr int kNameMax = 255; // bytes of one entry name

} // namespace

QString temporaryName(const QString &target, quint32 number)
{
    const QString tail = QLatin1Char('.') + QString::number(number) + kEnding;
    const int room = kNameMax - 1 - int(QFile::encodeName(tail).size());
    QString stem = target;
    // Cut whole characters until the encoded name fits.
    while (!stem.isEmpty() && QFile::encodeName(stem).size() > room) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.at(stem.size() - 1).isHighSurrogate())
            stem.chop(1);
    }
    return QLatin1Char('.') + stem + tail;
}

bool isTemporaryName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\..*\\.[0-9]+\\.zt-part$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return pattern.match(name).hasMatch();
}

} // namespace ztplatform
