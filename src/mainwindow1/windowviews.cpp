#include "mainwindow1/windowviews.h"
#include "ui_mainwindow1.h"

namespace {

PreviewView previewView(Ui::MainWindow1 *ui)
{
    PreviewView v;
    v.playBtn2 = ui->playBtn2;
    v.stopBtn2 = ui->stopBtn2;
    v.loopBtn2 = ui->loopBtn2;
    v.songLabel2 = ui->songLabel2;
    v.totalTime = ui->previewTotalTime;
    v.waveHorizontalSlider2 = ui->waveHorizontalSlider2;
    v.playedTime = ui->previewPlayedTime;
    v.volumeHorizontalSlider2 = ui->volumeHorizontalSlider2;
    return v;
}

SoundListsView soundListsView(Ui::MainWindow1 *ui)
{
    SoundListsView v;
    v.waveGroupTreeView = ui->waveGroupTreeView;
    v.totalWaveTreeView = ui->totalWaveTreeView;
    v.soundListTreeView = ui->soundListTreeView;
    v.left_stackedSoundWidget = ui->left_stackedSoundWidget;
    v.logoWidget1 = ui->logoWidget1;
    v.waveGroup_widget = ui->waveGroup_widget;
    v.left_waveList_label = ui->left_waveList_label;
    v.groupButtons = ui->groupButtons;
    v.addWaveGroup = ui->addWaveGroup;
    v.addWaveFile = ui->addWaveFile;
    v.delWaveGroup = ui->delWaveGroup;
    v.right_stackedWidgetPage1 = ui->right_stackedWidgetPage1;
    v.rightWaveWidget = ui->rightWaveWidget;
    v.right_waveList_label = ui->right_waveList_label;
    v.orderWidget = ui->orderWidget;
    v.defaultRbtn = ui->defaultRbtn;
    v.kitRbtn = ui->kitRbtn;
    v.upRbtn = ui->upRbtn;
    v.DownRbtn = ui->DownRbtn;
    v.customRbtn = ui->customRbtn;
    v.rightWaveAdd = ui->rightWaveAdd;
    v.waveInfoShow = ui->waveInfoShow;
    v.tbtAddWave = ui->tbtAddWave;
    v.tbtDel = ui->tbtDel;
    v.rightwaveListIO = ui->rightwaveListIO;
    v.btnImportRightWave = ui->btnImportRightWave;
    v.btnExportRightWave = ui->btnExportRightWave;
    return v;
}

// The kit pages, page by page, in the form's order.
PageSwitchView pageSwitchView(Ui::MainWindow1 *ui)
{
    PageSwitchView v;
    v.btnKitMove = ui->btnKitMove;
    v.btnSoundKit = ui->btnSoundKit;
    v.btnKitChain = ui->btnKitChain;
    v.rightTopStackedWidget = ui->rightTopStackedWidget;
    v.btnClear = ui->btnClear;
    v.btnLoadFile = ui->btnLoadFile;
    v.btnSave = ui->btnSave;
    v.left_stackedWidget = ui->left_stackedWidget;
    v.midStackedWidget = ui->midStackedWidget;
    v.right_stackedWidget = ui->right_stackedWidget;
    return v;
}

SoundPaneView soundPaneView(Ui::MainWindow1 *ui)
{
    SoundPaneView v;
    v.pane = ui->left_soundHHSet;
    v.logoWidget2 = ui->logoWidget2;
    v.soundListTitle = ui->soundListTitle;
    v.ledColorTitle = ui->ledColorTitle;
    v.bottomColorComboBox = ui->bottomColorComboBox;
    v.ledHitColorTitle = ui->ledHitColorTitle;
    v.workColorComboBox = ui->workColorComboBox;
    return v;
}

PadSettingsView padSettingsView(Ui::MainWindow1 *ui)
{
    PadSettingsView v;
    v.pane = ui->midStackedWidgetPad3;
    v.pedalType = ui->pedalType;
    v.pedalWidget = ui->pedalWidget;
    v.hhBoxes = {ui->hh_wave1_groupBox, ui->hh_wave2_groupBox, ui->hh_wave3_groupBox, ui->hh_wave4_groupBox,
                 ui->hh_wave5_groupBox};
    v.hhNames = {ui->hh_wave1_name, ui->hh_wave2_name, ui->hh_wave3_name, ui->hh_wave4_name, ui->hh_wave5_name};
    v.btnClearHHWave = ui->btnClearHHWave;
    v.hiHatBox = ui->hiHatBox;
    v.hhLayers = {ui->hhLayer1SpinBox, ui->hhLayer2SpinBox, ui->hhLayer3SpinBox, ui->hhLayer4SpinBox,
                  ui->hhLayer5SpinBox};
    v.hhLayerTops = {ui->labLayer1, ui->labLayer2, ui->labLayer3, ui->labLayer4};
    v.hhLayer5Title = ui->hhLayer5Title;
    v.padGroupBox = ui->padGroupBox;
    v.padNumberArea = ui->padNumberArea;
    v.padNoComboBox = ui->padNoComboBox;
    v.midiCodeSpinBox = ui->midiCodeSpinBox;
    v.midiChannelComboBox = ui->midiChannelComboBox;
    v.midiGate = ui->midiGate;
    v.extCtrl = ui->extCtrl;
    v.padOutput = ui->padOutput;
    v.muteGroup = ui->muteGroup;
    v.tempoSyncTitle = ui->tempoSyncTitle;
    v.tempoSync = ui->tempoSync;
    v.polyMono = ui->polyMono;
    v.dynamic = ui->dynamic;
    v.mode = ui->mode;
    v.loop = ui->loop;
    v.trigType = ui->trigType;
    v.velocity = ui->velocity;
    v.padWavesArea = ui->padWavesArea;
    v.waves = {{{ui->waveAName, ui->waveAVolumeSpinBox, ui->waveACenter, ui->waveAPitch, ui->waveADecay},
                {ui->waveBName, ui->waveBVolumeSpinBox, ui->waveBPan, ui->waveBPitch, ui->waveBDecay}}};
    return v;
}

KitSettingsView kitSettingsView(Ui::MainWindow1 *ui)
{
    KitSettingsView v;
    v.pane = ui->rightHHSoundWidget;
    v.kitSettingsBox = ui->kitSettingsBox;
    v.kitVolumeSpinBox = ui->kitVolumeSpinBox;
    v.kitTempoSpinBox = ui->kitTempoSpinBox;
    v.linkGroupComboBox = ui->linkGroupComboBox;
    v.padLink1ComboBox = ui->padLink1ComboBox;
    v.padLink2ComboBox = ui->padLink2ComboBox;
    v.effects = {{{ui->kitEffect1, ui->effect1NoTitle, ui->effect1_no,
                   {ui->lab_effect1_ctrl1, ui->lab_effect1_ctrl2, ui->lab_effect1_ctrl3},
                   {ui->effect1_ctrl1, ui->effect1_ctrl2, ui->effect1_ctrl3}},
                  {ui->kitEffect2, ui->effect2NoTitle, ui->effect2_no,
                   {ui->lab_effect2_ctrl1, ui->lab_effect2_ctrl2, ui->lab_effect2_ctrl3},
                   {ui->effect2_ctrl1, ui->effect2_ctrl2, ui->effect2_ctrl3}},
                  {ui->kitEffect3, ui->effect3NoTitle, ui->effect3_no,
                   {ui->lab_effect3_ctrl1, ui->lab_effect3_ctrl2, ui->lab_effect3_ctrl3},
                   {ui->effect3_ctrl1, ui->effect3_ctrl2, ui->effect3_ctrl3}},
                  {ui->activeFx, ui->effect4NoTitle, ui->effect4_no,
                   {ui->lab_effect4_ctrl1, ui->lab_effect4_ctrl2, ui->lab_effect4_ctrl3},
                   {ui->effect4_ctrl1, ui->effect4_ctrl2, ui->effect4_ctrl3}}}};
    return v;
}

GlobalSettingsView globalSettingsView(Ui::MainWindow1 *ui)
{
    GlobalSettingsView v;
    v.versionTitle = ui->versionTitle;
    v.version = ui->version;
    v.labEditEffect = ui->labEditEffect;
    v.labEffectOFF = ui->labEffectOFF;
    v.masterEffectComboBox = ui->masterEffectComboBox;
    v.effectType = ui->effectType;
    v.effectCtrl1 = ui->effectCtrl1;
    v.effectCtrl2 = ui->effectCtrl2;
    v.effectCtrl3 = ui->effectCtrl3;
    v.audioVolume = ui->audioVolume;
    v.btAudioVolume = ui->btAudioVolume;
    v.systanGain = ui->systanGain;
    v.audioOutput = ui->audioOutput;
    v.globalCH = ui->globalCH;
    v.midiExtCtrl = ui->midiExtCtrl;
    v.midiSync = ui->midiSync;
    v.softThru = ui->softThru;
    v.pcSwLabel = ui->pcSwLabel;
    v.ccSwLabel = ui->ccSwLabel;
    v.fxCtrl1CCLabel = ui->fxCtrl1CCLabel;
    v.fxCtrl2CCLabel = ui->fxCtrl2CCLabel;
    v.globalPadComboBox = ui->globalPadComboBox;
    v.labType = ui->labType;
    v.labSensivity = ui->labSensivity;
    v.curveLabel = ui->curveLabel;
    v.maskTimeLabel = ui->maskTimeLabel;
    v.labRetrigLevel = ui->labRetrigLevel;
    v.antiCrossLabel = ui->antiCrossLabel;
    v.thresholdLabel = ui->thresholdLabel;
    v.labDynamicRange = ui->labDynamicRange;
    v.lcdContrast = ui->lcdContrast;
    v.ledTypeComboBox = ui->ledTypeComboBox;
    v.ledLogoComboBox = ui->ledLogoComboBox;
    v.tempoIndicateLabel = ui->tempoIndicateLabel;
    v.labRecLevel = ui->labRecLevel;
    v.labAutoState = ui->labAutoState;
    v.labLoopClick = ui->labLoopClick;
    v.labLoopQtz = ui->labLoopQtz;
    v.labLoopMeas = ui->labLoopMeas;
    v.labLoopMeasIndex = ui->labLoopMeasIndex;
    v.labRecPad = ui->labRecPad;
    v.metronomeTitle = ui->metronomeTitle;
    v.clickSoundNoSpinBox = ui->clickSoundNoSpinBox;
    v.clickNameLab = ui->clickNameLab;
    v.clickInterval = ui->clickInterval;
    v.clickPan = ui->clickPan;
    v.clickVolume = ui->clickVolume;
    v.clickOutput = ui->clickOutput;
    v.metronomeListTitle = ui->metronomeListTitle;
    v.btnImportClickWave = ui->btnImportClickWave;
    v.btnDelClick = ui->btnDelClick;
    v.clickWaveTreeView = ui->clickWaveTreeView;
    v.globalLineEdit = ui->globalLineEdit;
    v.btnGlobal = ui->btnGlobal;
    return v;
}

KitPagesView kitPagesView(Ui::MainWindow1 *ui)
{
    return {pageSwitchView(ui), soundPaneView(ui), padSettingsView(ui), kitSettingsView(ui), globalSettingsView(ui)};
}

KitHeaderView kitHeaderView(Ui::MainWindow1 *ui)
{
    KitHeaderView v;
    v.numberField = ui->kitNumber;
    v.nameField = ui->kitNameLineEdit;
    v.pageKitBox = ui->kitNoSpinBox;
    v.pageKitTitle = ui->pageKitTitle;
    v.pageNameLabel = ui->kitNameLabel;
    v.pageNameTitle = ui->pageNameTitle;
    return v;
}

MainPadPageView mainPadPageView(Ui::MainWindow1 *ui)
{
    MainPadPageView v;
    v.kitNumberTitle = ui->kitNumberTitle;
    v.upPageBtn = ui->upPageBtn;
    v.downPageBtn = ui->downPageBtn;
    v.btnRenameKit = ui->btnRenameKit;
    v.btnCopyKit = ui->btnCopyKit;
    QWidget *const groups[PAD_NUM_MAX] = {ui->groupPad1,  ui->groupPad2,  ui->groupPad3,  ui->groupPad4,  ui->groupPad5,
                                          ui->groupPad6,  ui->groupPad7,  ui->groupPad8,  ui->groupPad9,  ui->groupPad10,
                                          ui->groupPad11, ui->groupPad12, ui->groupPad13, ui->groupPad14, ui->groupPad15,
                                          ui->groupPad16, ui->groupPad17, ui->groupPad18, ui->groupPad19};
    PadLabel *const labelsA[PAD_NUM_MAX] = {ui->labPad01a, ui->labPad02a, ui->labPad03a, ui->labPad04a, ui->labPad05a,
                                            ui->labPad06a, ui->labPad07a, ui->labPad08a, ui->labPad09a, ui->labPad10a,
                                            ui->labPad11a, ui->labPad12a, ui->labPad13a, ui->labPad14a, ui->labPad15a,
                                            ui->labPad16a, ui->labPad17a, ui->labPad18a, ui->labPad19a};
    PadLabel *const labelsB[EXTEND_INPUT_NUM] = {ui->labPad01b, ui->labPad02b, ui->labPad03b, ui->labPad04b,
                                                 ui->labPad05b, ui->labPad06b, ui->labPad07b, ui->labPad08b,
                                                 ui->labPad09b, ui->labPad10b, ui->labPad11b, ui->labPad12b,
                                                 ui->labPad13b, ui->labPad14b, ui->labPad15b, ui->labPad16b,
                                                 ui->labPad17b};
    for (int p = 0; p < PAD_NUM_MAX; ++p)
        v.pads[size_t(p)] = {groups[p], labelsA[p], p < EXTEND_INPUT_NUM ? labelsB[p] : nullptr};
    return v;
}

KitChainsView kitChainsView(Ui::MainWindow1 *ui)
{
    KitChainsView v;
    v.logoWidget3 = ui->logoWidget3;
    v.kitListTitle = ui->kitListTitle;
    v.kitListtreeView = ui->kitListtreeView;
    v.kitMoveButtons = ui->kitMoveButtons;
    v.moveUpKit = ui->moveUpKit;
    v.moveDownKit = ui->moveDownKit;
    v.chainFunctionTitle = ui->chainFunctionTitle;
    v.rBtnKitChainOn = ui->rBtnKitChainOn;
    v.rBtnKitChainOff = ui->rBtnKitChainOff;
    v.chainNumberTitle = ui->chainNumberTitle;
    v.kitChainNoSpinBox = ui->kitChainNoSpinBox;
    v.btnKitChainSave = ui->btnKitChainSave;
    v.stepWidget = ui->stepWidget;
    v.stepBoxes = {ui->groupStep1,  ui->groupStep2,  ui->groupStep3,  ui->groupStep4,  ui->groupStep5,
                   ui->groupStep6,  ui->groupStep7,  ui->groupStep8,  ui->groupStep9,  ui->groupStep10,
                   ui->groupStep11, ui->groupStep12, ui->groupStep13, ui->groupStep14, ui->groupStep15,
                   ui->groupStep16, ui->groupStep17, ui->groupStep18, ui->groupStep19, ui->groupStep20};
    v.stepLabels = {ui->step1Lab,  ui->step2Lab,  ui->step3Lab,  ui->step4Lab,  ui->step5Lab,
                    ui->step6Lab,  ui->step7Lab,  ui->step8Lab,  ui->step9Lab,  ui->step10Lab,
                    ui->step11Lab, ui->step12Lab, ui->step13Lab, ui->step14Lab, ui->step15Lab,
                    ui->step16Lab, ui->step17Lab, ui->step18Lab, ui->step19Lab, ui->step20Lab};
    return v;
}

ShellView shellView(Ui::MainWindow1 *ui)
{
    ShellView v;
    v.windowPages = ui->stackedWidget;
    v.topWidget = ui->topWidget;
    v.topSectionWidget = ui->topSectionWidget;
    v.topBarLeft = ui->left_top;
    v.splitter = ui->splitter;
    v.menuFile = ui->menuFile;
    v.menuEdit = ui->menuEdit;
    v.menuHelp = ui->menuHelp;
    v.actionGlobal_Setting = ui->actionGlobal_Setting;
    v.actionBack_to_main_interface = ui->actionBack_to_main_interface;
    v.actionKit_Setiing = ui->actionKit_Setiing;
    v.actionImport_All = ui->actionImport_All;
    v.actionExport_All = ui->actionExport_All;
    v.actionReorder_Serial_Numbers = ui->actionReorder_Serial_Numbers;
    v.actionAbout_Korvanta = ui->actionAbout_Korvanta;
    return v;
}

} // namespace

WindowViews windowViews(Ui::MainWindow1 *ui)
{
    WindowViews views;
    views.preview = previewView(ui);
    views.soundLists = soundListsView(ui);
    views.kitHeader = kitHeaderView(ui);
    views.kitPages = kitPagesView(ui);
    views.mainPadPage = mainPadPageView(ui);
    views.kitChains = kitChainsView(ui);
    views.setupFiles = {ui->rbtBack};
    views.shell = shellView(ui);
    return views;
}
