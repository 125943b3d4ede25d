#pragma once

#include <QLabel>
#include <QPainterPath>
#include <QWidget>

// The card table's pictures, drawn in code so that they stay sharp at any screen scale: every shape
// is a vector path painted at the device's own resolution.

// The outline of a suit symbol (1 spades, 2 hearts, 3 clubs, 4 diamonds) in the unit square.
const QPainterPath& Suit_Path(int suit);
// Fills the suit symbol into the largest square centred in box; red hearts and diamonds, black
// spades and clubs.
class QPainter;
void Paint_Suit(QPainter& painter, int suit, const QRectF& box);

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

// A left click: the left button pressed and released over the same widget.
struct LeftClick {
    bool pressed_ = false;
    void Press(QMouseEvent* e);
    bool Release(QMouseEvent* e, const QWidget* widget); // true when the release completes a click
};

// One card face: the rank character above the suit symbol. Clicking it emits clicked(). With the keyboard
// focus, Space or Enter emits activated() (as does the accessibility tools' action) and the arrow keys
// stepped(columns, rows); it takes the focus from the keyboard only, never from a click. For the
// accessibility tools it is a check box, checked while the card is chosen.
class CardFace : public QWidget {
    Q_OBJECT
  public:
    CardFace(int suit, QChar rankLetter, QWidget* parent);
    int Suit() const { return suit_; }
    QChar Rank_Letter() const { return letter_; }
    bool Is_Chosen() const { return chosen_; }
    void Set_Chosen(bool chosen); // tells the accessibility tools of a change
  signals:
    void clicked();
    void activated();
    void stepped(int columns, int rows);
    void focusShown(bool shown);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    int suit_;
    QChar letter_;
    LeftClick click_;
    bool chosen_ = false;
};

// A suit icon at the end of a card row; no behaviour.
class SuitIcon : public QWidget {
    Q_OBJECT
  public:
    SuitIcon(int suit, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    int suit_;
};

// A label that reports a left click: the coloured frame behind a card. While its card has the keyboard
// focus it shows a focus frame along its edge, white and black so that it shows on every colour.
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    void Show_Focus_Frame(bool shown);
  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    LeftClick click_;
    bool focusFrame_ = false;
};

// The mark of a hand category ("FH"), black letters on the category's colour filling the widget, drawn
// as outlines scaled to the widget's size so that they stay sharp at every zoom. It lets the mouse through
// to what lies below.
class CategoryMark : public QWidget {
    Q_OBJECT
  public:
    explicit CategoryMark(QWidget* parent);
    void Set_Mark(const QString& letters, const QColor& colour);
    QString Letters() const { return letters_; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QString letters_;
    QColor colour_;
    QPainterPath outline_; // the letters at a unit size
};
