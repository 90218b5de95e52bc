#pragma once

// Test harness for the main window form: a window that carries the slots the
// main window connects by name, recording each call, and a message handler
// that collects the warnings of QMetaObject::connectSlotsByName.

#include <QMainWindow>
#include <QModelIndex>
#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

#include "ui_mainwindow1.h"

namespace formharness {

inline QStringList &messages()
{
    static QStringList list;
    return list;
}

inline QMutex &messageMutex()
{
    static QMutex mutex;
    return mutex;
}

inline QtMessageHandler &previousHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

// While set, collected messages are not passed on to the previous handler.
inline bool &quiet()
{
    static bool flag = false;
    return flag;
}

inline void messageHandler(QtMsgType type, const QMessageLogContext &ctx, const QString &msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg) {
        QMutexLocker lock(&messageMutex());
        messages().append(msg);
    }
    if (QtMessageHandler prev = previousHandler(); prev && !quiet())
        prev(type, ctx, msg);
}

// Starts collecting warnings (idempotent).
inline void installMessageHandler()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    previousHandler() = qInstallMessageHandler(messageHandler);
}

// Returns and clears the collected warnings.
inline QStringList takeMessages()
{
    QMutexLocker lock(&messageMutex());
    QStringList out = messages();
    messages().clear();
    return out;
}

// The warnings that tell of a slot named after a missing object or signal.
inline QStringList slotWarnings(const QStringList &msgs)
{
    QStringList out;
    for (const QString &m : msgs) {
        if (m.contains(QLatin1String("connectSlotsByName")))
            out.append(m);
    }
    return out;
}

} // namespace formharness

// Stand-in for the main window: one slot per form object that the main window
// connects by name. Each call is recorded as the slot's name (and argument).
class FormHarnessWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit FormHarnessWindow(QWidget *parent = nullptr) : QMainWindow(parent) {}

    QStringList calls;

private:
    void rec(const char *name) { calls.append(QString::fromLatin1(name)); }
    void rec(const char *name, const QString &arg)
    {
        calls.append(QString::fromLatin1(name) + QLatin1Char('(') + arg + QLatin1Char(')'));
    }
    void rec(const char *name, int arg) { rec(name, QString::number(arg)); }
    void rec(const char *name, const QModelIndex &index)
    {
        rec(name, QString::number(index.row()));
    }

public slots:
    // menus and actions
    void on_actionKit_Setiing_triggered() { rec("on_actionKit_Setiing_triggered"); }
    void on_actionBack_to_main_interface_triggered() { rec("on_actionBack_to_main_interface_triggered"); }
    void on_actionAbout_Korvanta_triggered() { rec("on_actionAbout_Korvanta_triggered"); }
    void on_actionExport_All_triggered() { rec("on_actionExport_All_triggered"); }
    void on_actionImport_All_triggered() { rec("on_actionImport_All_triggered"); }
    void on_actionGlobal_Setting_triggered() { rec("on_actionGlobal_Setting_triggered"); }
    void on_actionReorder_Serial_Numbers_triggered() { rec("on_actionReorder_Serial_Numbers_triggered"); }

    // top bar
    void on_btnKitMove_clicked() { rec("on_btnKitMove_clicked"); }
    void on_btnSoundKit_clicked() { rec("on_btnSoundKit_clicked"); }
    void on_btnKitChain_clicked() { rec("on_btnKitChain_clicked"); }
    void on_kitNameLineEdit_editingFinished() { rec("on_kitNameLineEdit_editingFinished"); }
    void on_btnRenameKit_clicked() { rec("on_btnRenameKit_clicked"); }
    void on_btnCopyKit_clicked() { rec("on_btnCopyKit_clicked"); }
    void on_upPageBtn_clicked() { rec("on_upPageBtn_clicked"); }
    void on_kitNumber_textEdited(const QString &text) { rec("on_kitNumber_textEdited", text); }
    void on_downPageBtn_clicked() { rec("on_downPageBtn_clicked"); }
    void on_btnClear_clicked() { rec("on_btnClear_clicked"); }
    void on_btnLoadFile_clicked() { rec("on_btnLoadFile_clicked"); }
    void on_btnSave_clicked() { rec("on_btnSave_clicked"); }
    void on_rBtnKitChainOn_clicked() { rec("on_rBtnKitChainOn_clicked"); }
    void on_rBtnKitChainOff_clicked() { rec("on_rBtnKitChainOff_clicked"); }
    void on_btnSureKitChain_clicked() { rec("on_btnSureKitChain_clicked"); }
    void on_btnClearStep_clicked() { rec("on_btnClearStep_clicked"); }
    void on_btnKitChainSave_clicked() { rec("on_btnKitChainSave_clicked"); }
    void on_kitChainNoSpinBox_valueChanged(int value) { rec("on_kitChainNoSpinBox_valueChanged", value); }

    // playback bar
    void on_playBtn2_clicked() { rec("on_playBtn2_clicked"); }
    void on_stopBtn2_clicked() { rec("on_stopBtn2_clicked"); }
    void on_loopBtn2_clicked() { rec("on_loopBtn2_clicked"); }
    void on_waveHorizontalSlider2_sliderMoved(int pos) { rec("on_waveHorizontalSlider2_sliderMoved", pos); }
    void on_volumeHorizontalSlider2_valueChanged(int value) { rec("on_volumeHorizontalSlider2_valueChanged", value); }

    // left pane
    void on_addWaveGroup_clicked() { rec("on_addWaveGroup_clicked"); }
    void on_addWaveFile_clicked() { rec("on_addWaveFile_clicked"); }
    void on_delWaveGroup_clicked() { rec("on_delWaveGroup_clicked"); }
    void on_moveUpKit_clicked() { rec("on_moveUpKit_clicked"); }
    void on_moveDownKit_clicked() { rec("on_moveDownKit_clicked"); }
    void on_waveGroupTreeView_pressed(const QModelIndex &index) { rec("on_waveGroupTreeView_pressed", index); }
    void on_kitListtreeView_pressed(const QModelIndex &index) { rec("on_kitListtreeView_pressed", index); }
    void on_soundListTreeView_pressed(const QModelIndex &index) { rec("on_soundListTreeView_pressed", index); }

    // pad settings, sound library, kit settings and global settings pages:
    // their slots follow here.

    // pad settings page
    void on_btnClearHHWave_clicked() { rec("on_btnClearHHWave_clicked"); }
    void on_hhLayer1SpinBox_editingFinished() { rec("on_hhLayer1SpinBox_editingFinished"); }
    void on_hhLayer2SpinBox_editingFinished() { rec("on_hhLayer2SpinBox_editingFinished"); }
    void on_hhLayer3SpinBox_editingFinished() { rec("on_hhLayer3SpinBox_editingFinished"); }
    void on_mode_currentIndexChanged(int index) { rec("on_mode_currentIndexChanged", index); }
    void on_padNoComboBox_currentIndexChanged(int index) { rec("on_padNoComboBox_currentIndexChanged", index); }

    // sound library page
    void on_defaultRbtn_clicked() { rec("on_defaultRbtn_clicked"); }
    void on_kitRbtn_clicked() { rec("on_kitRbtn_clicked"); }
    void on_upRbtn_clicked() { rec("on_upRbtn_clicked"); }
    void on_DownRbtn_clicked() { rec("on_DownRbtn_clicked"); }
    void on_customRbtn_clicked() { rec("on_customRbtn_clicked"); }
    void on_totalWaveTreeView_pressed(const QModelIndex &index) { rec("on_totalWaveTreeView_pressed", index); }
    void on_tbtAddWave_clicked() { rec("on_tbtAddWave_clicked"); }
    void on_tbtDel_clicked() { rec("on_tbtDel_clicked"); }
    void on_btnImportRightWave_clicked() { rec("on_btnImportRightWave_clicked"); }
    void on_btnExportRightWave_clicked() { rec("on_btnExportRightWave_clicked"); }

    // kit settings page
    void on_kitNoSpinBox_valueChanged(int value) { rec("on_kitNoSpinBox_valueChanged", value); }
    void on_linkGroupComboBox_currentIndexChanged(int index) { rec("on_linkGroupComboBox_currentIndexChanged", index); }
    void on_padLink1ComboBox_currentIndexChanged(int index) { rec("on_padLink1ComboBox_currentIndexChanged", index); }
    void on_padLink2ComboBox_currentIndexChanged(int index) { rec("on_padLink2ComboBox_currentIndexChanged", index); }
    void on_kitEffect1_currentIndexChanged(int index) { rec("on_kitEffect1_currentIndexChanged", index); }
    void on_kitEffect2_currentIndexChanged(int index) { rec("on_kitEffect2_currentIndexChanged", index); }
    void on_kitEffect3_currentIndexChanged(int index) { rec("on_kitEffect3_currentIndexChanged", index); }
    void on_activeFx_currentIndexChanged(int index) { rec("on_activeFx_currentIndexChanged", index); }
    void on_effect1_ctrl1_valueChanged(int value) { rec("on_effect1_ctrl1_valueChanged", value); }
    void on_effect1_ctrl2_valueChanged(int value) { rec("on_effect1_ctrl2_valueChanged", value); }
    void on_effect1_ctrl3_valueChanged(int value) { rec("on_effect1_ctrl3_valueChanged", value); }
    void on_effect2_ctrl1_valueChanged(int value) { rec("on_effect2_ctrl1_valueChanged", value); }
    void on_effect2_ctrl2_valueChanged(int value) { rec("on_effect2_ctrl2_valueChanged", value); }
    void on_effect2_ctrl3_valueChanged(int value) { rec("on_effect2_ctrl3_valueChanged", value); }
    void on_effect3_ctrl1_valueChanged(int value) { rec("on_effect3_ctrl1_valueChanged", value); }
    void on_effect3_ctrl2_valueChanged(int value) { rec("on_effect3_ctrl2_valueChanged", value); }
    void on_effect3_ctrl3_valueChanged(int value) { rec("on_effect3_ctrl3_valueChanged", value); }
    void on_effect4_ctrl1_valueChanged(int value) { rec("on_effect4_ctrl1_valueChanged", value); }
    void on_effect4_ctrl2_valueChanged(int value) { rec("on_effect4_ctrl2_valueChanged", value); }
    void on_effect4_ctrl3_valueChanged(int value) { rec("on_effect4_ctrl3_valueChanged", value); }

    // global settings page
    void on_rbtBack_clicked() { rec("on_rbtBack_clicked"); }
    void on_masterEffectComboBox_currentIndexChanged(int index) { rec("on_masterEffectComboBox_currentIndexChanged", index); }
    void on_globalPadComboBox_currentIndexChanged(int index) { rec("on_globalPadComboBox_currentIndexChanged", index); }
    void on_clickSoundNoSpinBox_valueChanged(int value) { rec("on_clickSoundNoSpinBox_valueChanged", value); }
    void on_btnImportClickWave_clicked() { rec("on_btnImportClickWave_clicked"); }
    void on_btnDelClick_clicked() { rec("on_btnDelClick_clicked"); }
    void on_clickWaveTreeView_pressed(const QModelIndex &index) { rec("on_clickWaveTreeView_pressed", index); }
    void on_btnGlobal_clicked() { rec("on_btnGlobal_clicked"); }
};

// The form built on a fresh harness window.
struct FormFixture
{
    FormHarnessWindow window;
    Ui_MainWindow1 ui;

    FormFixture()
    {
        formharness::installMessageHandler();
        formharness::takeMessages();
        ui.setupUi(&window);
        setupMessages = formharness::takeMessages();
    }

    // Warnings printed while the form was built.
    QStringList setupMessages;
};
