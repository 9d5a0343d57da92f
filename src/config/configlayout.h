#pragma once

#include "config/controlleridentity.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The fields of the configuration image by name, for code that shows, compares or
// builds a whole configuration rather than editing it field by field: where each field lies, what
// a person calls it and which values it may hold.
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

    enum class Record { Pad, Knob, Strip };

    // One byte of a record.
    struct Field {
        const char *key;     // the JSON key ("channel")
        const char *label;   // what a person calls it ("channel")
        int minimum;
        int maximum;
    };

    static const QVector<Field> &fields(Record record);
    static int recordSize(Record record) { return fields(record).size(); }
    static int recordCount(Record record);
    static int recordOffset(Record record, int index);
    // "A13" for pad 28, "B2" for knob 5, "3" for strip section 2.
    static QString recordName(Record record, int index);

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
