// Pad link groups and the effect control boxes of the kit settings page. Both
// keep their values at once instead of waiting for the kit commit.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/windowtexts.h"

#include "model/kitediting.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include <QComboBox>
#include <QSpinBox>

// Pad `first` (true) or second of the group shown took `index`.
void KitPagesController::choosePadLink(bool first, int index)
{
    if (m_switchKitNum || index < 0)
        return;
    const int k = m_header.pageKit() - 1;
    const QVector<MainWindow1Records::LINK_GROUP> &links = m_doc.kitLinkList(k);
    const int g = m_view.kit.linkGroupComboBox->currentIndex();
    if (g < 0 || g >= links.size())
        return;
    MainWindow1Records::LINK_GROUP pair = links[g];
    const int other = first ? pair.link_pad2 : pair.link_pad1;
    if (index == other && index != 0) {
        m_prompter.warning(
                m_boxes, WindowTexts::tr("Warning"),
                first ? WindowTexts::tr("Except for the option 'OFF', the link1 parameter must not be the same as "
                                        "the link2 parameter.")
                      : WindowTexts::tr("Except for the option 'OFF', the link2 parameter must not be the same as "
                                        "the link1 parameter."));
        (first ? m_view.kit.padLink1ComboBox : m_view.kit.padLink2ComboBox)->setCurrentIndex(0);
        return;
    }
    (first ? pair.link_pad1 : pair.link_pad2) = quint8(index);
    m_doc.setKitLink(k, g, pair);
}

void KitPagesController::chooseLinkGroup(int index)
{
    const int k = m_header.pageKit() - 1;
    if (index < 0 || k < 0 || k >= KIT_MAX_COUNT)
        return;
    const int p = m_original_link_group;
    if (p >= 0 && p < m_doc.kitLinkList(k).size()) {
        MainWindow1Records::LINK_GROUP pair = m_doc.kitLinkList(k)[p];
        const int pad1 = m_view.kit.padLink1ComboBox->currentIndex();
        const int pad2 = m_view.kit.padLink2ComboBox->currentIndex();
        if (pad1 >= 0)
            pair.link_pad1 = quint8(pad1);
        if (pad2 >= 0)
            pair.link_pad2 = quint8(pad2);
        m_linkGroup[p] = pair;
        m_doc.setKitLink(k, p, pair);
    }
    if (index < m_doc.kitLinkList(k).size()) {
        const MainWindow1Records::LINK_GROUP shown = m_doc.kitLinkList(k)[index];
        m_view.kit.padLink1ComboBox->setCurrentIndex(shown.link_pad1);
        m_view.kit.padLink2ComboBox->setCurrentIndex(shown.link_pad2);
    }
    m_original_link_group = index;
}

void KitPagesController::checkControlValue(int value)
{
    if (value > 511 && value != kitediting::UNUSED_CONTROL)
        m_prompter.warning(m_boxes, WindowTexts::tr("Invalid Value"),
                           WindowTexts::tr("Value must be between 0 and 511."));
}

// Control `control` (0..2) of effect slot `slot` (0..3) took `value`: it keeps
// 0..511 and 999, anything else goes back to its last value.
void KitPagesController::changeEffectControl(int slot, int control, int value)
{
    quint16 &memory = m_oldControls[slot][control];
    if (kitediting::effectControlAccepted(value))
        memory = quint16(value);
    else
        m_view.kit.effects[size_t(slot)].controls[size_t(control)]->setValue(memory);
}
