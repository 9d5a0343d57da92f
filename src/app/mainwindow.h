#pragma once

#include "app/appoptions.h"
#include "app/screenscaling.h"
#include "device/deviceconnection.h"
#include "firmware/firmwareupdate.h"
#include "firmware/myftp.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QQmlApplicationEngine>
#include <QString>
#include <QTimer>

class DataManagement;
class DetectionDevice;
class Trans;

// The application's controller: owns every back-end object, publishes them to the QML scene
// and decides when the controller is talked to; the talking itself is the device connection's.
// The widget itself is never shown; it parents the dialogs and, moved along with the QML
// window, tells which screen that is on.
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
public:
    // Presets kept in the File menu's recent list.
    static constexpr int RecentFileCount = 8;

    explicit MainWindow(const AppOptions &options = AppOptions());
    ~MainWindow() override;

    DataManagement *dataManagement() const { return m_dataMgt; }
    QQmlApplicationEngine &engine() { return m_engine; }
    MyFtp &ftp() { return m_ftp; }
    FirmwareUpdate &firmwareUpdate() { return m_firmwareUpdate; }

    // Brings the QML window to the front, restored (a second start asked for it).
    void raiseWindow();

    // The user guide's file URL for the Help menu, wherever the editor runs from (its build
    // folder or an installation); empty when the guide is missing.
    Q_INVOKABLE QUrl userGuideUrl() const;
    QString documentTitle() const;
    // The title the desktop shows for the window: the platform's choice (Platform::windowTitle).
    QString desktopTitle() const;
    bool isModified() const;
    QStringList recentFiles() const;
    QString midiSystemProblem() const;
    // Every link between the editor and the controller, looked at now, for the Connection
    // Check: as tark9ctl doctor --json writes it, each link with its state's name added
    // ("stateName", translated).
    Q_INVOKABLE QVariantMap connectionCheck() const;

signals:
    void showHint(bool isSend, bool isSuccess);
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
    void slotMidiIndata(char *data, int length);
    void onDevArrivalOrRemove(QString devType, bool isArrival);
    void onFirmwareUpdate(QString path);

private:
    // Who asked for an exchange: an arrival shows at most one warning for all of its exchanges.
    enum class Origin { User, Arrival };
    // What a configuration reply is for.
    enum class ReadPurpose { Load, Compare, Verify };

    void setupQml();
    QByteArray configurationImage() const;
    bool writePreset();
    void loadPreset(const QString &path);
    void markSaved();
    void setRecentFiles(const QStringList &paths);
    void rememberRecent(const QString &path);
    void startRead(ReadPurpose purpose);
    void configurationArrived(const QByteArray &message);
    void readBackFailed(const QString &reason);
    QStringList differenceLines(const QByteArray &editor, const QByteArray &controller) const;
    void searchPortsAgain();
    void finishArrival(const DeviceConnection::PortIndices &ports);
    void reportFailure(DeviceConnection::Status status, Origin origin);

    DeviceConnection m_connection;
    DataManagement *m_dataMgt = nullptr;
    // Before the engine: the scene refers to it until the engine is gone.
    ScreenScaling m_scaling;
    QQmlApplicationEngine m_engine;
    MyFtp m_ftp;
    FirmwareUpdate m_firmwareUpdate;
    QString m_filePath;
    QByteArray m_savedImage;        // the configuration as last saved or opened
    ReadPurpose m_readPurpose = ReadPurpose::Load;
    QByteArray m_sentImage;         // what the last send wrote, until it is verified
    QByteArray m_controllerImage;   // what the last comparison read
    QTimer m_verifyTimer;
    DetectionDevice *m_detectionDevice = nullptr;
    Trans *m_trans = nullptr;
    QTimer m_serialRequestTimer;   // the serial-number request after an arrival
    // Counts arrivals and removals: a step of an arrival that finds it changed is stale (the
    // controller was pulled out while a warning box of that arrival was open).
    quint64 m_arrival = 0;
    bool m_arrivalWarned = false;  // this arrival has shown its one warning
    QTimer m_portSearchTimer;      // an arrival whose ports are not listed yet looks again
    QElapsedTimer m_portSearchClock;
    AppOptions m_options;
};
