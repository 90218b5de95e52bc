// The editor registers its own images and catalogues: this test never calls
// ztInitResources() itself, as the program's main() does not either.
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "mainwindow1/startup.h"
#include "widgets/dialogs/uiprompter.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

class TestOwnResources : public QObject
{
    Q_OBJECT

private slots:
    void translatorFindsItsCatalogue();
    void windowShowsItsImages();
};

void TestOwnResources::translatorFindsItsCatalogue()
{
    const EditorLanguage language;
    QVERIFY(!language.catalogue().isEmpty());
    QVERIFY(QFile::exists(QStringLiteral(":/en.qm")));
    QVERIFY(QFile::exists(QStringLiteral(":/cn.qm")));
    QTranslator t;
    QVERIFY(t.load(QStringLiteral(":/cn.qm")));
}

void TestOwnResources::windowShowsItsImages()
{
    QTemporaryDir work;
    QVERIFY(work.isValid());
    QVERIFY(QDir::setCurrent(work.path()));
    ScriptedPrompter prompter;
    auto *w = new MainWindow1(WindowServices{&prompter});
    w->soundLists().setWriteSoundListOnClose(false);
    QVERIFY(QFile::exists(QStringLiteral(":/images/1.png")));
    QVERIFY(!w->form()->btnSave->icon().pixmap(32, 32).isNull());
    delete w;
}

QTEST_MAIN(TestOwnResources)
#include "test_ownresources.moc"
