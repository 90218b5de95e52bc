#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

void ShellController::applyTheme(bool isDark)
{
    m_isDarkMode = isDark;
    m_kitPages.applyTheme(isDark);
    m_kitChains.applyTheme(isDark);
    m_soundLists.applyTheme(isDark);
}
