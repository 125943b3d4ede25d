#include "shell/messages.h"
#include "shell/onlinehelp.h"
#include "shell/shellmenus.h"
#include "shell/urllink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

// Stands in for the system's browser: records every address handed over and the pointer shape at
// that moment.
class Browser : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
    QList<Qt::CursorShape> pointer;
  public slots:
    void open(const QUrl& url) {
        opened << url;
        const QCursor* c = QApplication::overrideCursor();
        pointer << (c ? c->shape() : Qt::ArrowCursor);
    }
};

// A container that rewrites or cancels the address in GoToURL.
class Container : public QObject {
    Q_OBJECT
  public:
    QString replacement;
    bool cancel = false;
    QStringList seen;
  public slots:
    void goTo(QString& url, bool& cancelIt) {
        seen << url;
        if (!replacement.isEmpty()) url = replacement;
        if (cancel) cancelIt = true;
    }
};

using MenuHandler = void (*)();
Q_DECLARE_METATYPE(MenuHandler)

class TestLinks : public QObject {
    Q_OBJECT
    Browser browser;
    QList<msg::Message> messages;

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
        msg::Set_Message_Handler([this](const msg::Message& m) { messages << m; });
    }
    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        msg::Set_Message_Handler({});
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        browser.opened.clear();
        browser.pointer.clear();
        messages.clear();
    }

    // --- online help ---

    void onlineHelp_data() {
        QTest::addColumn<MenuHandler>("handler");
        QTest::addColumn<QString>("path");
        QTest::newRow("home") << MenuHandler(&mnuOnlineHome_Click) << "/quorvane/index.htm";
        QTest::newRow("download") << MenuHandler(&mnuOnlineDownload_Click) << "/quorvane/download.htm";
        QTest::newRow("troubleshooting")
            << MenuHandler(&mnuOnlineTroubleshooting_Click) << "/quorvane/troubleshooting.htm";
        QTest::newRow("groupings") << MenuHandler(&mnuOnlineGroupings_Click) << "/quorvane/groupings.htm";
        QTest::newRow("manual") << MenuHandler(&mnuOnlineManual_Click) << "/quorvane/manual.htm";
        QTest::newRow("maker home") << MenuHandler(&mnuOnlineHomeMain_Click) << "/";
    }
    void onlineHelp() {
        QFETCH(MenuHandler, handler);
        QFETCH(QString, path);
        handler();
        QCOMPARE(browser.opened.size(), 1);
        const QUrl expected(QStringLiteral("http://") + QLatin1String(onlinehelp::SiteHost) + path);
        QCOMPARE(browser.opened.first(), expected);
        QCOMPARE(browser.opened.first().toString(), expected.toString());
        QCOMPARE(browser.opened.first().path(), path);
        QCOMPARE(browser.pointer.first(), Qt::WaitCursor); // busy while the address is handed over
        QVERIFY(!QApplication::overrideCursor());          // and back to normal afterwards
        QVERIFY(messages.isEmpty());
    }

    void makerCaption() {
        QCOMPARE(Maker_Home_Caption(), QLatin1String(onlinehelp::MakerName) + " Home Page");
    }

    // A page that nothing opens gives no message and still leaves the normal pointer.
    void onlineHelpWithoutBrowser() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        mnuOnlineManual_Click();
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(messages.isEmpty());
    }

    // --- URLLink ---

    void defaults() {
        URLLink link;
        QCOMPARE(link.Text(), URLLink::Default_Text());
        QCOMPARE(link.URL(), URLLink::Default_URL());
        QCOMPARE(link.ShowToolTip(), false);
        QCOMPARE(link.lblURL->toolTip(), QString());
        QCOMPARE(link.property("Text").toString(), URLLink::Default_Text());
        QCOMPARE(link.property("URL").toString(), URLLink::Default_URL());
        QCOMPARE(link.property("ShowToolTip").toBool(), false);
        QVERIFY(QUrl(link.URL()).isValid());
    }

    void appearance() {
        URLLink link;
        const QFont font = link.lblURL->font();
        QVERIFY(font.underline());
        QCOMPARE(font.pointSizeF(), 8.25);
        QCOMPARE(link.lblURL->palette().color(QPalette::WindowText),
                 link.palette().color(QPalette::Highlight));
        QCOMPARE(link.lblURL->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link.lblURL->pos(), QPoint(0, 0));
    }

    void properties() {
        URLLink link;
        QVERIFY(link.setProperty("Text", QStringLiteral("Elsewhere")));
        QVERIFY(link.setProperty("URL", QStringLiteral("http://example.org/a")));
        QVERIFY(link.setProperty("ShowToolTip", true));
        QCOMPARE(link.Text(), QStringLiteral("Elsewhere"));
        QCOMPARE(link.lblURL->text(), QStringLiteral("Elsewhere"));
        QCOMPARE(link.URL(), QStringLiteral("http://example.org/a"));
        QCOMPARE(link.lblURL->toolTip(), QStringLiteral("http://example.org/a"));
    }

    void toolTip() {
        URLLink link;
        link.setURL(QStringLiteral("http://example.org/one"));
        QCOMPARE(link.lblURL->toolTip(), QString());
        link.setShowToolTip(true);
        QCOMPARE(link.lblURL->toolTip(), QStringLiteral("http://example.org/one"));
        link.setURL(QStringLiteral("http://example.org/two"));
        QCOMPARE(link.lblURL->toolTip(), QStringLiteral("http://example.org/two"));
        link.setShowToolTip(false);
        QCOMPARE(link.lblURL->toolTip(), QString());
    }

    void textSizesLabel() {
        URLLink link;
        link.resize(400, 40);
        link.setText(QStringLiteral("Short"));
        const QSize small = link.lblURL->size();
        link.setText(QStringLiteral("A much longer caption than before"));
        const QSize large = link.lblURL->size();
        QVERIFY(large.width() > small.width());
        QCOMPARE(large.height(), small.height());
        QCOMPARE(large.width(), QFontMetrics(link.lblURL->font()).horizontalAdvance(link.Text()));
        QCOMPARE(link.lblURL->pos(), QPoint(0, 0));
        link.setText(QStringLiteral("Short"));
        QCOMPARE(link.lblURL->size(), small);
    }

    void leftClickOpens() {
        URLLink link;
        link.setURL(QStringLiteral("http://example.org/page.htm"));
        link.show();
        QTest::mouseClick(link.lblURL, Qt::LeftButton);
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(QStringLiteral("http://example.org/page.htm"))});
        QCOMPARE(browser.pointer.first(), Qt::WaitCursor);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(messages.isEmpty());
    }

    void otherButtonsOpenNothing_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void otherButtonsOpenNothing() {
        QFETCH(Qt::MouseButton, button);
        URLLink link;
        Container container;
        connect(&link, &URLLink::GoToURL, &container, &Container::goTo, Qt::DirectConnection);
        link.show();
        QTest::mouseClick(link.lblURL, button);
        QVERIFY(browser.opened.isEmpty());
        QVERIFY(container.seen.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void cancelStopsOpening() {
        URLLink link;
        link.setURL(QStringLiteral("http://example.org/kept"));
        Container container;
        container.cancel = true;
        connect(&link, &URLLink::GoToURL, &container, &Container::goTo, Qt::DirectConnection);
        link.show();
        QTest::mouseClick(link.lblURL, Qt::LeftButton);
        QCOMPARE(container.seen, QStringList{QStringLiteral("http://example.org/kept")});
        QVERIFY(browser.opened.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void changedAddressIsOpened() {
        URLLink link;
        link.setURL(QStringLiteral("http://example.org/old"));
        link.setShowToolTip(true);
        Container container;
        container.replacement = QStringLiteral("http://example.org/new");
        connect(&link, &URLLink::GoToURL, &container, &Container::goTo, Qt::DirectConnection);
        link.show();
        QTest::mouseClick(link.lblURL, Qt::LeftButton);
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(QStringLiteral("http://example.org/new"))});
        QCOMPARE(link.URL(), QStringLiteral("http://example.org/old")); // the property stays
        QCOMPARE(link.lblURL->toolTip(), QStringLiteral("http://example.org/old"));
    }

    // An address that cannot be opened: the message names it, with the reason and a number.
    void unopenableAddress_data() {
        QTest::addColumn<QString>("address");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks") << QStringLiteral("   ");
        QTest::newRow("no handler") << QStringLiteral("quorvane-test-scheme://nowhere");
    }
    void unopenableAddress() {
        QFETCH(QString, address);
        URLLink link;
        link.setURL(address);
        link.show();
        QTest::mouseClick(link.lblURL, Qt::LeftButton);
        QVERIFY(browser.opened.isEmpty());
        QCOMPARE(messages.size(), 1);
        const msg::Message& m = messages.first();
        QCOMPARE(m.title, QStringLiteral("Quorvane"));
        QCOMPARE(m.icon, msg::Icon::None);
        QVERIFY2(m.text.startsWith("Unable to load '" + address + "' : "), qPrintable(m.text));
        QVERIFY2(QRegularExpression(QStringLiteral(" \\(Error [0-9]+\\)$")).match(m.text).hasMatch(),
                 qPrintable(m.text));
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestLinks)
#include "tst_links.moc"
