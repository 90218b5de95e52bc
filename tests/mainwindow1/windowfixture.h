#ifndef TESTS_MAINWINDOW1_WINDOWFIXTURE_H
#define TESTS_MAINWINDOW1_WINDOWFIXTURE_H

// A main window built offline in a temporary working folder, with no
// removable drives and every message box answered by a script.

#include "device/fakedrives.h"
#include "document/kitreload.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "platform/filenamebytes.h"
#include "resources/ztresources.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

struct WindowFixture
{
    FakeDriveSource drives;
    QTemporaryDir work;
    QString oldDir = QDir::currentPath();
    ScriptedPrompter prompter;
    MainWindow1 *w = nullptr;
    Ui::MainWindow1 *ui = nullptr;

    WindowFixture()
    {
        ztInitResources();
        ztplatform::keepFileNameBytes(); // as the editor starts
        QDir::setCurrent(work.path());
        w = new MainWindow1(WindowServices{&prompter, PadSystem{&drives}});
        w->soundLists().setWriteSoundListOnClose(false);
        ui = w->form();
    }
    ~WindowFixture()
    {
        delete w;
        QDir::setCurrent(oldDir);
    }

    // Types a kit number into the emptied kit number field, as the user does.
    void typeKitNumber(const QString &text)
    {
        ui->kitNumber->clear();
        QTest::keyClicks(ui->kitNumber, text);
    }

    // Opens the kit settings page on kit `kit` (1-based).
    void openKitPage(int kit)
    {
        if (w->mainPadPage().dot() == 2)
            ui->btnKitMove->click();
        typeKitNumber(QString::number(kit));
        ui->btnSoundKit->click();
    }

    const MainWindow1Records::soundKit &kit(int number) const { return w->doc().kit(number - 1); }
    // Kit `number` (1-based) takes the record `edit` makes of it, as a load does.
    template <class Edit>
    void editKit(int number, Edit edit)
    {
        reloadKit(w->doc(), number - 1, edit);
    }
    template <class Edit, class EditImage>
    void editKit(int number, Edit edit, EditImage editImage)
    {
        reloadKit(w->doc(), number - 1, edit, editImage);
    }
};

#endif
