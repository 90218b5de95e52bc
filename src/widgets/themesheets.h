#ifndef ZT_WIDGETS_THEMESHEETS_H
#define ZT_WIDGETS_THEMESHEETS_H

class QAbstractButton;
class QString;
class QWidget;

namespace themesheets {

// The dark or the light style sheet of a widget.
void style(QWidget *widget, bool isDark, const char *dark, const char *light);
// The dark or the light icon of a button.
void icon(QAbstractButton *button, bool isDark, const char *dark, const char *light);
// Sets only the font's family (and bold, when asked); the point size stays.
void setFamily(QWidget *widget, const QString &family, bool bold = false);

} // namespace themesheets

#endif
