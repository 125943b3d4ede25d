#include "base/translation.h"
#include "config/modglobal.h"
#include "tests/support/mainwindowtest.h"

#include <QMenu>
#include <QTableWidget>
#include <QTest>

// The program in the user's language: German where the locale asks for it, today's English texts
// everywhere else; the settings file the same in every language.
class TestTranslation : public testsupport::MainWindowTest {
    Q_OBJECT
  private slots:
    void initTestCase() { Start_Test_Case({{"AK s", "1", "Best", "3", "2", "1"}}); }
    void cleanup() {
        translation::Remove();
        MainWindowTest::cleanup();
    }

    void start_in_the_locale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("german");
        QTest::newRow("German in Germany") << "de_DE" << true;
        QTest::newRow("German in Austria") << "de_AT" << true;
        QTest::newRow("English") << "en_US" << false;
        QTest::newRow("French, without a translation") << "fr_FR" << false;
    }
    void start_in_the_locale() {
        QFETCH(QString, locale);
        QFETCH(bool, german);
        QCOMPARE(translation::Install(QLocale(locale)), german);
        Open_Window(1);
        QStringList menus;
        for (const char* name : {"mnuFile", "mnuHelp"})
            menus << Get<QMenu>(QString::fromLatin1(name))->title();
        menus << Action("mnuFileMarks")->text() << Action("mnuFileExit")->text();
        QCOMPARE(menus.join(QLatin1Char('|')),
                 german ? QStringLiteral("&Datei|&Hilfe|Kategorie-&Marken|&Beenden")
                        : QStringLiteral("&File|&Help|Category &Marks|E&xit"));
        Play("As Ks");
        QCOMPARE(Text("lblSuited"), german ? QStringLiteral("AK s - Top (3/1) [2] G1")
                                           : QStringLiteral("AK s - Best (3/1) [2] G1"));
        Play("2s 3h 4d");
        QCOMPARE(Get<QTableWidget>("grdHands")->item(0, 0)->text(),
                 german ? QStringLiteral("H\u00F6chste Karte") : QStringLiteral("High Card"));
        QCOMPARE(Text("lblCurrent"), german ? QStringLiteral("Flop - Pot f\u00FCr Rat eingeben")
                                            : QStringLiteral("Flop - Enter Pot for Strategy"));
        // The settings keep their keys and values whatever the language.
        Action("mnuFileMarks")->trigger();
        QCOMPARE(modGlobal::Get_Optional_Setting(QStringLiteral("MARKS"), 0, 0, 1), 1);
        QVERIFY(testsupport::Read_File(modGlobal::Settings_File()).contains("\nOPTIONS="));
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
