#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What the download server's describe.json says about the newest firmware image:
//   {"name": "rk21_104.bin", "ver": 1.04, "info": ["note", ...],
//    "sha256": "<64 hexadecimal digits>", "size": <bytes>}
// "sha256" and "size" are optional. The text comes from the network, so nothing in it is
// trusted: a catalogue is usable only when the name is a plain file name and every optional
// field that is present is well formed.
struct FirmwareCatalogue
{
    Q_DECLARE_TR_FUNCTIONS(FirmwareCatalogue)

public:
    // describe.json is a few hundred bytes; anything this large is not a catalogue.
    static constexpr int MaxBytes = 64 * 1024;
    // Above this a JSON number no longer holds every whole number exactly.
    static constexpr double MaxExactInteger = 9007199254740992.0; // 2^53

    // Fills in what the text holds. Returns false when the catalogue cannot be used; name is
    // then empty, and everything else as far as it was read (for the log).
    bool parse(const QByteArray &text);

    // The image's file name, to be requested from the server and stored under; a plain name
    // that stays inside both directories.
    QString name;
    // The image's version; 0 when missing or not a number.
    double ver = 0.0;
    QStringList notes;
    // The image's expected SHA-256 digest (32 raw bytes), empty when the catalogue gives none.
    QByteArray sha256;
    // The image's size in bytes, -1 when the catalogue gives none.
    qint64 size = -1;
    // Why the catalogue cannot be used, for the log; empty when it can.
    QString problem;

    static bool isPlainFileName(const QString &name);

    // Why the file at `path`, which carries this catalogue's image name, is not its image (its
    // size or checksum differs, or it cannot be read), as a phrase for the user; empty when it is
    // the image or carries another name. `listed` says whether it carries the name.
    QString mismatch(const QString &path, bool *listed = nullptr) const;
    // The newest image the editor keeps in `folder` that the boot loader would take and that,
    // when it carries this catalogue's name, is its image; empty when there is none. A download
    // on its way is NAME.part there, and is not taken.
    QString newestImageIn(const QString &folder) const;
};
