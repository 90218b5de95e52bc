#include "mainwindow1/editing/kitheadercontroller.h"

#include "widgets/lineedit.h"

#include <QLabel>
#include <QRegExpValidator>
#include <QSpinBox>

KitHeaderController::KitHeaderController(const KitHeaderView &view, QObject *parent)
    : QObject(parent)
    , m_view(view)
{
}

void KitHeaderController::setUpTexts(const QString &fontFamily)
{
    m_view.numberField->setValidator(new QRegExpValidator(
            QRegExp(QStringLiteral("^([1-9][0-9]{0,1}|100)$"), Qt::CaseSensitive, QRegExp::RegExp),
            m_view.numberField));
    m_view.numberField->setText(QStringLiteral("1"));
    m_view.numberField->setStyleSheet(QStringLiteral("QToolTip{background-color:white; color:black;}"));
    QFont nameFont(fontFamily);
    nameFont.setUnderline(true);
    nameFont.setBold(true);
    nameFont.setPointSize(15);
    m_view.nameField->setFont(nameFont);
    for (QWidget *hidden : {static_cast<QWidget *>(m_view.pageKitTitle), static_cast<QWidget *>(m_view.pageNameTitle),
                            static_cast<QWidget *>(m_view.pageKitBox), static_cast<QWidget *>(m_view.pageNameLabel)})
        hidden->hide();
}

QString KitHeaderController::numberText() const
{
    return m_view.numberField->text();
}

int KitHeaderController::fieldNumber() const
{
    return m_view.numberField->text().toInt();
}

void KitHeaderController::setNumberText(const QString &text)
{
    m_view.numberField->setText(text);
}

void KitHeaderController::focusNumber()
{
    m_view.numberField->setFocus();
}

QString KitHeaderController::nameText() const
{
    return m_view.nameField->text();
}

void KitHeaderController::showName(const QString &name, int kit)
{
    m_view.nameField->setText(name);
    m_nameFieldKit = kit;
}

void KitHeaderController::setNameText(const QString &name)
{
    m_view.nameField->setText(name);
}

bool KitHeaderController::nameFocused() const
{
    return m_view.nameField->window()->focusWidget() == m_view.nameField;
}

void KitHeaderController::focusName()
{
    m_view.nameField->setFocus();
}

void KitHeaderController::clearNameFocus()
{
    m_view.nameField->clearFocus();
}

void KitHeaderController::unframeName()
{
    m_view.nameField->setStyleSheet(QStringLiteral("border:0px;"));
}

void KitHeaderController::releaseFields()
{
    m_view.numberField->clearFocus();
    m_view.nameField->clearFocus();
}

int KitHeaderController::pageKit() const
{
    return m_view.pageKitBox->value();
}

void KitHeaderController::setPageKit(int kit)
{
    m_view.pageKitBox->setValue(kit);
}

void KitHeaderController::setPageName(const QString &name)
{
    m_view.pageNameLabel->setText(name);
}
