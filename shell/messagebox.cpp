#include "shell/messagebox.h"

#include "base/messages.h"

#include <QApplication>
#include <QMessageBox>

void Install_Message_Boxes() {
    msg::Set_Message_Handler([](const msg::Message& m) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        switch (m.icon) {
        case msg::Icon::None:
            icon = QMessageBox::NoIcon;
            break;
        case msg::Icon::Information:
            icon = QMessageBox::Information;
            break;
        case msg::Icon::Exclamation:
            icon = QMessageBox::Warning;
            break;
        case msg::Icon::Critical:
            icon = QMessageBox::Critical;
            break;
        }
        QMessageBox box(icon, m.title, m.text, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
}
