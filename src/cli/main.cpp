#include "cli/tark9ctl.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tark9ctl"));
    return Tark9Ctl::run(QCoreApplication::arguments().mid(1));
}
