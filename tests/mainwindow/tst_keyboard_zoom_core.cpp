#include "base/messages.h"
#include "config/modglobal.h"
#include "flow/cardnotation.h"
#include "flow/modzoom.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTest>

// What needs no window: reading typed cards against the board, and the zoom's steps and their setting.
using cardnotation::Problem;

namespace {

QString Names(const cardnotation::Entry& entry) {
    QStringList names;
    for (int i = 0; i < entry.count; ++i)
        names << testsupport::Card_Name(entry.cards[i]);
    return names.join(QLatin1Char(' '));
}

} // namespace

class TestKeyboardZoomCore : public QObject {
    Q_OBJECT
    QList<msg::Message> shown;

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        msg::Set_Message_Handler([this](const msg::Message& m) { shown << m; });
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        testsupport::Reset_Program_State();
        modZoom::Reset_Zoom();
        QFile::remove(modGlobal::Settings_File());
        QDir().mkpath(modGlobal::Settings_Folder()); // as the start-up form's load leaves it
        shown.clear();
    }

    // board: the cards chosen before the entry; cards: what the entry chooses, in order; or the problem
    // and the token at fault.
    void entries_data() {
        QTest::addColumn<QString>("board");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cards");
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("token");
        const int none = static_cast<int>(Problem::None);
        const int bad = static_cast<int>(Problem::NotACard);
        const int chosen = static_cast<int>(Problem::AlreadyChosen);
        const int twice = static_cast<int>(Problem::Repeated);
        // clang-format off
        QTest::newRow("separated") << "" << "As Kh" << "As Kh" << none << "";
        QTest::newRow("lower case") << "" << "ah kd 2c" << "Ah Kd 2c" << none << "";
        QTest::newRow("ten as 10") << "" << "10s" << "Ts" << none << "";
        QTest::newRow("ten as T, run together") << "" << "Td9d" << "Td 9d" << none << "";
        QTest::newRow("commas and blanks") << "" << " 10h,9C ;  QS " << "Th 9c Qs" << none << "";
        QTest::newRow("suit symbols") << "" << "A\u2660 K\u2665 2\u2663 3\u2666" << "As Kh 2c 3d" << none << "";
        QTest::newRow("empty") << "" << "   " << "" << none << "";
        QTest::newRow("flop after the hole cards") << "As Kh" << "2c 3c 4c" << "2c 3c 4c" << none << "";
        QTest::newRow("unknown suit") << "" << "As Kx 2c" << "" << bad << "Kx";
        QTest::newRow("unknown suit run together") << "" << "AsKx2c" << "" << bad << "Kx2c";
        QTest::newRow("rank alone") << "" << "As K" << "" << bad << "K";
        QTest::newRow("one is no rank") << "" << "1s" << "" << bad << "1s";
        QTest::newRow("typed twice") << "" << "As Kh as" << "" << twice << "as";
        QTest::newRow("already chosen") << "As 2c" << "Kh As" << "" << chosen << "As";
        QTest::newRow("seventh card starts a new hand")
            << "8s 9s 2s 3s Kh Ad" << "Qc 8s 9s" << "Qc 8s 9s" << none << "";
        QTest::newRow("chosen before the seventh") << "8s 9s 2s 3s Kh" << "8s" << "" << chosen << "8s";
        QTest::newRow("past the turn, only the new hand counts") << "8s 9s 2s 3s Kh" << "Qc Kd Qc 8s" << "Kd Qc 8s" << none << "";
        QTest::newRow("more cards than the deck, hand after hand") << "" << QString("AsKsQsJsTs9s").repeated(9) << "As Ks Qs Js Ts 9s" << none << "";
        // clang-format on
    }
    void entries() {
        QFETCH(QString, board);
        QFETCH(QString, typed);
        QFETCH(QString, cards);
        QFETCH(int, problem);
        QFETCH(QString, token);
        testsupport::Play(board);
        const cardnotation::Entry entry = cardnotation::Read_Entry(typed);
        QCOMPARE(static_cast<int>(entry.problem), problem);
        QCOMPARE(Names(entry), cards);
        QCOMPARE(typed.mid(entry.errorStart, entry.errorLength), token);
        QCOMPARE(cardnotation::Problem_Text(entry.problem).isEmpty(), problem == 0);
    }

    void steps_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("nearest");
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("below the first") << -40 << 100 << 125 << 100;
        QTest::newRow("112 to 100") << 112 << 100 << 125 << 100;
        QTest::newRow("113 to 125") << 113 << 125 << 150 << 100;
        QTest::newRow("halfway goes down") << 225 << 200 << 250 << 175;
        QTest::newRow("226 to 250") << 226 << 250 << 300 << 200;
        QTest::newRow("300 stays") << 300 << 300 << 300 << 250;
        QTest::newRow("beyond the last") << 1000 << 300 << 300 << 250;
    }
    void steps() {
        QFETCH(int, percent);
        QFETCH(int, nearest);
        QFETCH(int, in);
        QFETCH(int, out);
        QCOMPARE(modZoom::Nearest_Step(percent), nearest);
        QCOMPARE(modZoom::Next_Step(percent, 1), in);
        QCOMPARE(modZoom::Next_Step(percent, -1), out);
    }

    // The largest step at which the window (983 x 306 pixels at 100% with legend, key and panel) fits the
    // available area, in a frame that does not zoom; a stored zoom is lowered to it, never raised.
    void fitting_step_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<int>("largest");
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QSize(0, 0) << 175;
        QTest::newRow("the frame tips it") << QSize(1721, 1080) << QSize(2, 30) << 150;
        QTest::newRow("the height decides") << QSize(3840, 700) << QSize(0, 0) << 200;
        QTest::newRow("not even 100%") << QSize(800, 600) << QSize(0, 0) << 100;
    }
    void fitting_step() {
        QFETCH(QSize, available);
        QFETCH(QSize, frame);
        QFETCH(int, largest);
        QCOMPARE(modZoom::Largest_Fitting_Step(QSizeF(983, 306), frame, available), largest);
        modZoom::ZoomPercent = 300;
        QVERIFY(modZoom::Limit_Zoom(largest) && modZoom::ZoomPercent == largest && !modZoom::Limit_Zoom(300));
    }

    // The stored zoom, read as the program starts: only a step; anything else reads as 100 and leaves
    // the file as it is.
    void stored_zoom_data() {
        QTest::addColumn<QString>("stored"); // enciphered unless it starts with '!'
        QTest::addColumn<int>("zoom");
        QTest::newRow("a step") << "250" << 250;
        QTest::newRow("between steps") << "180" << 175;
        QTest::newRow("out of range") << "400" << 100;
        QTest::newRow("damaged") << "!1x2" << 100;
    }
    void stored_zoom() {
        QFETCH(QString, stored);
        QFETCH(int, zoom);
        modZoom::ZoomPercent = 150;
        if (stored.startsWith(QLatin1Char('!')))
            QVERIFY(modGlobal::PutIniValue(modGlobal::Section, modZoom::ZoomKey, stored.mid(1),
                                           modGlobal::Settings_File()));
        else if (!stored.isEmpty())
            QVERIFY(modGlobal::Put_Setting(modZoom::ZoomKey, stored));
        const QByteArray before = testsupport::Read_File(modGlobal::Settings_File());
        modZoom::Load_Zoom();
        QCOMPARE(modZoom::ZoomPercent, zoom);
        QCOMPARE(testsupport::Read_File(modGlobal::Settings_File()), before);
        QVERIFY(shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestKeyboardZoomCore)
#include "tst_keyboard_zoom_core.moc"
