#include "model/soundfilexml.h"

#include "model/namerules.h"
#include "model/soundlistscan.h"

#include "platform/durablefile.h"
#include "platform/errortext.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/replacefile.h"
#include "platform/sysio.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <cerrno>
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

// A file name XML cannot hold as it is (bytes that are not UTF-8, control
// characters) keeps its bytes, in hex, in the attribute "bytes" of its
// element; the text holds what XML can of it. Empty for any other name.
QString fileBytes(const QString &file)
{
    if (xmlSafe(file) == file)
        return QString();
    const QByteArray raw = QFile::encodeName(file);
    return QFile::decodeName(raw) == file ? QString::fromLatin1(raw.toHex()) : QString();
}

// The name "bytes" holds; empty when it is no such hex.
QString fileOfBytes(const QString &hex)
{
    if (hex.isEmpty() || hex.size() % 2 != 0)
        return QString();
    for (const QChar c : hex) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return QString();
    }
    return QFile::decodeName(QByteArray::fromHex(hex.toLatin1()));
}

constexpr qint64 SOUND_LIST_READ_MAX = 64 * 1024 * 1024;

void count(int *skipped, int n = 1)
{
    if (skipped)
        *skipped += n;
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

// Renames `from` to `to` unless something stands at `to`; errno, else 0.
int renameToFree(const QString &from, const QString &to)
{
    const QByteArray src = QFile::encodeName(from), dst = QFile::encodeName(to);
    return ztplatform::sysio::renameAt(AT_FDCWD, src, AT_FDCWD, dst, true) == 0 ? 0 : errno;
}

// The attributes but the `kept` ones.
int otherAttributes(const QXmlStreamAttributes &attributes, std::initializer_list<const char *> kept)
{
    int n = attributes.size();
    for (const char *name : kept)
        n -= attributes.hasAttribute(QLatin1String(name)) ? 1 : 0;
    return n;
}

// The bytes of a sound: "entry", its text the stored name, its attribute
// "length" the length in bytes, "digest" their SHA-256 in hex and "seen" the
// stamp of the file they were read from (both may be missing: written by an
// older editor). One that does not read so is skipped.
void readEntry(const QXmlStreamAttributes &attributes, const QString &text, int nested,
               soundfilexml::strSoundItem &sound, int *skipped)
{
    bool number = false;
    const QString length = attributes.value(QLatin1String("length")).toString();
    length.toULongLong(&number);
    const QString digest = attributes.value(QLatin1String("digest")).toString();
    if (!number || nested > 0 || otherAttributes(attributes, {"length", "digest", "seen"}) > 0
        || (attributes.hasAttribute(QLatin1String("digest")) && !isDigest(digest))) {
        count(skipped);
        return;
    }
    sound.entryName = text;
    sound.entryLength = length;
    sound.entryDigest = digest;
    sound.entrySeen = digest.isEmpty() ? QString() : attributes.value(QLatin1String("seen")).toString();
}

// The groups' file read in one pass over its tokens, without a document
// tree: what the list does not hold is counted as `skipped`.
class ListReader
{
public:
    explicit ListReader(const QByteArray &bytes)
        : m_xml(bytes)
    {
        m_xml.setNamespaceProcessing(false);
    }

    bool read(QVector<soundfilexml::strSoundGroup> &out, int *skipped)
    {
        QVector<soundfilexml::strSoundGroup> groups;
        bool root = false;
        while (!m_xml.atEnd() && !m_xml.hasError()) {
            m_xml.readNext();
            if (m_xml.isComment()) {
                ++m_skipped;
            } else if (m_xml.isStartElement()) {
                if (m_xml.qualifiedName() != QLatin1String("groups"))
                    return false;
                root = true;
                m_skipped += m_xml.attributes().size();
                while (next()) {
                    if (m_xml.isStartElement() && m_xml.qualifiedName() == QLatin1String("group")) {
                        soundfilexml::strSoundGroup g;
                        m_skipped += otherAttributes(m_xml.attributes(), {"name"});
                        g.name = m_xml.attributes().value(QLatin1String("name")).toString();
                        group(g);
                        groups.append(g);
                    } else {
                        passOver();
                    }
                }
            }
        }
        if (m_xml.hasError() || !root)
            return false;
        out += groups;
        count(skipped, m_skipped);
        return true;
    }

    // Sound rows kept without a part of theirs, and the skips those parts make up.
    int lacking() const { return m_lacking; }
    int skippedInRows() const { return m_inRows; }

private:
    QXmlStreamReader m_xml;
    int m_skipped = 0;
    int m_lacking = 0;
    int m_inRows = 0;

    // The next token inside the element the reader is in; false at its end.
    bool next() { return m_xml.readNext() != QXmlStreamReader::EndElement && !m_xml.hasError(); }
    // A token the list does not hold: an element (skipped whole), a comment,
    // an instruction or text other than white space is counted.
    void passOver()
    {
        switch (m_xml.tokenType()) {
        case QXmlStreamReader::StartElement:
            m_xml.skipCurrentElement();
            ++m_skipped;
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            ++m_skipped;
            break;
        case QXmlStreamReader::Characters:
            m_skipped += m_xml.isWhitespace() ? 0 : 1;
            break;
        default:
            break;
        }
    }
    // The text of the element the reader starts, read to its end; *nested
    // gets its child nodes other than text.
    QString text(int *nested)
    {
        QString t;
        for (int depth = 1; depth > 0 && !m_xml.hasError();) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                *nested += depth == 1 ? 1 : 0;
                ++depth;
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            case QXmlStreamReader::Characters:
                t += m_xml.text();
                break;
            case QXmlStreamReader::Comment:
            case QXmlStreamReader::ProcessingInstruction:
                *nested += depth == 1 ? 1 : 0;
                break;
            default:
                break;
            }
        }
        return t;
    }
    void group(soundfilexml::strSoundGroup &g)
    {
        while (next()) {
            if (m_xml.isStartElement() && m_xml.qualifiedName().trimmed() == QLatin1String("sound")) {
                const int before = m_skipped;
                m_skipped += m_xml.attributes().size();
                soundfilexml::strSoundItem s;
                sound(s);
                g.soundList.append(s);
                // The row is kept; what of it was skipped, it lacks.
                m_lacking += m_skipped > before ? 1 : 0;
                m_inRows += m_skipped - before;
            } else {
                passOver();
            }
        }
    }
    void sound(soundfilexml::strSoundItem &s)
    {
        bool haveName = false, haveFile = false, haveEntry = false;
        QXmlStreamAttributes entry;
        QString entryText;
        int entryNested = 0;
        while (next()) {
            const QStringRef tag = m_xml.isStartElement() ? m_xml.qualifiedName() : QStringRef();
            const bool isName = tag == QLatin1String("name"), isFile = tag == QLatin1String("file");
            if (isName || isFile) {
                // A later one replaces an earlier one; what the text leaves out is skipped.
                bool &seen = isName ? haveName : haveFile;
                const QString bytes = isFile ? fileOfBytes(m_xml.attributes().value(QLatin1String("bytes")).toString())
                                             : QString();
                m_skipped += (seen ? 1 : 0) + m_xml.attributes().size() - (bytes.isEmpty() ? 0 : 1);
                seen = true;
                int nested = 0;
                (isName ? s.name : s.file) = text(&nested);
                if (!bytes.isEmpty())
                    s.file = bytes;
                m_skipped += nested;
            } else if (tag == QLatin1String("entry")) {
                m_skipped += haveEntry ? 1 : 0; // the last one counts
                haveEntry = true;
                entry = m_xml.attributes();
                entryNested = 0;
                entryText = text(&entryNested);
            } else {
                passOver();
            }
        }
        if (haveEntry)
            readEntry(entry, entryText, entryNested, s, &m_skipped);
        if (s.name.trimmed().isEmpty())
            s.name = namerules::nameFromFile(s.file);
    }
};

QString besideName(const QString &fileName, int n)
{
    return fileName + QStringLiteral(".bak") + (n == 0 ? QString() : QString::number(n));
}

} // namespace

soundfilexml::ReadResult soundfilexml::readSoundList(const QString &fileName, QVector<strSoundGroup> &soundGroupList)
{
    return readSoundList(ztplatform::sysio::disk(), fileName, soundGroupList);
}

soundfilexml::ReadResult soundfilexml::readSoundList(ztplatform::Disk &disk, const QString &fileName,
                                                     QVector<strSoundGroup> &soundGroupList)
{
    ReadResult result;
    int error = 0;
    const ztplatform::FileRead found = ztplatform::readRegularFile(disk, fileName, SOUND_LIST_READ_MAX, result.bytes, &error);
    if (found == ztplatform::FileRead::Missing)
        return result;
    result.status = ReadResult::Unreadable;
    switch (found) {
    case ztplatform::FileRead::Read:
        if (parseCounting(result.bytes, soundGroupList, result))
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
        result.reason = ztplatform::errorText(error);
        break;
    }
    qWarning() << "not read:" << fileName << result.reason;
    return result;
}

bool soundfilexml::parseCounting(const QByteArray &bytes, QVector<strSoundGroup> &soundGroupList, ReadResult &result)
{
    const int from = soundGroupList.size();
    if (!soundlistscan::scan(bytes, soundGroupList)) {
        ListReader reader(bytes);
        int skipped = 0;
        if (!reader.read(soundGroupList, &skipped))
            return false;
        result.skipped += skipped;
        result.lacking += reader.lacking();
        result.outsideRows += skipped - reader.skippedInRows();
        return true;
    }
    for (int g = from; g < soundGroupList.size(); ++g) {
        for (strSoundItem &s : soundGroupList[g].soundList) {
            if (s.name.trimmed().isEmpty())
                s.name = namerules::nameFromFile(s.file);
        }
    }
    return true;
}

bool soundfilexml::parseSoundListXml(const QByteArray &bytes, QVector<strSoundGroup> &soundGroupList, int *skipped)
{
    return ListReader(bytes).read(soundGroupList, skipped);
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
            QDomElement file = textElement(doc, QStringLiteral("file"), sound.file);
            const QString bytes = fileBytes(sound.file);
            if (!bytes.isEmpty())
                file.setAttribute(QStringLiteral("bytes"), bytes);
            soundElement.appendChild(file);
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

QString soundfilexml::keepCopyBeside(const QString &fileName, const QByteArray &bytes,
                                     const std::shared_ptr<ztplatform::Leftovers> &leftovers, QString *reason)
{
    for (int n = 0; n < 1000; ++n) {
        const QString name = besideName(fileName, n);
        if (ztplatform::entryExists(name)) {
            QByteArray held;
            if (ztplatform::readRegularFile(name, bytes.size(), held) == ztplatform::FileRead::Read && held == bytes)
                return name; // kept before
            continue;
        }
        ztplatform::ReplaceFile copy(name, leftovers);
        copy.setCreateOnly(true); // never over what appeared meanwhile
        if (copy.open() && copy.write(bytes) && copy.commit())
            return name;
        qWarning() << "cannot keep a copy of" << fileName << "as" << name << copy.errorString();
        if (reason)
            *reason = copy.errorString();
        return QString();
    }
    if (reason)
        *reason = ztplatform::errorText(EEXIST);
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
    qWarning() << "cannot move aside" << fileName << ztplatform::errorText(error);
    if (reason)
        *reason = ztplatform::errorText(error);
    return QString();
}
