#include "mainwindow1/shell/startup.h"

int main(int argc, char *argv[])
{
    return runEditor(argc, argv);
}
