#include "mainwindow1/shell/shellcontroller.h"
#include "ui_mainwindow1.h"

#include "library/soundlibrary.h"
#include "platform/desktoptheme.h"

#include <QDebug>
#include <QHeaderView>
#include <QStandardItemModel>

bool ShellController::isSystemDarkMode()
{
    quint32 appsUseLightTheme = 0;
    if (!ztplatform::queryAppsUseLightTheme(&appsUseLightTheme)) {
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "Failed to query value.";
        return false;
    }
    return appsUseLightTheme == 0;
}

namespace {

// The dark or the light style sheet of a widget.
void style(QWidget *widget, bool isDark, const char *dark, const char *light)
{
    widget->setStyleSheet(QString::fromLatin1(isDark ? dark : light));
}

// The dark or the light icon of b.
void icon(QAbstractButton *b, bool isDark, const char *dark, const char *light)
{
    b->setIcon(QIcon(QString::fromLatin1(isDark ? dark : light)));
}

// The style sheets of the panes, lists and boxes.
void styleWidgets(Ui::MainWindow1 *ui, bool isDark)
{
    style(ui->left_soundHHSet, isDark, "background-color:rgb(35, 35, 35); color: white; border-right:1px solid grey;",
          "background-color: rgb(236, 236, 236); color: black;border-right:1px solid grey;");
    for (QWidget *w : {ui->midStackedWidgetPad3, ui->rightHHSoundWidget})
        style(w, isDark, "background-color:rgb(35, 35, 35); color: white;", "background-color: rgb(236, 236, 236); color: black;");
    style(ui->waveGroup_widget, isDark, "background-color: rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236); color:black;");
    style(ui->waveGroupTreeView, isDark, "background-color: rgb(25, 25, 25); color:white;",
          "background-color: rgb(236, 236, 236);color:black;");
    style(ui->widget_7, isDark, "background-color: rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236);color:black;");
    style(ui->addWaveGroup, isDark, "border:none; color:white; QToolTip{background-color: white; color: black;}",
          "border:none; QToolTip{ background-color: rgb(236, 236, 236); color: black;}");
    style(ui->addWaveFile, isDark, "border:none; color:white; QToolTip{ background-color: white; color: black;}",
          "border:none; QToolTip{background-color: rgb(236, 236, 236); color: black;}");
    style(ui->delWaveGroup, isDark, "border:none; color:white; QToolTip{ background-color: white; color: black;}",
          "border:none; QToolTip{ background-color: rgb(236, 236, 236); color: black;}");
    style(ui->label, isDark, "background-color: rgb(35, 35, 35); color:white; ",
          "background-color: rgb(236, 236, 236); color:black; ");
    style(ui->kitListtreeView, isDark,
          " background-color: rgb(25, 25, 25); color:white; QHeadView{background-color: rgb(25, 25, 25); }",
          "background-color: rgb(236, 236, 236); color:black;");
    style(ui->widget_8, isDark, "background-color: rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236); color:black;");
    style(ui->label_3, isDark, "color:white; border: none; border-right:1px solid grey;",
          "color:black; border: none; border-right:1px solid grey;");
    style(ui->soundListTreeView, isDark,
          "QTreeView::item:selected { background-color: skyblue;  }; QTreeView{color:white;border-right:1px solid grey; };",
          "QTreeView::item:selected { background-color: skyblue;  }; QTreeView{color:black;border-right:1px solid grey; };");
    const QList<QWidget *> plain = {ui->bottomColorComboBox, ui->label_130, ui->workColorComboBox, ui->label_132,
                                    ui->pedalType,           ui->pedalWidget, ui->groupBox_7,      ui->padGroupBox,
                                    ui->widget_11,           ui->widget_12};
    for (QWidget *w : plain)
        style(w, isDark, "color:white;", "color:black;");
    style(ui->rightWaveWidget, isDark,
          "background-color:rgb(35, 35, 35); color:white;border:none;border-left: 1px solid grey;border-bottom: 1px solid grey;",
          "background-color: rgb(236, 236, 236); color:black;border:none;border-left: 1px solid grey;border-bottom: 1px solid grey;");
    style(ui->orderWidget, isDark, "background-color:rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236); color:black;  border:none; border-left: 1px solid grey;");
    style(ui->totalWaveTreeView, isDark,
          "TotalTreeView::item:selected{background-color: skyblue;}; TotalTreeView{background-color:rgb(25, 25, 25);color:white;border:1px solid black;outline:none;} ",
          "TotalTreeView::item:selected{background-color: skyblue;}; TotalTreeView{background-color: rgb(236, 236, 236); color:black;border:1px solid black;outline:none;} ");
    style(ui->totalWaveTreeView->header(), isDark, "background-color: rgb(25, 25, 25); color:white;",
          "::section{background-color: #f0f0f0;color:black;}");
    for (QWidget *w : {static_cast<QWidget *>(ui->rightWaveAdd), static_cast<QWidget *>(ui->groupBox_5)})
        style(w, isDark, "background-color:rgb(35, 35, 35); color:white;", "background-color: rgb(236, 236, 236); color:black;");
    style(ui->rightwaveListIO, isDark,
          "background-color:rgb(35, 35, 35); color:white; font: 13pt 'PingFang SC'; border:none; border-left: 1px solid grey; border-top:1px solid grey;",
          "background-color: rgb(236, 236, 236); color:black; font: 13pt 'PingFang SC'; border:none; border-left: 1px solid grey; border-top:1px solid grey;");
    const QList<QWidget *> spins = {ui->hhLayer1SpinBox,    ui->hhLayer2SpinBox,    ui->hhLayer3SpinBox,
                                    ui->midiCodeSpinBox,    ui->waveAVolumeSpinBox, ui->waveBVolumeSpinBox,
                                    ui->waveAPitch,         ui->waveBPitch,         ui->kitVolumeSpinBox,
                                    ui->kitTempoSpinBox};
    for (QWidget *w : spins)
        style(w, isDark, "border:1px solid black; border-bottom:none;", "border: none; border-bottom:1px solid grey;");
}

// The icons of the tool buttons.
void setButtonIcons(Ui::MainWindow1 *ui, bool isDark)
{
    icon(ui->addWaveGroup, isDark, ":/images/createSound2.png", ":/images/createSound1.png");
    icon(ui->addWaveFile, isDark, ":/images/waveImport2.png", ":/images/waveImport1.png");
    icon(ui->tbtAddWave, isDark, ":/images/waveImport2.png", ":/images/waveImport1.png");
    icon(ui->delWaveGroup, isDark, ":/images/del2.png", ":/images/del.png");
    icon(ui->tbtDel, isDark, ":/images/del2.png", ":/images/del.png");
    icon(ui->moveUpKit, isDark, ":/images/kitUp2.png", ":/images/kitUp1.png");
    icon(ui->moveDownKit, isDark, ":/images/kitDown2.png", ":/images/kitDown1.png");
    icon(ui->btnClearHHWave, isDark, ":/images/clear2.png", ":/images/clear1.png");
    icon(ui->btnExportRightWave, isDark, ":/images/export_wave2.png", ":/images/export_wave.png");
    icon(ui->btnImportRightWave, isDark, ":/images/import_wave2.png", ":/images/import_wave.png");
}

} // namespace

void ShellController::applyTheme(bool isDark)
{
    m_isDarkMode = isDark;
    styleWidgets(m_ui, isDark);
    setButtonIcons(m_ui, isDark);
    m_library.useDarkIcons(isDark);
}
