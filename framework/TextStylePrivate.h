#pragma once
#include <QFont>
#include <QWidget>

#include "framework/TextStyle.h"

namespace fw {

// A point is a logical pixel, as on the system the sizes were chosen for.
QFont FontOf(const TextStyle& style);
Qt::Alignment AlignmentOf(const TextStyle& style);
QColor QColorOf(Color color);

}  // namespace fw
