// The main pad page: one kit on the 19 pads, paging, the kit number field,
// renaming and clearing a kit.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainpage.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"
#include "model/namerules.h"

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

void MainWindow1::dispPadList(const QVector<soundKit> &kits, quint8 kit)
{
    if (!kits.isEmpty() && kit < kits.size()) {
        const soundKit &shown = kits[kit];
        ui->kitNameLineEdit->setText(shown.kit_name);
        ui->kitNameLabel->setText(shown.kit_name);
        kitNameFieldKit = kit;
        kitNameDrawn = shown.kit_name;
        for (quint8 p = 0; p < PAD_NUM_MAX; ++p)
            kitpage::disPad(this, &shown, p);
        return;
    }
    ui->kitNameLineEdit->setText(QString());
    currentKitNum = EMPTY_KIT_NUM;
    kitNameFieldKit = -1;
    kitNameDrawn.clear();
    for (const ShellController::strPadWidgetGroup &pad : shell().padWidgetGroup()) {
        pad.lableA->setText(QString());
        if (pad.lableB)
            pad.lableB->setText(QString());
    }
}

void kitpage::disPad(MainWindow1 *w, const MainWindow1::soundKit *kit, quint8 pad)
{
    if (!kit || pad >= PAD_NUM_MAX)
        return;
    const MainWindow1::KIT_PAD_SETTING &s = kit->kpadChunk[pad];
    w->shell().padWidgetGroup()[pad].lableA->setText(s.soundName0);
    if (w->shell().padWidgetGroup()[pad].lableB)
        w->shell().padWidgetGroup()[pad].lableB->setText(s.soundName1);
}

void kitpage::dispKitinList(MainWindow1 *w, bool show, quint8 kit)
{
    if (!show)
        return;
    w->currentKitNum = kit;
    w->dispPadList(w->doc().kitAttrList(), kit);
}

void MainWindow1::updateKitNameAndNo(QString name, quint8 kit)
{
    doc().renameKit(kit, name, true);
}

void MainWindow1::recvKitNameList(QString name, int kit)
{
    kitChains().kitNamed(kit, name);
}

// ---- redraws the document drives -------------------------------------------------

void kitpage::connectDocument(MainWindow1 *w)
{
    KitDocument *doc = &w->doc();
    QObject::connect(doc, &KitDocument::kitChanged, w, [w](int kit) { kitpage::showChangedKit(w, kit); });
    QObject::connect(doc, &KitDocument::kitsChanged, w, [w] { kitpage::showChangedKits(w); });
    QObject::connect(doc, &KitDocument::chainsChanged, w, [w] { kitchainpage::showChangedChains(w); });
    QObject::connect(doc, &KitDocument::globalChanged, w, [w] { kitpage::showGlobalSettings(w); });
}

void kitpage::showChangedKit(MainWindow1 *w, int k)
{
    const QVector<MainWindow1::soundKit> &kits = w->doc().kitAttrList();
    if (k < 0 || k >= kits.size())
        return;
    const MainWindow1::soundKit &kit = kits.at(k);
    w->kitChains().kitNameChanged(k, kit.kit_name);
    if (k == w->currentKitNum) {
        for (quint8 p = 0; p < PAD_NUM_MAX; ++p)
            kitpage::disPad(w, &kit, p);
        // A name being typed into the field stays, unless the kit's own name changed.
        if (kit.kit_name != w->kitNameDrawn || w->kitNameFieldKit != k) {
            w->ui->kitNameLineEdit->setText(kit.kit_name);
            w->ui->kitNameLabel->setText(kit.kit_name);
            w->kitNameFieldKit = k;
            w->kitNameDrawn = kit.kit_name;
        }
    }
    // The hi-hat slots of the pad settings page, which its kit commit takes back.
    if (k == w->ui->kitNoSpinBox->value() - 1) {
        for (quint8 slot = 0; slot < HH_NUM_MAX; ++slot)
            w->disHHList(&kit, quint8(k), slot);
    }
}

void kitpage::showChangedKits(MainWindow1 *w)
{
    for (int k = 0; k < w->doc().kitAttrList().size() && k < KIT_MAX_COUNT; ++k)
        kitpage::showChangedKit(w, k);
}

void MainWindow1::initDisplay(int width, int mode)
{
    const int height = ui->topSectionWidget->height();
    if (mode == 0) {
        const int w = (width / 3) * 2;
        ui->left_stackedSoundWidget->setFixedWidth(w);
        ui->left_top->setFixedSize(w, height);
        shell().setGroupTreeWidth(w);
        if (kitChains().kitChainUiFlag())
            shell().setKitListWidth(w);
        shell().setRightPaneWidth(width);
    } else if (mode == 1 || mode == 2) {
        ui->left_top->setFixedSize(width, height);
        shell().setGroupTreeWidth(width);
        if (kitChains().kitChainUiFlag())
            shell().setKitListWidth(width);
        shell().setRightPaneWidth((width / 2) * 3);
    }
}

// ---- paging and the kit number field ------------------------------------------

namespace {
// The previous (step -1) or next (step 1) kit; no wrap at kits 1 and 100.
void pageKit(MainWindow1 *w, int step)
{
    Ui::MainWindow1 *ui = w->ui;
    const QString text = ui->kitNumber->text();
    if (text.isEmpty() || text == QLatin1String("0")) {
        UiPrompter::instance()->warning(w, MainWindow1::tr("Warning"),
                                        MainWindow1::tr("The kit number can not be blank."));
        return;
    }
    const int n = text.toInt();
    const int next = n + step;
    if (next < 1 || next > KIT_MAX_COUNT)
        return;
    if (ui->left_stackedWidget->currentIndex() == 2) {
        w->oldKitNumber = n;
        ui->kitNoSpinBox->setValue(next); // commits kit n, shows the next one
    }
    ui->kitNumber->setText(QString::number(next));
    w->currentKitNum = quint8(next - 1);
    w->oldKitNumber = next;
    w->dispPadList(w->doc().kitAttrList(), w->currentKitNum);
}
} // namespace

void MainWindow1::on_upPageBtn_clicked()
{
    pageKit(this, -1);
}

void MainWindow1::on_downPageBtn_clicked()
{
    pageKit(this, 1);
}

void MainWindow1::on_kitNumber_textEdited(const QString &text)
{
    ui->kitNameLineEdit->clearFocus();
    ui->kitNumber->setFocus();
    const int n = text.toInt();
    if (n >= 1 && n <= KIT_MAX_COUNT) {
        if (ui->left_stackedWidget->currentIndex() == 2)
            ui->kitNoSpinBox->setValue(n); // commits the kit left
        currentKitNum = quint8(n - 1);
        if (currentKitNum < doc().kitAttrList().size()) {
            ui->kitNameLineEdit->setText(doc().kitAttrList()[currentKitNum].kit_name);
            kitNameFieldKit = currentKitNum;
        }
        dispPadList(doc().kitAttrList(), currentKitNum);
        oldKitNumber = currentKitNum + 1;
        return;
    }
    UiPrompter::instance()->warning(this, tr("Warning"), tr("The range of kit number is 1~100."));
    ui->kitNumber->setText(QString::number(oldKitNumber));
}

// ---- kit name -------------------------------------------------------------------

QString kitpage::kitNameRefusal(const QString &name)
{
    if (name.isEmpty())
        return MainWindow1::tr("Kit name can't be blank!");
    if (!namerules::checkDisplayKitName(name))
        return MainWindow1::tr(
                       "The kit name must begin and end with an alphanumeric character and can be interspersed with an "
                       "alphanumeric character, a space, and the following symbols:")
                + QStringLiteral("\r\n- _ . ~");
    if (name.size() > KIT_NAME_MAX)
        return MainWindow1::tr("The maximum number of kit name's character can't exceed 10!");
    return QString();
}

bool kitpage::applyKitName(MainWindow1 *w, int kit)
{
    if (kit < 0 || kit >= w->doc().kitAttrList().size())
        return false;
    if (kit != w->kitNameFieldKit)
        return true; // the field holds another kit's name: this kit keeps its own
    const QString name = w->ui->kitNameLineEdit->text();
    const QString stored = w->doc().kitAttrList()[kit].kit_name;
    if (name == stored)
        return true;

    const QString text = kitpage::kitNameRefusal(name);
    const bool warning = name.isEmpty();
    if (text.isEmpty()) {
        w->doc().renameKit(kit, name, true);
        emit w->sendKitNameChanged(name, kit); // the kit list shows it
        return true;
    }

    // The boxes take the focus from the field; its own edit end must not run again.
    const QScopedValueRollback<bool> editing(w->kitNameEditing, true);
    w->ui->kitNameLineEdit->setText(stored);
    w->ui->kitNameLineEdit->setStyleSheet(kNoBorder);
    if (warning) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        UiPrompter::instance()->warning(w, MainWindow1::tr("Error"), text);
    } else {
        UiPrompter::instance()->information(w, MainWindow1::tr("Error"), text);
    }
    return false;
}

void MainWindow1::on_kitNameLineEdit_editingFinished()
{
    if (kitNameEditing)
        return;
    const QScopedValueRollback<bool> editing(kitNameEditing, true);
    ui->kitNameLineEdit->clearFocus();
    int n = kitFieldNumber(ui);
    if (n < 1 || n > KIT_MAX_COUNT)
        n = oldKitNumber;
    currentKitNum = quint8(n - 1);
    if (kitpage::applyKitName(this, currentKitNum)) {
        ui->kitNameLineEdit->setStyleSheet(kNoBorder);
        if (dot == 2)
            ui->kitNameLabel->setText(ui->kitNameLineEdit->text());
        dispPadList(doc().kitAttrList(), currentKitNum);
    }
}

bool kitpage::finishKitNameEdit(MainWindow1 *w)
{
    if (w->focusWidget() != w->ui->kitNameLineEdit || w->kitNameEditing)
        return true;
    const QString typed = w->ui->kitNameLineEdit->text();
    w->on_kitNameLineEdit_editingFinished();
    return w->ui->kitNameLineEdit->text() == typed; // a refusal puts the stored name back
}

void MainWindow1::on_btnRenameKit_clicked()
{
    ui->kitNameLineEdit->setFocus();
}

// ---- clear all pads -----------------------------------------------------------------

void MainWindow1::on_btnClear_clicked()
{
    currentKitNum = quint8(kitFieldNumber(ui) - 1);
    if (currentKitNum == EMPTY_KIT_NUM || currentKitNum >= doc().kitAttrList().size())
        return;
    // The record and its pad list alike, so that no later commit brings the
    // sounds back; the kit shown is drawn again.
    doc().clearKit(currentKitNum);
}
