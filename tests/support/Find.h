#pragma once

#include <QObject>
#include <QTest>

namespace quiltest {

// The child of root named name and of type T; fails the test with a clear message when there
// is none.
template <class T> T* child(QObject* root, const char* name) {
    T* found = root->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no %s named \"%s\" under %s", T::staticMetaObject.className(), name,
               qPrintable(root->objectName()));
    return found;
}

} // namespace quiltest
