#include "library/dragpayload.h"

#include <QStringList>

namespace dragpayload {

QString escape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '%':
            out += QLatin1String("%25");
            break;
        case '*':
            out += QLatin1String("%2A");
            break;
        case '#':
            out += QLatin1String("%23");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString unescape(const QString &text)
{
    if (!text.contains(QLatin1Char('%')))
        return text;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QStringRef code = text.midRef(i, 3);
        if (code == QLatin1String("%25")) {
            out += QLatin1Char('%');
        } else if (code == QLatin1String("%2A")) {
            out += QLatin1Char('*');
        } else if (code == QLatin1String("%23")) {
            out += QLatin1Char('#');
        } else {
            out += text.at(i);
            continue;
        }
        i += 2;
    }
    return out;
}

QString record(const QString &name, const QString &path)
{
    return escape(name) + QLatin1Char('*') + escape(path);
}

QString encode(const QVector<Record> &records, bool deviceMode)
{
    QString out;
    for (const Record &r : records) {
        out += record(r.name, r.path);
        if (deviceMode)
            out += QLatin1Char('#');
    }
    return out;
}

Record parseRecord(const QString &text)
{
    const int star = text.indexOf(QLatin1Char('*'));
    Record r;
    r.name = unescape(star < 0 ? text : text.left(star)).trimmed();
    if (star >= 0)
        r.path = unescape(text.mid(star + 1)); // as it stands: a file name may end in a blank
    return r;
}

QVector<Record> decode(const QString &payload)
{
    QVector<Record> out;
    if (!payload.contains(QLatin1Char('#'))) {
        out.append(parseRecord(payload));
        return out;
    }
    const QStringList parts = payload.split(QLatin1Char('#'));
    for (int i = 0; i + 1 < parts.size(); ++i)
        out.append(parseRecord(parts.at(i)));
    return out;
}

} // namespace dragpayload
