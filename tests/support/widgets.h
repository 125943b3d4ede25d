#pragma once

#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>

// What the window tests share: finding a control by its name, and showing a window for the keyboard.
namespace testsupport {

// The child of that name, which the test needs: stops the test program when there is none.
template <class T = QWidget> T* Child(const QObject* root, const QString& name) {
    T* child = root->findChild<T*>(name);
    if (!child) qFatal("no control %s", qPrintable(name));
    return child;
}

// Shows the window and makes it the active one; false when it never comes up. Without a window manager
// (a bare X server) a window may never become active, so there it is enough that it is exposed.
inline bool Show_Active(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return QTest::qWaitForWindowActive(window);
    return QTest::qWaitForWindowExposed(window);
}

} // namespace testsupport
