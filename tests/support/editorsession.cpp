#include "editorsession.h"

#include "config/datamanagement.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <functional>

namespace {

QQuickItem *findItem(QQuickItem *root, const std::function<bool(QQuickItem *)> &match)
{
    if (!root)
        return nullptr;
    if (match(root))
        return root;
    const QList<QQuickItem *> children = root->childItems();
    for (QQuickItem *child : children) {
        if (QQuickItem *found = findItem(child, match))
            return found;
    }
    return nullptr;
}

} // namespace

EditorSession::EditorSession() = default;

EditorSession::~EditorSession()
{
    m_editor.reset();
}

bool EditorSession::start()
{
    AppOptions options;
    options.virtualDevice = true;
    m_editor = std::make_unique<MainWindow>(options);
    m_window = qobject_cast<QQuickWindow *>(m_editor->engine().rootObjects().value(0));
    return m_window && QTest::qWaitForWindowExposed(m_window);
}

QByteArray EditorSession::image() const
{
    const auto &image = m_editor->dataManagement()->configImage();
    return QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size()));
}

QQuickItem *EditorSession::findEditor(const char *indexProperty, int index, const char *field) const
{
    return findItem(m_window ? m_window->contentItem() : nullptr, [=](QQuickItem *item) {
        const QVariant value = item->property(indexProperty);
        return value.isValid() && value.toInt() == index && item->property(field).isValid();
    });
}
