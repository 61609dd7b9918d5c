#pragma once
// The busy cursor for the lifetime of a scope; the normal cursor comes back on every exit.

#include <QApplication>

namespace quorvan::app {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace quorvan::app
