#pragma once

#include "app/DataPreview.h"
#include "app/TPrompts.h"
#include "document/TPageChange.h"

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QUndoStack;
class QTimer;
class QToolBar;
class TDesignPanel;
class TDesignManager;
class TDesigner;
class TFormBarcodeProps;
class TFormCalibration;
class TFormDataSource;
struct TPrintOutcome;
class TFormPageProps;
class TLockKeys;
class TReportPage;

// The application shell: the one page being edited, its file name and modified state, and every
// command of the program.
class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // Prompts default to the platform's message boxes and file dialogs.
    explicit TFormMain(std::unique_ptr<TPrompts> Prompts = nullptr, QWidget* Parent = nullptr);
    ~TFormMain() override;

    TReportPage* Page() const { return FPage.get(); }
    const QString& FileName() const { return FFileName; }
    bool Modified() const { return FModified; }
    QUndoStack* UndoStack() const { return FUndo; }
    // A change of the document is done: when the stored document differs from what the last
    // step left, it becomes one undo step named Caption, and the document is modified.
    // ByKey: a step of a run of key presses, which joins the one before on the same items.
    void RecordStep(const QString& Caption, bool ByKey = false);
    // Puts the whole document back to Bytes, when an undo cannot go item by item.
    void RestoreDocument(const std::string& Bytes);
    // Makes a step's change (Forward) or takes it back, at the zoom it was taken at.
    void ApplyChange(const TPageChange& Change, bool Forward, std::int32_t Zoom);
    // Two steps in a row as one, from the records the second left; nothing when they cancel.
    std::optional<TPageChange> JoinedChange(const TPageChange& First,
                                            const TPageChange& Second) const;
    // The operation that item and property changes use to mark the document.
    void SetModified(bool Value);

    // Opens a document file in place of the current page (Open after its dialog); a file that
    // cannot be read changes nothing.
    void OpenFile(const QString& Name);
    // A file named at start-up; one that cannot be opened is named in the error shown.
    void OpenStartupFile(const QString& Name);

    // Whether unsaved changes may be dropped; asks the user when there are any.
    bool QuerySave();

    // Copies the barcode properties panel's values to every selected barcode item and reloads
    // the panel from the first; marks the document modified unless an item refused a value.
    void ApplyBarcodeProps();
    // Writes the page properties panel's values to the page and shows what the page made of them.
    void ApplyPageProps();

    // Runs one command; an error ends it and is shown in a message box, and the program goes on.
    void RunCommand(const std::function<void()>& Command);

    TDesigner* Designer1 = nullptr;
    TDesignManager* DesignManager1 = nullptr;
    TDesignPanel* DesignPanel1 = nullptr;
    TFormBarcodeProps* FormBarcodeProps = nullptr;
    TFormPageProps* FormPageProps = nullptr;
    // File > Data source: the dialog last opened, until the next one.
    TFormDataSource* FormDataSource = nullptr;
    TFormCalibration* FormCalibration = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QLabel* L_Modified = nullptr;
    QLabel* L_CapsLock = nullptr;
    QLabel* L_NumLock = nullptr;
    QLabel* L_Clock = nullptr;
    QLabel* L_Zoom = nullptr;
    // File > Open Recent: the recent documents, then "Clear list".
    QMenu* M_Recent = nullptr;
    QMenu* POP_DesignerPanel = nullptr;

    QAction* A_Undo = nullptr;
    QAction* A_Redo = nullptr;
    QAction* A_New = nullptr;
    QAction* A_Open = nullptr;
    QAction* A_Save = nullptr;
    QAction* A_SaveAs = nullptr;
    QAction* A_GraphExport = nullptr;
    QAction* A_Print = nullptr;
    QAction* A_PrintPreview = nullptr;
    QAction* A_PrintPdf = nullptr;
    QAction* A_PrinterSetup = nullptr;
    QAction* A_DataSource = nullptr;
    QAction* A_Calibration = nullptr;
    QAction* A_ShowBarcodeProps = nullptr;
    QAction* A_ShowPageProps = nullptr;
    QAction* A_ZoomIn = nullptr;
    QAction* A_ZoomOut = nullptr;
    QAction* A_ZoomActual = nullptr;
    QAction* A_ZoomFit = nullptr;
    QAction* A_BarcodeItem = nullptr;
    QAction* A_DeleteItem = nullptr;
    QAction* A_EditCut = nullptr;
    QAction* A_EditCopy = nullptr;
    QAction* A_Paste = nullptr;
    QAction* A_EditSelectAll = nullptr;
    QAction* A_About = nullptr;
    QAction* MI_Exit = nullptr;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();

    void A_NewExecute();
    void A_OpenExecute();
    void A_SaveExecute();
    void A_SaveAsExecute();
    void A_GraphExportExecute();
    void A_PrintExecute();
    void A_PrintPreviewExecute();
    void A_PrintPdfExecute();
    void A_PrinterSetupExecute();
    // Opens the Data source dialog; OK sets the page's source and merge mode as one step.
    void A_DataSourceExecute();
    void FormDataSourceAccept();
    void A_CalibrationExecute();
    void FormCalibrationAccept();
    void A_BarcodeItemExecute();
    void A_DeleteItemExecute();
    void A_EditCutExecute();
    void A_EditCopyExecute();
    void A_PasteExecute();
    void A_EditSelectAllExecute();
    void A_AboutExecute();
    void A_UndoExecute();
    void A_RedoExecute();
    void A_ZoomInExecute();
    void A_ZoomOutExecute();
    void A_ZoomActualExecute();
    void A_ZoomFitExecute();
    // Steps zoom levels in (positive) or out; a view change, not a change of the document.
    void ZoomBy(int Steps);
    // Opens a document of the recent list; one that is gone leaves the list with a message.
    void OpenRecent(const QString& Name);
    void FillRecentMenu();

    // The update handlers, run whenever the application is about to wait for events.
    void UpdateActions();
    void A_SaveUpdate();
    void A_GraphExportUpdate();
    void A_DeleteItemUpdate();
    void A_EditCopyUpdate();
    void A_PasteUpdate();
    void A_EditSelectAllUpdate();
    void A_ShowPropsUpdate();

    void Designer1ChangeSelection();
    void Designer1Change();

    void SaveToFile(bool AlwaysAsk);
    void InstallPage(std::unique_ptr<TReportPage> NewPage);
    // Puts a page read from the file Name in place of the current one, as the saved document.
    void ShowDocument(const QString& Name, std::unique_ptr<TReportPage> Page);
    void SetFileCaption();
    // Where the page's data file is found: the document's folder, or the current one before the
    // document has a file.
    QString DocumentFolder() const;
    // The page's data source read (again, when it changed): its columns in the Data field list,
    // its first record on the bound items.
    void ShowDataPreview();
    // The focused control of the window or of one of its panels; nullptr otherwise.
    QWidget* ActiveControl() const;
    // Where an Edit command goes: the focused text field (Field; Edit its editor, which a
    // drop-down list lacks), else the design surface (Surface) when it has the focus.
    struct TEditTarget {
        QWidget* Field = nullptr;
        QLineEdit* Edit = nullptr;
        bool Surface = false;
    };
    TEditTarget EditTarget() const;
    bool DesignPanelActive(const QWidget* Control) const;
    // The selection holds exactly one component and it is a barcode item.
    bool SingleBarcodeSelected() const;
    bool ClipboardHasText();
    void BlinkModified();
    void Tick();

    std::unique_ptr<TPrompts> FPrompts;
    std::unique_ptr<TReportPage> FPage;
    QString FFileName;
    bool FModified = false;
    QUndoStack* FUndo = nullptr;
    bool FRestoring = false;
    // The stored document as the last step (or New, Open, a zoom) left it.
    TPageRecords FStored;
    // New and Open start without steps, the page as it now is.
    void ResetSteps();
    // Shows the page at Value per cent.
    void SetViewZoom(std::int32_t Value);
    // Tells in the status bar, for a while, what a command did.
    void ShowDone(const char* Text, std::initializer_list<std::string_view> Args);
    // Where a job went, Sent naming the printer and the job; a stopped printer is said.
    void ShowSpooled(const TPrintOutcome& Outcome, const char* Sent);
    bool FShownOnce = false;
    bool FDestroying = false;
    TLockKeys* FLockKeys = nullptr;
    QTimer* FBlinkTimer = nullptr;
    bool FBlinkOn = true;
    bool FClipboardTextKnown = false;
    bool FClipboardHasText = false;
    TDataPreview FDataPreview;
};
