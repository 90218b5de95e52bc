// The kit records of a read kit file into the editor's kits.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "mainwindow1/setupfiles/flowsteps.h"
#include "setup/kitsin.h"

#include <QDebug>
#include <QDir>

namespace {

// Stores a loaded kit into slot k of the window's kit lists.
void storeKit(MainWindow1 *w, int k, const setupfiles::LoadedKit &lk)
{
    w->doc().curKitAttr[k] = lk.kit;
    QVector<MainWindow1::KIT_EFFECT> *memories[4] = {&w->doc().kitEffectList1[k], &w->doc().kitEffectList2[k],
                                                      &w->doc().kitEffectList3[k], &w->doc().kitEffectList4[k]};
    for (int e = 0; e < 4; ++e) {
        w->k_effect[e] = lk.effects[e];
        // A type beyond the memories keeps its byte in the kit and has no entry.
        if (lk.effectTypes[e] < memories[e]->size())
            (*memories[e])[lk.effectTypes[e]] = lk.effects[e];
    }
    QVector<MainWindow1::LINK_GROUP> &links = w->doc().kitLinkList[k];
    if (links.size() < 5)
        links.resize(5);
    for (int g = 0; g < 5; ++g) {
        w->linkGroup[g] = lk.links[g];
        links[g] = lk.links[g];
    }
    auto put = [k](auto &list, const auto &value) {
        if (k < list.size())
            list[k] = value;
        else
            list.append(value);
    };
    put(w->doc().kitIndexList, lk.kitIndexByte);
    w->doc().kitPadList[k] = QVector<MainWindow1::KIT_PAD_SETTING>(lk.kit.kpadChunk, lk.kit.kpadChunk + PAD_NUM_MAX);
    put(w->doc().kitAttrList, lk.kit);

    const int n = k + 1;
    if (lk.name.cut)
        w->doc().kitMaxList.append(n);
    if (lk.name.replaced && !w->doc().kitMaxList.contains(n))
        w->doc().kitMaxList.append(n);
}

bool hasKitTables(const percussionpadfile *pf)
{
    return pf && pf->kitChunk.baseChunk && pf->kitChunk.pedalChunk && pf->kitChunk.kpadChunk;
}

} // namespace

void MainWindow1::showKit1(percussionpadfile *pf)
{
    doc().kitMaxList.clear();
    if (!hasKitTables(pf))
        return;
    const int count = qMin(int(pf->kitChunk.kit_count), KIT_MAX_COUNT);
    const QHash<quint16, int> byNumber = setupfiles::lastByNumber(waveAttrList);
    for (int k = 0; k < count; ++k) {
        setupfiles::LoadedKit lk = setupfiles::kitFromFile(*pf, k, pf->kitChunk.baseChunk[k].kit_no + 1, true);
        setupfiles::resolveByNumber(lk.kit, waveAttrList, byNumber);
        emit sendKitNameChanged(lk.kit.kit_name, k);
        storeKit(this, k, lk);
    }

    setupflow::redrawKits(this);
    setupflow::reportRenamedKits(this, doc().kitMaxList);

    ui->kitNumber->setText(QStringLiteral("1"));
    on_kitNumber_textEdited(ui->kitNumber->text());
    padNoFlag = true;
    updateKitNo(1);
    loadKitNoFlag = false;
    if (ui->kitRbtn->isChecked())
        on_kitRbtn_clicked();
}

void MainWindow1::showKit2(percussionpadfile *pf, int kitIdx, int, QString file)
{
    file = QDir::toNativeSeparators(file);
    if (!hasKitTables(pf) || kitIdx < 0 || kitIdx >= KIT_MAX_COUNT || kitIdx >= doc().kitAttrList.size()) {
        qWarning() << "no kit slot" << kitIdx << "for" << file;
        return;
    }
    setupfiles::LoadedKit lk = setupfiles::kitFromFile(*pf, kitIdx, kitIdx + 1, false);
    lk.kit.kit_no = quint8(kitIdx);
    // A sound of the file that the list holds once stands for its twin there.
    QHash<QString, int> byFile = setupfiles::lastByFile(library().waveLoadKitAttrList);
    for (int e = 0; pf->soundChunk.soundIndex && e < pf->soundChunk.soundCount; ++e) {
        const QString &source = pf->soundChunk.soundIndex[e].fileName;
        const int i = byFile.value(library().sharedSounds.listSource(source), -1);
        if (i >= 0 && !source.isEmpty())
            byFile.insert(source, i);
    }
    setupfiles::resolveByPath(lk.kit, file, library().waveLoadKitAttrList, byFile);
    emit sendKitNameChanged(lk.kit.kit_name, kitIdx);
    storeKit(this, kitIdx, lk);
    doc().markKitSaved(kitIdx);
}
