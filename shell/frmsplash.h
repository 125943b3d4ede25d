#pragma once

#include "base/errorreport.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;
class URLLink;

// True when the start-up form is opened from Help > About, false when Main opens it at start-up. Read
// only by the form's load.
extern bool ShowingAbout;

// The start-up form, which serves later as the About box. At start-up it loads the settings, waits two
// ticks of its timer, writes the settings back and gives way to the main window; as the About box it
// waits for "Continue" (or its close box) instead. It asks for the main window through finished().
class frmSplash : public QWidget {
    Q_OBJECT
  public:
    explicit frmSplash(QWidget* parent = nullptr); // loads the form

    QLabel* lblName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* imgLogo = nullptr;
    URLLink* URLLink1 = nullptr;
    URLLink* URLLink3 = nullptr;
    QPushButton* cmdOK = nullptr;
    QTimer* timCountdown = nullptr;

    Long Countdown() const { return countdown_; }
    bool Is_About_Box() const { return aboutBox_; }
    bool Is_Unloaded() const { return unloaded_; }

    void cmdOK_Click();
    void timCountdown_Timer();

  signals:
    // The form has unloaded (settings written back). showMain: the main window is to be shown, loaded
    // anew when it is not open ("Continue", or the close box at start-up); otherwise (the About box's
    // close box) it only comes to the front when it is open.
    void finished(bool showMain);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    void Form_Unload();
    void Unload();

    Long countdown_ = 0;
    bool aboutBox_ = false;
    bool unloaded_ = false;
};
