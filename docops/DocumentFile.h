#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <string_view>

class TReportPage;

// Where the main window and tessmira-cli get and store their pages. Every page either edits is
// made here.

// A new empty page: no owner, PrintIfEmpty set.
std::unique_ptr<TReportPage> NewDocumentPage();

// The bytes of a document file, up to the size any document can have. Throws TException
// ("Cannot open file ...", "Stream read error").
QByteArray ReadDocumentFile(const QString& Path);
// Reads a document's bytes into a new page; throws the reader's errors.
std::unique_ptr<TReportPage> ReadDocumentData(std::string_view Data);

// Reads a document file into a new page. Throws TException ("Cannot open file ..." and the
// reading errors); the caller's page is never touched, so a failed read loses nothing.
std::unique_ptr<TReportPage> ReadDocument(const QString& Path);
// As ReadDocument, for a file nobody has just picked in a dialog: a reading error names the file
// as Name ("Cannot open Name: ..."); "Cannot open file ..." names it already.
std::unique_ptr<TReportPage> ReadNamedDocument(const QString& Path, const QString& Name);

// Writes the page with all its items to Path, replacing the file. Throws TException.
void WriteDocument(const TReportPage& Page, const QString& Path);
