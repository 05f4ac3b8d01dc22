#pragma once

#include <QApplication>

namespace vorlix {

// The one QApplication of the widget tests (offscreen), made on first use.
QApplication& SkinTestApp();

// A fixture's first member: the application exists before any widget member is built.
struct SAppFirst {
    SAppFirst() { SkinTestApp(); }
};

}  // namespace vorlix
