#include "shell/urllink.h"

#include "base/errorreport.h"
#include "base/messages.h"
#include "shell/busycursor.h"
#include "shell/onlinehelp.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QUrl>

namespace {

// Why an address could not be handed to the browser, when it is not a well-formed address.
const char* const InvalidAddressText = QT_TRANSLATE_NOOP("URLLink", "The address is not valid");

QFont Link_Font() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif); // the system's sans serif where that face is missing
    font.setPointSizeF(8.25);
    font.setUnderline(true);
    return font;
}

} // namespace

QString URLLink::Default_Text() {
    return tr("Visit our web site");
}
QString URLLink::Default_URL() {
    return onlinehelp::Site_Address(onlinehelp::MakerHomePath);
}

URLLink::URLLink(QWidget* parent) : QWidget(parent), lblURL(new QLabel(this)) {
    lblURL->setObjectName(QStringLiteral("lblURL"));
    lblURL->setTextFormat(Qt::PlainText);
    lblURL->setFont(Link_Font());
    QPalette palette = lblURL->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    lblURL->setPalette(palette);
    lblURL->setCursor(Qt::PointingHandCursor);
    lblURL->installEventFilter(this);
    // Reached by Tab; a click opens the address without taking the focus from where it was.
    setFocusPolicy(Qt::TabFocus);
    setText(Default_Text());
    url_ = Default_URL();
    setShowToolTip(false);
}

QString URLLink::Text() const {
    return lblURL->text();
}

void URLLink::setText(const QString& text) {
    lblURL->setText(text);
    Size_Label();
}

void URLLink::Size_Label() {
    const QFontMetrics metrics(lblURL->font());
    lblURL->setGeometry(0, 0, metrics.horizontalAdvance(lblURL->text()), metrics.height());
}

void URLLink::setURL(const QString& url) {
    url_ = url;
    Update_ToolTip();
}

void URLLink::setShowToolTip(bool show) {
    showToolTip_ = show;
    Update_ToolTip();
}

void URLLink::Update_ToolTip() {
    lblURL->setToolTip(showToolTip_ ? url_ : QString());
}

bool URLLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblURL && event->type() == QEvent::FontChange) Size_Label(); // a new zoom
    if (watched == lblURL && event->type() == QEvent::MouseButtonPress) {
        lblURL_MouseDown(static_cast<QMouseEvent*>(event)->button());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Enter or Space opens the address as a left click does; a key held down opens it once.
void URLLink::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool opens = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    if (!opens || (event->modifiers() & ~Qt::KeypadModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat()) Follow_Link();
}

// With the focus, a focus frame round the caption (the widget repaints as the focus comes and goes).
void URLLink::paintEvent(QPaintEvent*) {
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = lblURL->geometry().adjusted(-1, -1, 1, 1).intersected(rect());
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void URLLink::lblURL_MouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    Follow_Link();
}

void URLLink::Follow_Link() {
    QString address = url_; // the owner may change the copy, never the property
    bool cancel = false;
    emit GoToURL(address, cancel);
    if (cancel) return;
    Open_Address(address);
}

void URLLink::Open_Address(const QString& address) {
    Long number = 0;
    QString description;
    {
        BusyCursor busy;
        try {
            const QUrl url = QUrl::fromUserInput(address);
            if (address.trimmed().isEmpty() || !url.isValid()) {
                number = err::InvalidCall;
                description = tr(InvalidAddressText);
            } else if (!QDesktopServices::openUrl(url)) {
                number = err::NoAssociation;
                description = err::Description(number);
            }
        } catch (const AppError& e) {
            number = e.number;
            description = e.description;
        } catch (...) {
            number = err::InvalidCall;
            description = QCoreApplication::translate("err", "Unexpected error");
        }
    }
    if (number != 0)
        msg::Show_Message(
            tr("Unable to load '%1' : %2 (Error %3)").arg(address, description, QString::number(number)),
            QLatin1String(onlinehelp::ProductTitle), msg::Icon::None);
}
