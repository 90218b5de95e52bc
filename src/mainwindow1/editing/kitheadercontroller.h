#ifndef ZT_MAINWINDOW1_EDITING_KITHEADERCONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_KITHEADERCONTROLLER_H

// The kit header: the kit number and name fields over the pads, and the kit
// settings page's kit number box and name label. The pages ask it for the
// kit shown and tell it what to show.

#include <QObject>
#include <QString>

class LineEdit;
class QLabel;
class QLineEdit;
class QSpinBox;

struct KitHeaderView
{
    QLineEdit *numberField = nullptr;  // the kit number typed over the pads
    LineEdit *nameField = nullptr;     // the kit's name over the pads
    QSpinBox *pageKitBox = nullptr;    // the kit the kit settings page holds (never shown)
    QLabel *pageKitTitle = nullptr;    // its title (never shown)
    QLabel *pageNameLabel = nullptr;   // the kit settings page's kit name (never shown)
    QLabel *pageNameTitle = nullptr;   // its title (never shown)
};

class KitHeaderController : public QObject
{
    Q_OBJECT

public:
    explicit KitHeaderController(const KitHeaderView &view, QObject *parent = nullptr);

    // The number field's check and first text, the name field's font in
    // `fontFamily`; the kit settings page's fields hidden.
    void setUpTexts(const QString &fontFamily);

    // ---- the kit number field -------------------------------------------------
    QString numberText() const;
    // Its number, 0 when it holds none.
    int fieldNumber() const;
    void setNumberText(const QString &text);
    void focusNumber();

    // ---- the kit name field ------------------------------------------------------
    QString nameText() const;
    // The name of kit `kit` (0-based; -1 none) is shown in the field.
    void showName(const QString &name, int kit);
    // The field shows `name` again for the kit it shows.
    void setNameText(const QString &name);
    // The kit (0-based) whose name the field shows, -1 none.
    int nameFieldKit() const { return m_nameFieldKit; }
    // True while the field is the window's focus.
    bool nameFocused() const;
    void focusName();
    void clearNameFocus();
    // The field loses the frame an edit gives it.
    void unframeName();
    // Both fields lose the focus, which ends their edits.
    void releaseFields();

    // ---- the kit settings page's kit -----------------------------------------------
    // The kit (1-based) the kit settings page holds; set, it switches the page.
    int pageKit() const;
    void setPageKit(int kit);
    void setPageName(const QString &name);

private:
    KitHeaderView m_view;
    int m_nameFieldKit = 0;
};

#endif
