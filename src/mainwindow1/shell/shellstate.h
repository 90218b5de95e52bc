#ifndef ZT_MAINWINDOW1_SHELLSTATE_H
#define ZT_MAINWINDOW1_SHELLSTATE_H

#include "model/percussionpadfile1.h"

#include <QString>
#include <QTemporaryDir>

class CopyKitFunc;
class CopyPadFunc;
class CustomDialog;
class DeviceDetector;
class MyStyle;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QWidget;
class SelectKitNo;

// The window's frame: fonts, widths, temporary folders, its dialogs and the widget tables.
struct ShellState
{
    // Widget tables of the pads and hi-hat slots.
    struct strPadWidgetGroup
    {
        QWidget *group = nullptr;
        QLabel *lableA = nullptr;
        QLabel *lableB = nullptr; // none for the foot switches
    };
    struct strHHWidgetGroup
    {
        QGroupBox *group = nullptr;
        QLabel *lableA = nullptr;
    };
    // One step box of the kit-chain page and its label.
    struct strStepWidgetGroup
    {
        QGroupBox *group = nullptr;
        QLabel *labStep = nullptr;
    };

    MyStyle *myStyle = nullptr;
    int original_width = 0;
    int original_kit_width = 0;
    int right_original_width = 0;
    QString FontFamily;
    QString FontFamilyTxt;
    quint16 fontSize_9 = 9;
    quint16 fontSize_16 = 16;
    QTemporaryDir tmpDir;
    QTemporaryDir tmpDir2;
    QString TempDirName, TempPlayDirName, TempDirName2, TempPlayDirName2;
    SelectKitNo *skn = nullptr;
    bool isSaveClose = false; // the kit choice of the save was confirmed with OK
    CopyPadFunc *copy_pad = nullptr;
    CopyKitFunc *kitCopy = nullptr;
    CustomDialog *custom = nullptr;
    DeviceDetector *myDetector = nullptr;
    strPadWidgetGroup padWidgetGroup[PAD_NUM_MAX];
    strHHWidgetGroup hhWidgetGroup[HH_NUM_MAX];
    strStepWidgetGroup stepWidgetGroup[STEP_MAX_COUNT];
    QMenu *pad_menu = nullptr;
    QAction *pad_copy = nullptr;
    QAction *pad_clear = nullptr;
    bool padCopyOpen = false; // the pad menu's Pad Copy waits for its dialog
    bool isDarkMode = false; // the theme last applied is the dark one
    bool constructionComplete = false; // false when construction stopped early
    bool soundListSettled = false;    // the close that ends the window wrote the file, or the user quit without it
};

#endif
