// Finds a window's control by its object name, as a user's tool would; a missing one fails the test.
#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>

template <class T> T* child(const QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no control named ") + name);
    return found;
}

template <class T> T* child(const QObject* parent, const char* name)
{
    return child<T>(*parent, name);
}
