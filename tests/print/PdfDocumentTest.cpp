#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "print/PdfDocument.h"

namespace tz {
namespace {

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "test_print";
    static char* argv[] = {name, nullptr};
    static auto app = std::make_unique<QGuiApplication>(argc, argv);
    return *app;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PdfDocumentTest, WritesAPdfHoldingTheText) {
    App();
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.pdf");
    std::string error;
    ASSERT_TRUE(WritePdfDocument({"Summary", "<h1>Serial 1234567</h1><p>CH4 &amp; O2</p>"},
                                 path.toStdString(), &error)) << error;
    EXPECT_TRUE(ReadAll(path).startsWith("%PDF-"));

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    QProcess run;
    run.start(pdftotext, {path, "-"});
    ASSERT_TRUE(run.waitForFinished(30000));
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    EXPECT_TRUE(text.contains("Serial 1234567")) << text.toStdString();
    EXPECT_TRUE(text.contains("CH4 & O2")) << text.toStdString();
}

TEST(PdfDocumentTest, AFolderThatDoesNotExistIsAnErrorAndWritesNothing) {
    App();
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/doc.pdf");
    std::string error;
    EXPECT_FALSE(WritePdfDocument({"t", "<p>x</p>"}, path.toStdString(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(PdfDocumentTest, HtmlEscapedKeepsValuesAsText) {
    EXPECT_EQ(HtmlEscaped("a<b>&\"c\""), "a&lt;b&gt;&amp;&quot;c&quot;");
    EXPECT_EQ(HtmlEscaped("CH4 (LEL)"), "CH4 (LEL)");
}

}  // namespace
}  // namespace tz
