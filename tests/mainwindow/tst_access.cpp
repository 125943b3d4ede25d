#include "config/modglobal.h"
#include "mainwindow/frmmain.h"
#include "tests/support/mainwindowtest.h"
#include "widgets/cardface.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleTableInterface>
#include <QImage>
#include <QTest>

// The window for every player: what the accessibility tools are told, the card table walked with the
// keyboard, and the marks of the frames' colours.
class TestAccess : public testsupport::MainWindowTest {
    Q_OBJECT
    QAccessibleInterface* Told(const QString& name) const {
        return QAccessible::queryAccessibleInterface(Get(name));
    }
    QWidget* Card_Widget(const char* kind, const QString& card) const {
        return Get(QStringLiteral("%1_%2").arg(QLatin1String(kind)).arg(testsupport::Card(card)));
    }
    // The card table and the legend as the window shows them.
    QImage Table() const {
        const QRect cards = Get("lblValue_0")->geometry().united(Get("lblValue_51")->geometry());
        const QRect legend = Get("lblLegend_0")->geometry().united(Get("lblLegend_6")->geometry());
        return window->centralWidget()->grab(cards.united(legend)).toImage();
    }

  private slots:
    void initTestCase() { Start_Test_Case({{"AK s", "1", "Best", "3", "2", "1"}}); }

    // What a sighted player sees of a card, told as a check box checked while it is chosen; the tools'
    // toggle chooses or releases it as a click does.
    void cards_told_data() {
        QTest::addColumn<QString>("hand");
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        // clang-format off
        QTest::newRow("chosen") << "As Kd" << "As" << "Ace of spades" << "chosen";
        QTest::newRow("unseen before the flop") << "As Kd" << "2c" << "Two of clubs" << "";
        QTest::newRow("ticked alone, its frame as it was") << "~Th" << "Th" << "Ten of hearts" << "seen";
        QTest::newRow("makes a flush") << "8s 9s 2s 3s Kh" << "4s" << "Four of spades" << "makes a Flush";
        QTest::newRow("makes a pair") << "8s 9s 2s 3s Kh" << "8h" << "Eight of hearts" << "makes a Pair";
        QTest::newRow("improves nothing") << "8s 9s 2s 3s Kh" << "4h" << "Four of hearts" << "no better hand";
        QTest::newRow("the top colour") << "As Ah Ad Kc Qc" << "Ac" << "Ace of clubs"
                                        << "makes a Straight Flush or a 4 Of A Kind";
        // clang-format on
    }
    void cards_told() {
        QFETCH(QString, hand);
        QFETCH(QString, card);
        QFETCH(QString, name);
        QFETCH(QString, description);
        Open_Window();
        Play(hand);
        QAccessibleInterface* face = Told(Card_Widget("imgCard", card)->objectName());
        QCOMPARE(face->role(), QAccessible::CheckBox);
        QCOMPARE(face->text(QAccessible::Name) + QLatin1Char('|') + face->text(QAccessible::Description),
                 name + QLatin1Char('|') + description);
        QVERIFY(face->state().checkable && face->state().focusable);
        const bool chosen = Check(testsupport::Card(card))->isChecked();
        QCOMPARE(face->state().checked, chosen);
        face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(Check(testsupport::Card(card))->isChecked(), !chosen);
        QCOMPARE(face->state().checked, !chosen);
    }

    void controls_named_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("outs with its caption") << "lblOuts" << "# Outs: 23";
        QTest::newRow("hit percentage") << "lblHitPct" << "Hit %: 48.9%";
        QTest::newRow("hands grid") << "grdHands" << "Hand Possibilities";
        QTest::newRow("results grid") << "grdResults" << "Action To Take";
        QTest::newRow("legend row") << "lblLegend_2" << "Flush";
        QTest::newRow("suit icon") << "Image1" << "spades";
        QTest::newRow("panel figure, blank") << "lblWinPct" << "Win:";
        QTest::newRow("pot box, by its caption") << "txtPot" << "Est Pot:";
        // clang-format on
    }
    void controls_named() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        Open_Window(1);
        Play("8s 9s 2s 3s Kh");
        QCOMPARE(Told(control)->text(QAccessible::Name), name);
        QCOMPARE(Told("lblLegend_2")->text(QAccessible::Description), QStringLiteral("light blue"));
        QAccessibleTableInterface* hands = Told("grdHands")->tableInterface();
        QCOMPARE(hands->rowCount(), 3);
        QCOMPARE(hands->cellAt(2, 0)->text(QAccessible::Name), QStringLiteral("Flush"));
    }

    // Shift+Tab from the pot box reaches the card table; the arrows walk it and stop at its edges; Space
    // and Enter choose and release with the focus staying; Tab leaves it and comes back to the card walked
    // to last; a click still ends in the pot box.
    void keyboard_walk_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("chosen");
        // clang-format off
        QTest::newRow("first stop") << "" << "2s" << "";
        QTest::newRow("right and down") << "Right Right Down" << "4h" << "";
        QTest::newRow("edges stop") << "Left Up Down Down Down Down" << "2d" << "";
        QTest::newRow("across the ranks") << QString("Right ").repeated(14) << "As" << "";
        QTest::newRow("space and enter choose") << "Right Space Down Enter" << "3h" << "3s 3h";
        QTest::newRow("enter releases") << "Space Right Space Left Enter" << "2s" << "3s";
        QTest::newRow("Tab and back") << "Down Tab Backtab Space" << "2h" << "2h";
        // clang-format on
    }
    void keyboard_walk() {
        QFETCH(QString, keys);
        QFETCH(QString, focused);
        QFETCH(QString, chosen);
        Open_Window();
        const QImage unfocused = Get("lblValue_0")->grab().toImage();
        QTest::keyClick(Get("txtPot"), Qt::Key_Backtab, Qt::ShiftModifier);
        const QMap<QString, Qt::Key> named{{"Left", Qt::Key_Left},   {"Right", Qt::Key_Right},
                                           {"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},
                                           {"Space", Qt::Key_Space}, {"Enter", Qt::Key_Return},
                                           {"Tab", Qt::Key_Tab},     {"Backtab", Qt::Key_Backtab}};
        for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QTest::keyClick(QApplication::focusWidget(), named.value(key));
        QCOMPARE(QApplication::focusWidget(), Card_Widget("imgCard", focused));
        const QStringList cards = chosen.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(modOdds::CardsChosen, cards.size());
        for (const QString& card : cards) // chosen as by a click: the frame black
            QCOMPARE(Card_Widget("lblValue", card)->property("BackColor").toUInt(), BlackColour);
        // The focus frame shows on the focused card's frame, and on no other.
        if (!cards.contains(focused))
            QVERIFY(Card_Widget("lblValue", focused)->grab().toImage() != unfocused);
        if (focused != QLatin1String("2s")) QCOMPARE(Get("lblValue_0")->grab().toImage(), unfocused);
        Play("Kc");
        QCOMPARE(QApplication::focusWidget(), Get("txtPot"));
    }

    // Checked, every coloured frame carries its mark above the rank, and the legend beside the hand
    // captions; at every zoom the face below the mark is as it was, and the mark covers no ink of it.
    // Unchecked, the table and the legend are exactly as before. The setting is kept.
    void marks_data() {
        QTest::addColumn<int>("zoomSteps");
        for (int steps : {0, 1, 2, 4, 6})
            QTest::addRow("zoom step %d", steps) << steps;
    }
    void marks() {
        QFETCH(int, zoomSteps);
        Open_Window(1);
        for (int i = 0; i < zoomSteps; ++i)
            Action("mnuFileZoomIn")->trigger();
        Play("8s 9s 2s 3s Kh");
        const QImage plain = Table();
        Action("mnuFileMarks")->trigger();
        QCOMPARE(modGlobal::Get_Optional_Setting(frmMain::KeyMarks, 0, 0, 1), 1);
        const QImage marked = Table();
        const QPoint origin = Get("lblValue_0")->pos();
        for (const auto& [card, letters] : {std::pair{"4s", "F"}, {"8h", "P"}, {"4h", ""}, {"8s", ""}}) {
            const auto* mark = Get<CategoryMark>(QStringLiteral("mrkCard_%1").arg(testsupport::Card(card)));
            QCOMPARE(mark->isVisible() ? mark->Letters() : QString(), QLatin1String(letters));
            const QRect face = Card_Widget("imgCard", QLatin1String(card))->geometry().translated(-origin);
            const int edge = qCeil(face.width() * 0.2);
            for (int y = face.top() + edge; y <= face.bottom(); ++y)
                for (int x = face.left() + edge; x <= face.right() - edge; ++x) {
                    if (y > mark->geometry().bottom() - origin.y())
                        QCOMPARE(marked.pixel(x, y), plain.pixel(x, y));
                    else
                        QVERIFY(qGray(plain.pixel(x, y)) > 140);
                }
        }
        QVERIFY(Get("mrkLegend_2")->isVisible());
        Action("mnuFileMarks")->trigger();
        QCOMPARE(Table(), plain);
        QCOMPARE(modGlobal::Get_Optional_Setting(frmMain::KeyMarks, 0, 0, 1), 0);
    }

    // The next window shows the marks as the setting says; before the flop the legend's advice words go
    // without them.
    void marks_kept() {
        Open_Window(1);
        Action("mnuFileMarks")->trigger();
        Open_Window(1);
        QVERIFY(Action("mnuFileMarks")->isChecked());
        Play("As Ks");
        QVERIFY(!Get("mrkLegend_0")->isVisible());
        Play("Qs");
        QCOMPARE(Get<CategoryMark>("mrkLegend_0")->isVisible(), true);
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
