// The document's edits over every field a page edits: after each one, every
// kit's file images are what its record and its pad list make of them, the
// pad and link lists say what the record says, a kit's name is the same in
// its record, kitNameList and its image, and the kit changed told so once.
#include "document/kitdocument.h"
#include "model/kitrecordmap.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

using Doc = KitDocument;
using Pads = QVector<Doc::KIT_PAD_SETTING>;

// Kit k's images as a kit record (reserved bytes aside); with `pads`, as
// writeKitImages makes them from the record and those pads.
QByteArray images(Doc &d, int k, const Pads *pads = nullptr)
{
    percussionpadfile::P_KIT_BASE_PARA base = d.base0(k);
    percussionpadfile::P_PEDAL_SETTING pedal = d.pedal0(k);
    percussionpadfile::P_KIT_PAD_SETTING padImages[PAD_NUM_MAX];
    for (int p = 0; p < PAD_NUM_MAX; ++p)
        padImages[p] = d.pad0(k, p);
    if (pads)
        kitediting::writeKitImages(k, d.kit(k), *pads, {&base, &pedal, padImages});
    QByteArray out(KIT_RECORD_SIZE, '\0');
    uchar *p = reinterpret_cast<uchar *>(out.data());
    std::memcpy(p, base.kit_name, KIT_NAME_FIELD);
    kitrecord::packKitBase(p, base);
    kitrecord::packKitPedal(p + KIT_BASE_SIZE, pedal);
    for (int j = 0; j < PAD_NUM_MAX; ++j)
        kitrecord::packKitPad(p + kitrecord::padOffset(j), padImages[j]);
    return out;
}

// Why kit k does not agree, empty when it does.
QString disagreement(Doc &d, int k)
{
    const Doc::soundKit &r = d.kit(k);
    const QByteArray held = images(d, k);
    const Pads recordPads(r.kpadChunk, r.kpadChunk + PAD_NUM_MAX);
    const QByteArray expected[2] = {images(d, k, &d.kitPadList(k)), images(d, k, &recordPads)};
    for (int from = 0; from < 2; ++from) {
        const auto at = std::mismatch(held.cbegin(), held.cend(), expected[from].cbegin()).first - held.cbegin();
        if (at < held.size())
            return QString("image byte %1 from the %2").arg(at).arg(from ? "record" : "pad list");
    }
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        const Doc::KIT_PAD_SETTING &a = r.kpadChunk[p], &b = d.kitPadList(k)[p];
        if (QStringList{a.soundName0, a.soundFile0, a.soundName1, a.soundFile1}
            != QStringList{b.soundName0, b.soundFile0, b.soundName1, b.soundFile1})
            return QString("the sounds of pad %1").arg(p);
    }
    const Doc::PEDAL_SETTING &h = r.pedalChunk;
    const QVector<int> pairs = {r.pad_link1,    r.pad_link2,    h.pad_link2_1, h.pad_link2_2, h.pad_link3_1,
                                h.pad_link3_2, h.pad_link4_1, h.pad_link4_2, h.pad_link5_1, h.pad_link5_2};
    for (int g = 0; g < 5; ++g) {
        if (d.kitLinkList(k)[g].link_pad1 != pairs[2 * g] || d.kitLinkList(k)[g].link_pad2 != pairs[2 * g + 1])
            return QString("link group %1").arg(g);
    }
    char name[KIT_NAME_FIELD] = {};
    percussionpadfile::str2CharArray(r.kit_name, name, KIT_NAME_FIELD);
    if (d.kitNameList().value(k) != r.kit_name || std::memcmp(name, d.base0(k).kit_name, KIT_NAME_FIELD) != 0)
        return QString("the name in kitNameList or the image");
    return QString();
}

// Any values a record part can hold: random bytes through its byte map.
template <class Part, class Unpack>
void randomFields(QRandomGenerator &rng, Part &part, int size, Unpack unpack)
{
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(rng.bounded(256));
    unpack(reinterpret_cast<const uchar *>(bytes.constData()), part);
}

void randomPad(QRandomGenerator &rng, Doc::KIT_PAD_SETTING &pad)
{
    randomFields(rng, pad, KIT_PAD_SIZE, [](const uchar *b, auto &p) { kitrecord::unpackKitPad(b, p); });
}

// A kit page with every box at any item it has, or at none (-1).
kitediting::KitPage randomKitPage(QRandomGenerator &rng, const Doc::soundKit &r)
{
    kitediting::KitPage page;
    page.name = r.kit_name; // as the window reads it: names go in through renameKit
    page.volume = quint8(rng.bounded(256));
    page.tempo = quint8(rng.bounded(256));
    for (int e = 0; e < 4; ++e) {
        page.effectType[e] = rng.bounded(-1, kitediting::EFFECT_TYPE_COUNT);
        page.effectNo[e] = rng.bounded(-1, 5);
        for (quint16 &c : page.control[e])
            c = rng.bounded(2) ? quint16(rng.bounded(512)) : kitediting::UNUSED_CONTROL;
    }
    page.bottomColor = rng.bounded(-1, 8);
    page.workColor = rng.bounded(-1, 8);
    page.pedalType = rng.bounded(-1, 9);
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        page.hhName[i] = QString("hh%1").arg(rng.bounded(9));
        page.hhLayer[i] = quint8(rng.bounded(128));
    }
    page.linkGroup = rng.bounded(-1, 5);
    page.link1 = rng.bounded(-1, 18);
    page.link2 = rng.bounded(-1, 18);
    return page;
}

} // namespace

class TestKitDocument : public QObject
{
    Q_OBJECT

private slots:
    void editsKeepRecordsAndImagesInAgreement()
    {
        QRandomGenerator rng(31);
        auto d = std::make_unique<Doc>();
        Doc::LINK_GROUP scratch[5];
        auto file = [&rng]() { return QString("s%1.wav").arg(rng.bounded(6)); };
        QVector<Doc::soundKit> kits;
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            Doc::soundKit r;
            randomFields(rng, r, KIT_BASE_SIZE, [](const uchar *b, auto &x) { kitrecord::unpackKitBase(b, x); });
            randomFields(rng, r.pedalChunk, KIT_PEDAL_SIZE,
                         [](const uchar *b, auto &x) { kitrecord::unpackKitPedal(b, x); });
            for (Doc::KIT_PAD_SETTING &p : r.kpadChunk)
                randomPad(rng, p);
            r.kit_name = QString("Kit %1").arg(k + 1);
            kits.append(r);
        }
        d->startKits(kits, {});
        // A first commit of the page binds the record, its lists and its images.
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            d->takeKitPage(k, randomKitPage(rng, d->kit(k)), scratch);
        QSignalSpy kitChanged(d.get(), &Doc::kitChanged), kitsChanged(d.get(), &Doc::kitsChanged);
        for (int step = 0; step < 400; ++step) {
            const int op = rng.bounded(18), k = rng.bounded(KIT_MAX_COUNT), o = rng.bounded(KIT_MAX_COUNT);
            const int pad = rng.bounded(PAD_NUM_MAX), other = rng.bounded(PAD_NUM_MAX), layer = rng.bounded(2);
            const QString name = QString("n%1").arg(step);
            Doc::KIT_PAD_SETTING settings = d->kit(k).kpadChunk[pad];
            QSet<int> told = {k}; // the kits that must tell of their change, once each
            bool maybe = false;   // the edit may find nothing to change
            kitChanged.clear();
            kitsChanged.clear();
            switch (op) {
            case 0: d->renameKit(k, name, rng.bounded(2)); break;
            case 1: d->setPadSound(k, pad, layer, name, file()); break;
            case 2: d->setHiHatSound(k, rng.bounded(HH_NUM_MAX), name, file(), rng.bounded(-1, 9999)); break;
            case 3: d->clearKit(k); break;
            case 4: d->clearPad(k, pad, layer); break;
            case 5: d->clearHiHat(k); break;
            case 6: d->copyKit(k, o); told = k == o ? QSet<int>() : QSet<int>{o}; break;
            case 7: d->copyPad(k, pad, other); break;
            case 8: d->moveKit(k, o); told = k == o ? QSet<int>() : QSet<int>{k, o}; break;
            case 9: d->takeKitPage(k, randomKitPage(rng, d->kit(k)), scratch); break;
            case 10: d->refreshKitImages(k); break;
            case 11:
                randomPad(rng, settings);
                d->takePadPage(k, pad, settings);
                break;
            case 12: maybe = !d->renumberSound(k, file(), file(), quint16(rng.bounded(1, 10000))); break;
            case 13: d->clearSound(k, file()), maybe = true; break;
            case 14: d->moveSoundToPad(k, file(), file(), quint16(rng.bounded(1, 10000)), 64), maybe = true; break;
            case 15: d->markUnusedControls(k, rng.bounded(4), rng.bounded(4)); break;
            case 16: {
                // The kit-chain page's OK: some kits renamed at once, one signal for all.
                QVector<QString> names = d->kitNameList();
                names[k] = name;
                names[o] = name + "o";
                d->renameKits(names);
                told.clear();
                QCOMPARE(kitsChanged.count(), 1);
                break;
            }
            default: {
                // A kit read from a file; without an image its record makes one.
                setupfiles::LoadedKit lk;
                lk.kit = kits.at(o);
                lk.kit.kit_name = name;
                for (Doc::KIT_PAD_SETTING &p : lk.kit.kpadChunk)
                    p.soundFile0 = file();
                const Doc::PEDAL_SETTING &h = lk.kit.pedalChunk;
                const quint8 links[10] = {lk.kit.pad_link1, lk.kit.pad_link2, h.pad_link2_1, h.pad_link2_2,
                                          h.pad_link3_1,    h.pad_link3_2,    h.pad_link4_1, h.pad_link4_2,
                                          h.pad_link5_1,    h.pad_link5_2};
                for (int g = 0; g < 5; ++g)
                    lk.links[g] = {links[2 * g], links[2 * g + 1]};
                d->takeLoadedKit(k, lk);
                break;
            }
            }
            QList<int> tellers;
            for (const QList<QVariant> &args : qAsConst(kitChanged))
                tellers << args.at(0).toInt();
            QSet<int> once(tellers.cbegin(), tellers.cend());
            QVERIFY2(once.size() == tellers.size() && (maybe ? QSet<int>(once).subtract(told).isEmpty() : once == told),
                     qPrintable(QString("step %1, edit %2: told by kits %3").arg(step).arg(op).arg(tellers.size())));
            if (op != 16)
                QCOMPARE(kitsChanged.count(), 0);
            for (int kit = 0; kit < KIT_MAX_COUNT; ++kit) {
                const QString why = disagreement(*d, kit);
                QVERIFY2(why.isEmpty(), qPrintable(QString("step %1, edit %2: kit %3, %4").arg(step).arg(op)
                                                           .arg(kit).arg(why)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestKitDocument)
#include "test_kitdocument.moc"
