#include "config/edithistory.h"

void EditHistory::record(const QByteArray &before)
{
    m_undo.append(before);
    if (m_undo.size() > MaxSteps)
        m_undo.removeFirst();
    m_redo.clear();
}

QByteArray EditHistory::undo(const QByteArray &current)
{
    m_redo.append(current);
    return m_undo.takeLast();
}

QByteArray EditHistory::redo(const QByteArray &current)
{
    m_undo.append(current);
    return m_redo.takeLast();
}
