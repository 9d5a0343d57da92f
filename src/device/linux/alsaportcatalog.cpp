#include "device/linux/alsaportcatalog.h"

#include <algorithm>

QVector<AlsaPortInfo> AlsaPortCatalog::select(QVector<AlsaPortInfo> ports, Direction direction, int ownClient)
{
    // An input port of the editor reads what the device's port sends, and the other way round.
    const unsigned wanted = direction == Direction::Input ? (CapRead | CapSubsRead) : (CapWrite | CapSubsWrite);
    std::sort(ports.begin(), ports.end(), [](const AlsaPortInfo &a, const AlsaPortInfo &b) {
        return a.client != b.client ? a.client < b.client : a.port < b.port;
    });
    QVector<AlsaPortInfo> selected;
    for (const AlsaPortInfo &info : qAsConst(ports)) {
        if (info.client == ownClient || info.client == SystemClient)
            continue;
        if ((info.capability & wanted) != wanted || (info.capability & CapNoExport))
            continue;
        selected.append(info);
    }
    return selected;
}
