#pragma once

#include <QString>
#include <memory>

class TReportPage;

// Where the main window gets and stores its pages. Every page the window edits is made here.

// A new empty page: no owner, PrintIfEmpty set.
std::unique_ptr<TReportPage> NewDocumentPage();

// Reads a document file into a new page. Throws TException ("Cannot open file ..." and the
// reading errors); the caller's page is never touched, so a failed read loses nothing.
std::unique_ptr<TReportPage> ReadDocument(const QString& Path);

// Writes the page with all its items to Path, replacing the file. Throws TException.
void WriteDocument(const TReportPage& Page, const QString& Path);
