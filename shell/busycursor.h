#pragma once

#include <QApplication>

// The busy (hourglass) pointer for as long as the object lives; the normal pointer comes back when it
// goes, also when an error leaves the block early.
class Busy_Cursor {
  public:
    Busy_Cursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy_Cursor() { QApplication::restoreOverrideCursor(); }
    Busy_Cursor(const Busy_Cursor&) = delete;
    Busy_Cursor& operator=(const Busy_Cursor&) = delete;
};
