// The document's edits over every field a page edits: after each one, every
// kit's file images are what its record and its pad list make of them, the
// pad and link lists say what the record says, a kit's name is the same in
// its record, kitNameList and its image, and the kit changed told so once.
// The same edits as steps: each undo and redo brings back the document as it
// stood, byte for byte, and the agreement holds after each.
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

// Every kit, chain and list of the document as bytes.
QByteArray documentBytes(Doc &d)
{
    QByteArray out;
    QDataStream ds(&out, QIODevice::WriteOnly);
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        const Doc::soundKit &r = d.kit(k);
        ds << images(d, k) << r.kit_name << d.kitNameList().value(k) << d.kitIndexList().value(k);
        const Pads record(r.kpadChunk, r.kpadChunk + PAD_NUM_MAX);
        for (const Pads *pads : {&record, &d.kitPadList(k)}) {
            for (const Doc::KIT_PAD_SETTING &p : *pads) {
                QByteArray packed(KIT_PAD_SIZE, '\0');
                kitrecord::packKitPad(reinterpret_cast<uchar *>(packed.data()), p);
                ds << packed << p.soundName0 << p.soundFile0 << p.soundName1 << p.soundFile1;
            }
        }
        QByteArray base(KIT_BASE_SIZE + KIT_PEDAL_SIZE, '\0');
        kitrecord::packKitBase(reinterpret_cast<uchar *>(base.data()), r);
        kitrecord::packKitPedal(reinterpret_cast<uchar *>(base.data()) + KIT_BASE_SIZE, r.pedalChunk);
        const Doc::PEDAL_SETTING &h = r.pedalChunk;
        ds << base << h.hh_wave1_file << h.hh_wave1_name << h.hh_wave2_file << h.hh_wave2_name << h.hh_wave3_file
           << h.hh_wave3_name << h.hh_wave4_file << h.hh_wave4_name << h.hh_wave5_file << h.hh_wave5_name;
        for (const Doc::LINK_GROUP &g : d.kitLinkList(k))
            ds << g.link_pad1 << g.link_pad2;
        for (int e = 0; e < 4; ++e) {
            for (const Doc::KIT_EFFECT &x : d.kitEffectList(e, k))
                ds << x.parm1 << x.parm2 << x.parm3;
        }
    }
    for (const Doc::KIT_CHAIN &c : d.kitChainList())
        ds << QByteArray(reinterpret_cast<const char *>(&c), sizeof c);
    return out;
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

    // What a close wrote to the pad stays written: undoing a global step made
    // before it does not take back the marks the next close's alter.ini needs.
    void undoKeepsWhatTheCloseWrote()
    {
        Doc d;
        d.startKits(QVector<Doc::soundKit>(KIT_MAX_COUNT), {});
        editstep::Recorder recorder;
        std::vector<std::unique_ptr<editstep::Step>> done;
        recorder.setSink([&](std::unique_ptr<editstep::Step> step) { done.push_back(std::move(step)); });
        d.useRecorder(&recorder);
        recorder.begin(QStringLiteral("global settings"));
        d.resetGlobalSettings();
        recorder.end();
        QCOMPARE(int(done.size()), 1);
        {
            const editstep::Recorder::Paused paused(&recorder);
            Doc::PadClose close = d.padClose();
            close.kitChangedFlag = 1;
            close.globalFlag = 1;
            close.kitMarks[6] = 1;
            d.takePadClose(close);
            done.back()->undo();
        }
        QCOMPARE(d.kitChangedFlag(), 1);
        QCOMPARE(d.globalFlag(), 1);
        QCOMPARE(d.kitMarkList().at(6), quint8(1));
    }

    // Each user edit is one step; undone, the document is as it stood before
    // it, redone as after it, and its records, lists and images agree either
    // way, also after runs of undos and redos in any order.
    void stepsPutTheDocumentBack()
    {
        QRandomGenerator rng(45);
        Doc d;
        Doc::LINK_GROUP scratch[5];
        QVector<Doc::soundKit> kits;
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            Doc::soundKit r;
            for (Doc::KIT_PAD_SETTING &p : r.kpadChunk)
                randomPad(rng, p);
            r.kit_name = QString("Kit %1").arg(k + 1);
            kits.append(r);
        }
        d.startKits(kits, {});
        d.resetChains();
        editstep::Recorder recorder;
        std::vector<std::unique_ptr<editstep::Step>> done, undone;
        recorder.setSink([&](std::unique_ptr<editstep::Step> step) { done.push_back(std::move(step)); });
        d.useRecorder(&recorder);
        auto file = [&rng]() { return QString("s%1.wav").arg(rng.bounded(6)); };
        auto agree = [&d](int step) {
            for (int kit = 0; kit < KIT_MAX_COUNT; ++kit) {
                const QString why = disagreement(d, kit);
                QVERIFY2(why.isEmpty(), qPrintable(QString("step %1: kit %2, %3").arg(step).arg(kit).arg(why)));
            }
        };
        for (int step = 0; step < 300; ++step) {
            const int k = rng.bounded(KIT_MAX_COUNT), o = rng.bounded(KIT_MAX_COUNT);
            const int pad = rng.bounded(PAD_NUM_MAX), layer = rng.bounded(2);
            const QString name = QString("n%1").arg(step);
            if (rng.bounded(4) == 0 && !done.empty()) {
                // Back and forth over the steps made.
                for (int n = rng.bounded(1, 4); n > 0 && !done.empty(); --n) {
                    const editstep::Recorder::Paused paused(&recorder);
                    done.back()->undo();
                    undone.push_back(std::move(done.back()));
                    done.pop_back();
                    agree(step);
                }
                for (int n = rng.bounded(0, 4); n > 0 && !undone.empty(); --n) {
                    const editstep::Recorder::Paused paused(&recorder);
                    undone.back()->redo();
                    done.push_back(std::move(undone.back()));
                    undone.pop_back();
                    agree(step);
                }
                continue;
            }
            const QByteArray before = documentBytes(d);
            const size_t made = done.size();
            Doc::KIT_PAD_SETTING settings = d.kit(k).kpadChunk[pad];
            const int op = rng.bounded(15);
            switch (op) {
            case 0: d.renameKit(k, name, rng.bounded(2)); break;
            case 1: d.setPadSound(k, pad, layer, name, file()); break;
            case 2: d.setHiHatSound(k, rng.bounded(HH_NUM_MAX), name, file(), rng.bounded(-1, 9999)); break;
            case 3: d.clearKit(k); break;
            case 4: d.clearPad(k, pad, layer); break;
            case 5: d.copyKit(k, o); break;
            case 6: d.copyPad(k, pad, rng.bounded(PAD_NUM_MAX)); break;
            case 7: d.moveKit(k, o); break;
            case 8: d.takeKitPage(k, randomKitPage(rng, d.kit(k)), scratch); break;
            case 9:
                randomPad(rng, settings);
                d.takePadPage(k, pad, settings);
                break;
            case 10: d.markUnusedControls(k, rng.bounded(4), rng.bounded(4)); break;
            case 11: d.setChainStep(rng.bounded(1, 9), rng.bounded(STEP_MAX_COUNT), rng.bounded(1, 101)); break;
            case 12: d.switchChainOn(rng.bounded(9)); break;
            case 13: d.renameSound(file(), name); break;
            default: {
                QVector<QString> names = d.kitNameList();
                names[k] = name;
                names[o] = name + "o";
                d.renameKits(names);
                break;
            }
            }
            agree(step);
            const QByteArray after = documentBytes(d);
            QVERIFY2(done.size() == made + (after != before ? 1 : 0),
                     qPrintable(QString("step %1, edit %2: one step for an edit that changed something, %3 made")
                                       .arg(step).arg(op).arg(done.size() - made)));
            if (after == before)
                continue;
            undone.clear();
            {
                const editstep::Recorder::Paused paused(&recorder);
                done.back()->undo();
                QVERIFY2(documentBytes(d) == before, qPrintable(QString("step %1 undone").arg(step)));
                agree(step);
                done.back()->redo();
                QVERIFY2(documentBytes(d) == after, qPrintable(QString("step %1 redone").arg(step)));
            }
        }
        // Every step undone brings back the document as it was made.
        while (!done.empty()) {
            const editstep::Recorder::Paused paused(&recorder);
            done.back()->undo();
            done.pop_back();
        }
        Doc fresh;
        fresh.startKits(kits, {});
        fresh.resetChains();
        QCOMPARE(documentBytes(d), documentBytes(fresh));
    }

    // A load of every kit, the chains and the global settings inside one
    // step (an import) is undone and redone whole; without a step, the same
    // load keeps nothing.
    void aLoadInOneStep()
    {
        QRandomGenerator rng(7);
        Doc d;
        QVector<Doc::soundKit> kits, read;
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            Doc::soundKit r;
            for (Doc::KIT_PAD_SETTING &p : r.kpadChunk)
                randomPad(rng, p);
            r.kit_name = QString("Kit %1").arg(k + 1);
            kits.append(r);
            r.kit_name = QString("Read %1").arg(k + 1);
            r.kpadChunk[0].soundFile0 = QString("read%1.wav").arg(k);
            read.append(r);
        }
        d.startKits(kits, {});
        d.resetChains();
        d.startPadTriggers();
        editstep::Recorder recorder;
        std::vector<std::unique_ptr<editstep::Step>> steps;
        recorder.setSink([&](std::unique_ptr<editstep::Step> step) { steps.push_back(std::move(step)); });
        d.useRecorder(&recorder);
        const QByteArray before = documentBytes(d);
        auto load = [&] {
            d.clearKits();
            for (int k = 0; k < KIT_MAX_COUNT; ++k) {
                setupfiles::LoadedKit lk;
                lk.kit = read.at(k);
                d.takeLoadedKit(k, lk);
            }
            Doc::GlobalChunk g;
            g.rec_level = 99;
            g.kc.kitChain[2][3] = 42;
            d.takeGlobalSettings(g);
            d.takeChainBlock(g.kc, KIT_CHAIN_ROWS, false);
        };
        load(); // no step: nothing kept
        QVERIFY(steps.empty());
        d.startKits(kits, {});
        d.resetChains();
        d.startPadTriggers();
        d.resetGlobalSettings();
        QCOMPARE(documentBytes(d), before);
        const QByteArray globalBefore = d.globalSettingsBytes({});
        {
            const editstep::Recorder::Scope importing(&recorder, "IMPORT");
            load();
        }
        QCOMPARE(int(steps.size()), 1);
        QCOMPARE(steps.front()->name(), QString("IMPORT"));
        const QByteArray after = documentBytes(d);
        QVERIFY(after != before);
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            QVERIFY2(disagreement(d, k).isEmpty(), qPrintable(disagreement(d, k)));
        const editstep::Recorder::Paused paused(&recorder);
        steps.front()->undo();
        QCOMPARE(documentBytes(d), before);
        QCOMPARE(d.globalSettingsBytes({}), globalBefore);
        steps.front()->redo();
        QCOMPARE(documentBytes(d), after);
        QCOMPARE(d.curRecLevel(), quint8(99));
    }
};

QTEST_GUILESS_MAIN(TestKitDocument)
#include "test_kitdocument.moc"
