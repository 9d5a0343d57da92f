#pragma once

#include "app/mainwindow.h"
#include "promptrecorder.h"

#include <QByteArray>

#include <memory>

class QQuickItem;
class QQuickWindow;

// The editor as a user meets it: the real controller attached to the virtual Tark9, its window
// shown, and every question and message box going to a recorder instead of a person (one the
// test does not expect through prompts() fails it).
class EditorSession
{
public:
    EditorSession();
    ~EditorSession();

    // Builds the editor and waits until its window is on screen; false when there is none.
    bool start();

    MainWindow &editor() { return *m_editor; }
    QQuickWindow *window() const { return m_window; }
    PromptRecorder &prompts() { return m_prompts; }
    // The editor's configuration image.
    QByteArray image() const;

    // The editor of model pad, knob or section `index`: the item in the window whose
    // `indexProperty` is `index` and that has the field `field`; null when there is none.
    QQuickItem *findEditor(const char *indexProperty, int index, const char *field) const;

private:
    PromptRecorder m_prompts;   // made first and gone last: the editor may ask until it goes
    std::unique_ptr<MainWindow> m_editor;
    QQuickWindow *m_window = nullptr;
};
