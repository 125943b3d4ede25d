#include "widgets/uihelpers.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

namespace {

// What a control keeps for the zoom: its twips and its font's size at 100%.
constexpr char TwipsKey[] = "ZoomTwips";
constexpr char SizeKey[] = "ZoomFixedSize";
constexpr char HeightKey[] = "ZoomFixedHeight";
constexpr char PointsKey[] = "ZoomPoints";
constexpr char FormKey[] = "ZoomForm";
constexpr char GroupKey[] = "SharedLabelSize";

// The style's own sizes (frames, margins, the slider's handle, scroll bars, check marks) grow with the
// zoom like everything else. A size the style works out from another of its sizes is zoomed once, at the
// end. At 100% the sizes are the style's own; the style is put in place at the first zoom other than 100%.
class ZoomProxyStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        ++depth_;
        const int size = QProxyStyle::pixelMetric(metric, option, widget);
        --depth_;
        if (depth_ > 0 || modZoom::ZoomPercent == modZoom::DefaultZoom) return size;
        return qRound(size * static_cast<double>(modZoom::ZoomPercent) / 100.0);
    }

  private:
    mutable int depth_ = 0;
};

QPointer<ZoomProxyStyle> ZoomStyle;

// A new instance each time the zoom changes, so that every widget takes the new sizes.
void Install_Zoom_Style() {
    if (!ZoomStyle && modZoom::ZoomPercent == modZoom::DefaultZoom) return;
    QStyle* now = QApplication::style();
    const QString base = (ZoomStyle && now == ZoomStyle.data() ? ZoomStyle->baseStyle() : now)->name();
    ZoomStyle = new ZoomProxyStyle(base);
    QApplication::setStyle(ZoomStyle.data());
}

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

// Every label of the group at the smallest of their fitted sizes.
void Share_Size(const QList<QLabel*>& labels) {
    qreal points = 0;
    for (const QLabel* label : labels)
        points = points > 0 ? qMin(points, label->font().pointSizeF()) : label->font().pointSizeF();
    for (QLabel* label : labels) {
        QFont font = label->font();
        font.setPointSizeF(points);
        label->setFont(font);
    }
}

// The menus are windows of their own, which take the application's menu font rather than their form's:
// they are given it at the zoom.
void Zoom_Menus(QWidget* form) {
    static const QFont atActualSize = QApplication::font("QMenu");
    QFont font = atActualSize;
    font.setPointSizeF(Zoomed_Points(atActualSize.pointSizeF()));
    for (QMenu* menu : form->findChildren<QMenu*>())
        menu->setFont(font);
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
    if (!ZoomStyle) Install_Zoom_Style();
    if (form->isWindow()) form->setProperty(FormKey, true);
    QList<QWidget*> widgets = form->findChildren<QWidget*>();
    widgets.prepend(form);
    // The form's own font first (what its controls inherit), then every control's own.
    Note_Font(form);
    // A label that fits its text has a font of its own from then on, even when the fit kept the size. The
    // grids' headers do not reliably follow their grid's font (one built under the zooming style keeps
    // its first font): each gets its own.
    for (QWidget* w : widgets)
        if ((w->testAttribute(Qt::WA_SetFont) && !qobject_cast<QMenu*>(w)) ||
            w->property("FitText").toBool() || qobject_cast<QHeaderView*>(w))
            Note_Font(w);
    // Geometry before fonts: a label that fits its text to its width needs its new width first.
    for (QWidget* w : widgets)
        Zoom_Geometry(w);
    for (QWidget* w : widgets)
        Zoom_Font(w);
    QList<QLabel*> shared;
    for (QWidget* w : widgets)
        if (auto* label = qobject_cast<QLabel*>(w); label && label->property(GroupKey).toBool())
            shared << label;
    if (!shared.isEmpty()) Share_Size(shared);
    Zoom_Menus(form);
}

void Share_Label_Size(std::initializer_list<QLabel*> labels) {
    for (QLabel* label : labels) {
        label->setProperty(GroupKey, true);
        Fit_Label_Text(label);
    }
    Share_Size(QList<QLabel*>(labels));
}

void Apply_Zoom_To_All_Forms() {
    Install_Zoom_Style();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->property(FormKey).toBool()) Apply_Zoom(w);
}
