#pragma once

#include "config/configlayout.h"

#include <QObject>
#include <QString>

class DataManagement;

// Copy and paste of controls' settings. A pad's, knob's or strip section's settings go to the
// clipboard as JSON text under the names of tark9ctl show --json (ControlSettings), so that they
// move between the editor, scripts and text files, and come back onto a control of the same kind
// in any bank as one undo step. A bank's pads or knobs are copied onto another bank the same way.
// Each outcome, done or refused, is reported as a sentence in the interface's language, short
// enough for the window's hint.
//
// The scene names the kinds as its editors do: "pad", "knob", "strip"; an index is the model's
// (pad 0..47, bank A's first; knob 0..11; strip section 0..5), a bank 0..2 (A, B, C).
class ControlClipboard : public QObject
{
    Q_OBJECT
public:
    explicit ControlClipboard(DataManagement *model, QObject *parent = nullptr);

    // Puts the control's settings on the clipboard; false for a kind or index there is not (no
    // editor chosen).
    Q_INVOKABLE bool copy(const QString &kind, int index);
    // Pastes the clipboard's settings onto the control. Returns an empty string when done,
    // otherwise why not.
    Q_INVOKABLE QString paste(const QString &kind, int index);
    // Copies bank `from`'s pads ("pad") or knobs ("knob") onto bank `to`. Returns an empty string
    // when done, otherwise why not.
    Q_INVOKABLE QString copyBank(const QString &kind, int from, int to);
    // Puts plain text on the clipboard (the MIDI monitor's lines).
    Q_INVOKABLE void putText(const QString &text);

    // The record a kind names; false for an unknown kind.
    static bool recordOf(const QString &kind, ConfigLayout::Record *record);
    // "pad", "knob", "strip section" in the interface's language.
    static QString noun(ConfigLayout::Record record);

signals:
    // What a copy, paste or bank copy did, or why it did nothing.
    void reported(const QString &sentence);

private:
    // Reports `refusal`, or `done` when there is none; returns the refusal.
    QString report(const QString &refusal, const QString &done);
    QByteArray image() const;

    DataManagement *m_model;
};
