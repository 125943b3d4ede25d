#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <initializer_list>

class QLabel;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

// The controls the windows build alike: labels and grids placed in twips (they follow the zoom).

// A label with its caption; rect in twips.
QLabel* Make_Label(QWidget* parent, const char* name, const QString& caption, QRect rect);

// A grid with its caption bar above the columns; rect and the column widths in twips. Tab leaves the
// grid for the next control instead of moving from cell to cell. The caption names the grid for the
// accessibility tools.
QTableWidget* Make_Grid(QWidget* parent, const char* name, const QString& caption, QRect rect,
                        const QStringList& columns, std::initializer_list<int> widthsTwips);

// The sizes of a grid's rows and header at the current zoom.
void Size_Grid(QTableWidget* grid);

// The columns stand at their own widths unless a text needs more: such a column widens to its text,
// and the columns after it give up room they do not need, so that the grid keeps its width and every
// text shows whole (in every locale, at every zoom).
void Fit_Columns(QTableWidget* grid);

// A cell of a grid row.
QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
