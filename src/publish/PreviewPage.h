#pragma once

#include <QString>

class LinksPageSetup;

// The style preview of the links page setup: a sample links page shipped with the application,
// its "#KeyName#" placeholders filled with the working styles, written to "preview.html" in the
// private temporary folder and opened in the browser.
namespace PreviewPage {

// The sample page from the resources, or a null string when it is missing.
QString samplePage();
// The page the working setup gives: for the responsive layout, that page built from a sample
// database with the working styles and choices; for the table layouts, the sample page with its
// placeholders filled. Null when a sample is missing.
QString previewHTML(const LinksPageSetup &setup);
// Where the preview is written; empty when the temporary folder cannot be made.
QString tempFilePath(QString *error = nullptr);
// Writes the preview and returns its path; empty with `error` on failure.
QString write(const LinksPageSetup &setup, QString *error = nullptr);
// Writes the preview and opens it with the system's opener.
bool show(const LinksPageSetup &setup, QString *error = nullptr);

} // namespace PreviewPage
