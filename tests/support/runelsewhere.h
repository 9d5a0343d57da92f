#pragma once

#include <QByteArrayList>
#include <QtTest>

// Test functions long enough to hold up the whole suite run as CTest tests of their own, side by
// side with the rest of their program (tests/CMakeLists.txt names them and passes the names in
// TARK9_RUN_ELSEWHERE to the program's main run). Called from init(): the main run skips them.
inline void skipIfRunElsewhere()
{
    const QByteArrayList elsewhere = qgetenv("TARK9_RUN_ELSEWHERE").split(',');
    if (elsewhere.contains(QByteArray(QTest::currentTestFunction())))
        QTest::qSkip("runs as a CTest test of its own", __FILE__, __LINE__);
}
