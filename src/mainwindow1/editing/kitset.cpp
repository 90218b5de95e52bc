#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"
#include "document/kitdocument.h"
#include "widgets/customcombobox.h"
#include <QLabel>
#include <QSpinBox>

// Kit 1, pad 1 of a default kit on the kit and pad pages.
void KitPagesController::showDefaultKitOne()
{
    m_header.setPageKit(1);
    m_header.setPageName(QStringLiteral("New Kit"));
    m_header.showName(QStringLiteral("New Kit"), 0);
    m_view.kit.kitVolumeSpinBox->setValue(100);
    m_view.kit.kitTempoSpinBox->setValue(120);
    for (const EffectSlotView &effect : m_view.kit.effects)
        effect.number->setCurrentIndex(0);
    m_view.sounds.bottomColorComboBox->setCurrentText(WindowTexts::tr("Orange"));
    m_view.sounds.workColorComboBox->setCurrentText(WindowTexts::tr("Red"));
    m_view.pad.pedalType->setCurrentIndex(8);
    for (QLabel *l : m_view.pad.hhNames)
        l->setText(QString());
    showHHLayers({quint8(m_acceptedLayers[0]), quint8(m_acceptedLayers[1]), quint8(m_acceptedLayers[2]), 0, 0});
    m_view.kit.linkGroupComboBox->setCurrentIndex(0);
    m_view.kit.padLink1ComboBox->setCurrentIndex(0);
    m_view.kit.padLink2ComboBox->setCurrentIndex(0);
    m_view.pad.padNoComboBox->setCurrentIndex(0);
    chooseMode(0);
    m_view.pad.midiCodeSpinBox->setValue(49);
    m_view.pad.midiChannelComboBox->setCurrentIndex(16);
    m_view.pad.midiGate->setText(QStringLiteral("OFF"));
    m_view.pad.extCtrl->setText(QStringLiteral("OFF"));
    m_view.pad.padOutput->setText(QStringLiteral("1"));
    for (const PadWaveView &wave : m_view.pad.waves) {
        wave.volume->setValue(100);
        wave.pan->setCurrentIndex(16);
        wave.pitch->setValue(0);
        wave.decay->setCurrentIndex(0);
    }
    m_view.pad.muteGroup->setCurrentText(QStringLiteral("OFF"));
    m_view.pad.tempoSync->setText(QStringLiteral("OFF"));
    m_view.pad.mode->setCurrentText(QStringLiteral("Wave A Only"));
    m_view.pad.loop->setCurrentText(QStringLiteral("OFF"));
    m_view.pad.trigType->setCurrentText(QStringLiteral("Shot"));
    m_view.pad.velocity->setValue(127);
    m_view.pad.dynamic->setCurrentText(QStringLiteral("ON"));
    m_view.pad.polyMono->setCurrentText(QStringLiteral("Poly"));
    m_view.pad.trigType->setEnabled(false);
    m_view.pad.velocity->setEnabled(false);
}

void KitPagesController::initKitSet()
{
    showDefaultKitOne();

    m_tables.initValueMaps();

    // The same 24 defaults for every kit and slot; the lists share one copy.
    QVector<MainWindow1Records::KIT_EFFECT> effects;
    for (int t = 0; t < 24; ++t)
        effects.append(m_tables.defaultEffectControls(t));
    for (MainWindow1Records::KIT_EFFECT &e : m_k_effect)
        e = effects.last();
    for (MainWindow1Records::LINK_GROUP &g : m_linkGroup)
        g = MainWindow1Records::LINK_GROUP();
    QVector<MainWindow1Records::soundKit> kits;
    for (int k = 0; k < KIT_MAX_COUNT; ++k)
        kits.append(m_tables.defaultKit(k));
    m_doc.startKits(kits, effects);

    for (int slot = 0; slot < 4; ++slot)
        chooseEffectType(slot, 0);
    chooseLinkGroup(0);
}
