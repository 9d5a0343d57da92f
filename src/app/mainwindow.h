#pragma once

#include "app/appoptions.h"
#include "device/midiin.h"
#include "device/midiout.h"
#include "firmware/firmwareupdate.h"
#include "firmware/myftp.h"

#include <QMainWindow>
#include <QQmlApplicationEngine>
#include <QString>
#include <QTimer>

class DataManagement;
class DetectionDevice;
class Trans;

// The MIDI input port's data handler: runs on the MIDI system's thread and hands a copy of the
// bytes to the controller's GUI thread.
void forwardMidiInput(char *data, int length);

// The application's controller: owns every back-end object, publishes them to the QML scene
// and decides when the controller's ports are open. The widget itself is never shown; it
// parents the dialogs and, moved along with the QML window, tells which screen that is on.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(const AppOptions &options = AppOptions());
    ~MainWindow() override;

    DataManagement *dataManagement() const { return m_dataMgt; }
    QQmlApplicationEngine &engine() { return m_engine; }
    MyFtp &ftp() { return m_ftp; }
    FirmwareUpdate &firmwareUpdate() { return m_firmwareUpdate; }

    // Brings the QML window to the front, restored (a second start asked for it).
    void raiseWindow();

signals:
    void showHint(bool isSend, bool isSuccess);
    void s_midiIndata(char *data, int length);
    void screenChanged();
    void devStateChanged(bool state);
    void s_snNum(QString snStr);

public slots:
    void sendData();
    void getData();
    QString rgbtoStr(int r, int g, int b);
    void save();
    void saveAs();
    void openFile();
    double getScalingRate();
    void updateProgra(int x, int y);
    QString getSoftVersion();
    // The maker's web address `name` ("supportCenter", "officialSite", "videoChannel") from the
    // settings' "Help" group; empty, which hides its link, when unset or not a web address.
    QString helpAddress(const QString &name);

private slots:
    void slotMidiIndata(char *data, int length);
    void screenCountChange();
    void onDevArrivalOrRemove(QString devType, bool isArrival);
    void onFirmwareUpdate(QString path);

private:
    void setupQml();
    int currentScreenNumber() const;
    void writePreset();
    void openMidiPorts(bool open);

    MidiIn m_midiIn;
    MidiOut m_midiOut;
    DataManagement *m_dataMgt = nullptr;
    QQmlApplicationEngine m_engine;
    MyFtp m_ftp;
    FirmwareUpdate m_firmwareUpdate;
    QString m_filePath;
    double m_scalingRate = 1.0;
    DetectionDevice *m_detectionDevice = nullptr;
    Trans *m_trans = nullptr;
    bool m_isDevConnected = false;
    int m_inDevIndex = -1;
    int m_outDevIndex = -1;
    int m_lastScreenNumber = -1;
    QTimer m_serialRequestTimer;   // the serial-number request after an arrival
    QList<QMetaObject::Connection> m_dpiConnections;
    AppOptions m_options;
};
