#ifndef ZT_MAINWINDOW1_EDITING_KITPAGE_H
#define ZT_MAINWINDOW1_EDITING_KITPAGE_H

#include <QString>

namespace kitpage {

// Why a kit name is refused (blank, pattern, length), empty when it is not.
QString kitNameRefusal(const QString &name);

} // namespace kitpage

#endif
