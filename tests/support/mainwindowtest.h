#pragma once

#include "advice/preflopstats.h"
#include "base/long.h"
#include "base/messages.h"
#include "flow/modzoom.h"
#include "mainwindow/frmmain.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

// What the window tests share: finding a control by its name, showing a window for the keyboard, and
// the main window's fixture.
namespace testsupport {

// The child of that name, which the test needs: stops the test program when there is none.
template <class T = QWidget> T* Child(const QObject* root, const QString& name) {
    T* child = root->findChild<T*>(name);
    if (!child) qFatal("no control %s", qPrintable(name));
    return child;
}

// Shows the window and makes it the active one; false when it never comes up. Without a window manager
// (a bare X server) a window may never become active, so there it is enough that it is exposed.
inline bool Show_Active(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return QTest::qWaitForWindowActive(window);
    return QTest::qWaitForWindowExposed(window);
}

// The main window as its tests meet it. A test object derives from this and calls Start_Test_Case from its
// initTestCase; the fixture's own init, cleanup and cleanupTestCase do the rest.
class MainWindowTest : public QObject {
    Q_OBJECT
  protected:
    QList<msg::Message> shown; // what the program would have shown in message boxes
    std::unique_ptr<frmMain> window;

    // A home and a settings folder of the test's own, messages recorded, a statistics file of these rows.
    void Start_Test_Case(const QList<StatsRow>& stats);

    // A new main window, shown and active, over a settings file just made as start-up makes it, with
    // these display options and limits (3 raises, slider up to 40).
    void Open_Window(Long options = 0, double minBet = 1, double maxBet = 2);

    template <class T = QWidget> T* Get(const QString& name) const { return Child<T>(window.get(), name); }
    QAction* Action(const char* name) const { return Get<QAction>(QString::fromLatin1(name)); }
    // A label's, a box's or a button's text.
    QString Text(const QString& name) const { return Get(name)->property("text").toString(); }
    QCheckBox* Check(Long card) const { return Get<QCheckBox>(QStringLiteral("chkCard_%1").arg(card)); }

    // Plays a hand (testsupport::Steps) as the player does: a click on the card's picture chooses or
    // releases it, "~" ticks its hidden check box, "!" clicks Clear.
    void Play(const QString& hand);
    // A click on the card's frame instead of its picture.
    void Click_Frame(const QString& card) {
        QTest::mouseClick(Get(QStringLiteral("lblValue_%1").arg(Card(card))), Qt::LeftButton);
    }

  protected slots:
    // Every test starts in US English with no settings file, the zoom at 100% and no message, and its
    // window goes when it ends (a test class with a cleanup of its own calls this one too).
    void init();
    void cleanup() {
        window.reset();
        modZoom::Reset_Zoom();
    }

  private slots:
    void cleanupTestCase() { advice::Set_Stats_Folder(QString()); }

  private:
    QTemporaryDir homeDir_;
    QTemporaryDir statsDir_;
};

} // namespace testsupport
