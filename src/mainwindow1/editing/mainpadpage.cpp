// The main pad page: one kit on the 19 pads, paging, the kit number field,
// renaming and clearing a kit.
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/editing/kitheadercontroller.h"

#include "widgets/dialogs/uiprompter.h"
#include "model/namerules.h"
#include "document/kitdocument.h"

#include <QScopedValueRollback>
#include "widgets/padlabel.h"

void MainPadPageController::dispPadList(const QVector<soundKit> &kits, quint8 kit)
{
    if (!kits.isEmpty() && kit < kits.size()) {
        const soundKit &shown = kits[kit];
        m_header.showName(shown.kit_name, kit);
        m_header.setPageName(shown.kit_name);
        m_kitNameDrawn = shown.kit_name;
        for (quint8 p = 0; p < PAD_NUM_MAX; ++p)
            disPad(&shown, p);
        return;
    }
    m_header.showName(QString(), -1);
    m_currentKitNum = EMPTY_KIT_NUM;
    m_kitNameDrawn.clear();
    for (const strPadWidgetGroup &pad : m_view.pads) {
        pad.lableA->setText(QString());
        if (pad.lableB)
            pad.lableB->setText(QString());
    }
}

void MainPadPageController::disPad(const soundKit *kit, quint8 pad)
{
    if (!kit || pad >= PAD_NUM_MAX)
        return;
    const MainWindow1Records::KIT_PAD_SETTING &s = kit->kpadChunk[pad];
    m_view.pads[pad].lableA->setText(s.soundName0);
    if (m_view.pads[pad].lableB)
        m_view.pads[pad].lableB->setText(s.soundName1);
}

// ---- redraws the document drives -------------------------------------------------

void MainPadPageController::connectDocument()
{
    KitDocument *doc = &m_doc;
    connect(doc, &KitDocument::kitChanged, this, &MainPadPageController::showChangedKit);
    connect(doc, &KitDocument::kitsChanged, this, &MainPadPageController::showChangedKits);
}

void MainPadPageController::showChangedKit(int k)
{
    const QVector<soundKit> &kits = m_doc.kitAttrList();
    if (k < 0 || k >= kits.size())
        return;
    const soundKit &kit = kits.at(k);
    if (k == m_currentKitNum) {
        for (quint8 p = 0; p < PAD_NUM_MAX; ++p)
            disPad(&kit, p);
        // A name being typed into the field stays, unless the kit's own name changed.
        if (kit.kit_name != m_kitNameDrawn || m_header.nameFieldKit() != k) {
            m_header.showName(kit.kit_name, k);
            m_header.setPageName(kit.kit_name);
            m_kitNameDrawn = kit.kit_name;
        }
    }
}

void MainPadPageController::showChangedKits()
{
    for (int k = 0; k < m_doc.kitAttrList().size() && k < KIT_MAX_COUNT; ++k)
        showChangedKit(k);
}

// ---- paging and the kit number field ------------------------------------------

void MainPadPageController::pageKit(int step)
{
    const QString text = m_header.numberText();
    if (text.isEmpty() || text == QLatin1String("0")) {
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"), WindowTexts::tr("The kit number can not be blank."));
        return;
    }
    const int n = text.toInt();
    const int next = n + step;
    if (next < 1 || next > KIT_MAX_COUNT)
        return;
    if (m_dot == 2) {
        m_oldKitNumber = n;
        m_header.setPageKit(next); // commits kit n, shows the next one
    }
    m_header.setNumberText(QString::number(next));
    m_currentKitNum = quint8(next - 1);
    m_oldKitNumber = next;
    dispPadList(m_doc.kitAttrList(), m_currentKitNum);
}

void MainPadPageController::typeKitNumber(const QString &text)
{
    m_header.clearNameFocus();
    m_header.focusNumber();
    const int n = text.toInt();
    if (n >= 1 && n <= KIT_MAX_COUNT) {
        if (m_dot == 2)
            m_header.setPageKit(n); // commits the kit left
        m_currentKitNum = quint8(n - 1);
        if (m_currentKitNum < m_doc.kitAttrList().size())
            m_header.showName(m_doc.kitAttrList()[m_currentKitNum].kit_name, m_currentKitNum);
        dispPadList(m_doc.kitAttrList(), m_currentKitNum);
        m_oldKitNumber = m_currentKitNum + 1;
        return;
    }
    m_prompter.warning(m_parent, WindowTexts::tr("Warning"), WindowTexts::tr("The range of kit number is 1~100."));
    m_header.setNumberText(QString::number(m_oldKitNumber));
}

// ---- kit name -------------------------------------------------------------------

QString kitpage::kitNameRefusal(const QString &name)
{
    if (name.isEmpty())
        return WindowTexts::tr("Kit name can't be blank!");
    if (!namerules::checkDisplayKitName(name))
        return WindowTexts::tr(
                       "The kit name must begin and end with an alphanumeric character and can be interspersed with an "
                       "alphanumeric character, a space, and the following symbols:")
                + QStringLiteral("\r\n- _ . ~");
    if (name.size() > KIT_NAME_MAX)
        return WindowTexts::tr("The maximum number of kit name's character can't exceed 10!");
    return QString();
}

bool MainPadPageController::applyKitName(int kit)
{
    if (kit < 0 || kit >= m_doc.kitAttrList().size())
        return false;
    if (kit != m_header.nameFieldKit())
        return true; // the field holds another kit's name: this kit keeps its own
    const QString name = m_header.nameText();
    const QString stored = m_doc.kitAttrList()[kit].kit_name;
    if (name == stored)
        return true;

    const QString text = kitpage::kitNameRefusal(name);
    const bool warning = name.isEmpty();
    if (text.isEmpty()) {
        m_doc.renameKit(kit, name, true);
        emit kitNameChanged(name, kit);
        return true;
    }

    // The boxes take the focus from the field; its own edit end must not run again.
    const QScopedValueRollback<bool> editing(m_kitNameEditing, true);
    m_header.setNameText(stored);
    m_header.unframeName();
    if (warning)
        m_prompter.warning(m_parent, WindowTexts::tr("Error"), text);
    else
        m_prompter.information(m_parent, WindowTexts::tr("Error"), text);
    return false;
}

void MainPadPageController::finishNameField()
{
    if (m_kitNameEditing)
        return;
    const QScopedValueRollback<bool> editing(m_kitNameEditing, true);
    m_header.clearNameFocus();
    int n = m_header.fieldNumber();
    if (n < 1 || n > KIT_MAX_COUNT)
        n = m_oldKitNumber;
    m_currentKitNum = quint8(n - 1);
    if (applyKitName(m_currentKitNum)) {
        m_header.unframeName();
        if (m_dot == 2)
            m_header.setPageName(m_header.nameText());
        dispPadList(m_doc.kitAttrList(), m_currentKitNum);
    }
}

bool MainPadPageController::finishKitNameEdit()
{
    if (!m_header.nameFocused() || m_kitNameEditing)
        return true;
    const QString typed = m_header.nameText();
    finishNameField();
    return m_header.nameText() == typed; // a refusal puts the stored name back
}

// ---- clear all pads -----------------------------------------------------------------

void MainPadPageController::clearKit()
{
    m_currentKitNum = quint8(m_header.fieldNumber() - 1);
    if (m_currentKitNum == EMPTY_KIT_NUM || m_currentKitNum >= m_doc.kitAttrList().size())
        return;
    // The record and its pad list alike, so that no later commit brings the
    // sounds back; the kit shown is drawn again.
    m_doc.clearKit(m_currentKitNum);
}

void MainPadPageController::showStepKit(int kit)
{
    if (kit < 0 || kit >= m_doc.kitAttrList().size() || kit >= KIT_MAX_COUNT)
        return;
    m_header.setNumberText(QString::number(kit + 1));
    m_currentKitNum = quint8(kit);
    m_oldKitNumber = kit + 1;
    dispPadList(m_doc.kitAttrList(), m_currentKitNum);
}
