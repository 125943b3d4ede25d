#include "widgets/controls.h"

#include "widgets/uihelpers.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

QLabel* Make_Label(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    Place(l, rect);
    return l;
}

// The sizes of a grid's rows and header at the current zoom.
void Size_Grid(QTableWidget* grid) {
    grid->verticalHeader()->setMinimumSectionSize(Zoomed(240));
    grid->verticalHeader()->setDefaultSectionSize(Zoomed(255));
    grid->horizontalHeader()->setFixedHeight(Zoomed(285));
}

// The columns stand at their own widths unless a text needs more: such a column widens to its text,
// and the columns after it give up room they do not need, so that the grid keeps its width and every
// text shows whole (in every locale, at every zoom). Only a text that the whole grid cannot hold leaves
// the columns wider than the grid.
void Fit_Columns(QTableWidget* grid) {
    const QVariantList twips = grid->property("ColumnTwips").toList();
    const int columns = std::min<int>(static_cast<int>(twips.size()), grid->columnCount());
    const int margin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    const QFontMetrics metrics(grid->font());
    int need[8] = {};
    int width[8] = {};
    int total = 0;
    for (int c = 0; c < columns && c < 8; ++c) {
        if (grid->isColumnHidden(c)) continue;
        need[c] = grid->horizontalHeader()->sectionSizeHint(c);
        for (int r = 0; r < grid->rowCount(); ++r)
            if (const QTableWidgetItem* item = grid->item(r, c))
                need[c] = std::max(need[c], metrics.horizontalAdvance(item->text()) + margin + 1);
        width[c] = std::max(Zoomed(twips[c].toInt()), need[c]);
        total += width[c];
    }
    const int room = Zoomed(grid->property("BoxTwipsWidth").toInt()) - 2 * grid->frameWidth();
    for (int c = columns - 1; c >= 0 && total > room; --c) {
        const int give = std::min(width[c] - need[c], total - room);
        if (give <= 0 || grid->isColumnHidden(c)) continue;
        width[c] -= give;
        total -= give;
    }
    for (int c = 0; c < columns && c < 8; ++c)
        if (!grid->isColumnHidden(c) && grid->columnWidth(c) != width[c]) grid->setColumnWidth(c, width[c]);
}

// A grid with its caption bar above the columns; rect and the column widths in twips. Tab leaves the
// grid for the next control instead of moving from cell to cell.
QTableWidget* Make_Grid(QWidget* parent, const char* name, const QString& caption, QRect rect,
                        const QStringList& columns, std::initializer_list<int> widthsTwips) {
    auto* box = new QWidget(parent);
    box->setObjectName(QString::fromLatin1(name) + QStringLiteral("_Box"));
    Place(box, rect);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* title = new QLabel(caption, box);
    title->setObjectName(QString::fromLatin1(name) + QStringLiteral("_Caption"));
    title->setAlignment(Qt::AlignCenter);
    title->setFrameShape(QFrame::Panel);
    title->setFrameShadow(QFrame::Raised);
    Place_Fixed_Height(title, 255);
    layout->addWidget(title);

    auto* grid = new QTableWidget(0, static_cast<int>(columns.size()), box);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setAccessibleName(caption);
    grid->setHorizontalHeaderLabels(columns);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setWordWrap(false);
    QVariantList twips;
    for (const int w : widthsTwips)
        twips << w;
    grid->setProperty("ColumnTwips", twips);
    grid->setProperty("BoxTwipsWidth", rect.width());
    Size_Grid(grid);
    int column = 0;
    for (const int w : widthsTwips)
        grid->setColumnWidth(column++, Zoomed(w));
    layout->addWidget(grid);
    return grid;
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    return item;
}
