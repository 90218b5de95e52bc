// Stand-in for the sound library's stored order, which the setup files
// call; it is replaced by the sound library's own.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"

void MainWindow1::on_defaultRbtn_clicked()
{
    setupflow::rebuildSoundRows(this);
}
