#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// pyftpdlib serving one directory to one account on 127.0.0.1 (tests/support/ftpserver.py),
// started with Debian's /usr/bin/python3, which has the package. Stopped when the object goes.
class FtpServer
{
public:
    struct Options {
        int piece = 0;      // bytes per piece of a file transfer; 0 sends files whole
        double pause = 0.1; // seconds between two pieces
        int sizeOffset = 0; // added to every size the server reports
        bool reportsSizes = true; // false: the server knows no SIZE command
        QStringList endless; // files (which must exist) whose transfer never ends
    };

    FtpServer();
    ~FtpServer();
    FtpServer(const FtpServer &) = delete;
    FtpServer &operator=(const FtpServer &) = delete;

    bool start(const QString &root, const QString &user, const QString &password, const Options &options);
    quint16 port() const;

private:
    QProcess m_process;
    quint16 m_port = 0;
};
