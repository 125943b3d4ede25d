#include "tests/support/mainwindowtest.h"

#include "config/modglobal.h"

#include <QFile>
#include <QLocale>
#include <QStandardPaths>

namespace testsupport {

void MainWindowTest::Start_Test_Case(const QList<StatsRow>& stats) {
    // A home of its own, so that no other test program running beside this one shares its settings file.
    QVERIFY(homeDir_.isValid());
    qputenv("HOME", QFile::encodeName(homeDir_.path()));
    QStandardPaths::setTestModeEnabled(true);
    msg::Set_Message_Handler([this](const msg::Message& m) { shown << m; });
    QVERIFY(statsDir_.isValid());
    QVERIFY(Write_Stats_File(statsDir_.filePath(advice::StatsFileName), stats));
    advice::Set_Stats_Folder(statsDir_.path());
}

void MainWindowTest::init() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QFile::remove(modGlobal::Settings_File());
    modZoom::Reset_Zoom();
    shown.clear();
}

void MainWindowTest::Open_Window(Long options, double minBet, double maxBet) {
    window.reset();
    Reset_Program_State();
    modGlobal::Load_Settings(); // creates the settings file, as start-up does
    modGlobal::OPTIONS = options;
    modGlobal::MINBET = minBet;
    modGlobal::MAXBET = maxBet;
    modGlobal::NUMRAISES = 3;
    modGlobal::POTSIZEAVG = 40;
    window = std::make_unique<frmMain>();
    QVERIFY(Show_Active(window.get()));
}

void MainWindowTest::Play(const QString& hand) {
    for (const Step& step : Steps(hand)) {
        if (step.kind == Step::Clear) {
            QTest::mouseClick(Get(QStringLiteral("cmdClear")), Qt::LeftButton);
        } else if (step.kind == Step::Tick) {
            Check(step.card)->setChecked(true);
        } else {
            // A click on a card chooses or releases it as the board has it: the hand says which it means.
            if (const bool chosen = Check(step.card)->isChecked(); chosen != (step.kind == Step::Release))
                qFatal("%s is %s chosen", qPrintable(Card_Name(step.card)), chosen ? "already" : "not");
            QTest::mouseClick(Get(QStringLiteral("imgCard_%1").arg(step.card)), Qt::LeftButton);
        }
    }
}

} // namespace testsupport
