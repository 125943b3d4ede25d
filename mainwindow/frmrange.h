#pragma once

#include "showdown/spot.h"

#include <QDialog>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

// The 13 x 13 grid of starting-hand classes (grdRange): the pairs on the diagonal from AA at the top
// left, the suited classes above it, the offsuit ones below. A cell is filled when its class is in the
// range (half filled when only some of its hands are). A click toggles a cell, a drag sets every cell it
// crosses as the first one was set; the arrows move the focus cell and Space toggles it.
class RangeGrid : public QWidget {
  public:
    explicit RangeGrid(QWidget* parent);

    // The class of the cell at row and column 0..12.
    static HandClass Cell_Class(int row, int column);
    // "AKs", "AKo", "77".
    static QString Cell_Name(const HandClass& c);

    void Set_Range(const showdown::Range& range);
    const showdown::Range& Range() const { return range_; }
    std::function<void()> changed; // after the player changed a cell

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int Cell_At(QPoint at) const; // row x 13 + column, or -1
    // Puts the cell's class in or out of the range; true when that changed it.
    bool Set_Cell(int cell, bool in);
    bool Cell_In(int cell) const;
    void Describe_Focus();

    showdown::Range range_;
    int focus_ = 0;
    bool dragValue_ = false;
    int lastDragCell_ = -1;
};

// The dialog of the opponents' range (frmRange). The grid, the top-n% slider, the group box and the
// notation box each set the range and the others follow; the showdown panel follows the range as it is
// edited. OK (or Enter) uses it and stores it; Cancel, Escape and the close box go back to the range
// the dialog opened with.
class frmRange : public QDialog {
    Q_OBJECT
  public:
    explicit frmRange(QWidget* parent = nullptr);

    RangeGrid* grdRange = nullptr;
    QSlider* sldRangePct = nullptr;
    QLabel* lblRangePct = nullptr;
    QSpinBox* spnRangeGroup = nullptr;
    QLineEdit* txtRange = nullptr;
    QLabel* lblRangeProblem = nullptr;
    QLabel* lblRangeCombos = nullptr;
    QPushButton* cmdRangeOk = nullptr;
    QPushButton* cmdRangeCancel = nullptr;

    bool Is_Unloaded() const { return unloaded_; }

    void accept() override; // OK
    void reject() override; // Cancel, Escape, the close box

  signals:
    // The range in use has changed (while editing, on OK or back on Cancel): the odds follow it.
    void rangeChanged();

  private:
    void sldRangePct_Change();
    void spnRangeGroup_Change();
    void txtRange_Change();
    void grdRange_Change();
    // Takes the range: the grid, the counts and (unless the player is typing it) the notation follow.
    // topPercent: the slider's n when the slider chose it.
    void Set_Range(const showdown::Range& range, bool writeText, int topPercent = 0);

    showdown::Range original_;
    int originalTop_ = 0;
    bool unloaded_ = false;
};
