#pragma once

// Every message text the program raises, in one place. "%s" and "%d" are filled by Format, in
// order.
namespace Msg {

// Barcode engine
inline constexpr const char* BarcodeMustBeNumeric = "Barcode must be numeric";
inline constexpr const char* InternalError = "%s: internal Error";
inline constexpr const char* NotAValidInteger = "'%s' is not a valid integer value";
inline constexpr const char* InvalidTextLenEAN8 = "Invalid Text len (EAN8)";
inline constexpr const char* InvalidTextLenEAN13 = "Invalid Text len (EAN13)";
inline constexpr const char* Code93BadData = "%s:Code93 bad Data <%s>";
inline constexpr const char* CodabarBadChar = "Invalid character '%s' for Codabar";

// Files and streams
inline constexpr const char* CannotOpenFile = "Cannot open file \"%s\". %s";
inline constexpr const char* CannotOpenDocument = "Cannot open %s: %s";
inline constexpr const char* CannotCreateFile = "Cannot create file \"%s\". %s";
inline constexpr const char* InvalidStreamFormat = "Invalid stream format";
inline constexpr const char* StreamReadError = "Stream read error";
inline constexpr const char* StreamWriteError = "Stream write error";
inline constexpr const char* ClassNotFound = "Class %s not found";
inline constexpr const char* ErrorReading = "Error reading %s%s%s: %s";
inline constexpr const char* PropertyDoesNotExist = "Property %s does not exist";
inline constexpr const char* InvalidPropertyPath = "Invalid property path";
inline constexpr const char* InvalidPropertyValue = "Invalid property value";
inline constexpr const char* AncestorNotFound = "Ancestor for '%s' not found";
inline constexpr const char* InvalidComponentName = "''%s'' is not a valid component name";
inline constexpr const char* DuplicateComponentName = "A component named %s already exists";
inline constexpr const char* ListIndexOutOfBounds = "List index out of bounds (%d)";
inline constexpr const char* TooManyItems = "A page holds at most %d items";

// Page descriptions (tessmira-cli dump and build)
inline constexpr const char* InvalidPageDescription = "Invalid page description: %s";
inline constexpr const char* ItemDescriptionError = "items[%d]: %s";
inline constexpr const char* PageTooLargeToDraw =
    "The page is too large for an image at %d dots per inch";
// Start-up
inline constexpr const char* CannotStartWindow = "Cannot start a window for %s";

// Recent files
inline constexpr const char* RecentFileMissing =
    "The file \"%s\" is no longer there; it has been taken off the list";

// Panels
inline constexpr const char* SubstitutedFont = "%s (substituted by %s)";
inline constexpr const char* InvalidFontSize = "\"%s\" is not a valid font size";
inline constexpr const char* ExportGraphicCaption = "Export barcode graphic";
inline constexpr const char* ExportResolutionPrompt = "Resolution in dots per inch:";
inline constexpr const char* GraphicWritten = "The barcode graphic was written to %s";
inline constexpr const char* UnknownGraphicFormat =
    "The file name \"%s\" does not end in .png, .svg or .pdf";

// Clipboard
inline constexpr const char* CannotOpenClipboard = "Cannot open clipboard";

// Designer
inline constexpr const char* DesignControlNotSpecified = "Design control not specified";
inline constexpr const char* DesignControlParentMustBeNil = "Design control parent must be nil";
inline constexpr const char* DesignPanelNotSpecified = "Design panel not specified";
inline constexpr const char* DesignerMustBeActive = "Designer must be active";
inline constexpr const char* DesignerMustBeInactive = "Designer must be inactive";
inline constexpr const char* CurrentDesignerMustBeActive = "Current designer must be active";
inline constexpr const char* DuplicateDesigner = "Duplicate designer: %s";
inline constexpr const char* ComponentsLocked =
    "Some components are locked. Can not delete components";
inline constexpr const char* ComponentLocked =
    "Component \"%s\" or one of its childrens can not\r\nbe deleted because they are locked";
inline constexpr const char* ComponentCannotBeSelected = "Component \"%s\" can not be selected";
inline constexpr const char* DesignPanelUsedByAnother =
    "Design panel \"%s\" is used by another designer";

// Main window
inline constexpr const char* ConfirmCaption = "Confirm";
inline constexpr const char* SaveChangesQuestion = "Changes are not saved! Save them now?";

// Printing
inline constexpr const char* PrintJobNotReady = "Print job not ready";
inline constexpr const char* PrinterIndexOutOfRange = "Printer index out of range";
inline constexpr const char* PrinterNotPrinting = "Printer is not currently printing";
inline constexpr const char* PrinterNotValid = "Printer selected is not valid";
inline constexpr const char* PrintingInProgress = "Printing in progress";
inline constexpr const char* NoDefaultPrinter = "There is no default printer currently selected";
inline constexpr const char* IllegalNewPage = "Illegal call to NewPage";
inline constexpr const char* NoPrinterInstalled = "No printer is installed";
inline constexpr const char* PrintToPdfQuestion = "%s. Print the page to a PDF file instead?";
inline constexpr const char* UnknownPrinter = "There is no printer named \"%s\"";
inline constexpr const char* SpoolerRefused = "The print spooler did not take the job: %s";
inline constexpr const char* SpoolerNotRunning = "The print spooler (CUPS) is not running at %s";
inline constexpr const char* SpoolerNoAnswer = "The print spooler (CUPS) at %s does not answer";
inline constexpr const char* SpoolerError = "The print spooler reports: %s";
inline constexpr const char* PrinterGone =
    "The printer \"%s\" chosen in Printer setup is no longer installed";
inline constexpr const char* NoDefaultPrinterChoose =
    "There is no default printer; choose one of: %s";
inline constexpr const char* ChoosePrinterCaption = "Choose a printer";
inline constexpr const char* ChoosePrinterPrompt = "There is no default printer. Print on:";
inline constexpr const char* NoPaperHolds = "The printer %s takes no paper of %s x %s mm";
inline constexpr const char* PrintSentStopped =
    "The page went to %s as job %d, but the printer is stopped (%s): it prints once the printer "
    "is started again";
inline constexpr const char* CalibrationOutOfRange =
    "A calibration offset is a number of millimetres from -%d to %d";
inline constexpr const char* CalibrationSent = "The calibration sheet went to %s as job %d";
inline constexpr const char* NoPageInRange =
    "Nothing was printed: the page range %s leaves out the document's one page";
inline constexpr const char* NoSheetInRange =
    "Nothing was printed: the page range %s leaves out all %s sheets";
inline constexpr const char* PrintSent = "The page went to %s as job %d";
inline constexpr const char* PrintedToFile = "The page was printed to %s";
inline constexpr const char* PrinterSetupCaption = "Printer setup";
inline constexpr const char* PrinterSetupConfirm = "OK";
inline constexpr const char* PrintProgressCaption = "Printing progress";
inline constexpr const char* PrintProgressInfo = "%d%%  Completed";

// Data merge
inline constexpr const char* DataSourceEmpty = "The data source is empty: it has no header line";
inline constexpr const char* DataUnclosedQuote = "Line %s: a quoted field is not closed";
inline constexpr const char* DataFieldCount =
    "Record %s (line %s) has %s fields where the header has %s";
inline constexpr const char* DataNoRecords = "The data source has no records";
inline constexpr const char* DataColumnMissing =
    "Line 1: the data source has no column \"%s\", which the document uses";
inline constexpr const char* SequenceColumnMissing =
    "A number sequence has only the column \"#\"; the document uses \"%s\"";
inline constexpr const char* DataRecordRejected = "Record %s (%s), column \"%s\": %s";
inline constexpr const char* DataNot1252 = "the value has characters a barcode cannot hold";
inline constexpr const char* DataNotUsed =
    "No item uses the data source: give an item a data field or a ${column} in a title";
inline constexpr const char* InvalidSequence =
    "\"%s\" is not a number sequence: give FROM:TO or FROM:TO:STEP, with a step that reaches TO";
inline constexpr const char* SequenceTooLong = "A number sequence has at most %s numbers";
inline constexpr const char* DataFileNotChosen = "Choose the CSV file that holds the records";

} // namespace Msg
