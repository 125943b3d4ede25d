#pragma once

#include <QString>
#include <QWidget>

class QLabel;

// A hyperlink label: shows its caption underlined in the highlight colour and opens its address in the
// system's browser when the caption is clicked with the left button, or when Enter or Space is pressed
// while the link has the keyboard focus (it takes the focus by Tab and then shows a focus frame round its
// caption). The owner may change the address or cancel the opening through GoToURL (connect it directly:
// both arguments are references).
class URLLink : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText RESET resetText)
    Q_PROPERTY(QString URL READ URL WRITE setURL RESET resetURL)
    Q_PROPERTY(bool ShowToolTip READ ShowToolTip WRITE setShowToolTip RESET resetShowToolTip)
  public:
    static QString Default_Text();
    static QString Default_URL();

    explicit URLLink(QWidget* parent = nullptr);

    // "Text displayed in control"
    QString Text() const;
    void setText(const QString& text);
    void resetText() { setText(Default_Text()); }

    // "URL loaded when mouse is clicked over text. May also be a data file that has an extension
    // registered by an application on your system."
    QString URL() const { return url_; }
    void setURL(const QString& url);
    void resetURL() { setURL(Default_URL()); }

    // "Determines if the URL is displayed in a tooltip when the mouse is parked over the text"
    bool ShowToolTip() const { return showToolTip_; }
    void setShowToolTip(bool show);
    void resetShowToolTip() { setShowToolTip(false); }

    QLabel* lblURL = nullptr;

  signals:
    // Raised before the address is opened, with a copy of URL: the receiver may change the copy (which
    // is then opened instead) or set cancel to stop the opening.
    void GoToURL(QString& url, bool& cancel);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Update_ToolTip();
    void Size_Label(); // to its caption in its font
    void lblURL_MouseDown(Qt::MouseButton button);
    void Follow_Link();
    void Open_Address(const QString& address);

    QString url_;
    bool showToolTip_ = false;
};
