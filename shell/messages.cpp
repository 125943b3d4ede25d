#include "shell/messages.h"

#include <QDebug>

namespace msg {

namespace {
Handler& current() {
    static Handler handler;
    return handler;
}
} // namespace

void Show_Message(const QString& text, const QString& title, Icon icon) {
    Message m{text, title, icon};
    if (current()) {
        current()(m);
        return;
    }
    qWarning().noquote() << title << ":" << text;
}

Handler Set_Message_Handler(Handler handler) {
    Handler previous = std::move(current());
    current() = std::move(handler);
    return previous;
}

} // namespace msg
