#include "app/controlclipboard.h"

#include "config/controlsettings.h"
#include "config/datamanagement.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

using Layout = ConfigLayout;
using Record = ConfigLayout::Record;

bool validIndex(Record record, int index)
{
    return index >= 0 && index < Layout::recordCount(record);
}

QString bankLetter(int bank)
{
    return QString(QLatin1Char(char('A' + bank)));
}

} // namespace

ControlClipboard::ControlClipboard(DataManagement *model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{
}

bool ControlClipboard::recordOf(const QString &kind, Record *record)
{
    if (kind == QLatin1String("pad"))
        *record = Record::Pad;
    else if (kind == QLatin1String("knob"))
        *record = Record::Knob;
    else if (kind == QLatin1String("strip"))
        *record = Record::Strip;
    else
        return false;
    return true;
}

QString ControlClipboard::noun(Record record)
{
    switch (record) {
    case Record::Pad: return tr("pad");
    case Record::Knob: return tr("knob");
    case Record::Strip: return tr("strip section");
    }
    return QString();
}

QByteArray ControlClipboard::image() const
{
    const auto &bytes = m_model->configImage();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

QString ControlClipboard::report(const QString &refusal, const QString &done)
{
    emit reported(refusal.isEmpty() ? done : refusal);
    return refusal;
}

bool ControlClipboard::copy(const QString &kind, int index)
{
    Record record = Record::Pad;
    if (!recordOf(kind, &record) || !validIndex(record, index)) {
        report(tr("Click the editor of a pad, knob or strip section first."), QString());
        return false;
    }
    putText(ControlSettings::toJson(image(), record, index));
    report(QString(), tr("The %1's settings are on the clipboard.").arg(noun(record)));
    return true;
}

QString ControlClipboard::paste(const QString &kind, int index)
{
    Record target = Record::Pad;
    if (!recordOf(kind, &target) || !validIndex(target, index))
        return report(tr("Click the editor of a pad, knob or strip section first."), QString());
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty())
        return report(tr("The clipboard holds no settings to paste."), QString());
    Record copied = Record::Pad;
    QByteArray fields;
    QString error;
    if (!ControlSettings::fromJson(text.toUtf8(), &copied, &fields, &error))
        return report(tr("The clipboard holds no control's settings: %1.").arg(error), QString());
    if (copied != target)
        return report(tr("The clipboard holds a %1's settings, which fit a %1 only, not a %2.").arg(noun(copied), noun(target)), QString());
    m_model->setRecords(target, index, fields);
    return report(QString(), tr("The settings were pasted onto the %1.").arg(noun(target)));
}

QString ControlClipboard::copyBank(const QString &kind, int from, int to)
{
    Record record = Record::Pad;
    if (!recordOf(kind, &record) || record == Record::Strip)
        return report(tr("Only pads and knobs come in banks."), QString());
    if (from < 0 || from >= Layout::BankCount || to < 0 || to >= Layout::BankCount || from == to)
        return report(tr("Choose two different banks."), QString());
    const int perBank = record == Record::Pad ? Layout::PadsPerBank : Layout::KnobsPerBank;
    const QByteArray fields = image().mid(Layout::recordOffset(record, from * perBank), perBank * Layout::recordSize(record));
    m_model->setRecords(record, to * perBank, fields);
    const QString done = record == Record::Pad ? tr("Bank %1's pads were copied onto bank %2.") : tr("Bank %1's knobs were copied onto bank %2.");
    return report(QString(), done.arg(bankLetter(from), bankLetter(to)));
}

void ControlClipboard::putText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}
