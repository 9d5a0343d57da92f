#include "app/appoptions.h"

AppOptions AppOptions::parse(const QStringList &arguments)
{
    AppOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--virtual-device"))
            options.virtualDevice = true;
        else if (argument == QLatin1String("--screenshot") && i + 1 < arguments.size())
            options.screenshotPath = arguments.at(++i);
    }
    return options;
}
