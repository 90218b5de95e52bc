#ifndef SOUNDFILEXML_H
#define SOUNDFILEXML_H

#include <QString>
#include <QVector>

class QDomElement;

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
    };

    struct strSoundGroup {
        QString name;
        QVector<strSoundItem> soundList;
    };

    soundfilexml();

    // Appends the file's groups to soundGroupList; false (list unchanged) when the
    // file cannot be opened, is not well-formed or its root is not "groups".
    static bool readSoundFileListXml(QString fileName, QVector<strSoundGroup> &soundGroupList);
    // Writes the whole file anew through a temporary file beside it, so that a
    // failed write leaves the previous file as it was. False when it failed;
    // *error (when given) then gets the system's reason.
    static bool writeSoundFileListXml(QString fileName, QVector<strSoundGroup> soundFileList,
                                      QString *error = nullptr);

    static void parseGroupsMembers(const QDomElement &element, QVector<strSoundGroup> &soundGroupList);
    static void parseGruopMembers(const QDomElement &element, strSoundGroup &groupTemp);
    static void parseSoundMembers(const QDomElement &element, QString &soundIndex, QString &soundName,
                                  QString &soundFile, QString &soundLock, QString &startCluster,
                                  QString &waveLength, QString &waveStart, QString &waveEnd);

    static void soundClear(strSoundItem &sound);
    static void groupClear(strSoundGroup &group);

    static QString groupListToString(QVector<strSoundGroup> soundGroupList);
};

#endif // SOUNDFILEXML_H
