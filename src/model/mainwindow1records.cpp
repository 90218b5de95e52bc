#include "model/mainwindow1records.h"

void MainWindow1Records::str2CharArray(QString str, char *field, quint8 n)
{
    percussionpadfile::str2CharArray(str, field, n);
}

QString MainWindow1Records::charArray2String(const char *field, uint n)
{
    return percussionpadfile::charArray2String(field, n);
}
