#include "config/controlsettings.h"

namespace {

using Layout = ConfigLayout;
using Record = ConfigLayout::Record;

const Record Records[] = {Record::Pad, Record::Knob, Record::Strip};

} // namespace

QStringList ControlSettings::keys(Record record)
{
    QStringList names;
    for (const Layout::Field &field : Layout::fields(record))
        names << QLatin1String(field.key);
    return names;
}

QString ControlSettings::toJson(const QByteArray &image, Record record, int index)
{
    const int offset = Layout::recordOffset(record, index);
    QStringList members;
    const QVector<Layout::Field> &fields = Layout::fields(record);
    for (int i = 0; i < fields.size(); ++i)
        members << QStringLiteral("\"%1\": %2").arg(QLatin1String(fields.at(i).key)).arg(static_cast<quint8>(image.at(offset + i)));
    return QLatin1Char('{') + members.join(QStringLiteral(", ")) + QLatin1Char('}');
}

bool ControlSettings::read(const StrictJson::Node *node, const QString &path, Record record, QByteArray *fields, QString *error)
{
    const QStringList names = keys(record);
    if (!StrictJson::object(node, path.isEmpty() ? tr("the control") : path, names, error))
        return false;
    const QVector<Layout::Field> &layout = Layout::fields(record);
    QByteArray bytes(layout.size(), '\0');
    for (int f = 0; f < layout.size(); ++f) {
        const QString fieldPath = path.isEmpty() ? names.at(f) : path + QLatin1Char('.') + names.at(f);
        int value = 0;
        if (!StrictJson::number(node->member(names.at(f)), fieldPath, layout.at(f).minimum, layout.at(f).maximum, &value, error))
            return false;
        bytes[f] = static_cast<char>(value);
    }
    *fields = bytes;
    return true;
}

bool ControlSettings::fromJson(const QByteArray &json, Record *record, QByteArray *fields, QString *error)
{
    StrictJson::Node node;
    QString syntax;
    int at = 0;
    if (!StrictJson::parse(json, &node, &syntax, &at)) {
        *error = tr("it is not JSON");
        return false;
    }
    // The kind whose field names the settings share most, and of two such the one of which
    // fewer are missing: a strip section's four names are a pad's first four too.
    int bestShared = 0;
    int bestMissing = 0;
    for (Record candidate : Records) {
        const QStringList names = keys(candidate);
        int shared = 0;
        for (const auto &member : node.members)
            shared += names.contains(member.first) ? 1 : 0;
        const int missing = names.size() - shared;
        if (shared > bestShared || (shared == bestShared && shared > 0 && missing < bestMissing)) {
            bestShared = shared;
            bestMissing = missing;
            *record = candidate;
        }
    }
    if (node.kind == StrictJson::Node::Kind::Object && bestShared == 0) {
        *error = tr("it names no setting of a pad, a knob or a strip section");
        return false;
    }
    return read(&node, QString(), bestShared > 0 ? *record : Record::Pad, fields, error);
}
