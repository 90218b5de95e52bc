// Pulls the generated form headers into the editor library, so that the
// forms are compiled by uic and their headers are there for every user.
#include "ui_mainwindow1.h"
