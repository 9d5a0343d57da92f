#pragma once

#include <QByteArray>
#include <QString>

// A whole configuration as tark9ctl shows and builds it: as text for a person, and as JSON that
// names every byte of the preset, so that JSON written by toJson() gives the same image back.
class PresetFormat
{
public:
    static constexpr int JsonFormatVersion = 1;

    enum class Values {
        Known,   // every field within its range: what the editor opens
        Any      // fields may hold values this editor does not know (a send told to go ahead)
    };

    // Reads a preset file that holds a whole configuration every byte of which the controller can
    // take and, with Values::Known, every field of which holds a value of its range; otherwise
    // `error` says why.
    static bool load(const QString &path, QByteArray *image, QString *error, Values values = Values::Known);

    static QString toText(const QByteArray &image);
    // For an image whose every field lies within its range (what load() accepts).
    static QByteArray toJson(const QByteArray &image);
    // Builds an image from JSON as toJson() writes it: every field present once, nothing unknown,
    // each value within its field's range; otherwise `error` names the field and why.
    static bool fromJson(const QByteArray &json, QByteArray *image, QString *error);
};
