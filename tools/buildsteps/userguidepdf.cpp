// Typesets the user guide, written in Markdown, as the PDF that the editor's Help menu opens:
//     userguidepdf docs/userguide.md kovelaTark9.pdf
// Images in the guide are found relative to the guide's own folder.

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cstdio>

namespace {

constexpr qreal MarginMm = 18;
constexpr qreal BodyPointSize = 10;
constexpr qreal TableCellPadding = 4;   // document units (1/96 inch)
// QTextDocument lays out in units of 1/96 inch and print() scales that to the page.
constexpr qreal LayoutDpi = 96;
constexpr qreal MmPerInch = 25.4;

int fail(const QString &message)
{
    std::fprintf(stderr, "userguidepdf: %s\n", qPrintable(message));
    return 1;
}

// Pictures wider than the text (screenshots) are shown at the text's width, in proportion.
void fitImages(QTextDocument &document, qreal textWidth)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            if (!image.isValid())
                continue;
            const QSize size = QImageReader(document.baseUrl().resolved(QUrl(image.name())).toLocalFile()).size();
            if (size.width() <= textWidth)
                continue;
            image.setWidth(textWidth);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

// Each top-level heading after the first (the guide in another language) starts a new page.
void breakBeforeTopHeadings(QTextDocument &document)
{
    bool first = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1)
            continue;
        if (!first) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
        first = false;
    }
}

void padTables(QTextDocument &document)
{
    const QList<QTextFrame *> frames = document.rootFrame()->childFrames();
    for (QTextFrame *frame : frames) {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat format = table->format();
            format.setCellPadding(TableCellPadding);
            format.setCellSpacing(0);
            table->setFormat(format);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    // Laying out text needs the fonts, which need a GUI application (any platform will do:
    // the build runs it with the offscreen one).
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return fail(QStringLiteral("usage: userguidepdf GUIDE.md OUTPUT.pdf"));

    QFile source(arguments.at(1));
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(source.fileName(), source.errorString()));
    const QString markdown = QString::fromUtf8(source.readAll());

    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(source).absolutePath() + QLatin1Char('/')));
    QFont font = document.defaultFont();
    font.setPointSizeF(BodyPointSize);
    document.setDefaultFont(font);
    document.setMarkdown(markdown);

    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                             QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
    const QSizeF text = layout.paintRect(QPageLayout::Millimeter).size() * (LayoutDpi / MmPerInch);
    document.setPageSize(text);
    fitImages(document, text.width());
    breakBeforeTopHeadings(document);
    padTables(document);

    const QString output = arguments.at(2);
    QPdfWriter writer(output);
    writer.setTitle(QStringLiteral("Kovela Tark9 Editor — User Guide"));
    writer.setCreator(QStringLiteral("kovelaTark9"));
    writer.setPageLayout(layout);
    document.print(&writer);

    if (QFileInfo(output).size() == 0)
        return fail(QStringLiteral("cannot write %1").arg(output));
    return 0;
}
