#include "app/presetdocument.h"

#include "app/platform.h"
#include "app/prompt.h"
#include "config/datamanagement.h"
#include "config/presetfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString RecentFilesKey = QStringLiteral("RecentFiles/presets");

} // namespace

PresetDocument::PresetDocument(DataManagement *model, QSettings &settings, QWidget *dialogParent, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_settings(settings)
    , m_dialogParent(dialogParent)
    , m_savedImage(image())
{
    connect(m_model, &DataManagement::imageChanged, this, &PresetDocument::changed);
}

QByteArray PresetDocument::image() const
{
    const auto &image = m_model->configImage();
    return QByteArray(reinterpret_cast<const char *>(image.data()), static_cast<int>(image.size()));
}

void PresetDocument::save()
{
    if (m_filePath.isEmpty())
        m_filePath = Prompt::saveFileName(m_dialogParent, tr("Save File"), QString(), tr("stm (*.stm)"));
    write();
}

void PresetDocument::saveAs()
{
    m_filePath = Prompt::saveFileName(m_dialogParent, tr("Save File"), QString(), tr("stm (*.stm)"));
    write();
}

bool PresetDocument::write()
{
    if (m_filePath.isEmpty()) {
        emit changed();   // a cancelled Save As has forgotten the name
        return false;
    }
    QString error;
    if (!PresetFile::write(m_filePath, image(), &error)) {
        Prompt::warning(m_dialogParent, tr("Error prompt"), error);
        return false;
    }
    markSaved();
    rememberRecent(m_filePath);
    return true;
}

void PresetDocument::open()
{
    if (!confirmUnsavedChanges())
        return;
    const QString filePath = Prompt::openFileName(m_dialogParent, QString(), QString(), QString());
    if (!filePath.isEmpty())
        loadPreset(filePath);
}

void PresetDocument::openRecent(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        QStringList paths = recentFiles();
        paths.removeAll(path);
        setRecentFiles(paths);
        Prompt::warning(m_dialogParent, tr("Error prompt"),
                        tr("The preset %1 is no longer there; it was taken off the recent presets.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (confirmUnsavedChanges())
        loadPreset(path);
}

void PresetDocument::loadPreset(const QString &path)
{
    const PresetFile::ReadResult result = PresetFile::read(path);
    switch (result.status) {
    case PresetFile::ReadStatus::Loaded:
        m_model->loadConfigImage(result.block.constData(), result.block.size());
        // Save writes back to the preset the title names.
        m_filePath = path;
        markSaved();
        rememberRecent(path);
        break;
    case PresetFile::ReadStatus::NoBlock:
        // Nothing to load, but the screens still refresh from the unchanged model.
        m_model->loadConfigImage(nullptr, 0);
        Prompt::warning(m_dialogParent, tr("Error prompt"), result.error);
        break;
    case PresetFile::ReadStatus::CannotOpen:
    case PresetFile::ReadStatus::InvalidBytes:
    case PresetFile::ReadStatus::OutOfRange:
        Prompt::warning(m_dialogParent, tr("Error prompt"), result.error);
        break;
    }
}

void PresetDocument::load(const QByteArray &image)
{
    const bool adopt = m_filePath.isEmpty() && !isModified();
    m_model->loadConfigImage(image.constData(), image.size());
    if (adopt)
        markSaved();
}

void PresetDocument::markSaved()
{
    m_savedImage = image();
    emit changed();
}

bool PresetDocument::isModified() const
{
    return image() != m_savedImage;
}

QString PresetDocument::title() const
{
    QString title = QStringLiteral("Kovela Tark9 Editor");
    if (!m_filePath.isEmpty())
        title += QStringLiteral(" - ") + QFileInfo(m_filePath).fileName();
    if (isModified())
        title += QStringLiteral(" *");
    return title;
}

QString PresetDocument::desktopTitle() const
{
    return Platform::windowTitle(title());
}

bool PresetDocument::confirmUnsavedChanges()
{
    if (!isModified())
        return true;
    switch (Prompt::question(m_dialogParent, tr("Unsaved changes"), tr("The configuration has changes that are not saved in a preset. Save them first?"))) {
    case Prompt::Answer::Save:
        save();
        return !isModified();
    case Prompt::Answer::Discard:
        return true;
    case Prompt::Answer::Cancel:
        break;
    }
    return false;
}

QStringList PresetDocument::recentFiles() const
{
    return m_settings.value(RecentFilesKey).toStringList();
}

void PresetDocument::setRecentFiles(const QStringList &paths)
{
    m_settings.setValue(RecentFilesKey, paths);
    emit recentFilesChanged();
}

void PresetDocument::rememberRecent(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = recentFiles();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    setRecentFiles(paths.mid(0, RecentFileCount));
}
