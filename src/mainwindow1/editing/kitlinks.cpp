// Pad link groups and the effect control boxes of the kit settings page. Both
// keep their values at once instead of waiting for the kit commit.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "model/kitediting.h"
#include "widgets/dialogs/uiprompter.h"

namespace {

// The kit (0-based) the page shows.
int pageKit(MainWindow1 *w)
{
    return w->ui->kitNoSpinBox->value() - 1;
}

// Pad `first` (true) or second of the group shown took `index`.
void padLinkChanged(MainWindow1 *w, bool first, int index)
{
    if (w->switchKitNum || index < 0)
        return;
    const int k = pageKit(w);
    const QVector<MainWindow1::LINK_GROUP> &links = w->doc().kitLinkList(k);
    const int g = w->ui->linkGroupComboBox->currentIndex();
    if (g < 0 || g >= links.size())
        return;
    MainWindow1::LINK_GROUP pair = links[g];
    const int other = first ? pair.link_pad2 : pair.link_pad1;
    if (index == other && index != 0) {
        UiPrompter::instance()->warning(
                w, MainWindow1::tr("Warning"),
                first ? MainWindow1::tr("Except for the option 'OFF', the link1 parameter must not be the same as "
                                        "the link2 parameter.")
                      : MainWindow1::tr("Except for the option 'OFF', the link2 parameter must not be the same as "
                                        "the link1 parameter."));
        (first ? w->ui->padLink1ComboBox : w->ui->padLink2ComboBox)->setCurrentIndex(0);
        return;
    }
    (first ? pair.link_pad1 : pair.link_pad2) = quint8(index);
    w->doc().setKitLink(k, g, pair);
}

// A control box keeps 0..511 and 999; anything else goes back to its last value.
void controlChanged(QSpinBox *box, quint16 &memory, int value)
{
    if (kitediting::effectControlAccepted(value))
        memory = quint16(value);
    else
        box->setValue(memory);
}

} // namespace

void MainWindow1::on_linkGroupComboBox_currentIndexChanged(int index)
{
    const int k = pageKit(this);
    if (index < 0 || k < 0 || k >= KIT_MAX_COUNT)
        return;
    const int p = original_link_group;
    if (p >= 0 && p < doc().kitLinkList(k).size()) {
        LINK_GROUP pair = doc().kitLinkList(k)[p];
        const int pad1 = ui->padLink1ComboBox->currentIndex();
        const int pad2 = ui->padLink2ComboBox->currentIndex();
        if (pad1 >= 0)
            pair.link_pad1 = quint8(pad1);
        if (pad2 >= 0)
            pair.link_pad2 = quint8(pad2);
        linkGroup[p] = pair;
        doc().setKitLink(k, p, pair);
    }
    if (index < doc().kitLinkList(k).size()) {
        const LINK_GROUP shown = doc().kitLinkList(k)[index];
        ui->padLink1ComboBox->setCurrentIndex(shown.link_pad1);
        ui->padLink2ComboBox->setCurrentIndex(shown.link_pad2);
    }
    original_link_group = index;
}

void MainWindow1::on_padLink1ComboBox_currentIndexChanged(int index)
{
    padLinkChanged(this, true, index);
}

void MainWindow1::on_padLink2ComboBox_currentIndexChanged(int index)
{
    padLinkChanged(this, false, index);
}

void MainWindow1::on_valueChanged(int value)
{
    if (value > 511 && value != kitediting::UNUSED_CONTROL)
        UiPrompter::instance()->warning(this, tr("Invalid Value"), tr("Value must be between 0 and 511."));
}

void MainWindow1::on_effect1_ctrl1_valueChanged(int value)
{
    controlChanged(ui->effect1_ctrl1, oldEffect1Ctrl1, value);
}

void MainWindow1::on_effect1_ctrl2_valueChanged(int value)
{
    controlChanged(ui->effect1_ctrl2, oldEffect1Ctrl2, value);
}

void MainWindow1::on_effect1_ctrl3_valueChanged(int value)
{
    controlChanged(ui->effect1_ctrl3, oldEffect1Ctrl3, value);
}

void MainWindow1::on_effect2_ctrl1_valueChanged(int value)
{
    controlChanged(ui->effect2_ctrl1, oldEffect2Ctrl1, value);
}

void MainWindow1::on_effect2_ctrl2_valueChanged(int value)
{
    controlChanged(ui->effect2_ctrl2, oldEffect2Ctrl2, value);
}

void MainWindow1::on_effect2_ctrl3_valueChanged(int value)
{
    controlChanged(ui->effect2_ctrl3, oldEffect2Ctrl3, value);
}

void MainWindow1::on_effect3_ctrl1_valueChanged(int value)
{
    controlChanged(ui->effect3_ctrl1, oldEffect3Ctrl1, value);
}

void MainWindow1::on_effect3_ctrl2_valueChanged(int value)
{
    controlChanged(ui->effect3_ctrl2, oldEffect3Ctrl2, value);
}

void MainWindow1::on_effect3_ctrl3_valueChanged(int value)
{
    controlChanged(ui->effect3_ctrl3, oldEffect3Ctrl3, value);
}

void MainWindow1::on_effect4_ctrl1_valueChanged(int value)
{
    controlChanged(ui->effect4_ctrl1, oldEffect4Ctrl1, value);
}

void MainWindow1::on_effect4_ctrl2_valueChanged(int value)
{
    controlChanged(ui->effect4_ctrl2, oldEffect4Ctrl2, value);
}

void MainWindow1::on_effect4_ctrl3_valueChanged(int value)
{
    controlChanged(ui->effect4_ctrl3, oldEffect4Ctrl3, value);
}
