#include "device/linux/udevpathtranslator.h"

#include <QRegularExpression>

QString UdevPathTranslator::interfacePath(const QByteArray &vendorId, const QByteArray &modelId, const QByteArray &devPath)
{
    return QStringLiteral("USB#VID_%1&PID_%2#%3")
        .arg(QString::fromLatin1(vendorId).toUpper(), QString::fromLatin1(modelId).toUpper(),
             QString::fromUtf8(devPath));
}

bool UdevPathTranslator::translate(const Properties &properties, DeviceMessage *message)
{
    static const QRegularExpression cardDevice(QStringLiteral("/card[0-9]+$"));
    if (properties.value("SUBSYSTEM") != "sound")
        return false;
    const QByteArray devPath = properties.value("DEVPATH");
    if (!cardDevice.match(QString::fromUtf8(devPath)).hasMatch())
        return false;
    const QByteArray action = properties.value("ACTION");
    const QByteArray vendor = properties.value("ID_VENDOR_ID");
    const QByteArray model = properties.value("ID_MODEL_ID");
    if (action == "add") {
        if (vendor.isEmpty() || model.isEmpty())
            return false;
        const QString path = interfacePath(vendor, model, devPath);
        m_arrivedPaths.insert(devPath, path);
        *message = DeviceMessage::interfaceChange(true, path);
        return true;
    }
    if (action == "remove") {
        QString path = m_arrivedPaths.take(devPath);
        if (!vendor.isEmpty() && !model.isEmpty())
            path = interfacePath(vendor, model, devPath);
        if (path.isEmpty())
            return false;
        *message = DeviceMessage::interfaceChange(false, path);
        return true;
    }
    return false;
}
