// Windows has no pseudo-terminals: a software serial port there needs a driver pair (com0com
// and the like) that the editor does not install. The virtual Tark9 therefore cannot show its
// boot-loader port on Windows; it says so in the log and stays in MIDI mode.
#include "device/pseudoterminal/pseudoterminal.h"

#include <QDebug>

PseudoTerminal::PseudoTerminal() = default;

PseudoTerminal::~PseudoTerminal() = default;

bool PseudoTerminal::open()
{
    m_error = QStringLiteral("no virtual serial port is available on Windows");
    qDebug() << "PseudoTerminal: cannot create the line:" << m_error;
    return false;
}

void PseudoTerminal::close()
{
    m_handle = -1;
    m_portName.clear();
}

bool PseudoTerminal::isAttached() const
{
    return false;
}

PseudoTerminal::Wait PseudoTerminal::waitForReadyRead(int)
{
    return Wait::Failed;
}

qint64 PseudoTerminal::read(char *, qint64)
{
    return -1;
}

bool PseudoTerminal::write(const QByteArray &)
{
    return false;
}

bool PseudoTerminal::makeRaw(qintptr)
{
    return false;
}
