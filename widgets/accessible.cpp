#include "widgets/accessible.h"

#include "widgets/cardface.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

constexpr char CaptionKey[] = "AccessibleCaption";

class FigureAccessible : public QAccessibleWidget {
  public:
    explicit FigureAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        const auto* label = static_cast<const QLabel*>(widget());
        const QString caption = label->property(CaptionKey).toString();
        return label->text().isEmpty() ? caption : caption + QLatin1Char(' ') + label->text();
    }
};

class CardAccessible : public QAccessibleWidget {
  public:
    explicit CardAccessible(CardFace* card) : QAccessibleWidget(card, QAccessible::CheckBox) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Card()->Is_Chosen();
        s.focusable = true; // one card of the table at a time takes Tab; the arrows reach every other
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == toggleAction() || name == pressAction())
            emit Card()->activated();
        else
            QAccessibleWidget::doAction(name);
    }

  private:
    CardFace* Card() const { return static_cast<CardFace*>(widget()); }
};

QAccessibleInterface* Make_Interface(const QString& className, QObject* object) {
    if (className == QLatin1String("CardFace")) return new CardAccessible(static_cast<CardFace*>(object));
    if (className == QLatin1String("QLabel") && object->property(CaptionKey).isValid())
        return new FigureAccessible(static_cast<QLabel*>(object));
    return nullptr;
}

} // namespace

void Install_Accessibility() {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(&Make_Interface);
        return true;
    }();
}

void Name_Figure(QLabel* figure, const QString& caption) {
    Install_Accessibility();
    figure->setProperty(CaptionKey, caption);
}
