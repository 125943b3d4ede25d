#include "base/messages.h"

#include <QDebug>

namespace msg {

namespace {
Handler& Current_Handler() {
    static Handler handler;
    return handler;
}
} // namespace

void Show_Message(const QString& text, const QString& title, Icon icon) {
    Message m{text, title, icon};
    if (Current_Handler()) {
        Current_Handler()(m);
        return;
    }
    qWarning().noquote() << title << ":" << text;
}

Handler Set_Message_Handler(Handler handler) {
    Handler previous = std::move(Current_Handler());
    Current_Handler() = std::move(handler);
    return previous;
}

} // namespace msg
