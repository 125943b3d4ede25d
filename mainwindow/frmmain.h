#pragma once

#include "cards/colourscale.h"

#include <QMainWindow>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QTableWidget;
class CardFace;
class ClickLabel;
class SuitIcon;

// The main window: the card table, the pre-flop advice, the hand analysis, the pot odds, the legend
// and the two grids. Its constructor runs the load sequence (Form_Load).
class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmMain(QWidget* parent = nullptr);

    // The table-settings summary and the pot slider's maximum, from the settings.
    void Show_Settings();

    // Event handlers and procedures of the window; public so that the shell and tests can drive them.
    void chkCard_Click(int index);
    void imgCard_Click(int index);
    void lblValue_Click(int index);
    void cmdClear_Click();
    void cmdNewStrategy_Click();
    void Display_Results();
    void txtPot_Change();
    void txtPot_Validate(bool& cancel);
    void sldPot_Change();
    void grdHands_SelChange();
    void Legend_Colors();
    void mnuFileLegend_Click();
    void mnuFileShortcuts_Click();
    void mnuFileExit_Click();
    void Apply_Options();
    void Uncheck_Cards();
    void Clear_Results();

    // The outer size the window stands at, in twips (frame and menu bar included).
    int Outer_Width_Twips() const { return outerWidth_; }
    int Outer_Height_Twips() const { return outerHeight_; }

    // The part of an outer size that the frame and the menu bar take: what remains is the client area
    // in which the controls stand.
    static constexpr int FrameWidthTwips = 120;
    static constexpr int FrameHeightTwips = 690;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Form_Load();
    void Build_Controls();
    void Build_Menus();
    void Set_Outer_Size(int widthTwips, int heightTwips);
    void Show_Analysis();
    void Paint_Frame(int index);
    void Select_Pot_Text();

    QCheckBox* chkCard[52] = {};
    CardFace* imgCard[52] = {};
    ClickLabel* lblValue[52] = {};
    SuitIcon* Image[8] = {};
    QLabel* lblLegend[7] = {};
    QLabel* lblLegendTitle = nullptr;
    QLabel* lblCurrent = nullptr;
    QLabel* lblSuited = nullptr;
    QLabel* lblDecipher = nullptr;
    QLabel* lblSettings = nullptr;
    QLabel* lblPot = nullptr;
    QLineEdit* txtPot = nullptr;
    QSlider* sldPot = nullptr;
    QPushButton* cmdClear = nullptr;
    QLineEdit* txtCards = nullptr;
    QTableWidget* grdHands = nullptr;
    QTableWidget* grdResults = nullptr;
    QLabel* lblOutsLbl = nullptr;
    QLabel* lblOuts = nullptr;
    QLabel* lblHitPctLbl = nullptr;
    QLabel* lblHitPct = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileLegend = nullptr;
    QAction* mnuFileShortcuts = nullptr;
    QMenu* mnuHelp = nullptr;

    bool legendShown_ = false;
    bool keyShown_ = false;
    bool fillingHands_ = false;
    int outerWidth_ = 0;
    int outerHeight_ = 0;
};

// The single main window, created on first use.
frmMain* Main_Window();
