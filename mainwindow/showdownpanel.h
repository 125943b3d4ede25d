#pragma once

#include "showdown/calculator.h"

#include <QFrame>

#include <array>
#include <span>

class QLabel;
class QSpinBox;
class QTableWidget;

// The showdown odds panel of the main window (fraShowdown): the chance to win, tie and the equity against
// the opponents still in the pot, the chance of each hand by the river, the strength and potential of the
// hand from the flop on, and the price of each wager set against the equity. It follows the board state
// of the core (the two hole cards and the other chosen cards), the opponent count and the pot; the figures
// come from the showdown worker and are painted as they arrive, while the window goes on.
class ShowdownPanel : public QFrame {
    Q_OBJECT
  public:
    // The panel's size in twips; it stands to the right of everything the window shows without it.
    static constexpr int WidthTwips = 6585;
    static constexpr int HeightTwips = 3765;

    inline static const QString KeyShown = QStringLiteral("SHOWDOWN");
    inline static const QString KeyOpponents = QStringLiteral("OPPONENTS");

    explicit ShowdownPanel(QWidget* parent);

    // Starts the figures for the board as it now stands (when the panel is running), or blanks the panel
    // when fewer than two hole cards are chosen. Nothing starts again for an unchanged spot.
    void Follow_Board();
    // Running: the panel is shown and computes; stopped, it cancels and computes nothing.
    void Set_Running(bool running);
    // The pot box's text, for the showdown advice.
    void Follow_Pot(const QString& potText);

    int Opponents() const;
    const showdown::Calculator& Calculator() const { return calculator_; }

    QSpinBox* spnOpponents = nullptr;
    QLabel* lblWinPct = nullptr;
    QLabel* lblTiePct = nullptr;
    QLabel* lblEquityPct = nullptr;
    QLabel* lblShowdownPrecision = nullptr;
    QTableWidget* grdRiver = nullptr;
    QLabel* lblStrength = nullptr;
    QLabel* lblPotential = nullptr;
    QLabel* lblNegPotential = nullptr;
    QLabel* lblEffStrength = nullptr;
    QLabel* lblCleanOuts = nullptr;
    QTableWidget* grdShowdownAdvice = nullptr;
    QLabel* lblRange = nullptr; // the opponents' range in one line, cut to its width; whole in its tooltip

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Show_Range(bool handLeft);
    void spnOpponents_Change();
    void Show_Figures(const showdown::Result& result);
    void Show_Strength(const showdown::StrengthFigures& strength);
    // The advice rows for the pot, the round and the equity shown; empty without either.
    void Show_Advice();
    void Blank();
    // The figures in the groups that come and go dimmed together: the odds with the advice that follows
    // them, the hands by the river, the strength.
    std::array<QWidget*, 5> Odds() const;
    std::array<QWidget*, 5> Strength() const;
    void Dim(std::span<QWidget* const> figures, bool stale);

    showdown::Calculator calculator_;
    showdown::Spot spot_;
    bool hasSpot_ = false;
    bool running_ = false;
    QString potText_;
    bool hasEquity_ = false; // an equity is shown
    double equityPct_ = 0;
    showdown::Range describedRange_; // the range whose description rangeText_ holds
    int describedTop_ = 0;
    QString rangeText_;
};
