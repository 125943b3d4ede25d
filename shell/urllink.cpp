#include "shell/urllink.h"

#include "shell/busycursor.h"
#include "shell/errorreport.h"
#include "shell/messages.h"
#include "shell/onlinehelp.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

namespace {

// Why an address could not be handed to the browser.
constexpr Long NoAssociation = 31; // nothing on the system opens the address
const char* const NoAssociationText = "No application is associated with this address";
const char* const InvalidAddressText = "The address is not valid";

QFont Link_Font() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif); // the system's sans serif where that face is missing
    font.setPointSizeF(8.25);
    font.setUnderline(true);
    return font;
}

} // namespace

QString URLLink::Default_Text() {
    return QStringLiteral("Visit our web site");
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
    setText(Default_Text());
    m_url = Default_URL();
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
    m_url = url;
    Update_ToolTip();
}

void URLLink::setShowToolTip(bool show) {
    m_showToolTip = show;
    Update_ToolTip();
}

void URLLink::Update_ToolTip() {
    lblURL->setToolTip(m_showToolTip ? m_url : QString());
}

bool URLLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblURL && event->type() == QEvent::FontChange) Size_Label(); // a new zoom
    if (watched == lblURL && event->type() == QEvent::MouseButtonPress) {
        lblURL_MouseDown(static_cast<QMouseEvent*>(event)->button());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void URLLink::lblURL_MouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    QString address = m_url; // the owner may change the copy, never the property
    bool cancel = false;
    emit GoToURL(address, cancel);
    if (cancel) return;
    Open_Address(address);
}

void URLLink::Open_Address(const QString& address) {
    Long number = 0;
    QString description;
    {
        Busy_Cursor busy;
        try {
            const QUrl url = QUrl::fromUserInput(address);
            if (address.trimmed().isEmpty() || !url.isValid()) {
                number = err::InvalidCall;
                description = QLatin1String(InvalidAddressText);
            } else if (!QDesktopServices::openUrl(url)) {
                number = NoAssociation;
                description = QLatin1String(NoAssociationText);
            }
        } catch (const AppError& e) {
            number = e.number;
            description = e.description;
        } catch (...) {
            number = err::InvalidCall;
            description = QStringLiteral("Unexpected error");
        }
    }
    if (number != 0)
        msg::Show_Message(QStringLiteral("Unable to load '") + address + QStringLiteral("' : ") +
                              description + QStringLiteral(" (Error ") + QString::number(number) +
                              QLatin1Char(')'),
                          QLatin1String(onlinehelp::ProductTitle), msg::Icon::None);
}
