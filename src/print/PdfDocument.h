#pragma once
// Documents the program hands to people on paper: the configuration summary and the calibration
// certificate. Their content is built by the core as HTML (plain text and a few tags, no Qt);
// this library lays it out with QTextDocument and writes it as a PDF. It needs a
// QGuiApplication (the windows have one; the command line makes an offscreen one).
#include <string>

namespace tz {

struct PdfPage {
    std::string title;  // the PDF's document title (shown by viewers), UTF-8
    std::string html;   // the body, UTF-8 HTML as QTextDocument understands it
};

// Writes the document as an A4 portrait PDF. The file is written whole or not at all: a failure
// leaves an existing file at `path` untouched. False with a reason in `error` on failure.
bool WritePdfDocument(const PdfPage& page, const std::string& path, std::string* error = nullptr);

// Escapes &, <, > and " so that a value read from an instrument or a file stays text in HTML.
std::string HtmlEscaped(const std::string& text);

}  // namespace tz
