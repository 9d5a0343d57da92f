#pragma once

#include "config/controllerprotocol.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <array>
#include <cstdint>

// The controller's whole configuration, held as the byte image of the configuration SysEx
// message itself: sending, receiving, saving and opening a preset are plain copies of it.
class DataManagement : public QObject
{
    Q_OBJECT
public:
    static constexpr int ImageSize = ControllerIdentity::ImageSize;
    static constexpr int PadCount = 48;
    static constexpr int BqmCount = 12;
    static constexpr int BeltCount = 6;
    static constexpr int PadOffset = 13;
    static constexpr int BqmOffset = 349;
    static constexpr int BeltOffset = 433;
    static constexpr int CurveOffset = 11;
    static constexpr int IntensityOffset = 12;
    // Every byte between the SysEx start and end must be a MIDI data byte.
    static constexpr int MaxDataByte = ControllerProtocol::MaxDataByte;

    explicit DataManagement(QObject *parent = nullptr);

    const std::array<quint8, ImageSize> &configImage() const { return m_configImage; }
    void loadConfigImage(const char *data, int length);

signals:
    void s_updateDate();

public slots:
    void initDefaultData();
    QVariantMap getPadInfo(int index);
    void setPadInfo(int index, QString valueType, int value);
    void setPadInfo(int index, QString valueType, QString value);
    void setPadBatch(int bank, QString mode, bool isDes, QString valueType, int value);
    void setPadBatchColor(int bank, QString color);
    void setCurveInten(QString valueType, int value);
    QVariantMap getBQMInfo(int index);
    void setBQMInfo(int index, QString valueType, int value);
    void setBQMBatch(int bank, QString mode, QString valueType, int value);
    QVariantMap getWalkingBeltInfo(int index);
    void setWalkingBeltInfo(int index, QString valueType, int value);
    void setLum(int bank, float value);
    QVariantList getVerInfo();

private:
    struct Rgb { qint8 r, g, b; };

    int field(int offset) const { return static_cast<qint8>(m_configImage[offset]); }
    void store(int offset, qint64 value);
    bool storePadField(int index, const QString &valueType, int value);
    bool storeBqmField(int index, const QString &valueType, int value);
    void setPadColor(int index, const QString &colorName);
    void updateFullColor(int index);

    std::array<quint8, ImageSize> m_configImage{};
    std::array<Rgb, PadCount> m_fullColor{};
};
