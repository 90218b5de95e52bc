// The texts the code shows, in Chinese and at their source: every text of
// the Chinese catalogue that the code uses is translated, with no English
// word of its source left in it but names; and no user-visible literal of
// the jobs, the device side, the library, the kit-file code or the window
// bypasses the translator, nor any of the undo steps' names.

#include "resources/ztresources.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kSource = QStringLiteral(ZT_SOURCE_DIR);

struct Message
{
    QString context;
    QString source;
    QString comment;
    bool numerus = false;
};

QVector<Message> catalogueMessages(const QString &path)
{
    QVector<Message> out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    bool vanished = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("message")) {
                m = Message{context, {}, {}, xml.attributes().value("numerus") == QLatin1String("yes")};
                vanished = false;
            } else if (xml.name() == QLatin1String("source")) {
                m.source = xml.readElementText();
            } else if (xml.name() == QLatin1String("comment")) {
                m.comment = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QStringRef type = xml.attributes().value("type");
                vanished = type == QLatin1String("vanished") || type == QLatin1String("obsolete");
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message") && !vanished) {
            out.append(m);
        }
    }
    return out;
}

// The English words of a text: runs of two or more ASCII letters, left out
// what names a thing: placeholders, anything in quotes, file names and
// paths, markup, words all in capitals (abbreviations and the pad's own
// labels) and the editor's names.
QSet<QString> englishWords(QString text)
{
    static const QRegularExpression named(QStringLiteral(
            "%\\d|\"[^\"]*\"|'[^']*'|\u201C[^\u201D]*\u201D|\u2018[^\u2019]*\u2019|\u2068[^\u2069]*\u2069|<[^>]*>"
            "|\\S*[./\\\\*_]\\S*"));
    static const QSet<QString> names = {QStringLiteral("Korvanta"), QStringLiteral("Trig"), QStringLiteral("Space"),
                                        QStringLiteral("pkit"), QStringLiteral("txt")};
    text.replace(named, QStringLiteral(" "));
    QSet<QString> words;
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QString w = it.next().captured();
        if (w != w.toUpper() && !names.contains(w))
            words.insert(w);
    }
    return words;
}

// ---- the source scan ------------------------------------------------------------

struct Literal
{
    QString file;
    int line = 0;
    QString text;
};

// The text with comments blanked and each literal's contents kept apart:
// `code` keeps the text's layout with literals emptied.
QVector<Literal> literalsOf(const QString &file, const QString &text, QString *code)
{
    QVector<Literal> out;
    *code = text;
    const int n = text.size();
    for (int i = 0; i < n;) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('/') && i + 1 < n && text.at(i + 1) == QLatin1Char('/')) {
            const int end = text.indexOf(QLatin1Char('\n'), i);
            for (int k = i; k < (end < 0 ? n : end); ++k)
                (*code)[k] = QLatin1Char(' ');
            i = end < 0 ? n : end;
        } else if (c == QLatin1Char('/') && i + 1 < n && text.at(i + 1) == QLatin1Char('*')) {
            const int end = text.indexOf(QLatin1String("*/"), i + 2);
            const int stop = end < 0 ? n : end + 2;
            for (int k = i; k < stop; ++k)
                if (text.at(k) != QLatin1Char('\n'))
                    (*code)[k] = QLatin1Char(' ');
            i = stop;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            int k = i + 1;
            QString body;
            while (k < n && text.at(k) != c && text.at(k) != QLatin1Char('\n')) {
                if (text.at(k) == QLatin1Char('\\') && k + 1 < n) {
                    body += text.mid(k, 2);
                    (*code)[k] = (*code)[k + 1] = QLatin1Char(' ');
                    k += 2;
                    continue;
                }
                body += text.at(k);
                (*code)[k] = QLatin1Char(' ');
                ++k;
            }
            if (k < n)
                (*code)[k] = QLatin1Char(' ');
            if (c == QLatin1Char('"'))
                out.append({file, text.left(i).count(QLatin1Char('\n')) + 1, body});
            (*code)[i] = c == QLatin1Char('"') ? QLatin1Char('"') : QLatin1Char(' '); // where a string stood
            i = k + 1;
        } else {
            ++i;
        }
    }
    return out;
}

// The call whose parentheses hold position `at` of `code`, and the statement
// it belongs to (from the last ';', '{' or '}').
QString calleeAt(const QString &code, int at, QString *statement)
{
    int start = at;
    while (start > 0 && !QStringLiteral(";{}").contains(code.at(start - 1)))
        --start;
    *statement = code.mid(start, at - start);
    int depth = 0;
    for (int k = at - 1; k >= start; --k) {
        const QChar c = code.at(k);
        if (c == QLatin1Char(')')) {
            ++depth;
        } else if (c == QLatin1Char('(')) {
            if (depth-- > 0)
                continue;
            static const QRegularExpression name(QStringLiteral("([A-Za-z_][A-Za-z_0-9:]*)\\s*$"));
            const QRegularExpressionMatch m = name.match(code.left(k));
            return m.hasMatch() ? m.captured(1).section(QStringLiteral("::"), -1) : QString();
        }
    }
    return QString();
}

// Literals that are no text a user reads in the interface's language, or
// that are the system's own English names: lookup keys of the pages' value
// tables, the default group's and the kept sounds' folder's names, fonts.
bool plainOnPurpose(const QString &text)
{
    static const QSet<QString> names = {
            // names the pages show as the pad does, also in Chinese
            "Center", "Phone", "Master&Phone", "Reserved", "Linear", "Log", "Exp", "Max", "Custom", "Single", "Dual",
            "Wave A Only", "Wave B Only", "Simultaneously", "Switch", "Round Robin", "HH Pedal", "Mix", "Fade",
            "Shot", "Poly", "Infinite", "Red", "Green", "Blue", "Orange", "LuOrange", "Yellow", "GreBlue",
            "MayGreen", "LigGreen", "LigBlue", "Cyan", "Purple", "AntPink", "HtViolet", "PrlViolet", "New Kit",
            // names of groups, folders and files the editor makes
            "Default", "Kept sounds", "Global", "SOUND~%1", "yyyy-MM-dd_HH-mm-ss",
            // fonts
            "Microsoft YaHei", "Tahoma", "Arial"};
    return names.contains(text);
}

// A literal shaped as no sentence: keys and identifiers in lower case,
// names in capitals, file names, paths and filters, style sheets, record tags.
// Three words or more in lower case are a phrase a box can show.
bool notText(const QString &text)
{
    static const QRegularExpression phrase(QStringLiteral("\\A[a-z][a-z'\\-]* +[a-z][a-z'\\-]* +[a-z][a-z'\\- .]*\\z"));
    if (phrase.match(text).hasMatch())
        return false;
    static const QRegularExpression shapes(QStringLiteral(
            "\\A(?:[a-z0-9_~\\-. ]*|[a-z][A-Za-z0-9_]*|[A-Z0-9_~\\-. &#/]*|\\S*[./:*\\\\]\\S*|.*(?:color|border|background|url\\(|"
            "Q[A-Z][A-Za-z]+(?:::|\\{| \\{)|margin|font:|height:|width:).*|[ (]*\\*\\..*|Q[A-Za-z<>:, ]+)\\z"));
    return shapes.match(text).hasMatch();
}

QStringList untranslatedLiterals(const QStringList &folders)
{
    static const QSet<QString> translating = {"tr", "translate", "QT_TRANSLATE_NOOP", "QT_TR_NOOP",
                                              "QT_TRANSLATE_NOOP3", "QT_TRANSLATE_N_NOOP"};
    static const QRegularExpression diagnostic(
            QStringLiteral("\\b(?:qDebug|qWarning|qInfo|qCritical|Q_ASSERT|Q_ASSERT_X|qFatal|qPrintable)\\b|#\\s*include"));
    static const QRegularExpression letters(QStringLiteral("[A-Za-z]{2,}"));
    QStringList out;
    for (const QString &folder : folders) {
        QDirIterator it(kSource + QLatin1Char('/') + folder, {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(f.readAll());
            QString code;
            const QVector<Literal> literals = literalsOf(QDir(kSource).relativeFilePath(path), text, &code);
            int searchFrom = 0;
            for (const Literal &l : literals) {
                const int at = code.indexOf(QLatin1Char('"'), searchFrom);
                searchFrom = at + 1;
                if (!l.text.contains(letters) || notText(l.text) || plainOnPurpose(l.text))
                    continue;
                QString statement;
                const QString callee = calleeAt(code, at, &statement);
                if (translating.contains(callee) || statement.contains(diagnostic))
                    continue;
                out << QStringLiteral("%1:%2: \"%3\"").arg(l.file).arg(l.line).arg(l.text);
            }
        }
    }
    return out;
}

} // namespace

class TestTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ztInitResources(); }

    // Every text the editor shows has its Chinese, holding no English word
    // of its source but names.
    void chineseCatalogueIsWhole()
    {
        QTranslator cn;
        QVERIFY(cn.load(QStringLiteral(":/cn.qm")));
        const QVector<Message> messages = catalogueMessages(kSource + QStringLiteral("/src/resources/cn.ts"));
        QVERIFY(messages.size() > 500);
        QStringList faults;
        for (const Message &m : messages) {
            const QByteArray context = m.context.toUtf8(), source = m.source.toUtf8(), comment = m.comment.toUtf8();
            const QString zh = cn.translate(context.constData(), source.constData(),
                                            m.comment.isEmpty() ? nullptr : comment.constData(), m.numerus ? 2 : -1);
            if (zh.trimmed().isEmpty()) {
                faults << m.context + QStringLiteral(": untranslated: ") + m.source;
                continue;
            }
            QStringList left;
            const QSet<QString> sourceWords = englishWords(m.source);
            for (const QString &w : englishWords(zh)) {
                if (sourceWords.contains(w))
                    left << w;
            }
            if (!left.isEmpty())
                faults << m.context + QStringLiteral(": ") + left.join(QLatin1Char(' ')) + QStringLiteral(" in ") + zh;
            // Chinese sentences run on without blanks, also after a placeholder
            // that holds a whole sentence.
            static const QRegularExpression blankAfterStop(QStringLiteral("[。！？] "));
            static const QRegularExpression sentenceAfterArg(QStringLiteral("(%\\d) [A-Z][a-z]* [a-z]"));
            QStringList blanks;
            if (zh.contains(blankAfterStop))
                blanks << QStringLiteral("a blank after a full stop");
            for (auto it = sentenceAfterArg.globalMatch(m.source); it.hasNext();) {
                const QString arg = it.next().captured(1);
                const QRegularExpression runOn(QRegularExpression::escape(arg) + QStringLiteral(" [\\x{4e00}-\\x{9fff}]"));
                if (runOn.match(zh).hasMatch())
                    blanks << QStringLiteral("a blank after the sentence in ") + arg;
            }
            if (!blanks.isEmpty())
                faults << m.context + QStringLiteral(": ") + blanks.join(QStringLiteral(", ")) + QStringLiteral(" in ") + zh;
        }
        for (const QString &f : qAsConst(faults))
            qWarning().noquote() << f;
        QVERIFY2(faults.isEmpty(), "texts above");
    }

    // The scan finds what it must: a literal gluing an English word into a box.
    void scanFindsALeak()
    {
        QString code;
        const QString sample = QStringLiteral(
                "void f() {\n"
                "    qWarning() << \"not for the user\";\n"
                "    box(tr(\"Kit\") + QStringLiteral(\"Kit \"), tr(\"A\" \"and B\"));\n"
                "    show(\"border: none; color:black;\", \"kit\", \"OFF\", \"soundlist.xml\");\n"
                "    why = \"no regular file\";\n"
                "}\n");
        const QVector<Literal> literals = literalsOf(QStringLiteral("sample.cpp"), sample, &code);
        QCOMPARE(literals.size(), 10);
        QStringList leaks;
        int from = 0;
        for (const Literal &l : literals) {
            const int at = code.indexOf(QLatin1Char('"'), from);
            from = at + 1;
            QString statement;
            const QString callee = calleeAt(code, at, &statement);
            if (callee != QLatin1String("tr") && !statement.contains(QLatin1String("qWarning")) && !notText(l.text))
                leaks << l.text;
        }
        QCOMPARE(leaks, QStringList({"Kit ", "no regular file"}));
    }

    void noLiteralBypassesTheTranslator()
    {
        const QStringList leaks = untranslatedLiterals({QStringLiteral("src/setup"), QStringLiteral("src/device"),
                                                        QStringLiteral("src/library"), QStringLiteral("src/kitfile"),
                                                        QStringLiteral("src/mainwindow1"), QStringLiteral("src/document"),
                                                        QStringLiteral("src/history")});
        for (const QString &l : leaks)
            qWarning().noquote() << l;
        QVERIFY2(leaks.isEmpty(), "literals above");
    }
};

QTEST_MAIN(TestTexts)
#include "test_texts.moc"
