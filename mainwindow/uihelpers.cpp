#include "mainwindow/uihelpers.h"

#include <QApplication>
#include <QWidget>

namespace {

// What a control keeps for the zoom: its twips and its font's size at 100%.
constexpr char TwipsKey[] = "ZoomTwips";
constexpr char SizeKey[] = "ZoomFixedSize";
constexpr char HeightKey[] = "ZoomFixedHeight";
constexpr char PointsKey[] = "ZoomPoints";
constexpr char FormKey[] = "ZoomForm";

void Note_Font(QWidget* w) {
    if (w->property(PointsKey).isValid()) return;
    const double points = w->font().pointSizeF();
    if (points > 0) w->setProperty(PointsKey, points);
}

void Zoom_Font(QWidget* w) {
    const QVariant points = w->property(PointsKey);
    if (!points.isValid()) return;
    QFont font = w->font();
    font.setPointSizeF(Zoomed_Points(points.toDouble()));
    w->setFont(font);
    if (auto* label = qobject_cast<QLabel*>(w); label && w->property("FitText").toBool())
        Fit_Label_Text(label);
}

void Zoom_Geometry(QWidget* w) {
    if (const QVariant rect = w->property(TwipsKey); rect.isValid())
        w->setGeometry(Zoomed_Rect(rect.toRect()));
    if (const QVariant size = w->property(SizeKey); size.isValid())
        w->setFixedSize(Zoomed(size.toSize().width()), Zoomed(size.toSize().height()));
    if (const QVariant height = w->property(HeightKey); height.isValid())
        w->setFixedHeight(Zoomed(height.toInt()));
}

} // namespace

void Place(QWidget* widget, const QRect& twips) {
    widget->setProperty(TwipsKey, twips);
    widget->setGeometry(Zoomed_Rect(twips));
}

void Place_Fixed_Size(QWidget* widget, int widthTwips, int heightTwips) {
    widget->setProperty(SizeKey, QSize(widthTwips, heightTwips));
    widget->setFixedSize(Zoomed(widthTwips), Zoomed(heightTwips));
}

void Place_Fixed_Height(QWidget* widget, int heightTwips) {
    widget->setProperty(HeightKey, heightTwips);
    widget->setFixedHeight(Zoomed(heightTwips));
}

void Apply_Zoom(QWidget* form) {
    if (form->isWindow()) {
        form->setProperty(FormKey, true);
        // The form's font reaches its menus too, which are windows of their own.
        form->setAttribute(Qt::WA_WindowPropagation);
    }
    QList<QWidget*> widgets = form->findChildren<QWidget*>();
    widgets.prepend(form);
    // The form's own font first (what its controls inherit), then every control's own.
    Note_Font(form);
    for (QWidget* w : widgets)
        if (w->testAttribute(Qt::WA_SetFont)) Note_Font(w);
    // Geometry before fonts: a label that fits its text to its width needs its new width first.
    for (QWidget* w : widgets)
        Zoom_Geometry(w);
    for (QWidget* w : widgets)
        Zoom_Font(w);
}

void Apply_Zoom_To_All_Forms() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->property(FormKey).toBool()) Apply_Zoom(w);
}
