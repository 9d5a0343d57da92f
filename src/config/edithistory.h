#pragma once

#include <QByteArray>
#include <QList>

// The undo and redo steps of the configuration. A whole configuration is a few hundred bytes,
// so every step keeps the complete state from before it rather than what changed: undoing is a
// copy, and no edit needs to know how to reverse itself.
class EditHistory
{
public:
    // Steps kept for undo; the oldest goes when a newer one would exceed this (256 x about
    // 600 bytes is 150 KiB at most).
    static constexpr int MaxSteps = 256;

    // A finished edit: `before` is the state it started from. Whatever could be redone is gone.
    void record(const QByteArray &before);

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    int undoCount() const { return m_undo.size(); }

    // The state to go back (or forward) to; `current` becomes the step in the other direction.
    // Call only when canUndo() (canRedo()).
    QByteArray undo(const QByteArray &current);
    QByteArray redo(const QByteArray &current);

private:
    QList<QByteArray> m_undo;
    QList<QByteArray> m_redo;
};
