#ifndef BYTEPACK_H
#define BYTEPACK_H

#include <QDataStream>
#include <QtGlobal>

// Little-endian packing of file fields, one byte at a time.
namespace bytepack {

inline void put16(uchar *p, quint16 v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
}

inline void put32(uchar *p, quint32 v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
    p[2] = uchar(v >> 16);
    p[3] = uchar(v >> 24);
}

inline quint16 get16(const uchar *p)
{
    return quint16(p[0] | (quint16(p[1]) << 8));
}

inline quint32 get32(const uchar *p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

// Reads exactly n bytes (none asked: true); false when the stream cannot supply them.
inline bool readExactly(QDataStream &in, uchar *to, int n)
{
    return n <= 0 || in.readRawData(reinterpret_cast<char *>(to), n) == n;
}

} // namespace bytepack

#endif // BYTEPACK_H
