#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

// The settings dialog: the table's minimum and maximum bet, the largest number of raises and the
// usual largest pot. Each box is checked as the focus is about to leave it; "Save Settings" stores the
// four values and refreshes the main window's summary; Cancel and the close box store nothing.
class frmSettings : public QWidget {
    Q_OBJECT
  public:
    explicit frmSettings(QWidget* parent = nullptr); // loads the dialog

    QLabel* Label1 = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtMinBet = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtMaxBet = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtNumRaises = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtPotSizeAvg = nullptr;

    void cmdSave_Click();
    void cmdCancel_Click();

    bool Is_Unloaded() const { return unloaded_; }

  signals:
    // The four limits are stored: the main window's summary and slider follow them.
    void saved();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    bool Is_Text_Box(QObject* object) const;
    // Checks the box's entry; on failure shows why, keeps the focus in the box and returns false.
    bool Validate_Box(QLineEdit* box);
    // The box that holds the focus, when it is one of the four.
    QLineEdit* Focused_Box() const;
    void Refuse(const QString& message, QLineEdit* box);

    bool unloaded_ = false;
    // What the load put in the four boxes: an entry that still reads so was not changed by the player.
    QString loaded_[4];
    QPointer<QLineEdit> clickedAway_; // the box that a click has just taken the focus from
};
