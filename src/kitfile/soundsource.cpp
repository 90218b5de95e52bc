#include "kitfile/soundsource.h"

#include "platform/pathcase.h"
#include "platform/sysio.h"

#include <QDebug>
#include <QDir>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace setupfiles {

namespace {
constexpr int kSuffix = 7; // ":U" and five digits
}

QString storedSource(const QString &kitFile, int number)
{
    return QDir::toNativeSeparators(kitFile + QStringLiteral(":U%1").arg(number, 5, 10, QLatin1Char('0')));
}

StoredRef parseStoredSource(const QString &source)
{
    StoredRef ref;
    const int n = source.size();
    if (n <= kSuffix || source.at(n - kSuffix) != QLatin1Char(':') || source.at(n - kSuffix + 1) != QLatin1Char('U'))
        return ref;
    int number = 0;
    for (int i = n - 5; i < n; ++i) {
        const QChar c = source.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return ref;
        number = number * 10 + (c.unicode() - '0');
    }
    ref.kitFile = QDir::fromNativeSeparators(source.left(n - kSuffix));
    ref.number = number;
    return ref;
}

bool isWholeSetupPath(const QString &path)
{
    return path.endsWith(QLatin1String(".bin"), Qt::CaseInsensitive);
}

QString rawWavePath(const QString &tempDir, int position)
{
    if (tempDir.isEmpty())
        return QString();
    return tempDir + QDir::separator() + QStringLiteral("%1").arg(position, 5, 10, QLatin1Char('0'));
}

void removeRawWaves(const QString &tempDir)
{
    if (tempDir.isEmpty())
        return;
    static const QRegularExpression digits(QStringLiteral("^\\d{5}$"));
    const QDir dir(tempDir);
    for (const ztplatform::FolderFile &f : ztplatform::filesOfFolder(ztplatform::sysio::disk(), tempDir, false, true)) {
        const QString path = dir.absoluteFilePath(f.name);
        if (digits.match(f.name).hasMatch() && ztplatform::sysio::unlinkAt(AT_FDCWD, QFile::encodeName(path)) != 0)
            qDebug() << "cannot remove" << path << ":" << std::strerror(errno);
    }
}

} // namespace setupfiles
