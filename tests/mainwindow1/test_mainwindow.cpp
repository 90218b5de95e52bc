#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "mainwindow1/startup.h"
#include "library/dragpayload.h"
#include "library/soundorder.h"
#include "model/soundfilexml.h"
#include "widgets/copykitfunc.h"
#include "widgets/lineedit.h"
#include "widgets/padlabel.h"
#include "widgets/selectkitno.h"
#include "platform/runfolders.h"
#include "platform/removabledrives.h"
#include "resources/ztresources.h"
#include "setupflow_fixture.h"
#include "widgets/dialogs/uiprompter.h"
#include "support/soundlists.h"

#include <QGroupBox>
#include <QMenu>
#include <QTranslator>
#include <QTreeView>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QtTest>

namespace {
struct NoDrives : DriveSource
{
    QVector<DriveEntry> drives() const override { return {}; }
};

// Number of connections on a signal of any object.
struct SignalPeek : QObject
{
    static int count(const QObject *o, const char *signal)
    {
        return static_cast<const SignalPeek *>(o)->receivers(signal);
    }
};

// True when sender's signal reaches receiver's slot; the connection is made
// again afterwards, so the window keeps its wiring.
template <class Sender, class Signal, class Receiver, class Slot>
bool wired(Sender *sender, Signal signal, Receiver *receiver, Slot slot)
{
    if (!QObject::disconnect(sender, signal, receiver, slot))
        return false;
    QObject::connect(sender, signal, receiver, slot);
    return true;
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_oldDir;
    NoDrives m_drives;
    ScriptedPrompter m_prompter;
    MainWindow1 *w = nullptr;

private slots:
    void initTestCase()
    {
        ztInitResources();
        m_oldDir = QDir::currentPath();
        // The shared window in a folder of its own: the windows the tests
        // make come and go in the working folder, whose groups they hold.
        QVERIFY(QDir().mkpath(m_work.path() + "/shared") && QDir::setCurrent(m_work.path() + "/shared"));
        w = new MainWindow1(WindowServices{&m_prompter, PadSystem{&m_drives}});
        w->soundLists().setWriteSoundListOnClose(false);
        QVERIFY(QDir::setCurrent(m_work.path()));
    }

    void cleanupTestCase()
    {
        delete w;
        QVERIFY(!QFile::exists(m_work.path() + "/soundlist.xml"));
        QDir::setCurrent(m_oldDir);
    }

    void startValues()
    {
        QVERIFY(w->shell().constructionComplete());
        QCOMPARE(w->windowTitle(), QString("Korvanta-V1.04"));
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!qApp->quitOnLastWindowClosed());
        QCOMPARE(w->doc().kitNumFlagList(), QVector<quint8>(100, 0));
        QCOMPARE(w->doc().kitNumFlagList1(), QVector<quint8>(100, 0));
        QVERIFY(w->pad().isUDiskFlag());
        QVERIFY(!w->padSync().fileErrCloseWindow());
        QCOMPARE(w->mainPadPage().curkitNumber(), 1);
        QCOMPARE(w->mainPadPage().oldKitNumber(), 1);
        QCOMPARE(w->doc().globalSize(), 843);
        QCOMPARE(w->doc().cf().curFlag, 0);
        QCOMPARE(dragpayload::MIME_FORMAT, QString("mimeformat"));
        QVERIFY(w->setupFiles().myDetector());
        QVERIFY(w->mainPadPage().copy_pad() && w->mainPadPage().kitCopy() && w->shell().myStyle());
        QCOMPARE(w->kitPages().original_layer1(), 100);
        QCOMPARE(w->kitPages().oldControl(3, 2), quint16(999));
        QCOMPARE(w->mainPadPage().currentKitNum(), quint8(255));
        QVERIFY(!w->form()->actionReorder_Serial_Numbers->isVisible());
        QVERIFY(!w->form()->actionGlobal_Setting->isVisible());
        QVERIFY(!w->form()->actionBack_to_main_interface->isVisible());
        QVERIFY(!w->form()->menuEdit->menuAction()->isVisible());
        QCOMPARE(w->form()->stackedWidget->currentIndex(), 0);
        QVERIFY(w->form()->kitNoSpinBox->isHidden());
        QVERIFY(w->form()->effect4_no->isHidden());
        QVERIFY(w->form()->defaultRbtn->isChecked());
    }

    void temporaryFolders()
    {
        QVERIFY(!w->shell().TempDirName().isEmpty());
        QVERIFY(QFileInfo(w->shell().TempPlayDirName()).isDir());
        QCOMPARE(w->shell().TempPlayDirName(), w->shell().TempDirName() + QDir::separator() + "play");
        QVERIFY(QFileInfo(w->shell().TempPlayDirName2()).isDir());
        QCOMPARE(w->shell().TempPlayDirName2(), w->shell().TempDirName2() + QDir::separator() + "PLAY");
        // Locked while the window lives: a later start tells them from a killed run's.
        for (const QString &folder : {w->shell().TempDirName(), w->shell().TempDirName2()}) {
            QVERIFY(QFileInfo(folder).fileName().startsWith(ztplatform::editorFolderPrefix()));
            QVERIFY(QFileInfo(folder + "/" + ztplatform::runFolderLockName()).isFile());
        }
    }

    void kitNumberField()
    {
        const QValidator *v = w->form()->kitNumber->validator();
        QVERIFY(v);
        for (const QString &bad : QStringList{"0", "101", "007", "01", "-1", "1a"}) {
            QString s = bad;
            int pos = 0;
            QVERIFY2(v->validate(s, pos) != QValidator::Acceptable, qPrintable(bad));
        }
        for (int n = 1; n <= 100; ++n) {
            QString s = QString::number(n);
            int pos = 0;
            QCOMPARE(v->validate(s, pos), QValidator::Acceptable);
        }
        QCOMPARE(w->form()->kitNumber->text(), QString("1"));
        const QFont f = w->form()->kitNameLineEdit->font();
        QVERIFY(f.bold() && f.underline());
        QCOMPARE(f.pointSize(), 15);
    }

    void fonts()
    {
        QCOMPARE(w->shell().FontFamily(), QString("Tahoma")); // tests run in the C locale
        for (QWidget *l : {static_cast<QWidget *>(w->form()->kitListTitle), static_cast<QWidget *>(w->form()->left_waveList_label),
                           static_cast<QWidget *>(w->form()->right_waveList_label), static_cast<QWidget *>(w->form()->soundListTitle)}) {
            QCOMPARE(l->font().family(), QString("Tahoma"));
            QVERIFY(l->font().bold());
        }
        QCOMPARE(w->form()->btnSave->font().family(), QString("Tahoma"));
        QCOMPARE(w->form()->btnSave->styleSheet(), QString("QToolTip { background-color: white; color: black;}"));
        QCOMPARE(w->form()->btnCopyKit->styleSheet(), QString("QToolTip{background-color:white; color:black;}"));
    }

    void chineseFonts()
    {
        const QLocale old;
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        auto *cn = new MainWindow1(WindowServices{&m_prompter, PadSystem{&m_drives}});
        QLocale::setDefault(old);
        cn->soundLists().setWriteSoundListOnClose(false);
        QCOMPARE(cn->shell().FontFamily(), QString("Microsoft YaHei"));
        QCOMPARE(cn->form()->soundListTitle->font().family(), QString("Microsoft YaHei"));
        QCOMPARE(cn->form()->kitNameLineEdit->font().family(), QString("Microsoft YaHei"));
        delete cn;
    }

    // The Kit Chain list's root and the Pad Settings section titles fit
    // their room in both languages: the root its cell, each title the space
    // above its section's first row.
    void textsHaveTheirRoom()
    {
        const QLocale old;
        for (QLocale::Language lang : {QLocale::English, QLocale::Chinese}) {
            QLocale::setDefault(QLocale(lang));
            const EditorLanguage language;
            std::unique_ptr<MainWindow1> m(new MainWindow1(WindowServices{&m_prompter, PadSystem{&m_drives}}));
            m->soundLists().setWriteSoundListOnClose(false);
            m->setGeometry(0, 0, 1080, 720);
            m->show();
            QVERIFY(QTest::qWaitForWindowExposed(m.get()));
            m->form()->btnKitChain->click();
            QTreeView *v = m->form()->kitListtreeView;
            const QModelIndex root = v->model()->index(0, 0);
            const int margin = v->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, v) + 1;
            QVERIFY2(v->fontMetrics().horizontalAdvance(root.data().toString()) + 2 * margin
                             <= v->visualRect(root).width(),
                     qPrintable(root.data().toString()));
            QHeaderView *h = v->header();
            const QString number = h->model()->headerData(0, Qt::Horizontal).toString();
            QVERIFY2(h->fontMetrics().horizontalAdvance(number)
                                     + 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h)
                             <= h->sectionSize(0),
                     qPrintable(number));
            m->form()->btnSoundKit->click();
            for (QLabel *first : {m->form()->pageKitTitle, m->form()->label_142, m->form()->label_148}) {
                QGroupBox *box = nullptr;
                for (QWidget *p = first->parentWidget(); p && !box; p = p->parentWidget())
                    box = qobject_cast<QGroupBox *>(p);
                const int title = QFontMetrics(box->font()).size(Qt::TextShowMnemonic, box->title()).height();
                QVERIFY2(box->contentsRect().top() + title <= first->mapTo(box, QPoint()).y(), qPrintable(box->title()));
            }
        }
        QLocale::setDefault(old);
    }

    void splitter()
    {
        const int ow = w->shell().original_width();
        QList<int> sizes = w->form()->splitter->sizes();
        QCOMPARE(sizes.size(), 3);
        QVERIFY(!w->form()->splitter->childrenCollapsible());
        QVERIFY(ow > 0);
        QCOMPARE(w->form()->splitter->widget(0)->sizePolicy().horizontalStretch(), 4);
        QCOMPARE(w->form()->splitter->widget(1)->sizePolicy().horizontalStretch(), 15);
        QCOMPARE(w->form()->splitter->widget(2)->sizePolicy().horizontalStretch(), 7);
    }

    void widgetTables()
    {
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            const auto &g = w->mainPadPage().padWidgetGroup()[p];
            QCOMPARE(g.group->objectName(), QString("groupPad%1").arg(p + 1));
            QCOMPARE(g.lableA->objectName(), QString("labPad%1a").arg(p + 1, 2, 10, QChar('0')));
            if (p < 17)
                QCOMPARE(g.lableB->objectName(), QString("labPad%1b").arg(p + 1, 2, 10, QChar('0')));
            else
                QVERIFY(g.lableB == nullptr);
            QVERIFY(g.group->acceptDrops());
        }
        for (int i = 0; i < HH_NUM_MAX; ++i) {
            QCOMPARE(w->kitPages().view().pad.hhBoxes[i]->objectName(), QString("hh_wave%1_groupBox").arg(i + 1));
            QCOMPARE(w->kitPages().view().pad.hhNames[i]->objectName(), QString("hh_wave%1_name").arg(i + 1));
        }
        w->mainPadPage().setPadEventFilter(); // a second call changes nothing
        QVERIFY(w->mainPadPage().padWidgetGroup()[0].group->acceptDrops());
        QVERIFY(w->form()->left_stackedSoundWidget->acceptDrops());
    }

    void padMenu()
    {
        QVERIFY(w->mainPadPage().pad_menu());
        QCOMPARE(w->mainPadPage().pad_menu()->parent(), w);
        const QList<QAction *> actions = w->mainPadPage().pad_menu()->actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions[0], w->mainPadPage().pad_copy());
        QVERIFY(actions[1]->isSeparator());
        QCOMPARE(actions[2], w->mainPadPage().pad_clear());
        QCOMPARE(w->mainPadPage().pad_copy()->text(), QString("Pad Copy "));
        QCOMPARE(w->mainPadPage().pad_clear()->text(), QString("Clear Assignments"));
        QCOMPARE(w->mainPadPage().pad_menu()->minimumSize(), QSize(150, 60));
        QCOMPARE(w->mainPadPage().pad_menu()->maximumSize(), QSize(150, 60));
    }

    void fixedTexts()
    {
        QCOMPARE(w->form()->chainFunctionTitle->text(), QString("KIT CHIAN \r\nFUNCTION"));
        QCOMPARE(w->form()->btnGlobal->text(), QString("Export Global"));
        QCOMPARE(w->form()->hiHatBox->title(), QString("HH Setting"));
        QCOMPARE(w->form()->upRbtn->toolTip(), QString("Ascending Order"));
        QCOMPARE(w->form()->masterEffectComboBox->maxVisibleItems(), 10);
        QCOMPARE(w->form()->menuHelp->title(), QString("Manual"));
        QVERIFY(w->form()->waveHorizontalSlider2->styleSheet().startsWith("QSlider::groove:horizontal{height:2px;"));
    }

    void kitOneOnThePages()
    {
        QCOMPARE(w->form()->kitNameLineEdit->text(), QString("New Kit"));
        QCOMPARE(w->form()->kitVolumeSpinBox->value(), 100);
        QCOMPARE(w->form()->kitTempoSpinBox->value(), 120);
        QCOMPARE(w->form()->bottomColorComboBox->currentText(), QString("Orange"));
        QCOMPARE(w->form()->workColorComboBox->currentText(), QString("Red"));
        QCOMPARE(w->form()->pedalType->currentIndex(), 8);
        QCOMPARE(w->form()->hhLayer2SpinBox->value(), 80);
        QCOMPARE(w->form()->labLayer4->text(), QString("39"));
        QCOMPARE(w->form()->padNoComboBox->currentText(), QString("PAD1"));
        QCOMPARE(w->form()->midiCodeSpinBox->value(), 49);
        QCOMPARE(w->form()->midiChannelComboBox->currentText(), QString("Global CH"));
        QCOMPARE(w->form()->waveACenter->currentText(), QString("Center"));
        QCOMPARE(w->form()->waveAPitch->value(), 0);
        QCOMPARE(w->form()->waveADecay->currentText(), QString("OFF"));
        QCOMPARE(w->form()->mode->currentText(), QString("Wave A Only"));
        QCOMPARE(w->form()->polyMono->currentText(), QString("Poly"));
        QCOMPARE(w->form()->dynamic->currentText(), QString("ON"));
        QVERIFY(!w->form()->trigType->isEnabled());
        QVERIFY(!w->form()->velocity->isEnabled());
    }

    void defaultKitLists()
    {
        QCOMPARE(w->doc().kitAttrList().size(), 100);
        QCOMPARE(w->doc().kitNameList(), QVector<QString>(100, "New Kit"));
        QCOMPARE(w->doc().kitIndexList(), QVector<int>(100, 1));
        for (int k = 0; k < 100; ++k) {
            QCOMPARE(int(w->doc().kitAttrList()[k].kit_no), k);
            QCOMPARE(w->doc().kitPadList(k).size(), 19);
            QCOMPARE(w->doc().kitLinkList(k).size(), 5);
            for (int slot = 0; slot < 4; ++slot) {
                const QVector<MainWindow1Records::KIT_EFFECT> *list = &w->doc().kitEffectList(slot, k);
                QCOMPARE(list->size(), 24);
                QCOMPARE(int(list->at(18).parm2), 0x77);
                QCOMPARE(int(list->at(23).parm1), 999);
            }
            for (int p = 0; p < 19; ++p) {
                QCOMPARE(int(w->doc().kitAttrList()[k].kpadChunk[p].aWaveNo), 0xFFFF);
                QCOMPARE(int(w->doc().kitPadList(k)[p].midi_code), int(w->doc().kit(k).kpadChunk[p].midi_code));
            }
        }
    }

    void globalDefaults()
    {
        QCOMPARE(w->form()->version->text(), QString("1.01"));
        QCOMPARE(w->form()->labRecLevel->text(), QString("60"));
        QCOMPARE(w->form()->labAutoState->text(), QString("ON"));
        QCOMPARE(w->form()->clickOutput->text(), QString("Master&Phone"));
        QCOMPARE(w->form()->globalCH->text(), QString("10"));
        QCOMPARE(w->form()->fxCtrl2CCLabel->text(), QString("72"));
        QCOMPARE(w->form()->ledTypeComboBox->currentIndex(), 1);
        QCOMPARE(w->form()->ledLogoComboBox->currentIndex(), 1);
        QCOMPARE(w->kitPages().vecEffect().size(), 24);
        QCOMPARE(w->kitPages().vecEffect()[21], QString("DANCD-FLA-L"));
        QCOMPARE(w->kitPages().mapClickPan().value("Center"), 64);
        QCOMPARE(int(w->doc().meffChunk1(63).no), 255);
        QCOMPARE(w->doc().padTrigList1().size(), 19);
        QVERIFY(w->doc().padTrigList().isEmpty());

        auto labels = [this]() {
            return QStringList{w->form()->labType->text(),        w->form()->labSensivity->text(),
                               w->form()->curveLabel->text(),     w->form()->maskTimeLabel->text(),
                               w->form()->labRetrigLevel->text(), w->form()->antiCrossLabel->text(),
                               w->form()->thresholdLabel->text(), w->form()->labDynamicRange->text()};
        };
        QCOMPARE(labels(), (QStringList{"0", "15", "Linear", "15", "5", "5", "15", "5"}));
        w->on_globalPadComboBox_currentIndexChanged(17);
        QCOMPARE(labels(), (QStringList{"0", "50", "Linear", "15", "10", "5", "15", "5"}));
        w->on_globalPadComboBox_currentIndexChanged(19); // beyond the list: unchanged
        QCOMPARE(labels(), (QStringList{"0", "50", "Linear", "15", "10", "5", "15", "5"}));
        w->doc().takeGlobalSize(488); // old layout with no table: nothing changes
        w->on_globalPadComboBox_currentIndexChanged(0);
        QCOMPARE(labels(), (QStringList{"0", "50", "Linear", "15", "10", "5", "15", "5"}));
        w->doc().takeGlobalSize(843);
        w->on_globalPadComboBox_currentIndexChanged(0);

        w->on_masterEffectComboBox_currentIndexChanged(5);
        QCOMPARE(w->form()->effectCtrl1->text(), QString("0"));
        QCOMPARE(w->form()->effectType->text(), QString("/"));
        auto master6 = [this](quint16 param1, quint16 param2, quint8 no) {
            reloadGlobalSettings(w->doc(), w->kitPages().globalPage(), [=](KitDocument::GlobalChunk &g) {
                g.effect[6].param1 = param1;
                g.effect[6].param2 = param2;
                g.effect[6].param3 = 0;
                g.effect[6].no = no;
            });
        };
        master6(321, 999, 10);
        w->on_masterEffectComboBox_currentIndexChanged(6);
        QCOMPARE(w->form()->effectCtrl1->text(), QString("321"));
        QCOMPARE(w->form()->effectCtrl2->text(), QString("/"));
        QCOMPARE(w->form()->effectType->text(), QString("/"));
        master6(321, 999, 7);
        w->on_masterEffectComboBox_currentIndexChanged(6);
        QCOMPARE(w->form()->effectType->text(), QString("7"));
        master6(0, 0, 255);
    }

    void selectAllShortcut()
    {
        const int group = w->library().appendGroup("G");
        w->library().addSoundsToGroup(group, {{"a", "/a.wav"}, {"b", "/b.wav"}});
        w->form()->waveGroupTreeView->expandAll();
        auto *sc = w->form()->waveGroupTreeView->findChild<QShortcut *>();
        QVERIFY(sc);
        QCOMPARE(sc->key(), QKeySequence(Qt::CTRL + Qt::Key_A));
        QCOMPARE(sc->context(), Qt::WindowShortcut);
        emit sc->activated();
        // Every row, groups and sounds, is selected.
        QCOMPARE(w->form()->waveGroupTreeView->selectionModel()->selectedRows().size(),
                 w->library().soundListItemModel()->rowCount() + 2);
        w->library().deleteFromGroups({group}, {});
    }

    void theme()
    {
        const QString lightPane = w->form()->left_soundHHSet->styleSheet();
        w->shell().applyTheme(true);
        QVERIFY(w->shell().isDarkMode());
        QCOMPARE(w->form()->left_soundHHSet->styleSheet(),
                 QString("background-color:rgb(35, 35, 35); color: white; border-right:1px solid grey;"));
        QCOMPARE(w->form()->kitTempoSpinBox->styleSheet(), QString("border:1px solid black; border-bottom:none;"));
        w->shell().applyTheme(false);
        QVERIFY(!w->shell().isDarkMode());
        QCOMPARE(w->form()->left_soundHHSet->styleSheet(),
                 QString("background-color: rgb(236, 236, 236); color: black;border-right:1px solid grey;"));
        QCOMPARE(w->form()->pedalWidget->styleSheet(), QString("color:black;"));
        QCOMPARE(w->form()->totalWaveTreeView->header()->styleSheet(),
                 QString("::section{background-color: #f0f0f0;color:black;}"));
        QCOMPARE(w->form()->kitTempoSpinBox->styleSheet(), QString("border: none; border-bottom:1px solid grey;"));
        Q_UNUSED(lightPane);
    }

    void themeIconsOfSoundRows()
    {
        // The total list: only rows of locked sounds get the lock icon.
        w->library().showSounds({{5, "n", "/f.wav", false}, {6, "n", "/f.wav", false}, {7, "n", "/f.wav", false}},
                                false, true);
        const SoundListModel *total = w->library().totalListItemModel();
        const qint64 unlocked = total->soundItem(1, 0)->icon().cacheKey();
        MainWindow1Records::SOUND_INDEX locked;
        locked.wave_No = 5;
        locked.wave_lock = 0;
        MainWindow1Records::SOUND_INDEX open;
        open.wave_No = 6;
        open.wave_lock = 1;
        w->library().takeSoundRecords({locked, open});
        w->shell().applyTheme(true);
        QVERIFY(total->soundItem(0, 0)->icon().cacheKey() != unlocked);
        QCOMPARE(total->soundItem(1, 0)->icon().cacheKey(), unlocked); // not locked
        QCOMPARE(total->soundItem(2, 0)->icon().cacheKey(), unlocked); // no such sound
        w->shell().applyTheme(false);
        w->library().takeSoundRecords({});
        w->library().clearSoundRows();

        // The group tree: every sound row gets the song icon, groups keep theirs.
        const int g = w->library().appendGroup("G");
        w->library().addSoundsToGroup(g, {{"a", "/a.wav"}});
        const QStandardItem *group = w->library().soundListItemModel()->item(g);
        const qint64 light = group->child(0)->icon().cacheKey(), groupIcon = group->icon().cacheKey();
        w->shell().applyTheme(true);
        QVERIFY(group->child(0)->icon().cacheKey() != light);
        QCOMPARE(group->icon().cacheKey(), groupIcon);
        w->shell().applyTheme(false);
        w->library().deleteFromGroups({g}, {});
    }

    void constructorConnections()
    {
        MainWindow1 *m = w;
        // 1-12: every effect control box, once each, after its own slot connected by name
        // (and to the kit page, whose change each is at once, as a step).
        const QList<QSpinBox *> controls = {m->form()->effect1_ctrl1, m->form()->effect1_ctrl2, m->form()->effect1_ctrl3,
                                            m->form()->effect2_ctrl1, m->form()->effect2_ctrl2, m->form()->effect2_ctrl3,
                                            m->form()->effect3_ctrl1, m->form()->effect3_ctrl2, m->form()->effect3_ctrl3,
                                            m->form()->effect4_ctrl1, m->form()->effect4_ctrl2, m->form()->effect4_ctrl3};
        for (QSpinBox *box : controls) {
            QVERIFY2(wired(box, QOverload<int>::of(&QSpinBox::valueChanged), &m->kitPages(),
                           &KitPagesController::checkControlValue),
                     qPrintable(box->objectName()));
            QCOMPARE(SignalPeek::count(box, SIGNAL(valueChanged(int))), 3);
        }
        // 13: the group tree's item changes, once.
        SoundListsController *lists = &m->soundLists();
        QVERIFY(QObject::disconnect(m->library().soundListItemModel(), &QStandardItemModel::itemChanged, lists,
                                    &SoundListsController::renameGroupRow));
        QCOMPARE(SignalPeek::count(m->library().soundListItemModel(), SIGNAL(itemChanged(QStandardItem *))), 0);
        connect(m->library().soundListItemModel(), &QStandardItemModel::itemChanged, lists,
                &SoundListsController::renameGroupRow);
        // 17-20: the shared view actions and the total list's re-press.
        QVERIFY(wired(m->form()->waveGroupTreeView->delSoundAction(), &QAction::triggered, lists, &SoundListsController::deleteFromGroups));
        QVERIFY(wired(m->form()->totalWaveTreeView->deleteSoundAction(), &QAction::triggered, lists,
                      &SoundListsController::deleteSelectedSounds));
        QVERIFY(wired(m->form()->totalWaveTreeView->exportSoundAction(), &QAction::triggered, &m->soundFiles(),
                      &SoundFilesController::exportSelectedSounds));
        QVERIFY(wired(m->form()->totalWaveTreeView, &TotalTreeView::sendSelectItem, lists,
                      &SoundListsController::pressCurrentSound));
        // 21-25: preview loop and the kit selection dialog.
        QVERIFY(wired(&m->preview(), &PreviewController::loopPressed, &m->preview(), &PreviewController::loopChanged));
        SetupFilesController *files = &m->setupFiles();
        QVERIFY(files->skn());
        QVERIFY(wired(files, &SetupFilesController::kitChoiceNames, files->skn(), &SelectKitNo::recvKitNameList));
        QVERIFY(wired(files, &SetupFilesController::kitChoiceIndexes, files->skn(), &SelectKitNo::recvKitIndexList));
        QVERIFY(wired(files->skn(), &SelectKitNo::sendIsClose, files, &SetupFilesController::kitChoiceClosed));
        QVERIFY(wired(files->skn(), &SelectKitNo::sendKitIndexState, files, &SetupFilesController::chooseKits));
        // 27, 28: a rename, on the pads, by a load or by the pad's load, reaches both name holders.
        for (const QObject *source : {static_cast<QObject *>(&m->mainPadPage()), static_cast<QObject *>(files),
                                      static_cast<QObject *>(&m->padSync())}) {
            const char *signal = source == &m->mainPadPage() ? SIGNAL(kitNameChanged(QString, int))
                                                             : SIGNAL(kitNameRead(QString, int));
            QCOMPARE(SignalPeek::count(source, signal), 1);
        }
        emit m->padSync().kitNameRead("Both", 7);
        QCOMPARE(m->kitChains().kitChainNameList()[7] + m->doc().kitNameList()[7], QString("BothBoth"));
        // 29-34: the chains and kits the pages hand each other; each area's call for the pad's writer.
        KitChainsController *chains = &m->kitChains();
        QVERIFY(wired(&m->kitPages(), &KitPagesController::chainsRead, chains, &KitChainsController::loadChains));
        QVERIFY(wired(&m->kitPages(), &KitPagesController::chainPageLeft, chains, &KitChainsController::applyHandedOn));
        QVERIFY(wired(chains, &KitChainsController::chainsConfirmed, chains, &KitChainsController::applyHandedOn));
        QVERIFY(wired(chains, &KitChainsController::kitMoved, &m->kitPages(), &KitPagesController::moveKit));
        QCOMPARE(SignalPeek::count(&m->soundFiles(), SIGNAL(padAddsQueued())), 1);
        QCOMPARE(SignalPeek::count(lists, SIGNAL(padDeleteQueued())), 1);
        QCOMPARE(SignalPeek::count(files, SIGNAL(padUpdateWanted(int, int))), 1);
        QCOMPARE(SignalPeek::count(&m->shell(), SIGNAL(padAddsQueued())), 1);
        // 35-38: the kit copy roads.
        MainPadPageController *page = &m->mainPadPage();
        QVERIFY(wired(m->form()->kitNameLineEdit, &LineEdit::sendClickRight, page,
                      &MainPadPageController::kitCopyTargetClicked));
        QVERIFY(QObject::disconnect(page, &MainPadPageController::sourceKitChosen, m->form()->kitNameLineEdit,
                                    &LineEdit::recvSrcKit));
        connect(page, &MainPadPageController::sourceKitChosen, m->form()->kitNameLineEdit, &LineEdit::recvSrcKit);
        QVERIFY(wired(m->form()->kitNameLineEdit, &LineEdit::sendMainDstKit, page, &MainPadPageController::copyKitTo));
        QVERIFY(wired(page->kitCopy(), &CopyKitFunc::sendDstKit, page, &MainPadPageController::copyKitTo));
    }

    void padLabelConnections()
    {
        int labels = 0;
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            for (QLabel *l : {w->mainPadPage().padWidgetGroup()[p].lableA, w->mainPadPage().padWidgetGroup()[p].lableB}) {
                if (!l)
                    continue;
                ++labels;
                QVERIFY2(wired(qobject_cast<PadLabel *>(l), &PadLabel::clickRight, &w->mainPadPage(),
                               &MainPadPageController::openPadMenu),
                         qPrintable(l->objectName()));
                QVERIFY(wired(qobject_cast<PadLabel *>(l), &PadLabel::clickLeft, &w->mainPadPage(),
                              &MainPadPageController::clearHighlight));
                QCOMPARE(SignalPeek::count(l, SIGNAL(clickRight(QString))), 1);
                QCOMPARE(SignalPeek::count(l, SIGNAL(clickLeft(QString))), 1);
            }
        }
        QCOMPARE(labels, 36);
        QVERIFY(wired(w->mainPadPage().pad_clear(), &QAction::triggered, &w->mainPadPage(),
                      &MainPadPageController::clearPad));
        QVERIFY(wired(w->mainPadPage().pad_copy(), &QAction::triggered, &w->mainPadPage(),
                      &MainPadPageController::copyPad));
    }

    void saveChoiceReceivers()
    {
        QWidget *top = w->form()->topWidget;
        const QList<QAction *> actions = {w->form()->actionGlobal_Setting, w->form()->actionKit_Setiing,
                                          w->form()->actionImport_All, w->form()->actionExport_All,
                                          w->form()->actionBack_to_main_interface};
        top->setEnabled(false);
        for (QAction *a : actions)
            a->setEnabled(false);
        w->setupFiles().kitChoiceClosed(true);
        QVERIFY(w->setupFiles().isSaveClose());
        QVERIFY(!top->isEnabled());
        // No kit chosen: the save's lock-out ends (twice does no harm).
        w->setupFiles().kitChoiceClosed(false);
        w->setupFiles().kitChoiceClosed(false);
        QVERIFY(!w->setupFiles().isSaveClose());
        QVERIFY(top->isEnabled());
        for (QAction *a : actions) {
            // A hidden action reads as disabled; show it to see its own state.
            const bool visible = a->isVisible();
            a->setVisible(true);
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
            a->setVisible(visible);
        }

        // The dialog's vector replaces the choice whole.
        const QVector<int> before = w->doc().kitIndexList();
        QVector<int> chosen(100, 1);
        chosen[0] = chosen[99] = 0;
        w->setupFiles().chooseKits(chosen);
        QCOMPARE(w->doc().kitIndexList(), chosen);
        w->setupFiles().chooseKits({0, 1});
        QCOMPARE(w->doc().kitIndexList(), (QVector<int>{0, 1}));
        w->doc().takeKitSelection(before);
    }

    void soundLibraryAtStart()
    {
        // No file: one fixed "Default" group.
        QCOMPARE(w->library().soundListItemModel()->rowCount() >= 1, true);
        QStandardItem *def = w->library().soundListItemModel()->item(0);
        QCOMPARE(def->text(), QString("Default"));
        QVERIFY(!def->isEditable());
        QCOMPARE(w->library().leftGroupList(), QVector<QString>{"Default"});
        QCOMPARE(w->library().soundGroupList().size(), 1); // the groups hold it, as their file will

        // A file of two groups: the name lists run from the last group up.
        QVector<soundfilexml::strSoundGroup> groups(2);
        groups[0].name = "Default";
        groups[1].name = "Drums";
        for (const char *n : {"kick", "snare"}) {
            soundfilexml::strSoundItem s;
            s.name = n;
            s.file = QString("/s/%1.wav").arg(n);
            groups[1].soundList.append(s);
        }
        const QString file = m_work.path() + "/soundlist.xml";
        soundlists::write(file, groups);
        auto *m = new MainWindow1(WindowServices{&m_prompter, PadSystem{&m_drives}});
        m->soundLists().setWriteSoundListOnClose(false);
        QFile::remove(file);
        QCOMPARE(m->library().soundListItemModel()->rowCount(), 2);
        QVERIFY(!m->library().soundListItemModel()->item(0)->isEditable());
        QStandardItem *drums = m->library().soundListItemModel()->item(1);
        QVERIFY(drums->isEditable());
        QCOMPARE(drums->rowCount(), 2);
        QStandardItem *name = drums->child(1, 0);
        QStandardItem *path = drums->child(1, 1);
        QCOMPARE(name->text(), QString("snare"));
        QVERIFY(name->isEditable() && name->isDragEnabled() && !name->isDropEnabled());
        QCOMPARE(path->text(), QString("/s/snare.wav"));
        QVERIFY(!path->isEditable() && !path->isDropEnabled());
        QCOMPARE(m->library().leftGroupList(), (QVector<QString>{"Drums", "Default"}));
        QCOMPARE(m->library().leftSoundList()[0], (QVector<QString>{"kick", "snare"}));
        QVERIFY(m->library().leftSoundList()[1].isEmpty());
        QCOMPARE(m->library().soundGroupList().size(), 2);
        delete m;
    }

    // Saving kits as files leaves the editor's kits as they were: a close after
    // it, with the saved kit's page still open, has nothing to ask. (It comes
    // before the first close that quits: a quit ends every later modal run.)
    void closeAfterAKitFileSaveAsksNothing()
    {
        {
            setupflow_test::Fixture f;
            const QString setup = f.file("KIT_ALL.bin"), out = f.file("out");
            QVERIFY(setupflow_test::makeSetup(setup) && QDir().mkpath(out));
            f.importAll(setup);
            f.openKitPage(2);
            auto kits = [&f]() {
                QVector<QByteArray> all;
                for (const MainWindow1Records::soundKit &k : qAsConst(f.w->doc().kitAttrList()))
                    all << setupflow_test::kitSnapshot(k);
                return all;
            };
            const QVector<QByteArray> before = kits();
            f.prompter.clear();
            f.saveKits({2, 3}, out);
            QCOMPARE(f.prompter.titles().last(), QString("successfully saved."));
            QCOMPARE(kits(), before);
            f.prompter.clear();
            QVERIFY(f.w->close());
            QVERIFY(f.prompter.prompts.isEmpty());
        }
    }

    void closeAsksOnlyInDeviceMode()
    {
        ScriptedPrompter prompts;
        QPointer<MainWindow1> m = new MainWindow1(WindowServices{&prompts, PadSystem{&m_drives}});
        m->soundLists().setWriteSoundListOnClose(false);
        m->show();
        // Device mode, answer No: the window stays.
        m->pad().beginLoad(QString()); // device mode, as while the pad loads
        prompts.buttonAnswers.enqueue(QMessageBox::No);
        QVERIFY(!m->close());
        QCOMPARE(prompts.titles(), QStringList{"Confirm"});
        QCOMPARE(prompts.texts(), QStringList{"Quit?"});
        QCOMPARE(prompts.prompts[0].kind, ScriptedPrompter::Question);
        QCOMPARE(prompts.prompts[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(prompts.prompts[0].defaultButton, QMessageBox::No);
        QCOMPARE(prompts.prompts[0].parent, static_cast<QWidget *>(m.data()));
        QVERIFY(m->isVisible());
        // Yes without the pad's drive: told so, the window stays offline and,
        // with nothing changed, the next close quits without a question.
        prompts.buttonAnswers.enqueue(QMessageBox::Yes);
        QVERIFY(!m->close());
        QCOMPARE(prompts.titles(), (QStringList{"Confirm", "Confirm", "Error"}));
        QVERIFY(prompts.texts().last().startsWith("The 350 device was disconnected."));
        QVERIFY(m->pad().isUDiskFlag() && m->isVisible());
        QVERIFY(m->close());
        QCOMPARE(prompts.prompts.size(), 3);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m.isNull());

        // Offline with nothing changed (pages visited): no question at all.
        prompts.clear();
        m = new MainWindow1(WindowServices{&prompts, PadSystem{&m_drives}});
        m->soundLists().setWriteSoundListOnClose(false);
        m->show();
        m->form()->btnSoundKit->click();
        m->form()->btnKitChain->click();
        QVERIFY(m->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m.isNull());
        QVERIFY(prompts.prompts.isEmpty());

        // Offline with an unsaved edit, still pending on the kit page: the
        // device mode's question; No keeps the window, Yes quits.
        m = new MainWindow1(WindowServices{&prompts, PadSystem{&m_drives}});
        m->soundLists().setWriteSoundListOnClose(false);
        m->show();
        m->form()->btnSoundKit->click();
        m->form()->kitVolumeSpinBox->setValue(m->form()->kitVolumeSpinBox->value() - 1);
        QVERIFY(!m->close());
        QCOMPARE(prompts.titles() + prompts.texts(), QStringList({"Confirm", "Quit?"}));
        QCOMPARE(prompts.prompts[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(prompts.prompts[0].defaultButton, QMessageBox::No);
        prompts.buttonAnswers.enqueue(QMessageBox::Yes);
        QVERIFY(m->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m.isNull());
    }

    // A close from the window system while an edit lets the window paint
    // (a blank kit name about to be refused) waits for that edit: the
    // refusal first, then the close's question.
    void closeDuringAnEditWaitsForIt()
    {
        {
            setupflow_test::Fixture f;
            f.w->show();
            QApplication::setActiveWindow(f.w);
            f.editKit(2, [](MainWindow1Records::soundKit &k) { k.kit_volume = 3; }); // unsaved
            f.typeKitNumber("3");
            Ui::MainWindow1 *ui = f.w->form();
            QTest::mouseClick(ui->kitNameLineEdit, Qt::LeftButton);
            ui->kitNameLineEdit->selectAll();
            QTest::keyClick(ui->kitNameLineEdit, Qt::Key_Delete);
            f.prompter.clear();
            QCoreApplication::postEvent(f.w, new QCloseEvent);
            QTest::keyClick(ui->kitNameLineEdit, Qt::Key_Return);
            QTRY_COMPARE(f.prompter.texts(), QStringList({"Kit name can't be blank!", "Quit?"}));
            QVERIFY(f.w->isVisible()); // answered No
        }
    }

    void recvCloseStoresTheFlag()
    {
        QCOMPARE(w->quitFlag(), 1);
        w->recvClose(0);
        QCOMPARE(w->quitFlag(), 0);
        w->recvClose(1);
        QCOMPARE(w->quitFlag(), 1);
    }

    void defaultChoiceIsOffline()
    {
        QCOMPARE(w->padSync().loopFlag1(), 1);
        w->padSync().chooseDrive(QString());
        QVERIFY(w->pad().isUDiskFlag());
        QCOMPARE(w->padSync().loopFlag1(), 0);
        MainWindow1 other(WindowServices{&m_prompter, PadSystem{&m_drives}});
        other.soundLists().setWriteSoundListOnClose(false);
        other.padSync().chooseDrive("Device Unconnect(Default)");
        QCOMPARE(other.padSync().loopFlag1(), 0);
        QVERIFY(!other.padSync().fileErrCloseWindow());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
