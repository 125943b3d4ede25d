#include "config/frmsettings.h"

#include "base/errorreport.h"
#include "base/messages.h"
#include "base/numbers.h"
#include "config/modglobal.h"
#include "shell/onlinehelp.h"
#include "widgets/controls.h"
#include "widgets/uihelpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <limits>

namespace {

void Tell(const QString& text) {
    msg::Show_Message(text, QLatin1String(onlinehelp::ProductTitle), msg::Icon::None);
}

// A caption that steps its font down until it fits its label; geometry in twips.
QLabel* Make_Caption(QWidget* parent, const char* name, const QString& text, QRect geometry, bool right) {
    QLabel* label = Make_Label(parent, name, text, geometry);
    if (right) label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Fit_Label_Text(label);
    return label;
}

QLineEdit* Make_Box(QWidget* parent, const char* name, const QString& tip, QRect geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tip);
    Place(box, geometry); // geometry in twips
    return box;
}

QPushButton* Make_Button(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    Place(button, geometry); // geometry in twips
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

frmSettings::frmSettings(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmSettings"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("Settings"));
    Place_Fixed_Size(this, 3750, 2670);

    Label1 = Make_Caption(this, "Label1", tr("Change the default settings here:"), QRect(120, 120, 3495, 255),
                          false);
    cmdSave = Make_Button(this, "cmdSave", tr("Save Settings"), QRect(120, 480, 1695, 495));
    cmdCancel = Make_Button(this, "cmdCancel", tr("Cancel"), QRect(1920, 480, 1695, 495));
    Label2 = Make_Caption(this, "Label2", tr("Table Minimum:"), QRect(240, 1200, 1575, 255), true);
    txtMinBet = Make_Box(this, "txtMinBet",
                         tr("Enter the minimum bet of the table here(on a $10/$20 table, this would be 10)"),
                         QRect(1920, 1200, 1695, 285));
    Label3 = Make_Caption(this, "Label3", tr("Table Maximum:"), QRect(240, 1560, 1575, 255), true);
    txtMaxBet = Make_Box(this, "txtMaxBet",
                         tr("Enter the maximum bet of the table here(on a $10/$20 table, this would be 20)"),
                         QRect(1920, 1560, 1695, 285));
    Label4 = Make_Caption(this, "Label4", tr("Maximum # Raises:"), QRect(240, 1920, 1575, 255), true);
    txtNumRaises = Make_Box(this, "txtNumRaises",
                            tr("Enter the maximum number of raises the table allows here(usually 3)."),
                            QRect(1920, 1920, 1695, 285));
    Label5 = Make_Caption(this, "Label5", tr("Max Avg Pot SIze:"), QRect(240, 2280, 1575, 255), true);
    txtPotSizeAvg = Make_Box(this, "txtPotSizeAvg",
                             tr("Enter the largest amount that the pot usually gets to(this modifies the "
                                "slider's maximum setting)."),
                             QRect(1920, 2280, 1695, 285));
    // Each caption names its box for the accessibility tools.
    Label2->setBuddy(txtMinBet);
    Label3->setBuddy(txtMaxBet);
    Label4->setBuddy(txtNumRaises);
    Label5->setBuddy(txtPotSizeAvg);
    // Each caption has stepped its font down until it fits; the four right-aligned ones then share one
    // size, the largest at which all four fit (at every zoom).
    Share_Label_Size({Label2, Label3, Label4, Label5});

    // The tab sequence: the four boxes in order, so that what is typed after a Tab lands in the next box,
    // then the two buttons; the labels take no focus.
    setTabOrder(txtMinBet, txtMaxBet);
    setTabOrder(txtMaxBet, txtNumRaises);
    setTabOrder(txtNumRaises, txtPotSizeAvg);
    setTabOrder(txtPotSizeAvg, cmdSave);
    setTabOrder(cmdSave, cmdCancel);

    for (QWidget* w : {static_cast<QWidget*>(txtMinBet), static_cast<QWidget*>(txtMaxBet),
                       static_cast<QWidget*>(txtNumRaises), static_cast<QWidget*>(txtPotSizeAvg),
                       static_cast<QWidget*>(cmdSave), static_cast<QWidget*>(cmdCancel)})
        w->installEventFilter(this);

    connect(cmdSave, &QPushButton::clicked, this, &frmSettings::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSettings::cmdCancel_Click);

    Apply_Zoom(this);
    Form_Load();
    txtMinBet->setFocus();
}

void frmSettings::Form_Load() {
    Trap("Form_Load", [this] {
        txtMinBet->setText(Number_Text(modGlobal::MINBET));
        txtMaxBet->setText(Number_Text(modGlobal::MAXBET));
        txtNumRaises->setText(Number_Text(modGlobal::NUMRAISES));
        txtPotSizeAvg->setText(Number_Text(modGlobal::POTSIZEAVG));
        loaded_[0] = txtMinBet->text();
        loaded_[1] = txtMaxBet->text();
        loaded_[2] = txtNumRaises->text();
        loaded_[3] = txtPotSizeAvg->text();
    });
}

bool frmSettings::Is_Text_Box(QObject* object) const {
    return object == txtMinBet || object == txtMaxBet || object == txtNumRaises || object == txtPotSizeAvg;
}

QLineEdit* frmSettings::Focused_Box() const {
    QWidget* focus = focusWidget();
    return Is_Text_Box(focus) ? static_cast<QLineEdit*>(focus) : nullptr;
}

bool frmSettings::Validate_Box(QLineEdit* box) {
    const std::optional<double> value = Parse_Number(box->text());
    QString problem;
    if (box == txtMinBet || box == txtMaxBet) {
        if (!value) problem = tr("Please enter a number.");
    } else if (!value) {
        problem = tr("Please enter a whole number.");
    } else if (*value < 1) {
        problem = tr("Please enter a number greater than 0.");
    }
    if (problem.isEmpty()) return true;
    Tell(problem);
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

// The focus is about to leave a box by Tab, Shift+Tab or a click on another control of the dialog: the
// box's entry is checked first, and when it fails the key or the click is swallowed, so the focus stays
// (or comes back) and the button is not pressed. A click hands the focus to the control under the mouse
// before the control sees the press, so the box that the click took the focus from is noted then and
// checked when the press arrives.
bool frmSettings::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        clickedAway_ = nullptr;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && Is_Text_Box(watched) &&
            !Validate_Box(static_cast<QLineEdit*>(watched)))
            return true;
        break;
    }
    case QEvent::FocusOut:
        if (Is_Text_Box(watched) && static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            clickedAway_ = static_cast<QLineEdit*>(watched);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        QLineEdit* box = clickedAway_ ? clickedAway_.data() : Focused_Box();
        clickedAway_ = nullptr;
        if (box && box != watched && !Validate_Box(box)) return true;
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSettings::Refuse(const QString& message, QLineEdit* box) {
    Tell(message);
    if (box) box->setFocus(Qt::OtherFocusReason);
}

void frmSettings::cmdSave_Click() {
    Trap("cmdSave_Click", [this] {
        // A click that did not come through the mouse or the keyboard (a button pressed by program)
        // still meets the checks: the box with the focus first, then all four in the tab sequence.
        if (QLineEdit* box = Focused_Box(); box && !Validate_Box(box)) return;
        for (QLineEdit* box : {txtMinBet, txtMaxBet, txtNumRaises, txtPotSizeAvg})
            if (!Validate_Box(box)) return;

        // An entry that the player left as it was loaded stands for what the setting holds now, which
        // another copy of the program may have stored since, and so is not written back over it.
        const auto entry = [](const QLineEdit* box) { return *Parse_Number(box->text()); };
        const bool untouched[] = {txtMinBet->text() == loaded_[0], txtMaxBet->text() == loaded_[1],
                                  txtNumRaises->text() == loaded_[2], txtPotSizeAvg->text() == loaded_[3]};
        const double minBet = untouched[0] ? modGlobal::MINBET : entry(txtMinBet);
        const double maxBet = untouched[1] ? modGlobal::MAXBET : entry(txtMaxBet);
        const std::optional<Long> numRaises =
            untouched[2] ? modGlobal::NUMRAISES : Round_To_Long(entry(txtNumRaises));
        const std::optional<Long> potSizeAvg =
            untouched[3] ? modGlobal::POTSIZEAVG : Round_To_Long(entry(txtPotSizeAvg));
        const QString largest = QLocale().toString(std::numeric_limits<Long>::max());
        if (!numRaises) {
            Refuse(tr("The maximum number of raises is too large. Please enter a whole number no greater "
                      "than %1.")
                       .arg(largest),
                   txtNumRaises);
            return;
        }
        if (!potSizeAvg) {
            Refuse(tr("The average pot size is too large. Please enter a whole number no greater than %1.")
                       .arg(largest),
                   txtPotSizeAvg);
            return;
        }
        if (!modGlobal::Wager_List_Fits(minBet, maxBet, *numRaises)) {
            if (*numRaises > modGlobal::MaxRaises)
                Refuse(tr("The advice can show at most %1 raises. Please enter a smaller maximum number of "
                          "raises.")
                           .arg(modGlobal::MaxRaises),
                       txtNumRaises);
            else
                Refuse(
                    tr("These bets are too large for the advice to show. Please enter smaller table limits."),
                    txtMaxBet);
            return;
        }

        // A write that fails has been reported, and the dialog then stays open with the player's entries
        // so that he may try again or cancel.
        const bool written = modGlobal::Store_Table_Limits(minBet, maxBet, *numRaises, *potSizeAvg);
        emit saved();
        if (!written) return;
        unloaded_ = true;
        close();
    });
}

void frmSettings::cmdCancel_Click() {
    Trap("cmdCancel_Click", [this] {
        if (QLineEdit* box = Focused_Box(); box && !Validate_Box(box)) return;
        unloaded_ = true;
        close();
    });
}

// Closing stores nothing: the close box, Cancel and the end of a save all leave the settings as they
// are at that moment.
void frmSettings::closeEvent(QCloseEvent* event) {
    unloaded_ = true;
    event->accept();
}
