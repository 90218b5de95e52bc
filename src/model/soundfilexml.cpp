#include "model/soundfilexml.h"

#include "platform/replacefile.h"

#include <QDebug>
#include <QDir>
#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QDomText>
#include <QFile>

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

} // namespace

soundfilexml::soundfilexml()
{
}

bool soundfilexml::readSoundFileListXml(QString fileName, QVector<strSoundGroup> &soundGroupList)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;

    QDomDocument doc;
    if (!doc.setContent(&file, false))
        return false;
    file.close();

    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("groups"))
        return false;

    parseGroupsMembers(root, soundGroupList);
    return true;
}

void soundfilexml::parseGroupsMembers(const QDomElement &element, QVector<strSoundGroup> &soundGroupList)
{
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        if (child.isNull() || child.tagName() != QLatin1String("group"))
            continue;
        strSoundGroup group;
        groupClear(group);
        group.name = child.attribute(QStringLiteral("name"));
        parseGruopMembers(child, group);
        soundGroupList.append(group);
    }
}

void soundfilexml::parseGruopMembers(const QDomElement &element, strSoundGroup &groupTemp)
{
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        if (child.isNull() || child.tagName().trimmed() != QLatin1String("sound"))
            continue;
        strSoundItem sound;
        soundClear(sound);
        QString index, lock, cluster, length, start, end;
        parseSoundMembers(child, index, sound.name, sound.file, lock, cluster, length, start, end);
        groupTemp.soundList.append(sound);
    }
}

void soundfilexml::parseSoundMembers(const QDomElement &element, QString &soundIndex, QString &soundName,
                                     QString &soundFile, QString &soundLock, QString &startCluster,
                                     QString &waveLength, QString &waveStart, QString &waveEnd)
{
    Q_UNUSED(soundIndex)
    Q_UNUSED(soundLock)
    Q_UNUSED(startCluster)
    Q_UNUSED(waveLength)
    Q_UNUSED(waveStart)
    Q_UNUSED(waveEnd)

    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        if (child.isNull())
            continue;
        if (child.tagName() == QLatin1String("name"))
            soundName = child.text();
        else if (child.tagName() == QLatin1String("file"))
            soundFile = child.text();
    }

    if (soundName.trimmed().isEmpty()) {
        QString base = soundFile.mid(soundFile.lastIndexOf(QDir::separator()) + 1);
        const int dot = base.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            base.truncate(dot);
        soundName = base;
    }
}

bool soundfilexml::writeSoundFileListXml(QString fileName, QVector<strSoundGroup> soundFileList, QString *error)
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
            groupElement.appendChild(soundElement);
        }
        root.appendChild(groupElement);
    }

    const QByteArray bytes = doc.toByteArray(4);

    ztplatform::ReplaceFile file(fileName);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    qWarning() << "cannot write" << fileName << file.errorString();
    if (error)
        *error = file.errorString();
    return false;
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
