#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class DataManagement;
class QSettings;
class QWidget;

// The configuration as a document: the preset it was opened from or saved to, whether it has
// changed since, its title, the recent presets, and the questions and warnings that go with
// opening and saving. It asks through Prompt, with `dialogParent` as the boxes' parent.
class PresetDocument : public QObject
{
    Q_OBJECT
public:
    // Presets kept in the File menu's recent list.
    static constexpr int RecentFileCount = 8;

    // The recent presets are kept in `settings`, which must outlive the document.
    PresetDocument(DataManagement *model, QSettings &settings, QWidget *dialogParent, QObject *parent = nullptr);

    // The configuration as the model holds it now.
    QByteArray image() const;

    // The program, the preset's file name, and " *" while the configuration differs from the
    // last preset saved or opened.
    QString title() const;
    // The title the desktop shows for the window: the platform's choice (Platform::windowTitle).
    QString desktopTitle() const;
    bool isModified() const;
    // Most recent first, absolute paths.
    QStringList recentFiles() const;

    void save();
    // Asks for a name every time; a cancelled dialog forgets the name the document had.
    void saveAs();
    void open();
    // A preset that is gone is taken off the list, and the user is told.
    void openRecent(const QString &path);
    // Asks Save / Discard / Cancel when the configuration has unsaved changes; true when the
    // caller may go on (saved or discarded, or nothing to lose).
    bool confirmUnsavedChanges();

    // A configuration from elsewhere (the controller) is loaded as one undo step. An untitled
    // configuration nobody changed yet becomes it, with nothing of the user's to save.
    void load(const QByteArray &image);

signals:
    // The title changed: another preset, saved, or edited.
    void changed();
    void recentFilesChanged();

private:
    bool write();
    void loadPreset(const QString &path);
    void markSaved();
    void setRecentFiles(const QStringList &paths);
    void rememberRecent(const QString &path);

    DataManagement *m_model;
    QSettings &m_settings;
    QWidget *m_dialogParent;
    QString m_filePath;
    QByteArray m_savedImage;   // the configuration as last saved or opened
};
