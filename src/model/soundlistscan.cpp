#include "model/soundlistscan.h"

#include <array>
#include <cstring>

namespace soundlistscan {

namespace {

// What a byte of a text or an attribute value is to the scan.
enum Kind : uchar {
    Plain,  // taken as it stands
    Stop,   // ends the span
    Amp,    // starts an entity
    Square, // "]": "]]>" may not stand in a text
    Wide,   // starts a UTF-8 sequence
    Refuse, // the general reader reads it otherwise: a control character
            // (a carriage return is read as a line feed, a tab or line feed in
            // an attribute as a space), "<" in a value, NUL (the end)
};

using Kinds = std::array<uchar, 256>;

Kinds kinds(char stop)
{
    Kinds k{};
    for (int c = 0; c < 0x20; ++c)
        k[size_t(c)] = Refuse;
    if (stop == '<')
        k['\t'] = k['\n'] = Plain;
    for (int c = 0x80; c < 0x100; ++c)
        k[size_t(c)] = Wide;
    k['<'] = Refuse;
    k['&'] = Amp;
    k[']'] = Square;
    k[uchar(stop)] = Stop;
    return k;
}

const Kinds &textKinds()
{
    static const Kinds k = kinds('<');
    return k;
}

const Kinds &valueKinds()
{
    static const Kinds k = kinds('"');
    return k;
}

// The length of the UTF-8 character at p (before end) that XML 1.0 holds;
// 0 when it is no such character (malformed, a surrogate, U+FFFE, U+FFFF).
int wideChar(const uchar *p, const uchar *end)
{
    const uchar c = *p;
    int more = 0;
    uint cp = 0, least = 0;
    if (c >= 0xC2 && c <= 0xDF)
        more = 1, cp = c & 0x1F, least = 0x80;
    else if (c >= 0xE0 && c <= 0xEF)
        more = 2, cp = c & 0x0F, least = 0x800;
    else if (c >= 0xF0 && c <= 0xF4)
        more = 3, cp = c & 0x07, least = 0x10000;
    else
        return 0;
    if (end - p <= more)
        return 0;
    for (int i = 1; i <= more; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF)
        return 0;
    return more + 1;
}

// A text or an attribute value: its bytes as the file holds them.
struct Span
{
    const char *from = nullptr;
    const char *to = nullptr;
    bool entities = false;
    bool ascii = true;
};

struct Attribute
{
    QLatin1String name;
    Span value;
};
constexpr int kAttributes = 4; // more than the format has

class Scanner
{
public:
    explicit Scanner(const QByteArray &bytes)
        : m_p(bytes.constData()), m_end(bytes.constData() + bytes.size())
    {
    }

    bool groups(QVector<soundfilexml::strSoundGroup> &out)
    {
        if (!take("<groups"))
            return false;
        space();
        if (!take("/>")) {
            if (!take(">"))
                return false;
            for (space(); !take("</groups"); space()) {
                out.append(soundfilexml::strSoundGroup());
                if (!group(out.last()))
                    return false;
            }
            space();
            if (!take(">"))
                return false;
        }
        space();
        return m_p == m_end;
    }

private:
    const char *m_p;
    const char *m_end;

    template <size_t N>
    bool take(const char (&literal)[N])
    {
        constexpr size_t n = N - 1;
        if (size_t(m_end - m_p) < n || std::memcmp(m_p, literal, n) != 0)
            return false;
        m_p += n;
        return true;
    }
    void space()
    {
        while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\t'))
            ++m_p;
    }

    // The characters up to the span's stop, which is not taken; false at
    // anything the general reader would read otherwise.
    bool span(const Kinds &kinds, Span &out)
    {
        out.from = m_p;
        for (;;) {
            while (m_p < m_end && kinds[uchar(*m_p)] == Plain)
                ++m_p;
            if (m_p == m_end)
                return false;
            switch (kinds[uchar(*m_p)]) {
            case Stop:
                out.to = m_p;
                return true;
            case Amp:
                out.entities = true;
                if (!entity(nullptr))
                    return false;
                break;
            case Square:
                if (m_end - m_p >= 3 && m_p[1] == ']' && m_p[2] == '>')
                    return false;
                ++m_p;
                break;
            case Wide: {
                const int n = wideChar(reinterpret_cast<const uchar *>(m_p), reinterpret_cast<const uchar *>(m_end));
                if (n == 0)
                    return false;
                out.ascii = false;
                m_p += n;
                break;
            }
            default:
                return false;
            }
        }
    }
    // One of the five named entities, taken; its character appended to *out.
    bool entity(QByteArray *out)
    {
        static const struct {
            const char *name;
            int size;
            char c;
        } named[] = {{"&lt;", 4, '<'}, {"&gt;", 4, '>'}, {"&amp;", 5, '&'}, {"&quot;", 6, '"'}, {"&apos;", 6, '\''}};
        for (const auto &e : named) {
            if (m_end - m_p >= e.size && std::memcmp(m_p, e.name, size_t(e.size)) == 0) {
                m_p += e.size;
                if (out)
                    out->append(e.c);
                return true;
            }
        }
        return false;
    }
    // The text of a span, its entities replaced.
    QString text(const Span &s)
    {
        const int n = int(s.to - s.from);
        if (!s.entities)
            return s.ascii ? QString::fromLatin1(s.from, n) : QString::fromUtf8(s.from, n);
        QByteArray decoded;
        decoded.reserve(n);
        const char *keep = m_p;
        for (m_p = s.from; m_p < s.to;) {
            const char *run = m_p;
            while (m_p < s.to && *m_p != '&')
                ++m_p;
            decoded.append(run, int(m_p - run));
            if (m_p < s.to)
                entity(&decoded);
        }
        m_p = keep;
        return QString::fromUtf8(decoded);
    }

    // The attributes of a start tag up to its end: `name="value"` each
    // (names a-z), none twice; their count, -1 when they do not read so.
    // *empty tells an empty element ("/>").
    int attributes(Attribute (&out)[kAttributes], bool *empty)
    {
        for (int n = 0;; ++n) {
            const char *before = m_p;
            space();
            *empty = take("/>");
            if (*empty || take(">"))
                return n;
            if (m_p == before || n == kAttributes)
                return -1; // no space before a name
            const char *name = m_p;
            while (m_p < m_end && *m_p >= 'a' && *m_p <= 'z')
                ++m_p;
            out[n].name = QLatin1String(name, int(m_p - name));
            out[n].value = Span();
            if (out[n].name.isEmpty() || !take("=\"") || !span(valueKinds(), out[n].value) || !take("\""))
                return -1;
            for (int i = 0; i < n; ++i) {
                if (out[i].name == out[n].name)
                    return -1;
            }
        }
    }

    bool group(soundfilexml::strSoundGroup &g)
    {
        Attribute attrs[kAttributes];
        bool empty = false;
        const int n = take("<group") ? attributes(attrs, &empty) : -1;
        if (n < 0 || n > 1 || (n == 1 && attrs[0].name != QLatin1String("name")))
            return false;
        if (n == 1)
            g.name = text(attrs[0].value);
        if (empty)
            return true;
        for (space(); !take("</group"); space()) {
            g.soundList.append(soundfilexml::strSoundItem());
            if (!sound(g.soundList.last()))
                return false;
        }
        space();
        return take(">");
    }

    // <tag>text</tag> or <tag/>, without attributes.
    template <size_t O, size_t E, size_t C>
    bool textElement(const char (&open)[O], const char (&empty)[E], const char (&close)[C], QString &out)
    {
        if (take(empty))
            return true;
        Span s;
        if (!take(open) || !span(textKinds(), s) || !take(close))
            return false;
        out = text(s);
        return true;
    }

    bool sound(soundfilexml::strSoundItem &s)
    {
        if (!take("<sound>"))
            return false;
        space();
        if (!textElement("<name>", "<name/>", "</name>", s.name))
            return false;
        space();
        if (!textElement("<file>", "<file/>", "</file>", s.file))
            return false;
        space();
        if (m_end - m_p > 6 && std::memcmp(m_p, "<entry", 6) == 0 && !entry(s))
            return false;
        space();
        return take("</sound>");
    }

    // True when the span is digits only (with `hex`: 0-9 and a-f).
    static bool digits(const Span &s, bool hex)
    {
        static const std::array<uchar, 256> kind = [] {
            std::array<uchar, 256> k{};
            for (int c = '0'; c <= '9'; ++c)
                k[size_t(c)] = 1;
            for (int c = 'a'; c <= 'f'; ++c)
                k[size_t(c)] = 2;
            return k;
        }();
        const uchar most = hex ? 2 : 1;
        uchar seen = 1;
        for (const char *c = s.from; c < s.to; ++c)
            seen = uchar(seen * (kind[uchar(*c)] != 0 && kind[uchar(*c)] <= most));
        return seen != 0;
    }

    // As the general reader takes it: a length in digits, a digest of 64
    // lower-case hex digits or none, its stamp kept only with a digest.
    bool entry(soundfilexml::strSoundItem &s)
    {
        Attribute attrs[kAttributes];
        bool empty = false;
        const int n = take("<entry") ? attributes(attrs, &empty) : -1;
        if (n < 0)
            return false;
        const Span *length = nullptr, *digest = nullptr, *seen = nullptr;
        for (int i = 0; i < n; ++i) {
            const Attribute &a = attrs[i];
            if (a.name == QLatin1String("length"))
                length = &a.value;
            else if (a.name == QLatin1String("digest"))
                digest = &a.value;
            else if (a.name == QLatin1String("seen"))
                seen = &a.value;
            else
                return false;
        }
        if (!length || length->to == length->from || length->to - length->from > 18 || !digits(*length, false)
            || (digest && (digest->to - digest->from != 64 || !digits(*digest, true))))
            return false;
        Span name;
        if (!empty && !(span(textKinds(), name) && take("</entry>")))
            return false;
        s.entryName = empty ? QString() : text(name);
        s.entryLength = text(*length);
        if (digest) {
            s.entryDigest = text(*digest);
            s.entrySeen = seen ? text(*seen) : QString();
        }
        return true;
    }
};

} // namespace

bool scan(const QByteArray &bytes, QVector<soundfilexml::strSoundGroup> &out)
{
    QVector<soundfilexml::strSoundGroup> groups;
    if (!Scanner(bytes).groups(groups))
        return false;
    out += groups;
    return true;
}

} // namespace soundlistscan
