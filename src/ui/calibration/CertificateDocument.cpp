#include "ui/calibration/CertificateDocument.h"

#include <QTextDocument>
#include <cstdio>

#include "print/PdfDocument.h"
#include "text/DateTime.h"
#include "ui/common/QtText.h"

#ifdef TZ_HAVE_PRINT_SUPPORT
#include <QPrintDialog>
#include <QPrinter>
#endif

namespace tz::ui {

std::string CertificateHtml(const CertificateText& text) {
    std::string html = "<h2>" + HtmlEscaped(text.Title) + "</h2>\n<table cellpadding=\"3\">\n";
    for (const auto& [label, value] : text.Fields)
        html += "<tr><td><b>" + HtmlEscaped(label) + "</b></td><td>" + HtmlEscaped(value) + "</td></tr>\n";
    html += "</table>\n<p></p>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">\n<tr>";
    for (const std::string& head : text.Heads) html += "<th>" + HtmlEscaped(head) + "</th>";
    html += "</tr>\n";
    for (const auto& row : text.Rows) {
        html += "<tr>";
        for (const std::string& cell : row) html += "<td>" + HtmlEscaped(cell) + "</td>";
        html += "</tr>\n";
    }
    html += "</table>\n<h3 style=\"color:" + std::string(text.Passed ? "#007000" : "#c00000") + "\">" +
            HtmlEscaped(text.Verdict) + "</h3>\n";
    return html;
}

bool WriteCertificatePdf(const CertificateText& text, const std::string& path, std::string* error) {
    return WritePdfDocument(PdfPage{text.Title, CertificateHtml(text)}, path, error);
}

void PrintCertificate(const CertificateText& text, QWidget* parent) {
#ifdef TZ_HAVE_PRINT_SUPPORT
    QPrinter printer;
    printer.setDocName(ToQ(text.Title));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    QTextDocument document;
    document.setHtml(ToQ(CertificateHtml(text)));
    document.print(&printer);
#else
    (void)text;
    (void)parent;
#endif
}

std::string CertificateFileName(const std::string& serial, Date finished) {
    std::string name;
    for (char c : serial) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
        name += plain ? c : '_';
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    if (name.empty()) name = "TZ-7300";
    const DateParts p = SplitDate(finished);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", p.year, p.month, p.day, p.hour, p.minute,
                  p.second);
    return "Calibration_" + name + "_" + stamp + ".pdf";
}

}  // namespace tz::ui
