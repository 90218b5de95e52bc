#include "platform/filenamebytes.h"

#include <QTextCodec>

namespace ztplatform {

namespace {

constexpr ushort kEscape = 0xDC00; // + the byte (0x80..0xFF)

bool isHigh(ushort u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}

bool isLow(ushort u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

// UTF-8 whose stray bytes stay: each byte that starts no whole, shortest
// UTF-8 character (nor one of a surrogate) becomes U+DC00 + byte, and such a
// lone surrogate becomes its byte again. A character cut at the end of a
// piece waits in the converter's state for the next.
class FileNameCodec : public QTextCodec
{
public:
    QByteArray name() const override { return QByteArrayLiteral("UTF-8 (file name bytes)"); }
    int mibEnum() const override { return 3000; } // none of IANA's

protected:
    QString convertToUnicode(const char *chars, int length, ConverterState *state) const override;
    QByteArray convertFromUnicode(const QChar *chars, int length, ConverterState *state) const override;
};

QString FileNameCodec::convertToUnicode(const char *chars, int length, ConverterState *state) const
{
    QByteArray in;
    if (state && state->remainingChars > 0) {
        for (int i = 0; i < state->remainingChars && i < 3; ++i)
            in.append(char(state->state_data[i]));
        state->remainingChars = 0;
    }
    in.append(chars, length);
    const auto *p = reinterpret_cast<const uchar *>(in.constData());
    const int n = in.size();
    QString out;
    out.reserve(n);
    int i = 0;
    while (i < n) {
        const uchar b = p[i];
        if (b < 0x80) {
            out.append(QChar(ushort(b)));
            ++i;
            continue;
        }
        int need = 0;
        uint cp = 0;
        uchar low = 0x80, high = 0xBF; // the second byte's range
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2;
            cp = b & 0x0F;
            low = b == 0xE0 ? 0xA0 : 0x80;
            high = b == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3;
            cp = b & 0x07;
            low = b == 0xF0 ? 0x90 : 0x80;
            high = b == 0xF4 ? 0x8F : 0xBF;
        }
        int k = 1;
        bool bad = need == 0;
        for (; !bad && k <= need && i + k < n; ++k) {
            const uchar c = p[i + k];
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
                bad = true;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!bad && k <= need) {
            // Cut at the end: the next piece may finish it.
            if (state) {
                state->remainingChars = n - i;
                for (int j = i; j < n; ++j)
                    state->state_data[j - i] = p[j];
                break;
            }
            bad = true;
        }
        if (bad) {
            out.append(QChar(ushort(kEscape + b)));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out.append(QChar(QChar::highSurrogate(cp)));
            out.append(QChar(QChar::lowSurrogate(cp)));
        } else {
            out.append(QChar(ushort(cp)));
        }
        i += need + 1;
    }
    return out;
}

QByteArray FileNameCodec::convertFromUnicode(const QChar *chars, int length, ConverterState *state) const
{
    QString in;
    if (state && state->remainingChars > 0) {
        in.append(QChar(ushort(state->state_data[0])));
        state->remainingChars = 0;
    }
    in.append(chars, length);
    QByteArray out;
    out.reserve(in.size() * 3);
    auto put = [&out](uint cp) {
        if (cp < 0x80) {
            out.append(char(cp));
        } else if (cp < 0x800) {
            out.append(char(0xC0 | (cp >> 6)));
            out.append(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.append(char(0xE0 | (cp >> 12)));
            out.append(char(0x80 | ((cp >> 6) & 0x3F)));
            out.append(char(0x80 | (cp & 0x3F)));
        } else {
            out.append(char(0xF0 | (cp >> 18)));
            out.append(char(0x80 | ((cp >> 12) & 0x3F)));
            out.append(char(0x80 | ((cp >> 6) & 0x3F)));
            out.append(char(0x80 | (cp & 0x3F)));
        }
    };
    const int n = in.size();
    for (int i = 0; i < n; ++i) {
        const ushort u = in.at(i).unicode();
        if (isHigh(u) && i + 1 < n && isLow(in.at(i + 1).unicode())) {
            put(QChar::surrogateToUcs4(u, in.at(i + 1).unicode()));
            ++i;
        } else if (isHigh(u) && i + 1 == n && state) {
            state->remainingChars = 1;
            state->state_data[0] = u;
        } else if (u >= kEscape + 0x80 && u <= kEscape + 0xFF) {
            out.append(char(u - kEscape));
        } else if (isHigh(u) || isLow(u)) {
            out.append('?');
            if (state)
                ++state->invalidChars;
        } else {
            put(u);
        }
    }
    return out;
}

} // namespace

void keepFileNameBytes()
{
    static FileNameCodec *const codec = new FileNameCodec; // Qt's codec list owns it
    QTextCodec *now = QTextCodec::codecForLocale();
    if (now != codec && now && now->mibEnum() == 106)
        QTextCodec::setCodecForLocale(codec);
}

} // namespace ztplatform
