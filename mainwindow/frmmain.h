#pragma once

#include "cards/colourscale.h"
#include "cards/mododds.h"

#include <QList>
#include <QMainWindow>
#include <cstdint>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QTableWidget;
class CardFace;
class CategoryMark;
class ClickLabel;
class ShowdownPanel;
class SuitIcon;

// The main window: the card table, the pre-flop advice, the hand analysis, the pot odds, the legend
// and the two grids. Its constructor runs the load sequence (Form_Load). The flow of a hand runs in the
// core (flow/modboard.h); the window hands it the player's clicks and paints what it leaves. It
// talks to the other windows only through its signals, which the start-up code connects.
class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmMain(QWidget* parent = nullptr);

    // The outer sizes of the window, in twips: the legend column and the pre-flop key strip are shown by
    // widening and heightening it.
    static constexpr int WidthLegendHidden = 8850;
    static constexpr int WidthLegendShown = 10650;
    static constexpr int HeightKeyHidden = 4455;
    static constexpr int HeightKeyShown = 4995;
    // Where the legend column starts; the showdown panel takes its place while the legend is hidden.
    static constexpr int LegendLeftTwips = 8880;
    // The pot box's own width, and the height of the card entry below the window's controls.
    static constexpr int PotBoxWidth = 615;
    static constexpr int EnterCardsHeight = 885;
    // The optional setting of File > Category Marks (0 or 1).
    inline static const QString KeyMarks = QStringLiteral("MARKS");
    // The optional setting of File > Play to the River (0 or 1).
    inline static const QString KeyRiver = QStringLiteral("RIVER");

    // The table-settings summary and the pot slider's maximum, from the settings.
    void Show_Settings();

    // Event handlers and procedures of the window; public so that the shell and tests can drive them.
    void chkCard_Click(int index);
    void imgCard_Click(int index);
    void lblValue_Click(int index);
    // Space or Enter on the card with the keyboard focus: chosen or released as by a click, the focus
    // staying on the card; the arrow keys move the focus across the table.
    void imgCard_KeyPress(int index);
    void imgCard_Step(int index, int columns, int rows);
    void cmdClear_Click();
    void txtPot_Change();
    void txtPot_Validate(bool& cancel);
    void sldPot_Change();
    void grdHands_SelChange();
    void Legend_Colors();
    void mnuFileLegend_Click();
    void mnuFileShortcuts_Click();
    void mnuFileShowdown_Click();
    void mnuFileRange_Click();
    // The opponents' range has changed: the showdown odds follow it.
    void Follow_Range();
    void mnuFileMarks_Click();
    void mnuFileRiver_Click();
    void mnuFileSettings_Click();
    void mnuFileExit_Click();
    void mnuHelpAbout_Click();
    void mnuFileEnterCards_Click();
    void txtEnterCards_Enter();
    void mnuFileUndoCard_Click();
    void mnuFileZoomIn_Click();
    void mnuFileZoomOut_Click();
    void mnuFileZoomReset_Click();
    void Apply_Options();
    void Uncheck_Cards();
    void Clear_Results();

    // The outer size the window stands at, in twips (frame and menu bar included).
    // With the showdown panel shown the window is wider by the panel (and the legend column's place).
    int Outer_Width_Twips() const;
    int Outer_Height_Twips() const { return outerHeight_; }

    // The part of an outer size that the frame and the menu bar take: what remains is the client area
    // in which the controls stand.
    static constexpr int FrameWidthTwips = 120;
    static constexpr int FrameHeightTwips = 690;

  signals:
    // File > Change Settings and Help > About: the start-up code opens those windows.
    void settingsRequested();
    // File > Opponents' Range: the start-up code opens the range dialog.
    void rangeRequested();
    void aboutRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Load();
    void Build_Controls();
    void Build_Menus();
    void Set_Outer_Size(int widthTwips, int heightTwips);
    // Paints what the board flow left: check boxes, frames, texts, legend, and the analysis and the
    // results when they changed.
    void Paint_Board();
    // Shows or hides the showdown panel: the window's width, the check mark, the panel running or not.
    void Show_Showdown(bool shown);
    void Show_Analysis();
    // txtPot_Change's work: with numbers in the outs label and the pot box, the hit percentage (unless the
    // caller has just written it for the same outs) and the action list; otherwise nothing changes.
    void Show_Actions(bool withHit);
    void Paint_Frame(int index);
    // The card's mark and what the accessibility tools say of it, as its frame and the board stand.
    void Describe_Card(int index);
    // Chooses or releases the card as a click does, the focus aside; false for an index off the table.
    bool Toggle_Card(int index);
    void Show_Marks(bool shown);
    // The legend's marks beside the hand captions (not beside the advice words), the captions fitted
    // beside them.
    void Paint_Legend_Marks();
    void Focus_Card(int index);
    void Select_Pot_Text();
    void Build_Enter_Cards(QWidget* client);
    void Close_Enter_Cards();
    void Set_Zoom(Long percent);
    void Follow_Zoom();
    Long Largest_Zoom() const;
    void Update_Zoom_In();
    // The client area in twips: the window's outer size less its frame, widened by the showdown panel and
    // heightened by the card entry while they are shown.
    QSize Client_Twips() const;
    void Fit_Pot_Box();

    QCheckBox* chkCard[modOdds::CardCount] = {};
    CardFace* imgCard[modOdds::CardCount] = {};
    ClickLabel* lblValue[modOdds::CardCount] = {};
    CategoryMark* mrkCard[modOdds::CardCount] = {};
    CategoryMark* mrkLegend[ScaleSize] = {};
    SuitIcon* Image[8] = {};
    QLabel* lblLegend[ScaleSize] = {};
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
    QFrame* fraEnterCards = nullptr;
    QLabel* lblEnterCards = nullptr;
    QLineEdit* txtEnterCards = nullptr;
    QLabel* lblEnterCardsProblem = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileLegend = nullptr;
    QAction* mnuFileShortcuts = nullptr;
    QAction* mnuFileShowdown = nullptr;
    QAction* mnuFileZoomIn = nullptr;
    QAction* mnuFileMarks = nullptr;
    QAction* mnuFileRiver = nullptr;
    ShowdownPanel* fraShowdown = nullptr;
    QMenu* mnuHelp = nullptr;
    QList<QAction*> keyActions_; // the File menu's entries with keys of their own

    bool legendShown_ = false;
    bool keyShown_ = false;
    bool showdownShown_ = false;
    bool marksShown_ = false;
    bool legendMarked_ = false; // the legend stands with its marks
    int focusCard_ = 0;         // the card of the table that Tab reaches
    bool keyToggle_ = false;    // a card is being chosen or released from the keyboard
    // The texts in the user's language, made once: the legend's two sets of captions, the marks, and what
    // a card's state is called (Describe_Card), with the state each card was last described in.
    QString legendWords_[ScaleSize];
    QString legendHands_[ScaleSize];
    QString markTexts_[ScaleSize];
    QString cardStates_[4 + ScaleSize];
    signed char describedState_[modOdds::CardCount] = {};
    bool fillingHands_ = false;
    bool screenFollowed_ = false; // the first show has fitted the zoom to the screen
    int outerWidth_ = 0;
    int outerHeight_ = 0;
    std::uint64_t paintedAnalysis_ = 0;
    std::uint64_t paintedClears_ = 0;
};
