#pragma once
// Finding a window's control by its design name.
#include <QObject>
#include <QString>
#include <gtest/gtest.h>

namespace kx4::test {

// The child of `parent` named `name`; a test failure, and null, when there is none.
template <class T = QWidget>
T* Child(const QObject& parent, const QString& name)
{
    T* w = parent.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

} // namespace kx4::test
