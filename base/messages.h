#pragma once

#include <QString>
#include <functional>

// Every modal message of the program passes through Show_Message. The windows install a handler that
// shows a real message box; tests install one that records what would have been shown, so that no
// test ever blocks on a dialog.
namespace msg {

enum class Icon { None, Information, Exclamation, Critical };

struct Message {
    QString text;
    QString title;
    Icon icon = Icon::None;
};

using Handler = std::function<void(const Message&)>;

void Show_Message(const QString& text, const QString& title, Icon icon);

// Installs a new handler and returns the one it replaces. An empty handler restores the default, which
// only writes the message to the debug output.
Handler Set_Message_Handler(Handler handler);

} // namespace msg
