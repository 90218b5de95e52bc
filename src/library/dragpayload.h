#pragma once

#include <QString>
#include <QVector>

// The text carried by internal drags of sounds: records of name, "*" and
// path; in device mode every record is followed by "#". Inside a record "%",
// "*" and "#" are percent-escaped, so any name or path arrives intact; texts
// without them are carried unchanged.
namespace dragpayload {

// The format the window's internal drags carry their text under.
inline const QString MIME_FORMAT = QStringLiteral("mimeformat");

struct Record
{
    QString name;
    QString path;
};

QString escape(const QString &text);
QString unescape(const QString &text);

// One record: escaped name, "*", escaped path.
QString record(const QString &name, const QString &path);
// The records one after the other, each followed by "#" in device mode.
QString encode(const QVector<Record> &records, bool deviceMode);

// Reads one record: name before the first "*" (trimmed), path after it as it stands.
Record parseRecord(const QString &text);
// Every record closed by "#" (text after the last "#" is ignored); a payload
// without "#" is one record.
QVector<Record> decode(const QString &payload);

} // namespace dragpayload
