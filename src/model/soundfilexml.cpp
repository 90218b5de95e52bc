#include "model/soundfilexml.h"

#include "platform/durablefile.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/replacefile.h"
#include "platform/sysio.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QDomText>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace {

// Drops the characters XML 1.0 cannot hold (control characters, unpaired
// surrogates, U+FFFE/U+FFFF); written as they are they would make the whole
// file unreadable on the next start.
QString xmlSafe(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if (c.isHighSurrogate()) {
            if (i + 1 < n && text.at(i + 1).isLowSurrogate()) {
                out.append(c);
                out.append(text.at(++i));
            }
            continue;
        }
        if (c.isLowSurrogate())
            continue;
        if (u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u <= 0xFFFD))
            out.append(c);
    }
    return out;
}

QDomElement textElement(QDomDocument &doc, const QString &tag, const QString &text)
{
    QDomElement element = doc.createElement(tag);
    element.appendChild(doc.createTextNode(xmlSafe(text)));
    return element;
}

constexpr qint64 SOUND_LIST_READ_MAX = 64 * 1024 * 1024;

void count(int *skipped, int n = 1)
{
    if (skipped)
        *skipped += n;
}

// True when a node passed over holds something a rewrite would not keep: an
// element, a comment, an instruction or text other than white space.
bool holdsSomething(const QDomNode &node)
{
    if (node.isText()) // CDATA sections too
        return !node.nodeValue().trimmed().isEmpty();
    return !node.isNull();
}

// The attributes of `element` other than `kept`.
int otherAttributes(const QDomElement &element, std::initializer_list<const char *> kept = {})
{
    int n = element.attributes().count();
    for (const char *name : kept)
        n -= element.hasAttribute(QLatin1String(name)) ? 1 : 0;
    return n;
}

bool isDigest(const QString &text)
{
    if (text.size() != 64)
        return false;
    const ushort *c = text.utf16();
    for (int i = 0; i < 64; ++i) {
        if (!((c[i] >= '0' && c[i] <= '9') || (c[i] >= 'a' && c[i] <= 'f')))
            return false;
    }
    return true;
}

// The child nodes of a text element that its text does not keep.
int nestedNodes(const QDomElement &element)
{
    int n = 0;
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling())
        n += node.isText() ? 0 : 1;
    return n;
}

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Renames `from` to `to` unless something stands at `to`; errno, else 0.
int renameToFree(const QString &from, const QString &to)
{
    const QByteArray src = QFile::encodeName(from), dst = QFile::encodeName(to);
    return ztplatform::sysio::renameAt(AT_FDCWD, src, AT_FDCWD, dst, true) == 0 ? 0 : errno;
}

// The bytes of a sound: "entry", its text the stored name, its attribute
// "length" the length in bytes, "digest" their SHA-256 in hex and "seen" the
// stamp of the file they were read from (both may be missing: written by an
// older editor). One that does not read so is skipped.
void readEntry(const QDomElement &element, soundfilexml::strSoundItem &sound, int *skipped)
{
    bool number = false;
    const QString length = element.attribute(QStringLiteral("length"));
    length.toULongLong(&number);
    const QString digest = element.attribute(QStringLiteral("digest"));
    if (!number || nestedNodes(element) > 0 || otherAttributes(element, {"length", "digest", "seen"}) > 0
        || (element.hasAttribute(QStringLiteral("digest")) && !isDigest(digest))) {
        count(skipped);
        return;
    }
    sound.entryName = element.text();
    sound.entryLength = length;
    sound.entryDigest = digest;
    sound.entrySeen = digest.isEmpty() ? QString() : element.attribute(QStringLiteral("seen"));
}

QString besideName(const QString &fileName, int n)
{
    return fileName + QStringLiteral(".bak") + (n == 0 ? QString() : QString::number(n));
}

} // namespace

soundfilexml::soundfilexml()
{
}

bool soundfilexml::readSoundFileListXml(QString fileName, QVector<strSoundGroup> &soundGroupList)
{
    return readSoundList(fileName, soundGroupList).status == ReadResult::Read;
}

soundfilexml::ReadResult soundfilexml::readSoundList(const QString &fileName, QVector<strSoundGroup> &soundGroupList)
{
    ReadResult result;
    int error = 0;
    const ztplatform::FileRead found = ztplatform::readRegularFile(fileName, SOUND_LIST_READ_MAX, result.bytes, &error);
    if (found == ztplatform::FileRead::Missing)
        return result;
    result.status = ReadResult::Unreadable;
    switch (found) {
    case ztplatform::FileRead::Read:
        if (parseSoundList(result.bytes, soundGroupList, &result.skipped))
            result.status = ReadResult::Read;
        else
            result.reason = QCoreApplication::translate("MainWindow1", "it is cut off or not in the sound list's form");
        return result;
    case ztplatform::FileRead::NotRegular:
        result.reason = QCoreApplication::translate("MainWindow1", "it is not a regular file");
        break;
    case ztplatform::FileRead::TooLarge:
        result.reason = QCoreApplication::translate("MainWindow1", "it is too large");
        break;
    default:
        result.reason = errnoText(error);
        break;
    }
    qWarning() << "not read:" << fileName << result.reason;
    return result;
}

bool soundfilexml::parseSoundList(const QByteArray &bytes, QVector<strSoundGroup> &soundGroupList, int *skipped)
{
    QDomDocument doc;
    if (!doc.setContent(bytes, false))
        return false;
    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("groups"))
        return false;
    for (QDomNode node = doc.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isComment())
            count(skipped);
    }
    parseGroupsMembers(root, soundGroupList, skipped);
    return true;
}

void soundfilexml::parseGroupsMembers(const QDomElement &element, QVector<strSoundGroup> &soundGroupList,
                                     int *skipped)
{
    count(skipped, otherAttributes(element));
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        if (child.isNull() || child.tagName() != QLatin1String("group")) {
            if (holdsSomething(node))
                count(skipped);
            continue;
        }
        count(skipped, otherAttributes(child, {"name"}));
        strSoundGroup group;
        groupClear(group);
        group.name = child.attribute(QStringLiteral("name"));
        parseGruopMembers(child, group, skipped);
        soundGroupList.append(group);
    }
}

void soundfilexml::parseGruopMembers(const QDomElement &element, strSoundGroup &groupTemp, int *skipped)
{
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        if (child.isNull() || child.tagName().trimmed() != QLatin1String("sound")) {
            if (holdsSomething(node))
                count(skipped);
            continue;
        }
        count(skipped, otherAttributes(child));
        strSoundItem sound;
        soundClear(sound);
        QString index, lock, cluster, length, start, end;
        parseSoundMembers(child, index, sound.name, sound.file, lock, cluster, length, start, end, skipped);
        const QDomElement entry = child.lastChildElement(QStringLiteral("entry"));
        if (!entry.isNull())
            readEntry(entry, sound, skipped);
        groupTemp.soundList.append(sound);
    }
}

void soundfilexml::parseSoundMembers(const QDomElement &element, QString &soundIndex, QString &soundName,
                                     QString &soundFile, QString &soundLock, QString &startCluster,
                                     QString &waveLength, QString &waveStart, QString &waveEnd, int *skipped)
{
    Q_UNUSED(soundIndex)
    Q_UNUSED(soundLock)
    Q_UNUSED(startCluster)
    Q_UNUSED(waveLength)
    Q_UNUSED(waveStart)
    Q_UNUSED(waveEnd)

    bool haveName = false, haveFile = false;
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        const bool isName = !child.isNull() && child.tagName() == QLatin1String("name");
        const bool isFile = !child.isNull() && child.tagName() == QLatin1String("file");
        if (!isName && !isFile) {
            // The last "entry" is the caller's; an earlier one is replaced by it.
            const bool entry = !child.isNull() && child.tagName() == QLatin1String("entry")
                               && child.nextSiblingElement(QStringLiteral("entry")).isNull();
            if (!entry && holdsSomething(node))
                count(skipped);
            continue;
        }
        // A later one replaces an earlier one; what the text leaves out is skipped.
        bool &seen = isName ? haveName : haveFile;
        count(skipped, (seen ? 1 : 0) + otherAttributes(child) + nestedNodes(child));
        seen = true;
        (isName ? soundName : soundFile) = child.text();
    }

    if (soundName.trimmed().isEmpty()) {
        QString base = soundFile.mid(soundFile.lastIndexOf(QDir::separator()) + 1);
        const int dot = base.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            base.truncate(dot);
        soundName = base;
    }
}

QByteArray soundfilexml::toBytes(const QVector<strSoundGroup> &soundFileList)
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("groups"));
    doc.appendChild(root);
    for (const strSoundGroup &group : soundFileList) {
        QDomElement groupElement = doc.createElement(QStringLiteral("group"));
        groupElement.setAttribute(QStringLiteral("name"), xmlSafe(group.name));
        for (const strSoundItem &sound : group.soundList) {
            QDomElement soundElement = doc.createElement(QStringLiteral("sound"));
            soundElement.appendChild(textElement(doc, QStringLiteral("name"), sound.name));
            soundElement.appendChild(textElement(doc, QStringLiteral("file"), sound.file));
            if (!sound.entryLength.isEmpty()) {
                QDomElement entry = textElement(doc, QStringLiteral("entry"), sound.entryName);
                entry.setAttribute(QStringLiteral("length"), sound.entryLength);
                if (!sound.entryDigest.isEmpty()) {
                    entry.setAttribute(QStringLiteral("digest"), sound.entryDigest);
                    if (!sound.entrySeen.isEmpty())
                        entry.setAttribute(QStringLiteral("seen"), xmlSafe(sound.entrySeen));
                }
                soundElement.appendChild(entry);
            }
            groupElement.appendChild(soundElement);
        }
        root.appendChild(groupElement);
    }
    return doc.toByteArray(4);
}

bool soundfilexml::writeSoundFileListXml(QString fileName, QVector<strSoundGroup> soundFileList, QString *error,
                                         QString *notKept)
{
    const QByteArray bytes = toBytes(soundFileList);
    ztplatform::ReplaceFile file(fileName);
    const bool written = file.open() && file.write(bytes) && file.commit();
    if (notKept)
        *notKept = file.notKept();
    if (written)
        return true;
    qWarning() << "cannot write" << fileName << file.errorString();
    if (error)
        *error = file.errorString();
    return false;
}

QString soundfilexml::keepCopyBeside(const QString &fileName, const QByteArray &bytes, QString *reason)
{
    for (int n = 0; n < 1000; ++n) {
        const QString name = besideName(fileName, n);
        if (ztplatform::entryExists(name)) {
            QByteArray held;
            if (ztplatform::readRegularFile(name, bytes.size(), held) == ztplatform::FileRead::Read && held == bytes)
                return name; // kept before
            continue;
        }
        ztplatform::ReplaceFile copy(name);
        copy.setCreateOnly(true); // never over what appeared meanwhile
        if (copy.open() && copy.write(bytes) && copy.commit())
            return name;
        qWarning() << "cannot keep a copy of" << fileName << "as" << name << copy.errorString();
        if (reason)
            *reason = copy.errorString();
        return QString();
    }
    if (reason)
        *reason = errnoText(EEXIST);
    return QString();
}

QString soundfilexml::moveAside(const QString &fileName, QString *reason)
{
    int error = EEXIST;
    for (int n = 0; n < 1000 && error == EEXIST; ++n) {
        const QString name = besideName(fileName, n);
        error = renameToFree(fileName, name);
        if (error == 0) {
            ztplatform::syncPath(QFileInfo(name).absolutePath());
            return name;
        }
    }
    qWarning() << "cannot move aside" << fileName << errnoText(error);
    if (reason)
        *reason = errnoText(error);
    return QString();
}

bool soundfilexml::moveBack(const QString &kept, const QString &fileName)
{
    return renameToFree(kept, fileName) == 0;
}

void soundfilexml::soundClear(strSoundItem &sound)
{
    sound.name.clear();
    sound.file.clear();
}

void soundfilexml::groupClear(strSoundGroup &group)
{
    group.name.clear();
    group.soundList.clear();
}

QString soundfilexml::groupListToString(QVector<strSoundGroup> soundGroupList)
{
    QString text;
    for (const strSoundGroup &group : soundGroupList) {
        text += QStringLiteral("GroupName:") + group.name + QLatin1Char('\n');
        for (const strSoundItem &sound : group.soundList) {
            text += QStringLiteral("SoundName:") + sound.name + QLatin1Char('\n');
            text += QStringLiteral("SoundFile:") + sound.file + QLatin1Char('\n');
            text += QLatin1Char('\n');
        }
    }
    return text;
}
