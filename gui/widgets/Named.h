// Gives a new control the object name it is found by, in tests and in the code alike.
#pragma once

#include <QLatin1String>

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
