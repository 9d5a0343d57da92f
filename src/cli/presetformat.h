#pragma once

#include <QByteArray>
#include <QString>

// A whole configuration as tark9ctl shows and builds it: as text for a person, and as JSON that
// names every byte of the preset, so that JSON written by toJson() gives the same image back.
class PresetFormat
{
public:
    static constexpr int JsonFormatVersion = 1;

    // Reads a preset file that holds a whole configuration every byte of which the controller can
    // take; otherwise `error` says why.
    static bool load(const QString &path, QByteArray *image, QString *error);

    static QString toText(const QByteArray &image);
    static QByteArray toJson(const QByteArray &image);
    // Builds an image from JSON as toJson() writes it: every field present, nothing unknown, each
    // value within its field's range; otherwise `error` names the field and why.
    static bool fromJson(const QByteArray &json, QByteArray *image, QString *error);
};
