#ifndef SOUNDFILEXML_H
#define SOUNDFILEXML_H

#include <QByteArray>
#include <QString>
#include <QVector>

#include <memory>

namespace ztplatform {
class Disk;
class Leftovers;
}

// Reads and writes the sound library's group list ("soundlist.xml").
class soundfilexml
{
public:
    struct strSoundItem {
        QString index;
        QString name;
        QString file;
        QString waveLock;
        QString start_cluster;
        QString wave_length;
        QString wave_start;
        QString wave_end;
        // A sound stored in a kit file: the stored name and the length in
        // bytes of the entry the row named when it was written ("entry");
        // empty when not known.
        QString entryName;
        QString entryLength;
        // The SHA-256 of the sound's bytes in hex, and the stamp of the file
        // holding them when they were last read (fileStampText); empty when
        // not known.
        QString entryDigest;
        QString entrySeen;
        // In memory only: the start found the row's bytes nowhere.
        bool lost = false;
    };

    struct strSoundGroup {
        QString name;
        QVector<strSoundItem> soundList;
    };

    // What a read of the file found.
    struct ReadResult {
        enum Status { Read, Missing, Unreadable };
        Status status = Missing;
        int skipped = 0;  // elements, attributes, comments and texts the list does not hold
        int lacking = 0;  // sound rows kept without a part of theirs that is skipped
        int outsideRows = 0; // of `skipped`, those that belong to no sound row: nothing holds them
        QByteArray bytes; // the file as read
        QString reason;   // Unreadable: why, in the user's words
    };

    // Appends the file's groups to soundGroupList, telling what was found; the
    // list is unchanged unless it is Read. Only a regular file is read: a pipe,
    // a device, a folder or a link at the name is Unreadable and not waited on.
    static ReadResult readSoundList(ztplatform::Disk &disk, const QString &fileName,
                                    QVector<strSoundGroup> &soundGroupList);
    // Appends the groups of a file's bytes; false (list unchanged) as above.
    // A file in the form this editor writes is read without an XML parser.
    // `result` counts what is skipped, and where.
    static bool parseCounting(const QByteArray &bytes, QVector<strSoundGroup> &soundGroupList, ReadResult &result);
    // The same through the XML parser, whatever the file's form.
    static bool parseSoundListXml(const QByteArray &bytes, QVector<strSoundGroup> &soundGroupList,
                                  int *skipped = nullptr);
    // A new file beside `fileName` ("<name>.bak", else "<name>.bak1", ...) that
    // holds `bytes`, written through a temporary file and never over anything (a copy
    // there holding these very bytes is taken as it is); its path, or empty
    // with the reason. Its folder is swept through `leftovers`.
    static QString keepCopyBeside(ztplatform::Disk &disk, const QString &fileName, const QByteArray &bytes,
                                  const std::shared_ptr<ztplatform::Leftovers> &leftovers, QString *reason = nullptr);
    // Gives whatever stands at `fileName` (a file, a link, a pipe, a folder) the
    // first free name of those above; that name, or empty with the reason.
    static QString moveAside(ztplatform::Disk &disk, const QString &fileName, QString *reason = nullptr);
    // The bytes of the file for these groups.
    static QByteArray toBytes(const QVector<strSoundGroup> &soundFileList);
};

#endif // SOUNDFILEXML_H
