#pragma once

#include <QApplication>

// The busy (hourglass) pointer for as long as the object lives; the normal pointer comes back when it
// goes, also when an error leaves the block early.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
