#include "print/PdfDocument.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <QTextDocument>

namespace tz {

namespace {

void SetError(std::string* error, const QString& text) {
    if (error) *error = text.toStdString();
}

// Lays the document out on the writer's pages and paints every page.
bool PaintDocument(QPdfWriter& writer, const PdfPage& page) {
    QTextDocument document;
    document.setHtml(QString::fromStdString(page.html));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    const QRectF body = writer.pageLayout().paintRectPixels(writer.resolution());
    document.setPageSize(body.size());
    // QTextDocument paints at 96 dpi-like logical units; scale to the writer's resolution so that
    // a 10 pt font is 10 pt on paper.
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !writer.newPage()) return false;
        painter.save();
        painter.translate(0, -body.height() * i);
        document.drawContents(&painter, QRectF(0, body.height() * i, body.width(), body.height()));
        painter.restore();
    }
    return painter.end();
}

}  // namespace

bool WritePdfDocument(const PdfPage& page, const std::string& path, std::string* error) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QString::fromStdString(page.title));
        writer.setCreator(QStringLiteral("TZ-7300 Setup"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        writer.setResolution(96);
        if (!PaintDocument(writer, page)) {
            file.cancelWriting();
            SetError(error, QStringLiteral("the document could not be laid out"));
            return false;
        }
    }
    if (!file.commit()) {
        SetError(error, file.errorString());
        return false;
    }
    return true;
}

std::string HtmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace tz
