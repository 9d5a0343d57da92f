#pragma once

#include "config/configlayout.h"
#include "config/strictjson.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

// One control's settings (a pad, a knob or a strip section) as JSON, under the names the
// preset's JSON form gives them: tark9ctl show --json writes a pad as {"type": 0, "number": 24,
// "channel": 1, "mode": 0, "red": 90, "green": 0, "blue": 0}. tark9ctl's presets and the editor's
// clipboard write and read a control through here, so that settings move between the editor,
// scripts and text files. The sentences are translated in the contexts "ControlSettings" and
// "StrictJson".
class ControlSettings
{
    Q_DECLARE_TR_FUNCTIONS(ControlSettings)

public:
    using Record = ConfigLayout::Record;

    // The field names of `record`, in record order.
    static QStringList keys(Record record);

    // Record `index` of `image` as a JSON object on one line, keys in record order.
    static QString toJson(const QByteArray &image, Record record, int index);

    // The bytes of one `record` from `node`: every field present once, nothing unknown, each a
    // whole number within its range; otherwise `error` names the field and why. `path` names the
    // object in the document ("pads.A[3]", and its fields "pads.A[3].channel"); an empty path is
    // a control on its own ("the control", its fields by their names: "channel").
    static bool read(const StrictJson::Node *node, const QString &path, Record record, QByteArray *fields, QString *error);

    // One control's settings on their own, as toJson() writes them (the clipboard's text): the
    // kind of control they are for, told by their field names, and the record's bytes;
    // otherwise `error` says why, as the end of a sentence ("channel is 0, outside 1..16").
    static bool fromJson(const QByteArray &json, Record *record, QByteArray *fields, QString *error);
};
