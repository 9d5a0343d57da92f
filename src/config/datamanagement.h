#pragma once

#include "config/configlayout.h"
#include "config/controllerprotocol.h"
#include "config/edithistory.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <array>
#include <cstdint>

// The controller's whole configuration, held as the byte image of the configuration SysEx
// message itself: sending, receiving, saving and opening a preset are plain copies of it.
//
// Every change is an undo step: a finished edit of one field, a whole image loaded, the
// defaults. A change made of several calls (a bank filled by "Auto Populate") is one step when
// it is bracketed by beginEdit() and endEdit(). A call that leaves the image as it was is no step.
class DataManagement : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY historyChanged)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY historyChanged)
public:
    static constexpr int ImageSize = ConfigLayout::ImageSize;
    static constexpr int PadCount = ConfigLayout::PadCount;
    static constexpr int BqmCount = ConfigLayout::KnobCount;
    static constexpr int BeltCount = ConfigLayout::StripCount;
    // Every byte between the SysEx start and end must be a MIDI data byte.
    static constexpr int MaxDataByte = ControllerProtocol::MaxDataByte;

    explicit DataManagement(QObject *parent = nullptr);

    const std::array<quint8, ImageSize> &configImage() const { return m_configImage; }
    void loadConfigImage(const char *data, int length);

    // Records `first`, `first` + 1, ... of `record` take the bytes of `fields` (whole records,
    // laid out as ConfigLayout says; each byte kept within its field's range), as one undo step:
    // a control's settings pasted, a bank copied onto another.
    void setRecords(ConfigLayout::Record record, int first, const QByteArray &fields);

    // The fields whose values this editor does not know (a newer firmware's type, say), one line
    // each ("pad A1 type is 99 (known: 0..2)"), in image order; none for a configuration it knows
    // whole. A loaded configuration keeps such values as they are until they are edited.
    QStringList unknownFields() const;

    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    // What is there now becomes the starting point: nothing to undo or redo (the factory
    // defaults written at start-up are no edit of the user's).
    void clearHistory();

signals:
    void s_updateDate();
    void historyChanged();
    // The image changed, by an edit, an undo or a redo.
    void imageChanged();

public slots:
    void initDefaultData();
    QVariantMap getPadInfo(int index);
    void setPadInfo(int index, QString valueType, int value);
    void setPadInfo(int index, QString valueType, QString value);
    void setPadBatch(int bank, QString mode, bool isDes, QString valueType, int value);
    void setPadBatchColor(int bank, QString color);
    void setCurveInten(QString valueType, int value);
    // The velocity curve ("curve") or the fixed level ("intensity") as stored; -1 for another name.
    int getCurveInten(QString valueType);
    QVariantMap getBQMInfo(int index);
    void setBQMInfo(int index, QString valueType, int value);
    void setBQMBatch(int bank, QString mode, QString valueType, int value);
    QVariantMap getWalkingBeltInfo(int index);
    void setWalkingBeltInfo(int index, QString valueType, int value);
    void setLum(int bank, float value);
    // The brightness the bank's pads show (0.0 to 1.0): the share of their full colours that
    // setLum gave them, taken from the brightest pad; 0 for a bank outside 1 to 3.
    float getLum(int bank);
    QVariantList getVerInfo();
    void undo();
    void redo();
    // Brackets calls that make one undo step; pairs may nest.
    void beginEdit();
    void endEdit();

private:
    struct Rgb { qint8 r, g, b; };

    // One change from construction to destruction.
    struct EditScope {
        explicit EditScope(DataManagement *model) : m_model(model) { m_model->beginEdit(); }
        ~EditScope() { m_model->endEdit(); }
        DataManagement *m_model;
    };

    // The image and the pads' full colours: the full colours cannot be recomputed from dimmed
    // colours without loss, so a step keeps them too.
    QByteArray state() const;
    void setState(const QByteArray &state);
    void restore(const QByteArray &state);

    int field(int offset) const { return static_cast<qint8>(m_configImage[offset]); }
    // Byte `byte` of record `index`, as stored.
    int recordField(ConfigLayout::Record record, int index, int byte) const;
    QVariantMap recordInfo(ConfigLayout::Record record, int index) const;
    // Stores `value` kept within the range of the field at `offset`.
    void store(int offset, qint64 value);
    bool storeRecordField(ConfigLayout::Record record, int index, const QString &valueType, int value);
    void setPadColor(int index, const QString &colorName);
    void updateFullColor(int index);

    std::array<quint8, ImageSize> m_configImage{};
    std::array<Rgb, PadCount> m_fullColor{};
    EditHistory m_history;
    int m_editDepth = 0;
    QByteArray m_editStart;   // the state when the outermost open edit began
};
