#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "flow/modrange.h"
#include "mainwindow/frmrange.h"
#include "showdown/rangenotation.h"
#include "tests/support/mainwindowtest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

// The range dialog as the player works it, with the mouse and the keyboard, and the range it leaves in
// the showdown panel and in the settings file.
class TestRangeDialog : public testsupport::MainWindowTest {
    Q_OBJECT
    QPointer<frmRange> dialog;

    frmRange* Open_Dialog() {
        dialog = new frmRange(window.get());
        connect(dialog, &frmRange::rangeChanged, window.get(), [this] { window->Follow_Range(); });
        if (!testsupport::Show_Active(dialog)) qFatal("the dialog did not come up");
        return dialog;
    }
    QPoint Cell(const QStringList& step, int at) const {
        const int row = step[at].toInt(), column = step[at + 1].toInt();
        return QPoint((2 * column + 1) * dialog->grdRange->width() / 26,
                      (2 * row + 1) * dialog->grdRange->height() / 26);
    }
    // "type AKs", "click 0 0", "drag 1 1 1 3", "key Down", "pct 2", "group 2".
    void Run(const QString& steps) {
        for (const QString& text : steps.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList step = text.trimmed().split(QLatin1Char(' '));
            QWidget* grid = dialog->grdRange;
            if (step[0] == QLatin1String("type")) {
                dialog->txtRange->selectAll();
                QTest::keyClicks(dialog->txtRange, step.mid(1).join(QLatin1Char(' ')));
            } else if (step[0] == QLatin1String("click")) {
                QTest::mouseClick(grid, Qt::LeftButton, {}, Cell(step, 1));
            } else if (step[0] == QLatin1String("drag")) {
                QTest::mousePress(grid, Qt::LeftButton, {}, Cell(step, 1));
                QMouseEvent move(QEvent::MouseMove, Cell(step, 3), grid->mapToGlobal(Cell(step, 3)),
                                 Qt::NoButton, Qt::LeftButton, {});
                QApplication::sendEvent(grid, &move);
                QTest::mouseRelease(grid, Qt::LeftButton, {}, Cell(step, 3));
            } else if (step[0] == QLatin1String("key")) {
                grid->setFocus();
                const QMap<QString, Qt::Key> keys{{"Up", Qt::Key_Up},
                                                  {"Down", Qt::Key_Down},
                                                  {"Left", Qt::Key_Left},
                                                  {"Right", Qt::Key_Right},
                                                  {"Space", Qt::Key_Space}};
                QTest::keyClick(grid, keys[step[1]]);
            } else if (step[0] == QLatin1String("pct")) {
                dialog->sldRangePct->setValue(step[1].toInt());
            } else if (step[0] == QLatin1String("group")) {
                dialog->spnRangeGroup->setValue(step[1].toInt());
            }
        }
    }
    // The panel's line whole (its tooltip); the label shows it cut to its width with an ellipsis.
    QString Line() const {
        const auto* label = Get<QLabel>("lblRange");
        if (label->text() != label->toolTip() && !label->text().endsWith(QChar(0x2026))) return label->text();
        return label->toolTip();
    }
    QString Stored() const {
        const QString raw =
            modGlobal::GetIniValue(modGlobal::Section, modRange::RangeKey, modGlobal::Settings_File());
        return raw.isEmpty() ? QString() : modEncrypt::Decrypt(raw);
    }

  private slots:
    void initTestCase() {
        // Ranks with a tie at 3; top 1% is QQ+ and AKs (22 hands), top 2% adds AKo.
        Start_Test_Case({{"AA", "1", "Best", "1", "1", "1"},
                         {"KK", "1", "Best", "2", "1", "1"},
                         {"AK s", "1", "Better", "3", "2", "2"},
                         {"QQ", "1", "Better", "3", "2", "2"},
                         {"AK", "1", "Good", "5", "1", "3"}});
    }

    void operation_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("combos");
        QTest::addColumn<QString>("focus"); // what the accessibility tools are told of the focus cell
        QTest::newRow("a click adds a class") << "type AKs; click 0 0"
                                              << "AA, AKs"
                                              << ""
                                              << "10 combos (0.8%)"
                                              << "AA: in the range";
        QTest::newRow("a click takes one out") << "type QQ+; click 1 1"
                                               << "AA, QQ"
                                               << ""
                                               << "12 combos (0.9%)"
                                               << "KK: not in the range";
        QTest::newRow("a drag sets every cell crossed") << "type KQs; drag 1 1 1 3"
                                                        << "KK, KJs+"
                                                        << ""
                                                        << "14 combos (1.1%)"
                                                        << "KJs: in the range";
        QTest::newRow("a drag clears as its first cell") << "type AA KK QQ JJ; drag 0 0 2 2"
                                                         << "JJ"
                                                         << ""
                                                         << "6 combos (0.5%)"
                                                         << "QQ: not in the range";
        QTest::newRow("arrows and Space") << "type AA; key Down; key Right; key Space"
                                          << "KK+"
                                          << ""
                                          << "12 combos (0.9%)"
                                          << "KK: in the range";
        QTest::newRow("arrows stop at the edge") << "type AA KK; key Up; key Left; key Space"
                                                 << "KK"
                                                 << ""
                                                 << "6 combos (0.5%)"
                                                 << "AA: not in the range";
        QTest::newRow("the slider") << "pct 2"
                                    << "QQ+, AKs, AKo"
                                    << ""
                                    << "34 combos (2.6%)"
                                    << "AA: in the range";
        QTest::newRow("the group box") << "group 2"
                                       << "QQ+, AKs"
                                       << ""
                                       << "22 combos (1.7%)"
                                       << "AA: in the range";
        QTest::newRow("a refusal keeps the last range") << "type AKs, XX"
                                                        << "AKs, XX"
                                                        << "XX"
                                                        << "4 combos (0.3%)"
                                                        << "AA: not in the range";
    }
    void operation() {
        QFETCH(QString, steps);
        QFETCH(QString, text);
        QFETCH(QString, refused);
        QFETCH(QString, combos);
        QFETCH(QString, focus);
        Open_Window();
        Open_Dialog();
        Run(steps);
        QCOMPARE(dialog->txtRange->text(), text);
        if (!refused.isEmpty()) QVERIFY(dialog->lblRangeProblem->text().contains(refused));
        QCOMPARE(dialog->lblRangeProblem->text().isEmpty(), refused.isEmpty());
        QCOMPARE(dialog->lblRangeCombos->text(), combos);
        QCOMPARE(dialog->grdRange->accessibleDescription(), focus);
        if (steps.startsWith(QLatin1String("pct")))
            QCOMPARE(dialog->lblRangePct->text(), QStringLiteral("Top 2%"));
    }

    // The panel follows the range while it is edited; OK and Enter keep it, Cancel and Escape go back.
    void ok_and_cancel_data() {
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("line");
        QTest::newRow("OK") << "cmdRangeOk"
                            << "QQ+, AKs, AKo"
                            << "vs top 2% (34 combos)";
        QTest::newRow("Enter") << "Return"
                               << "QQ+, AKs, AKo"
                               << "vs top 2% (34 combos)";
        QTest::newRow("Cancel") << "cmdRangeCancel"
                                << ""
                                << "vs any two cards";
        QTest::newRow("Escape") << "Escape"
                                << ""
                                << "vs any two cards";
    }
    void ok_and_cancel() {
        QFETCH(QString, close);
        QFETCH(QString, stored);
        QFETCH(QString, line);
        Open_Window();
        Action("mnuFileShowdown")->trigger();
        Open_Dialog();
        Run(QStringLiteral("pct 2"));
        QCOMPARE(Line(), QStringLiteral("vs top 2% (34 combos)"));
        if (close.startsWith(QLatin1String("cmd")))
            QTest::mouseClick(testsupport::Child(dialog, close), Qt::LeftButton);
        else
            QTest::keyClick(dialog->sldRangePct,
                            close == QLatin1String("Return") ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(!dialog || dialog->Is_Unloaded());
        QCOMPARE(Stored(), stored);
        QCOMPARE(Line(), line);
        Open_Window(); // a new start reads it back
        Action("mnuFileShowdown")->trigger();
        QCOMPARE(Line(), line);
    }

    // A missing or damaged key reads as any two cards and stays as it is in the file.
    void stored_range_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("line");
        QTest::newRow("missing") << ""
                                 << "vs any two cards";
        QTest::newRow("keys out of range") << "zzzAKsz"
                                           << "vs any two cards";
        QTest::newRow("not a range") << modEncrypt::Encrypt(QStringLiteral("AK, XX")) << "vs any two cards";
        QTest::newRow("no hand") << modEncrypt::Encrypt(QString()) << "vs any two cards";
        QTest::newRow("a range") << modEncrypt::Encrypt(QStringLiteral("ak")) << "vs AKs, AKo";
        QTest::newRow("a long range") << modEncrypt::Encrypt(QStringLiteral("22+ A2s+ K2s+ Q2s+ J2s+"))
                                      << "vs 22+, A2s+, K2s+, Q2s+, J2s+";
    }
    void stored_range() {
        QFETCH(QString, raw);
        QFETCH(QString, line);
        Open_Window();
        if (!raw.isEmpty())
            modGlobal::PutIniValue(modGlobal::Section, modRange::RangeKey, raw, modGlobal::Settings_File());
        Open_Window();
        Action("mnuFileShowdown")->trigger();
        QCOMPARE(Line(), line);
        QCOMPARE(modGlobal::GetIniValue(modGlobal::Section, modRange::RangeKey, modGlobal::Settings_File()),
                 raw);
    }

    // A range whose notation the settings file cannot hold is used and said not to be kept, never cut.
    void too_long_to_keep() {
        Open_Window();
        Action("mnuFileShowdown")->trigger();
        Open_Dialog();
        QStringList hands; // one offsuit hand of each of 78 classes: 466 characters
        const QString ranks = QStringLiteral("AKQJT98765432");
        for (int i = 0; i < 13; ++i)
            for (int j = i + 1; j < 13; ++j)
                hands << ranks[i] + QStringLiteral("s") + ranks[j] + QStringLiteral("h");
        Run(QStringLiteral("type ") + hands.join(QLatin1Char(' ')));
        QTest::mouseClick(dialog->cmdRangeOk, Qt::LeftButton);
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QLatin1String("too long")));
        QCOMPARE(Stored(), QString());
        QCOMPARE(Line(), QStringLiteral("vs ") + hands.join(QLatin1String(", ")));
    }

    // The dialog follows the zoom while it is open, is built at the zoom of the moment, and writes numbers
    // as the locale does.
    void zoom_and_locale() {
        Open_Window();
        const QSize at100 = Open_Dialog()->size();
        const double points = dialog->grdRange->font().pointSizeF();
        for (int step = 0; step < 4; ++step) // 125, 150, 175, 200
            Action("mnuFileZoomIn")->trigger();
        QCOMPARE(dialog->size(), at100 * 2);
        QCOMPARE(dialog->grdRange->font().pointSizeF(), 2 * points);
        dialog->close();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Open_Dialog();
        Run(QStringLiteral("pct 2"));
        QCOMPARE(dialog->size(), at100 * 2);
        QCOMPARE(dialog->lblRangeCombos->text(), QStringLiteral("34 combos (2,6%)"));
    }

    // A drag over cells that already hold its state still moves the focus frame on the screen: the grid
    // paints again, so that the frame stands where Space will act.
    void drag_moves_the_drawn_focus() {
        struct Paints : QObject {
            int count = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                return count += event->type() == QEvent::Paint, false;
            }
        } paints;
        Open_Window();
        Open_Dialog();
        Run(QStringLiteral("type KQs KJs"));
        QWidget* grid = dialog->grdRange;
        QTest::mousePress(grid, Qt::LeftButton, {}, Cell({"", "1", "4"}, 1)); // KTs joins the range
        QCoreApplication::processEvents();
        grid->installEventFilter(&paints);
        QMouseEvent move(QEvent::MouseMove, Cell({"", "1", "2"}, 1),
                         grid->mapToGlobal(Cell({"", "1", "2"}, 1)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(grid, &move); // over KJs and KQs, both in it already
        QCoreApplication::processEvents();
        QVERIFY(paints.count > 0);
    }

    // When the known cards leave no hand of the range, the figures are blank and the line says so.
    void no_hand_left() {
        Open_Window();
        Action("mnuFileShowdown")->trigger();
        modRange::Set_Current(rangenotation::Parse(QStringLiteral("AA")).range);
        Play(QStringLiteral("As Ah"));
        QCOMPARE(Line(), QStringLiteral("vs AA"));
        Play(QStringLiteral("Ac"));
        QCOMPARE(Line(), QStringLiteral("No hand of the range is left"));
        QCOMPARE(Text("lblWinPct"), QString());
    }
};

QTEST_MAIN(TestRangeDialog)
#include "tst_rangedialog.moc"
