#pragma once

#include "app/appoptions.h"
#include "app/screenscaling.h"
#include "firmware/myftp.h"

#include <QMainWindow>
#include <QQmlApplicationEngine>
#include <QSettings>
#include <QString>

class ControlClipboard;
class ControllerSession;
class DataManagement;
class DetectionDevice;
class FirmwareUpdater;
class MidiMonitor;
class PresetDocument;
class TouchSelect;
class Trans;

// The application's controller: builds the back-end objects, the preset document and the
// controller session, wires them, publishes them to the QML scene and forwards the calls the
// scene makes. The widget itself is never shown; it parents the dialogs and, moved along with
// the QML window, tells which screen that is on.
class MainWindow : public QMainWindow
{
    Q_OBJECT
    // The title strip's text: the program, the preset's file name, and " *" while the
    // configuration differs from the last preset saved or opened.
    Q_PROPERTY(QString documentTitle READ documentTitle NOTIFY documentChanged)
    Q_PROPERTY(QString desktopTitle READ desktopTitle NOTIFY documentChanged)
    Q_PROPERTY(QStringList recentFiles READ recentFiles NOTIFY recentFilesChanged)
    // Why no controller can be reached at all (the MIDI system cannot be opened) and what to do,
    // in the interface's language; empty when the MIDI system works.
    Q_PROPERTY(QString midiSystemProblem READ midiSystemProblem NOTIFY midiSystemProblemChanged)
    // The editor runs with the built-in virtual controller (--virtual-device), which can play.
    Q_PROPERTY(bool demoMode READ demoMode CONSTANT)
public:
    explicit MainWindow(const AppOptions &options = AppOptions());

    DataManagement *dataManagement() const { return m_dataMgt; }
    QQmlApplicationEngine &engine() { return m_engine; }
    MyFtp &ftp() { return m_ftp; }
    MidiMonitor &midiMonitor() { return *m_monitor; }
    TouchSelect &touchSelect() { return *m_touchSelect; }
    ControlClipboard &clipboard() { return *m_clipboard; }
    FirmwareUpdater &firmwareUpdater() { return *m_updater; }

    // Brings the QML window to the front, restored (a second start asked for it).
    void raiseWindow();

    // The user guide's file URL for the Help menu, wherever the editor runs from (its build
    // folder or an installation); empty when the guide is missing.
    Q_INVOKABLE QUrl userGuideUrl() const;
    QString documentTitle() const;
    QString desktopTitle() const;
    QStringList recentFiles() const;
    QString midiSystemProblem() const;
    // Every link between the editor and the controller, looked at now, for the Connection
    // Check: as tark9ctl doctor --json writes it, each link with its state's name added
    // ("stateName", translated).
    Q_INVOKABLE QVariantMap connectionCheck() const;
    bool demoMode() const { return m_options.virtualDevice; }
    // In demo mode, the virtual controller plays a short sequence of pads, knobs and the strip.
    Q_INVOKABLE void playDemo();
    // Asks where to save the MIDI monitor's lines and saves them there. Returns why that failed,
    // as a sentence; an empty string when they were saved or the user chose no file.
    Q_INVOKABLE QString exportMonitorLines();

signals:
    void showHint(bool isSend, bool isSuccess);
    // Bytes handed to the controller session as if the MIDI input had received them (the fuzz
    // driver feeds its inputs here).
    void s_midiIndata(char *data, int length);
    void devStateChanged(bool state);
    void s_snNum(QString snStr);
    void documentChanged();
    void recentFilesChanged();
    void midiSystemProblemChanged();
    // The controller's configuration was read for a comparison: every field that differs, as
    // a line of text; none when both hold the same.
    void compared(const QStringList &differences);

public slots:
    void sendData();
    void getData();
    QString rgbtoStr(int r, int g, int b);
    void save();
    void saveAs();
    void openFile();
    // The window was moved to (x, y): the hidden widget follows, so that its dialogs open on
    // the same screen.
    void updateProgra(int x, int y);
    QString getSoftVersion();
    // The maker's web address `name` ("supportCenter", "officialSite", "videoChannel") from the
    // settings' "Help" group; empty, which hides its link, when unset or not a web address.
    QString helpAddress(const QString &name);
    // Asks Save / Discard / Cancel when the configuration has unsaved changes; true when the
    // caller may go on (saved or discarded, or nothing to lose).
    bool confirmUnsavedChanges();
    void openRecentFile(const QString &path);
    // Reads the controller's configuration without loading it; compared() reports.
    void compareWithController();
    // Loads the configuration the last comparison read, as one undo step.
    void takeControllerConfiguration();

private slots:
    void onDevArrivalOrRemove(QString devType, bool isArrival);

private:
    void setupQml();

    QSettings m_settings;   // the recent presets, the help addresses
    DataManagement *m_dataMgt = nullptr;
    PresetDocument *m_document = nullptr;
    ControllerSession *m_session = nullptr;
    MidiMonitor *m_monitor = nullptr;
    TouchSelect *m_touchSelect = nullptr;
    ControlClipboard *m_clipboard = nullptr;
    // Before the engine: the scene refers to it until the engine is gone.
    ScreenScaling m_scaling;
    QQmlApplicationEngine m_engine;
    MyFtp m_ftp;
    FirmwareUpdater *m_updater = nullptr;
    DetectionDevice *m_detectionDevice = nullptr;
    Trans *m_trans = nullptr;
    AppOptions m_options;
};
