// The main pad page: one kit on the 19 pads, paging, the kit number field,
// renaming and clearing a kit.
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpage.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "ui_mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"
#include "model/namerules.h"
#include "document/kitdocument.h"

#include <QCoreApplication>
#include <QScopedValueRollback>

namespace {
const QString kNoBorder = QStringLiteral("border:0px;");

// The kit number in the kit number field, 0 when it holds none.
int kitFieldNumber(Ui::MainWindow1 *ui)
{
    return ui->kitNumber->text().toInt();
}
} // namespace

void MainPadPageController::dispPadList(const QVector<soundKit> &kits, quint8 kit)
{
    if (!kits.isEmpty() && kit < kits.size()) {
        const soundKit &shown = kits[kit];
        m_ui->kitNameLineEdit->setText(shown.kit_name);
        m_ui->kitNameLabel->setText(shown.kit_name);
        m_kitNameFieldKit = kit;
        m_kitNameDrawn = shown.kit_name;
        for (quint8 p = 0; p < PAD_NUM_MAX; ++p)
            disPad(&shown, p);
        return;
    }
    m_ui->kitNameLineEdit->setText(QString());
    m_currentKitNum = EMPTY_KIT_NUM;
    m_kitNameFieldKit = -1;
    m_kitNameDrawn.clear();
    for (const ShellController::strPadWidgetGroup &pad : m_shell->padWidgetGroup()) {
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
    m_shell->padWidgetGroup()[pad].lableA->setText(s.soundName0);
    if (m_shell->padWidgetGroup()[pad].lableB)
        m_shell->padWidgetGroup()[pad].lableB->setText(s.soundName1);
}

void MainPadPageController::dispKitinList(bool show, quint8 kit)
{
    if (!show)
        return;
    m_currentKitNum = kit;
    dispPadList(m_doc.kitAttrList(), kit);
}

void MainPadPageController::renameKit(const QString &name, quint8 kit)
{
    m_doc.renameKit(kit, name, true);
}

// ---- redraws the document drives -------------------------------------------------

void MainPadPageController::connectDocument()
{
    KitDocument *doc = &m_doc;
    connect(doc, &KitDocument::kitChanged, this, &MainPadPageController::showChangedKit);
    connect(doc, &KitDocument::kitsChanged, this, &MainPadPageController::showChangedKits);
    connect(doc, &KitDocument::chainsChanged, m_kitChains, &KitChainsController::showChangedChains);
    connect(doc, &KitDocument::globalChanged, &m_kitPages, &KitPagesController::showGlobalSettings);
}

void MainPadPageController::showChangedKit(int k)
{
    const QVector<soundKit> &kits = m_doc.kitAttrList();
    if (k < 0 || k >= kits.size())
        return;
    const soundKit &kit = kits.at(k);
    m_kitChains->kitNameChanged(k, kit.kit_name);
    if (k == m_currentKitNum) {
        for (quint8 p = 0; p < PAD_NUM_MAX; ++p)
            disPad(&kit, p);
        // A name being typed into the field stays, unless the kit's own name changed.
        if (kit.kit_name != m_kitNameDrawn || m_kitNameFieldKit != k) {
            m_ui->kitNameLineEdit->setText(kit.kit_name);
            m_ui->kitNameLabel->setText(kit.kit_name);
            m_kitNameFieldKit = k;
            m_kitNameDrawn = kit.kit_name;
        }
    }
    // The hi-hat slots of the pad settings page, which its kit commit takes back.
    if (k == m_ui->kitNoSpinBox->value() - 1) {
        for (quint8 slot = 0; slot < HH_NUM_MAX; ++slot)
            m_kitPages.disHHList(&kit, quint8(k), slot);
    }
}

void MainPadPageController::showChangedKits()
{
    for (int k = 0; k < m_doc.kitAttrList().size() && k < KIT_MAX_COUNT; ++k)
        showChangedKit(k);
}

// ---- paging and the kit number field ------------------------------------------

// The previous (step -1) or next (step 1) kit; no wrap at kits 1 and 100.
void MainPadPageController::pageKit(int step)
{
    const QString text = m_ui->kitNumber->text();
    if (text.isEmpty() || text == QLatin1String("0")) {
        UiPrompter::instance()->warning(m_parent, WindowTexts::tr("Warning"),
                                        WindowTexts::tr("The kit number can not be blank."));
        return;
    }
    const int n = text.toInt();
    const int next = n + step;
    if (next < 1 || next > KIT_MAX_COUNT)
        return;
    if (m_ui->left_stackedWidget->currentIndex() == 2) {
        m_oldKitNumber = n;
        m_ui->kitNoSpinBox->setValue(next); // commits kit n, shows the next one
    }
    m_ui->kitNumber->setText(QString::number(next));
    m_currentKitNum = quint8(next - 1);
    m_oldKitNumber = next;
    dispPadList(m_doc.kitAttrList(), m_currentKitNum);
}

void MainPadPageController::pageUp()
{
    pageKit(-1);
}

void MainPadPageController::pageDown()
{
    pageKit(1);
}

void MainPadPageController::typeKitNumber(const QString &text)
{
    m_ui->kitNameLineEdit->clearFocus();
    m_ui->kitNumber->setFocus();
    const int n = text.toInt();
    if (n >= 1 && n <= KIT_MAX_COUNT) {
        if (m_ui->left_stackedWidget->currentIndex() == 2)
            m_ui->kitNoSpinBox->setValue(n); // commits the kit left
        m_currentKitNum = quint8(n - 1);
        if (m_currentKitNum < m_doc.kitAttrList().size()) {
            m_ui->kitNameLineEdit->setText(m_doc.kitAttrList()[m_currentKitNum].kit_name);
            m_kitNameFieldKit = m_currentKitNum;
        }
        dispPadList(m_doc.kitAttrList(), m_currentKitNum);
        m_oldKitNumber = m_currentKitNum + 1;
        return;
    }
    UiPrompter::instance()->warning(m_parent, WindowTexts::tr("Warning"),
                                    WindowTexts::tr("The range of kit number is 1~100."));
    m_ui->kitNumber->setText(QString::number(m_oldKitNumber));
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
    if (kit != m_kitNameFieldKit)
        return true; // the field holds another kit's name: this kit keeps its own
    const QString name = m_ui->kitNameLineEdit->text();
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
    m_ui->kitNameLineEdit->setText(stored);
    m_ui->kitNameLineEdit->setStyleSheet(kNoBorder);
    if (warning) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        UiPrompter::instance()->warning(m_parent, WindowTexts::tr("Error"), text);
    } else {
        UiPrompter::instance()->information(m_parent, WindowTexts::tr("Error"), text);
    }
    return false;
}

void MainPadPageController::finishNameField()
{
    if (m_kitNameEditing)
        return;
    const QScopedValueRollback<bool> editing(m_kitNameEditing, true);
    m_ui->kitNameLineEdit->clearFocus();
    int n = kitFieldNumber(m_ui);
    if (n < 1 || n > KIT_MAX_COUNT)
        n = m_oldKitNumber;
    m_currentKitNum = quint8(n - 1);
    if (applyKitName(m_currentKitNum)) {
        m_ui->kitNameLineEdit->setStyleSheet(kNoBorder);
        if (m_dot == 2)
            m_ui->kitNameLabel->setText(m_ui->kitNameLineEdit->text());
        dispPadList(m_doc.kitAttrList(), m_currentKitNum);
    }
}

bool MainPadPageController::finishKitNameEdit()
{
    if (m_parent->focusWidget() != m_ui->kitNameLineEdit || m_kitNameEditing)
        return true;
    const QString typed = m_ui->kitNameLineEdit->text();
    finishNameField();
    return m_ui->kitNameLineEdit->text() == typed; // a refusal puts the stored name back
}

void MainPadPageController::startRename()
{
    m_ui->kitNameLineEdit->setFocus();
}

// ---- clear all pads -----------------------------------------------------------------

void MainPadPageController::clearKit()
{
    m_currentKitNum = quint8(kitFieldNumber(m_ui) - 1);
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
    m_ui->kitNumber->setText(QString::number(kit + 1));
    m_currentKitNum = quint8(kit);
    m_oldKitNumber = kit + 1;
    dispPadList(m_doc.kitAttrList(), m_currentKitNum);
}
