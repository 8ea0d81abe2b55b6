#pragma once

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

// A part of `window` found by its object name, as a user would name it; a name
// the window does not hold fails the test.
template <typename T = QWidget> T *named(const QObject *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no " << name << " in " << window->objectName().toStdString();
    return found;
}
