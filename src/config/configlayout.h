#pragma once

#include "config/controlleridentity.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The configuration image field by field, written once: where each field lies, how many bytes
// it has, what a person and the screens call it, which values it may hold and what the factory
// gives it. The model, the preset reader, the JSON form and the comparison all take the layout
// from here.
class ConfigLayout
{
public:
    static constexpr int ImageSize = ControllerIdentity::ImageSize;
    static constexpr int BankCount = 3;                    // banks A, B, C

    static constexpr int CurveOffset = 11;
    static constexpr int LevelOffset = 12;
    static constexpr int CurveCount = 4;                   // FULL, LO, LINEAR, EXP

    static constexpr int PadCount = 48;
    static constexpr int PadsPerBank = 16;
    static constexpr int PadOffset = 13;
    static constexpr int KnobCount = 12;                   // the BQM section
    static constexpr int KnobsPerBank = 4;
    static constexpr int KnobOffset = 349;
    static constexpr int StripCount = 6;                   // the walking belt's sections
    static constexpr int StripOffset = 433;

    // Byte positions inside a record that the model works on by meaning rather than by name.
    static constexpr int TypeByte = 0;
    static constexpr int NumberByte = 1;
    static constexpr int PadColourByte = 4;                // red, then green, then blue
    static constexpr int ColourComponents = 3;

    // The factory configuration where it differs from record to record.
    static constexpr int FactoryFirstPadNote = 24;         // pad i plays note 24 + i
    static constexpr int FactoryPadColour = 90;            // bank A red, B green, C blue
    static constexpr int FactoryFirstStripController = 21; // section j sends controller 21 + j
    static constexpr int FactoryCurve = 0;                 // FULL
    static constexpr int FactoryLevel = 127;

    // A field outside the records: `size` consecutive bytes with the same range.
    struct HeaderField {
        const char *key;     // the JSON key ("curve")
        const char *label;   // what a person calls it ("velocity curve")
        int offset;
        int size;            // bytes
        int minimum;
        int maximum;
    };
    // From the command byte to the full level, in image order (the SysEx start and end bytes
    // are the message's framing, ControllerProtocol's).
    static const QVector<HeaderField> &headerFields();

    enum class Record { Pad, Knob, Strip };

    // One byte of a record.
    struct Field {
        const char *key;        // the JSON key ("channel")
        const char *modelKey;   // the key the screens read and write ("padCh")
        const char *label;      // what a person calls it ("channel")
        int minimum;
        int maximum;
        int factory;            // the factory value, unless factoryValue() says otherwise
    };

    static const QVector<Field> &fields(Record record);
    static int recordSize(Record record) { return fields(record).size(); }
    static int recordCount(Record record);
    static int recordOffset(Record record, int index);
    // The byte of `record` the screens call `modelKey`; -1 for none.
    static int fieldIndex(Record record, const QString &modelKey);
    // "A13" for pad 28, "B2" for knob 5, "3" for strip section 2.
    static QString recordName(Record record, int index);
    // The factory value of byte `field` of record `index`.
    static int factoryValue(Record record, int index, int field);

    // One field of an image with its value and range.
    struct FieldValue {
        int offset = -1;
        QString name;        // "pad A13 type"
        int value = 0;
        int minimum = 0;
        int maximum = 0;
        // "pad A13 type is 99 (known: 0..2)"
        QString text() const;
    };
    // The range of the byte at `offset`; false for the framing bytes and offsets outside the image.
    static bool range(int offset, int *minimum, int *maximum);
    // Every field of `image` whose value lies outside its range, in image order. A block shorter
    // than the image is checked as far as it goes. The framing is not looked at
    // (ControllerProtocol::findMessageDefect is).
    static QList<FieldValue> fieldsOutOfRange(const QByteArray &image);

    // The field at `offset` as a person names it ("pad A13 note", "knob B2 range max",
    // "velocity curve"); the data byte of a pad is named by the pad's type in `image`.
    static QString describe(int offset, const QByteArray &image);

    // The offsets at which two whole (ImageSize-byte) images hold different configurations. The command byte and
    // the firmware version are the controller's to say (a reply carries its own) and are not
    // compared.
    static QList<int> differingOffsets(const QByteArray &first, const QByteArray &second);
    // One line per differing field, `pattern` filled with the field's name (%1) and its value in
    // the first (%2) and the second image (%3): "pad A13 note: editor 36, controller 40".
    static QStringList differenceLines(const QByteArray &first, const QByteArray &second, const QString &pattern);

    // Names for the values of the enumerated fields; "?" outside them.
    static QString curveName(int curve);
    static QString typeName(Record record, int type);
    static QString modeName(int mode);
    // C-1 for 0, C4 for 60, G9 for 127.
    static QString noteName(int note);
};
