#include "mainwindow1/startup.h"

int main(int argc, char *argv[])
{
    return runEditor(argc, argv);
}
