#include "app/TFormMain.h"

#include "app/TLockKeys.h"
#include "app/TPrompts.h"
#include "app/TRecentFiles.h"
#include "common/Messages.h"
#include "common/TException.h"
#include "common/Text1252.h"
#include "designer/TDesignManager.h"
#include "designer/TDesignPanel.h"
#include "designer/TDesigner.h"
#include "docops/DocumentFile.h"
#include "docops/ItemCommands.h"
#include "document/DocumentStream.h"
#include "document/PrinterPaper.h"
#include "document/TBarcodeItem.h"
#include "document/TDataMerge.h"
#include "document/TPageChange.h"
#include "document/TReportPage.h"
#include "panels/TFormBarcodeProps.h"
#include "panels/TFormCalibration.h"
#include "panels/TFormDataSource.h"
#include "panels/TFormPageProps.h"
#include "panels/TPanelFields.h"
#include "printing/GraphicExport.h"
#include "printing/PrintReport.h"
#include "printing/PrintSpooler.h"
#include "printing/PrinterCalibration.h"
#include "printing/Printers.h"
#include "printing/TPrintSetupDialog.h"

#include <QAbstractEventDispatcher>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <vector>

namespace {

const QString Caption = QStringLiteral("Tessmira");
const QString DocumentFilter = QStringLiteral("Tessmira (*.TSM)|*.TSM");
const QString DocumentExt = QStringLiteral("*.TSM");
const QString WindowGeometryKey = QStringLiteral("MainWindow/Geometry");
const QString WindowStateKey = QStringLiteral("MainWindow/State");
// How long the status bar tells where a print went, in milliseconds.
constexpr int StatusMessageTime = 10000;

struct TActionSpec {
    QAction* TFormMain::*Field;
    const char* Name;
    const char* Caption;
    const char* Hint;             // "" for none
    const char* Shortcut;         // "" for none
    const char* Category;         // "" for none
    int Image;                    // index into ActionImages, -1 for none
    void (TFormMain::*Execute)(); // nullptr: the action is wired by hand
};

// The zoom levels Zoom in and Zoom out step through, in per cent of the page's size; the page
// takes 1 to 300.
constexpr std::array<int, 12> ZoomLevels = {25, 33, 50, 67, 75, 100, 125, 150, 175, 200, 250, 300};
static_assert(std::is_sorted(ZoomLevels.begin(), ZoomLevels.end()) && ZoomLevels.front() >= 1 &&
              ZoomLevels.back() <= 300);

struct TActionImage {
    const char* ThemeName; // freedesktop icon name; "" where the naming scheme has none
    const char* Resource;  // bundled fallback
};

// IL_Actions: new, open, save, export graphic, print, insert barcode, delete, undo, redo.
constexpr std::array<TActionImage, 9> ActionImages = {{
    {"document-new", ":/icons/new.svg"},
    {"document-open", ":/icons/open.svg"},
    {"document-save", ":/icons/save.svg"},
    {"", ":/icons/export.svg"},
    {"document-print", ":/icons/print.svg"},
    {"", ":/icons/barcode.svg"},
    {"edit-delete", ":/icons/delete.svg"},
    {"edit-undo", ":/icons/undo.svg"},
    {"edit-redo", ":/icons/redo.svg"},
}};

// One change of the document, as the stored records it changed, so that undo gives back exactly
// what was there.
class TDocumentStep : public QUndoCommand {
public:
    // Key steps in a row on the same items are one.
    static constexpr int KeyStep = 1;

    TDocumentStep(TFormMain& Form, const QString& Name, TPageChange Change, std::int32_t Zoom,
                  bool ByKey)
        : QUndoCommand(Name), FForm(Form), FChange(std::move(Change)), FZoom(Zoom), FByKey(ByKey) {}
    int id() const override { return FByKey ? KeyStep : -1; }
    bool mergeWith(const QUndoCommand* Other) override {
        const auto& Next = static_cast<const TDocumentStep&>(*Other);
        if (Next.text() != text() || Next.FZoom != FZoom ||
            Next.FChange.Positions() != FChange.Positions())
            return false;
        std::optional<TPageChange> Both = FForm.JoinedChange(FChange, Next.FChange);
        if (Both)
            FChange = std::move(*Both);
        else
            setObsolete(true); // back where the run began
        return true;
    }
    void undo() override { FForm.ApplyChange(FChange, false, FZoom); }
    // Pushed after the change was made: the first redo has nothing to do.
    void redo() override {
        if (FPushed)
            FForm.ApplyChange(FChange, true, FZoom);
        FPushed = true;
    }

private:
    TFormMain& FForm;
    TPageChange FChange;
    // Item records hold pixel bounds, which follow the zoom the step was taken at.
    std::int32_t FZoom;
    bool FByKey;
    bool FPushed = false;
};

QIcon ActionIcon(int Image) {
    const TActionImage& Entry = ActionImages[static_cast<std::size_t>(Image)];
    const QIcon Bundled(QString::fromLatin1(Entry.Resource));
    if (*Entry.ThemeName == '\0')
        return Bundled;
    return QIcon::fromTheme(QString::fromLatin1(Entry.ThemeName), Bundled);
}

// The focused field as the Edit commands see it: a line edit, spin box or combo box.
struct TTextField {
    QWidget* Field = nullptr;
    QLineEdit* Edit = nullptr;
};

TTextField TextFieldOf(QWidget* Control) {
    if (Control == nullptr)
        return {};
    // The editor inside a spin box or combo box stands for its box.
    if (qobject_cast<QLineEdit*>(Control) != nullptr && Control->parentWidget() != nullptr &&
        (qobject_cast<QAbstractSpinBox*>(Control->parentWidget()) != nullptr ||
         qobject_cast<QComboBox*>(Control->parentWidget()) != nullptr))
        Control = Control->parentWidget();
    if (Control->property(NoTextCommandsProperty).toBool())
        return {};
    if (auto* Edit = qobject_cast<QLineEdit*>(Control))
        return {Edit, Edit};
    if (auto* Spin = qobject_cast<QAbstractSpinBox*>(Control))
        return {Spin, Spin->findChild<QLineEdit*>()};
    if (auto* Combo = qobject_cast<QComboBox*>(Control))
        return {Combo, Combo->lineEdit()};
    return {};
}

void SetEnabled(QAction* Action, bool Value) {
    if (Action->isEnabled() != Value)
        Action->setEnabled(Value);
}

void SetText(QLabel* Label, const QString& Text) {
    if (Label->text() != Text)
        Label->setText(Text);
}

// At least Width pixels, wider where the font needs it to show Sample whole.
QLabel* StatusLabel(int Width, const QString& Sample) {
    auto* Label = new QLabel;
    Label->setFixedWidth(std::max(Width, Label->fontMetrics().horizontalAdvance(Sample) + 12));
    Label->setAlignment(Qt::AlignCenter);
    return Label;
}

} // namespace

TFormMain::TFormMain(std::unique_ptr<TPrompts> Prompts, QWidget* Parent)
    : QMainWindow(Parent), FPrompts(std::move(Prompts)) {
    Q_INIT_RESOURCE(tessmira);
    if (FPrompts == nullptr)
        FPrompts = std::make_unique<TDialogPrompts>();
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(Caption);
    resize(720, 550);
    setDockOptions(QMainWindow::AnimatedDocks);

    DesignPanel1 = new TDesignPanel(this);
    DesignPanel1->setObjectName(QStringLiteral("DesignPanel1"));
    setCentralWidget(DesignPanel1);
    Designer1 = new TDesigner(this);
    Designer1->setObjectName(QStringLiteral("Designer1"));
    Designer1->SetDesignPanel(DesignPanel1);
    // The manager first, so that it hears of every change before the window's handlers do.
    DesignManager1 = new TDesignManager(this);
    DesignManager1->setObjectName(QStringLiteral("DesignManager1"));
    DesignManager1->AddDesigner(Designer1);
    connect(Designer1, &TDesigner::OnChangeSelection, this, &TFormMain::Designer1ChangeSelection);
    connect(Designer1, &TDesigner::OnChange, this, &TFormMain::Designer1Change);
    connect(Designer1, &TDesigner::OnZoomWheel, this,
            [this](int Steps) { RunCommand([this, Steps] { ZoomBy(Steps); }); });
    // Del leaves the page selected, where the change above marks nothing: the items are gone.
    connect(Designer1, &TDesigner::OnDelete, this,
            [this] { RecordStep(QStringLiteral("Delete")); });

    FUndo = new QUndoStack(this);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    FPage = NewDocumentPage();
    ResetSteps();
    // The modified state follows the steps: undoing back to the file's state clears it.
    connect(FUndo, &QUndoStack::cleanChanged, this, [this](bool Clean) { FModified = !Clean; });
    const auto Named = [](const QString& Verb, const QString& Step) {
        return Step.isEmpty() ? Verb : Verb + QLatin1Char(' ') + Step;
    };
    connect(FUndo, &QUndoStack::undoTextChanged, this, [this, Named](const QString& Step) {
        A_Undo->setText(Named(QStringLiteral("Undo"), Step));
    });
    connect(FUndo, &QUndoStack::redoTextChanged, this, [this, Named](const QString& Step) {
        A_Redo->setText(Named(QStringLiteral("Redo"), Step));
    });
    connect(FUndo, &QUndoStack::canUndoChanged, A_Undo, &QAction::setEnabled);
    connect(FUndo, &QUndoStack::canRedoChanged, A_Redo, &QAction::setEnabled);
    A_Undo->setEnabled(false);
    A_Redo->setEnabled(false);

    FormBarcodeProps = new TFormBarcodeProps(this);
    FormBarcodeProps->hide();
    FormPageProps = new TFormPageProps(this);
    FormPageProps->hide();
    connect(FormBarcodeProps, &TFormBarcodeProps::ApplyRequested, this,
            [this] { RunCommand([this] { ApplyBarcodeProps(); }); });
    connect(FormPageProps, &TFormPageProps::ApplyRequested, this,
            [this] { RunCommand([this] { ApplyPageProps(); }); });

    // Asking another program's clipboard for its formats is a round trip: ask once per change.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { FClipboardTextKnown = false; });
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TFormMain::UpdateActions);
}

TFormMain::~TFormMain() {
    FDestroying = true;
    // The stack goes with the window's children, after this part of the window: its signals
    // must reach nothing here then.
    FUndo->blockSignals(true);
    // The panels outlive this part of the window; a field losing the focus must not apply.
    FormBarcodeProps->disconnect(this);
    FormPageProps->disconnect(this);
    // As on New and Open, the designer lets go of the page (and its selection) before it goes.
    RunCommand([this] { Designer1->SetActive(false); });
    FPage.reset();
}

void TFormMain::CreateActions() {
    // The command table: caption, hint, shortcut, category, image and handler of every action.
    static constexpr std::array<TActionSpec, 26> ActionTable = {{
        {&TFormMain::A_Undo, "A_Undo", "Undo", "Undo the last change", "Ctrl+Z", "Edit", 7,
         &TFormMain::A_UndoExecute},
        {&TFormMain::A_Redo, "A_Redo", "Redo", "Redo the change undone", "Ctrl+Y", "Edit", 8,
         &TFormMain::A_RedoExecute},
        {&TFormMain::A_New, "A_New", "New", "Create a new barcode page", "Ctrl+N", "File", 0,
         &TFormMain::A_NewExecute},
        {&TFormMain::A_Open, "A_Open", "Open", "Open barcode page file", "Ctrl+O", "File", 1,
         &TFormMain::A_OpenExecute},
        {&TFormMain::A_Save, "A_Save", "Save", "Save page to file", "Ctrl+S", "File", 2,
         &TFormMain::A_SaveExecute},
        {&TFormMain::A_SaveAs, "A_SaveAs", "Save as...", "", "", "File", -1,
         &TFormMain::A_SaveAsExecute},
        {&TFormMain::A_GraphExport, "A_GraphExport", "Export barcode graphic...",
         "Export barcode graphic", "", "File", 3, &TFormMain::A_GraphExportExecute},
        {&TFormMain::A_Print, "A_Print", "Print", "Print page to printer", "Ctrl+P", "File", 4,
         &TFormMain::A_PrintExecute},
        {&TFormMain::A_PrintPreview, "A_PrintPreview", "Print preview...",
         "Show the page as it prints", "", "File", -1, &TFormMain::A_PrintPreviewExecute},
        {&TFormMain::A_PrintPdf, "A_PrintPdf", "Print to PDF...", "Print page to a PDF file", "",
         "File", -1, &TFormMain::A_PrintPdfExecute},
        {&TFormMain::A_PrinterSetup, "A_PrinterSetup", "Printer setup...", "", "", "File", -1,
         &TFormMain::A_PrinterSetupExecute},
        {&TFormMain::A_DataSource, "A_DataSource", "Data source...",
         "Choose the records that fill the page's barcodes", "", "File", -1,
         &TFormMain::A_DataSourceExecute},
        {&TFormMain::A_Calibration, "A_Calibration", "Printer calibration...",
         "Move the print on a printer to where it belongs", "", "File", -1,
         &TFormMain::A_CalibrationExecute},
        {&TFormMain::A_ShowBarcodeProps, "A_ShowBarcodeProps", "Barcode properties", "", "", "View",
         -1, nullptr},
        {&TFormMain::A_ShowPageProps, "A_ShowPageProps", "Page properties", "", "", "View", -1,
         nullptr},
        {&TFormMain::A_ZoomIn, "A_ZoomIn", "Zoom in", "Show the page larger", "Ctrl++", "View", -1,
         &TFormMain::A_ZoomInExecute},
        {&TFormMain::A_ZoomOut, "A_ZoomOut", "Zoom out", "Show the page smaller", "Ctrl+-", "View",
         -1, &TFormMain::A_ZoomOutExecute},
        {&TFormMain::A_ZoomActual, "A_ZoomActual", "Actual size", "Show the page at 100 %",
         "Ctrl+0", "View", -1, &TFormMain::A_ZoomActualExecute},
        {&TFormMain::A_ZoomFit, "A_ZoomFit", "Fit page", "Show the whole page", "", "View", -1,
         &TFormMain::A_ZoomFitExecute},
        {&TFormMain::A_BarcodeItem, "A_BarcodeItem", "Insert barcode", "Insert barcode", "", "Edit",
         5, &TFormMain::A_BarcodeItemExecute},
        {&TFormMain::A_DeleteItem, "A_DeleteItem", "Delete", "Delete selected items", "", "Edit", 6,
         &TFormMain::A_DeleteItemExecute},
        {&TFormMain::A_EditCut, "A_EditCut", "C&ut", "", "Ctrl+X", "Edit", -1,
         &TFormMain::A_EditCutExecute},
        {&TFormMain::A_EditCopy, "A_EditCopy", "&Copy", "", "Ctrl+C", "Edit", -1,
         &TFormMain::A_EditCopyExecute},
        {&TFormMain::A_Paste, "A_Paste", "&Paste", "", "Ctrl+V", "Edit", -1,
         &TFormMain::A_PasteExecute},
        {&TFormMain::A_EditSelectAll, "A_EditSelectAll", "Select &all", "", "Ctrl+A", "Edit", -1,
         &TFormMain::A_EditSelectAllExecute},
        {&TFormMain::A_About, "A_About", "About...", "", "", "", -1, &TFormMain::A_AboutExecute},
    }};
    for (const TActionSpec& Spec : ActionTable) {
        auto* Action = new QAction(QString::fromLatin1(Spec.Caption), this);
        Action->setObjectName(QString::fromLatin1(Spec.Name));
        const QString Hint = QString::fromLatin1(Spec.Hint);
        if (!Hint.isEmpty()) {
            Action->setToolTip(Hint);
            Action->setStatusTip(Hint);
        }
        if (*Spec.Shortcut != '\0')
            Action->setShortcut(QKeySequence(QString::fromLatin1(Spec.Shortcut)));
        Action->setProperty("category", QString::fromLatin1(Spec.Category));
        if (Spec.Image >= 0)
            Action->setIcon(ActionIcon(Spec.Image));
        this->*Spec.Field = Action;
        if (const auto Execute = Spec.Execute)
            connect(Action, &QAction::triggered, this,
                    [this, Execute] { RunCommand([this, Execute] { (this->*Execute)(); }); });
    }
    A_ShowBarcodeProps->setCheckable(true);
    A_ShowBarcodeProps->setChecked(true);
    A_ShowPageProps->setCheckable(true);

    // Ctrl+Shift+Z redoes too, as in most programs.
    A_Redo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    connect(A_ShowBarcodeProps, &QAction::triggered, this,
            [this](bool Checked) { FormBarcodeProps->setVisible(Checked); });
    connect(A_ShowPageProps, &QAction::triggered, this,
            [this](bool Checked) { FormPageProps->setVisible(Checked); });

    MI_Exit = new QAction(QStringLiteral("Exit"), this);
    MI_Exit->setObjectName(QStringLiteral("MI_Exit"));
    connect(MI_Exit, &QAction::triggered, this, &QWidget::close);
}

void TFormMain::CreateMenus() {
    QMenu* File = menuBar()->addMenu(QStringLiteral("&File"));
    File->addAction(A_New);
    File->addSeparator();
    File->addAction(A_Open);
    M_Recent = File->addMenu(QStringLiteral("Open Recent"));
    M_Recent->setObjectName(QStringLiteral("M_Recent"));
    connect(M_Recent, &QMenu::aboutToShow, this, &TFormMain::FillRecentMenu);
    FillRecentMenu();
    File->addSeparator();
    File->addActions({A_Save, A_SaveAs, A_GraphExport});
    File->addSeparator();
    File->addActions(
        {A_Print, A_PrintPreview, A_PrintPdf, A_PrinterSetup, A_Calibration, A_DataSource});
    File->addSeparator();
    File->addAction(MI_Exit);

    QMenu* Edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    Edit->addActions({A_Undo, A_Redo});
    Edit->addSeparator();
    Edit->addActions({A_EditCut, A_EditCopy, A_Paste});
    Edit->addSeparator();
    Edit->addAction(A_EditSelectAll);

    QMenu* View = menuBar()->addMenu(QStringLiteral("&View"));
    View->addActions({A_ShowBarcodeProps, A_ShowPageProps});
    View->addSeparator();
    View->addActions({A_ZoomIn, A_ZoomOut, A_ZoomActual, A_ZoomFit});

    QMenu* Help = menuBar()->addMenu(QStringLiteral("&Help"));
    Help->addAction(A_About);

    // The context menu shows Ins and Del beside Insert barcode and Delete, which have no
    // shortcut of their own; the keys work only while the menu is open.
    POP_DesignerPanel = new QMenu(this);
    POP_DesignerPanel->setObjectName(QStringLiteral("POP_DesignerPanel"));
    for (const auto& [Action, Key] :
         {std::pair{A_BarcodeItem, Qt::Key_Insert}, std::pair{A_DeleteItem, Qt::Key_Delete}}) {
        auto* Item = new QAction(Action->icon(), Action->text(), POP_DesignerPanel);
        Item->setShortcut(QKeySequence(Key));
        Item->setShortcutContext(Qt::WidgetShortcut);
        Item->setEnabled(Action->isEnabled());
        connect(Action, &QAction::enabledChanged, Item, &QAction::setEnabled);
        connect(Item, &QAction::triggered, Action, &QAction::trigger);
        POP_DesignerPanel->addAction(Item);
    }
    POP_DesignerPanel->addSeparator();
    POP_DesignerPanel->addAction(A_GraphExport);
    POP_DesignerPanel->addSeparator();
    POP_DesignerPanel->addActions({A_EditCut, A_EditCopy, A_Paste});
    POP_DesignerPanel->addSeparator();
    POP_DesignerPanel->addAction(A_EditSelectAll);
    // The surface's menu is the designer's: it opens it on a right release or the menu key.
    Designer1->SetPopupMenu(POP_DesignerPanel);
}

void TFormMain::CreateToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->addActions({A_New, A_Open, A_Save, A_GraphExport, A_Print});
    ToolBar1->addSeparator();
    ToolBar1->addActions({A_BarcodeItem, A_DeleteItem});
    ToolBar1->addSeparator();
    ToolBar1->addActions({A_Undo, A_Redo});
    for (QAction* Action : ToolBar1->actions())
        if (auto* Button = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(Action))) {
            Button->setFixedSize(31, 30);
            Button->setAutoRaise(true);
        }
}

void TFormMain::CreateStatusBar() {
    L_Modified = new QLabel(QStringLiteral(" "));
    L_Modified->setObjectName(QStringLiteral("L_Modified"));
    L_Modified->setFixedWidth(88);
    QFont Bold = L_Modified->font();
    Bold.setBold(true);
    L_Modified->setFont(Bold);
    statusBar()->addWidget(L_Modified);

    L_CapsLock = StatusLabel(104, QStringLiteral("Caps: Off"));
    L_CapsLock->setObjectName(QStringLiteral("L_CapsLock"));
    L_NumLock = StatusLabel(104, QStringLiteral("Num: Off"));
    L_NumLock->setObjectName(QStringLiteral("L_NumLock"));
    L_Clock = StatusLabel(104, QStringLiteral("00/00/00 00:00:00"));
    L_Clock->setObjectName(QStringLiteral("L_Clock"));
    L_Zoom = StatusLabel(56, QStringLiteral("100%"));
    L_Zoom->setObjectName(QStringLiteral("L_Zoom"));
    statusBar()->addPermanentWidget(L_Zoom);
    statusBar()->addPermanentWidget(L_CapsLock);
    statusBar()->addPermanentWidget(L_NumLock);
    statusBar()->addPermanentWidget(L_Clock);

    FLockKeys = new TLockKeys(this);
    FBlinkTimer = new QTimer(this);
    FBlinkTimer->setInterval(500);
    connect(FBlinkTimer, &QTimer::timeout, this, &TFormMain::BlinkModified);
    BlinkModified();
    auto* Clock = new QTimer(this);
    Clock->setInterval(1000);
    connect(Clock, &QTimer::timeout, this, &TFormMain::Tick);
    Clock->start();
    Tick();
}

void TFormMain::RunCommand(const std::function<void()>& Command) {
    try {
        Command();
    } catch (const std::exception& Error) {
        FPrompts->ShowError(this, QString::fromStdString(Error.what()));
    }
}

void TFormMain::SetModified(bool Value) {
    FModified = Value;
    // Saved, opened or new: undoing back to here is back to the file.
    if (!Value && FUndo != nullptr)
        FUndo->setClean();
}

void TFormMain::RecordStep(const QString& Caption, bool ByKey) {
    // Putting a state back is no new step, whatever the surface reports meanwhile.
    if (FRestoring)
        return;
    TPageRecords After = WritePageRecords(*FPage);
    std::optional<TPageChange> Change = TPageChange::Between(FStored, After);
    if (!Change)
        return;
    FStored = std::move(After);
    FUndo->push(new TDocumentStep(*this, Caption, std::move(*Change), FPage->Zoom(), ByKey));
    FModified = true;
    ShowDataPreview();
}

std::optional<TPageChange> TFormMain::JoinedChange(const TPageChange& First,
                                                   const TPageChange& Second) const {
    TPageRecords Before = FStored;
    Second.ApplyTo(Before, false);
    First.ApplyTo(Before, false);
    return TPageChange::Between(Before, FStored);
}

void TFormMain::ApplyChange(const TPageChange& Change, bool Forward, std::int32_t Zoom) {
    const QScopedValueRollback Restoring(FRestoring, true);
    const std::int32_t ViewZoom = FPage->Zoom();
    if (Zoom != ViewZoom)
        SetViewZoom(Zoom);
    Change.ApplyTo(FStored, Forward);
    std::vector<TPrintable*> Read;
    bool Exact = false;
    try {
        Read = Change.ApplyTo(*FPage, Forward);
        Exact = WritePageRecords(*FPage) == FStored;
    } catch (const std::exception&) {
    }
    // Item by item is quick; should the page then store anything else, it is read whole.
    if (!Exact) {
        RestoreDocument(JoinPageRecords(FStored));
        Read.clear();
    }
    FormPageProps->LoadPage(FPage.get());
    if (!Read.empty())
        Designer1->SelectList({Read.begin(), Read.end()});
    if (Zoom != ViewZoom)
        SetViewZoom(ViewZoom);
    ShowDataPreview();
}

void TFormMain::RestoreDocument(const std::string& Bytes) {
    std::unique_ptr<TReportPage> Page = NewDocumentPage();
    ReadPageStream(Bytes, *Page);
    const QScopedValueRollback Restoring(FRestoring, true);
    InstallPage(std::move(Page));
    FStored = WritePageRecords(*FPage);
}

void TFormMain::ResetSteps() {
    FUndo->clear();
    FStored = WritePageRecords(*FPage);
    FUndo->setClean();
}

void TFormMain::SetViewZoom(std::int32_t Value) {
    FPage->SetZoom(Value);
    // The page stores its zoom, but a zoom is no change of the document: no step, no mark.
    FStored = WritePageRecords(*FPage);
}

void TFormMain::ShowDone(const char* Text, std::initializer_list<std::string_view> Args) {
    statusBar()->showMessage(QString::fromStdString(Format(Text, Args)), StatusMessageTime);
}

void TFormMain::A_UndoExecute() {
    FUndo->undo();
}

void TFormMain::A_RedoExecute() {
    FUndo->redo();
}

void TFormMain::ApplyBarcodeProps() {
    const TDesignerSelectedComponents& Selection = Designer1->SelectedComponents();
    const TFormBarcodeProps& Panel = *FormBarcodeProps;
    // The panel shows what the first item made of the values, also after an item refused one.
    const auto ReloadPanel = [this, &Selection] {
        if (Selection.Count() > 0)
            if (TBarcodeItem* First = AsBarcodeItem(Selection.Items(0)))
                FormBarcodeProps->LoadBarcode(First);
    };
    try {
        // An empty or unreadable size is refused before anything changes; the old one shows.
        if (Panel.FontSizeValue() < 1)
            Raise(Msg::InvalidFontSize, {Panel.E_FontSize->currentText().toStdString()});
        for (int I = 0; I < Selection.Count(); ++I) {
            TBarcodeItem* Item = AsBarcodeItem(Selection.Items(I));
            if (Item == nullptr)
                continue;
            Item->SetTitleRow1(ToCp1252(Panel.E_TitleRow1->text()));
            Item->SetTitleRow2(ToCp1252(Panel.E_TitleRow2->text()));
            TFont Font = Item->Font();
            // An empty box (several items, no font shown) must not take their names away.
            if (const QString Name = Panel.FontNameValue(); !Name.isEmpty())
                Font.Name = Name;
            Font.SetSize(Panel.FontSizeValue(), Item->Size().Resolution());
            Font.Style = Panel.FontStyleValue();
            Item->SetFont(Font);
            if (const int Type = Panel.CB_BarcodeType->currentIndex(); Type >= 0)
                Item->SetBarcodeType(static_cast<TBarcodeType>(Type));
            Item->SetBarcodeText(ToCp1252(Panel.E_Barcode->text()));
            if (Panel.CB_DataField->currentIndex() >= 0)
                Item->SetDataField(Panel.DataFieldValue());
            if (const int Angle = Panel.CB_Angle->currentIndex(); Angle >= 0)
                Item->SetAngle(static_cast<TBarcodeAngle>(Angle));
            Item->Size().SetWidth(Panel.E_Width->Value() / 10.0L);
            Item->Size().SetHeight(Panel.E_Height->Value() / 10.0L);
            Item->SetChecksum(Panel.CB_Checksum->isChecked());
        }
    } catch (...) {
        ReloadPanel();
        // The items before the one that refused have changed.
        ShowDataPreview();
        throw;
    }
    ReloadPanel();
    RecordStep(QStringLiteral("Barcode properties"));
    SetModified(true);
}

void TFormMain::ApplyPageProps() {
    const TFormPageProps& Panel = *FormPageProps;
    TPageGeometry& Paper = FPage->Page();
    if (const int Size = Panel.CB_PaperTypes->currentIndex(); Size >= 0) {
        const TPaperSize Chosen = static_cast<TPaperSize>(Size);
        const TPrinterPaper Printer = DefaultPrinterPaper();
        // "Default size" shows the default printer's paper, which it prints on.
        if (Chosen == TPaperSize::Default && Paper.PaperSize() != Chosen &&
            FPage->PrinterSettings().PrinterName.empty() && Printer.Width > 0 && Printer.Length > 0)
            Paper.SetDefaultPaper(Printer.Width, Printer.Length);
        else
            Paper.SetPaperSize(Chosen);
    }
    if (const int Orientation = Panel.CB_Orientation->currentIndex(); Orientation >= 0)
        Paper.SetOrientation(static_cast<TPrinterOrientation>(Orientation));
    Paper.SetWidth(Panel.E_Width->Value());
    Paper.SetLength(Panel.E_Length->Value());
    Paper.SetTopMargin(Panel.E_MTop->Value());
    Paper.SetLeftMargin(Panel.E_MLeft->Value());
    Paper.SetBottomMargin(Panel.E_MBottom->Value());
    Paper.SetRightMargin(Panel.E_MRight->Value());
    FPage->PrinterSettings().BarWidthReduction = Panel.E_BarReduction->Value();
    FormPageProps->LoadPage(FPage.get());
    RecordStep(QStringLiteral("Page properties"));
    SetModified(true);
}

void TFormMain::showEvent(QShowEvent* Event) {
    QMainWindow::showEvent(Event);
    if (FShownOnce)
        return;
    FShownOnce = true;
    RunCommand([this] {
        Designer1->SetDesignControl(FPage.get());
        Designer1->SetActive(true);
        DesignManager1->SetCurrentDesigner(DesignManager1->Designers(0));
        FormPageProps->LoadPage(FPage.get());
        FormPageProps->EnableControls(true);
        addDockWidget(Qt::LeftDockWidgetArea, FormBarcodeProps);
        addDockWidget(Qt::RightDockWidgetArea, FormPageProps);
        // The barcode panel at its client width, the page panel wide enough for "A4 210 x 297 mm";
        // the page view takes the rest.
        resizeDocks({FormBarcodeProps, FormPageProps}, {206, 160}, Qt::Horizontal);
        FormBarcodeProps->show();
        FormPageProps->show();
        const QSettings Settings;
        restoreGeometry(Settings.value(WindowGeometryKey).toByteArray());
        restoreState(Settings.value(WindowStateKey).toByteArray());
    });
}

void TFormMain::closeEvent(QCloseEvent* Event) {
    bool MayClose = false;
    RunCommand([this, &MayClose] { MayClose = QuerySave(); });
    if (!MayClose) {
        Event->ignore();
        return;
    }
    // The next start opens the window where it was, its panels as they were.
    QSettings Settings;
    Settings.setValue(WindowGeometryKey, saveGeometry());
    Settings.setValue(WindowStateKey, saveState());
    Event->accept();
}

bool TFormMain::QuerySave() {
    if (!FModified)
        return true;
    switch (FPrompts->AskSaveChanges(this)) {
    case saYes:
        // Cancelling the save dialog still lets the caller go on; an error does not.
        A_SaveExecute();
        return true;
    case saNo:
        return true;
    case saCancel:
        break;
    }
    return false;
}

void TFormMain::InstallPage(std::unique_ptr<TReportPage> NewPage) {
    Designer1->SetActive(false);
    Designer1->SetDesignControl(nullptr);
    FormPageProps->LoadPage(nullptr);
    FormPageProps->EnableControls(false);
    FPage = std::move(NewPage);
    Designer1->SetDesignControl(FPage.get());
    Designer1->SetActive(true);
    DesignManager1->SetCurrentDesigner(DesignManager1->Designers(0));
    FormPageProps->LoadPage(FPage.get());
    FormPageProps->EnableControls(true);
    ShowDataPreview();
}

void TFormMain::SetFileCaption() {
    setWindowTitle(Caption + " [" + FFileName + "]");
}

QString TFormMain::DocumentFolder() const {
    return FFileName.isEmpty() ? QDir::currentPath() : QFileInfo(FFileName).absolutePath();
}

void TFormMain::ShowDataPreview() {
    FDataPreview.Read(*FPage, DocumentFolder());
    FormBarcodeProps->SetDataColumns(FDataPreview.Columns());
    FDataPreview.Show(*FPage);
}

void TFormMain::A_NewExecute() {
    if (!QuerySave())
        return;
    FFileName.clear();
    setWindowTitle(Caption);
    InstallPage(NewDocumentPage());
    ResetSteps();
    SetModified(false);
}

void TFormMain::A_OpenExecute() {
    if (!QuerySave())
        return;
    QString Name;
    if (!FPrompts->GetFileName(
            this, Name,
            {DocumentFilter, DocumentExt, QStringLiteral("Open"), QDir::currentPath(), false}))
        return;
    OpenFile(Name);
}

void TFormMain::OpenFile(const QString& Name) {
    // The file is read completely before the current page is given up, so a file that cannot be
    // read leaves the page, its file name and its modified state as they were.
    ShowDocument(Name, ReadDocument(Name));
}

void TFormMain::OpenStartupFile(const QString& Name) {
    // Kept whole, so that the recent list and Save name the file from any folder.
    const QString Path = QFileInfo(Name).absoluteFilePath();
    RunCommand([&] { ShowDocument(Path, ReadNamedDocument(Path, Name)); });
}

void TFormMain::ShowDocument(const QString& Name, std::unique_ptr<TReportPage> Page) {
    // Before the page is shown: its data file is found beside the document.
    FFileName = Name;
    InstallPage(std::move(Page));
    ResetSteps();
    SetModified(false);
    SetFileCaption();
    TRecentFiles().Add(Name);
    FillRecentMenu();
}

void TFormMain::FillRecentMenu() {
    // An entry may be filling the menu anew from its own triggered signal: it goes later.
    for (QAction* Old : M_Recent->actions()) {
        M_Recent->removeAction(Old);
        Old->deleteLater();
    }
    const QStringList Files = TRecentFiles().Files();
    for (qsizetype I = 0; I < Files.size(); ++I) {
        const QString& Name = Files[I];
        QAction* Entry = M_Recent->addAction(
            QStringLiteral("&%1 %2").arg(I + 1).arg(QFileInfo(Name).fileName()));
        Entry->setData(Name);
        Entry->setStatusTip(Name);
        connect(Entry, &QAction::triggered, this,
                [this, Name] { RunCommand([this, Name] { OpenRecent(Name); }); });
    }
    M_Recent->addSeparator();
    QAction* Clear = M_Recent->addAction(QStringLiteral("Clear list"));
    Clear->setEnabled(!Files.isEmpty());
    connect(Clear, &QAction::triggered, this, [this] {
        TRecentFiles().Clear();
        FillRecentMenu();
    });
}

void TFormMain::OpenRecent(const QString& Name) {
    if (!QFileInfo::exists(Name)) {
        TRecentFiles().Remove(Name);
        FillRecentMenu();
        Raise(Msg::RecentFileMissing, {Name.toStdString()});
    }
    if (!QuerySave())
        return;
    OpenFile(Name);
}

void TFormMain::SaveToFile(bool AlwaysAsk) {
    QString Name = FFileName;
    if (AlwaysAsk || Name.isEmpty()) {
        if (!FPrompts->GetFileName(this, Name,
                                   {DocumentFilter, DocumentExt, QStringLiteral("Save as"),
                                    QDir::currentPath(), true}))
            return;
    }
    // A data file named from the document's folder is named from the new one: the same file.
    const QString Source = FPage->DataSource();
    FPage->SetDataSource(MovedDataSource(Source, DocumentFolder(), QFileInfo(Name).absolutePath()));
    try {
        WriteDocument(*FPage, Name);
    } catch (...) {
        FPage->SetDataSource(Source);
        throw;
    }
    FStored = WritePageRecords(*FPage);
    FFileName = Name;
    ShowDataPreview();
    SetModified(false);
    SetFileCaption();
    TRecentFiles().Add(Name);
    FillRecentMenu();
}

void TFormMain::A_SaveExecute() {
    SaveToFile(false);
}

void TFormMain::A_SaveAsExecute() {
    SaveToFile(true);
}

void TFormMain::A_GraphExportExecute() {
    if (!SingleBarcodeSelected())
        return;
    TBarcodeItem& Item = *AsBarcodeItem(Designer1->SelectedComponents().Items(0));
    // Named after the item, beside the document.
    QString Name = (Item.objectName().isEmpty() ? QStringLiteral("barcode") : Item.objectName()) +
                   QStringLiteral(".png");
    if (!FFileName.isEmpty())
        Name = QFileInfo(FFileName).dir().filePath(Name);
    if (!FPrompts->GetFileName(
            this, Name,
            {QStringLiteral("PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document "
                            "(*.pdf)|*.pdf"),
             QStringLiteral("*.png"), QString::fromUtf8(Msg::ExportGraphicCaption),
             QDir::currentPath(), true}))
        return;
    // Also the dot grid of an SVG or PDF, which have no dots of their own.
    int Dpi = DefaultGraphicDpi;
    if (!FPrompts->AskResolution(this, Dpi))
        return;
    ExportItemGraphic(Item, Name, Dpi);
    ShowDone(Msg::GraphicWritten, {Name.toStdString()});
}

void TFormMain::ShowSpooled(const TPrintOutcome& Outcome, const char* Sent) {
    const std::string Printer = Outcome.Printer.toStdString();
    const std::string Job = std::to_string(Outcome.JobId);
    if (Outcome.StoppedReason.isEmpty())
        ShowDone(Sent, {Printer, Job});
    else
        ShowDone(Msg::PrintSentStopped, {Printer, Job, Outcome.StoppedReason.toStdString()});
}

void TFormMain::A_PrintExecute() {
    // With no printer to print on, a PDF file is the paper at hand.
    std::vector<TPrinterQueue> Queues;
    QString Unreachable = QString::fromUtf8(Msg::NoPrinterInstalled);
    try {
        Queues = SpoolerQueues();
    } catch (const TSpoolerError& E) {
        Unreachable = QString::fromUtf8(E.what());
    }
    if (Queues.empty()) {
        if (FPrompts->AskPrintToPdf(this, Unreachable))
            A_PrintPdfExecute();
        return;
    }
    TPagePrinterSettings& Settings = FPage->PrinterSettings();
    if (PrinterToChoose(Settings, Queues)) {
        QString Chosen;
        if (!FPrompts->ChoosePrinter(this, PrinterNames(Queues), Chosen))
            return;
        Settings.PrinterName = Chosen.toStdString();
        Settings.PrinterIndex = PrinterIndex(Queues, Chosen);
    }
    const std::unique_ptr<TDataSource> Data = OpenPageSource(*FPage, DocumentFolder());
    const TPrintOutcome Outcome = PrintReport(*FPage, nullptr, true, Data.get());
    if (!Outcome.Cancelled)
        ShowSpooled(Outcome, Msg::PrintSent);
}

void TFormMain::ZoomBy(int Steps) {
    const int Now = FPage->Zoom();
    int Next = Now;
    if (Steps > 0) {
        const auto* Up = std::upper_bound(ZoomLevels.begin(), ZoomLevels.end(), Now);
        Next = Up != ZoomLevels.end() ? *Up : ZoomLevels.back();
    } else if (Steps < 0) {
        const auto* Down = std::lower_bound(ZoomLevels.begin(), ZoomLevels.end(), Now);
        Next = Down != ZoomLevels.begin() ? *(Down - 1) : ZoomLevels.front();
    }
    SetViewZoom(Next);
}

void TFormMain::A_ZoomInExecute() {
    ZoomBy(1);
}

void TFormMain::A_ZoomOutExecute() {
    ZoomBy(-1);
}

void TFormMain::A_ZoomActualExecute() {
    SetViewZoom(100);
}

void TFormMain::A_ZoomFitExecute() {
    // The page's size at 100 % against the room the surface shows, whole per cent, 1 to 300.
    const double Zoom = FPage->Zoom();
    const QSize Room = DesignPanel1->viewport()->size();
    const double Fit = std::min(Room.width() * Zoom / std::max(1, FPage->width()),
                                Room.height() * Zoom / std::max(1, FPage->height()));
    SetViewZoom(std::clamp(static_cast<int>(std::floor(Fit)), 1, 300));
}

void TFormMain::A_PrintPreviewExecute() {
    const std::unique_ptr<TDataSource> Data = OpenPageSource(*FPage, DocumentFolder());
    ShowPrintPreview(*FPage, this, Data.get());
}

void TFormMain::A_PrintPdfExecute() {
    QString Name;
    if (!FFileName.isEmpty()) {
        const QFileInfo Document(FFileName);
        Name = Document.dir().filePath(Document.completeBaseName() + QStringLiteral(".pdf"));
    }
    if (!FPrompts->GetFileName(this, Name,
                               {QStringLiteral("PDF (*.pdf)|*.pdf"), QStringLiteral("*.pdf"),
                                QStringLiteral("Print to PDF"), QDir::currentPath(), true}))
        return;
    const std::unique_ptr<TDataSource> Data = OpenPageSource(*FPage, DocumentFolder());
    if (!PrintReportToPdf(*FPage, Name, true, Data.get()).Cancelled)
        ShowDone(Msg::PrintedToFile, {Name.toStdString()});
}

void TFormMain::A_PrinterSetupExecute() {
    PrinterSetup(*FPage, *FPrompts, this);
    // The panel shows what the dialog changed, so that its next edit keeps it.
    FormPageProps->LoadPage(FPage.get());
    RecordStep(QStringLiteral("Printer setup"));
}

void TFormMain::A_CalibrationExecute() {
    const std::vector<TPrinterQueue> Queues = SpoolerQueues();
    if (Queues.empty())
        Raise(Msg::NoPrinterInstalled);
    TPagePrinterSettings Page = FPage->PrinterSettings();
    const QString Current =
        PrinterToChoose(Page, Queues) ? QString() : PagePrinter(Page, Queues).Name;
    TFormCalibration::TAsk Ask;
    Ask.Load = [](const QString& Printer) {
        const TCalibration Kept = CalibrationOf(Printer);
        return TFormCalibration::TOffsets{double(Kept.OffsetX), double(Kept.OffsetY)};
    };
    Ask.PrintSheet = [this](QWidget* Parent, const QString& Printer,
                            TFormCalibration::TOffsets Offsets) {
        try {
            SetCalibration(Printer, {Offsets.X, Offsets.Y});
            ShowSpooled(PrintCalibrationSheet(Printer), Msg::CalibrationSent);
        } catch (const TException& E) {
            FPrompts->ShowError(Parent, QString::fromUtf8(E.what()));
        }
    };
    delete FormCalibration;
    FormCalibration = new TFormCalibration(PrinterNames(Queues), Current, double(CalibrationLimit),
                                           std::move(Ask), this);
    connect(FormCalibration, &QDialog::accepted, this,
            [this] { RunCommand([this] { FormCalibrationAccept(); }); });
    FormCalibration->open();
}

void TFormMain::FormCalibrationAccept() {
    const TFormCalibration::TOffsets Offsets = FormCalibration->OffsetsValue();
    SetCalibration(FormCalibration->PrinterValue(), {Offsets.X, Offsets.Y});
}

void TFormMain::A_DataSourceExecute() {
    delete FormDataSource;
    TFormDataSource::TAsk Ask;
    Ask.FileName = [this](QWidget* Parent, QString& Name, const QString& Folder) {
        return FPrompts->GetFileName(
            Parent, Name,
            {QStringLiteral("CSV files (*.csv *.txt)|*.csv;*.txt|All files (*)|*"), QString(),
             QStringLiteral("Data source"), Folder, false});
    };
    Ask.Error = [this](QWidget* Parent, const QString& Text) { FPrompts->ShowError(Parent, Text); };
    FormDataSource = new TFormDataSource(*FPage, DocumentFolder(), std::move(Ask), this);
    connect(FormDataSource, &QDialog::accepted, this,
            [this] { RunCommand([this] { FormDataSourceAccept(); }); });
    FormDataSource->open();
}

void TFormMain::FormDataSourceAccept() {
    FPage->SetDataSource(FormDataSource->DataSourceValue());
    FPage->SetMergeMode(FormDataSource->MergeModeValue());
    RecordStep(QStringLiteral("Data source"));
}

void TFormMain::A_BarcodeItemExecute() {
    InsertBarcodeItem(*FPage);
    RecordStep(QStringLiteral("Insert"));
    SetModified(true);
}

void TFormMain::A_DeleteItemExecute() {
    const TDesignerSelectedComponents& Selection = Designer1->SelectedComponents();
    std::vector<QObject*> Items;
    for (int I = 0; I < Selection.Count(); ++I)
        if (IsPrintable(Selection.Items(I)))
            Items.push_back(Selection.Items(I));
    for (QObject* Item : Items)
        delete Item;
    RecordStep(QStringLiteral("Delete"));
    SetModified(true);
}

TFormMain::TEditTarget TFormMain::EditTarget() const {
    QWidget* Control = ActiveControl();
    if (const TTextField Field = TextFieldOf(Control); Field.Field != nullptr)
        return {Field.Field, Field.Edit, false};
    return {nullptr, nullptr, DesignPanelActive(Control)};
}

void TFormMain::A_EditCutExecute() {
    if (const TEditTarget Target = EditTarget(); Target.Edit != nullptr) {
        Target.Edit->cut();
    } else if (Target.Surface && SingleBarcodeSelected()) {
        PutComponentOnClipboard(Designer1->SelectedComponents().Items(0));
        A_DeleteItemExecute();
    }
}

void TFormMain::A_EditCopyExecute() {
    if (const TEditTarget Target = EditTarget(); Target.Edit != nullptr)
        Target.Edit->copy();
    else if (Target.Surface && SingleBarcodeSelected())
        PutComponentOnClipboard(Designer1->SelectedComponents().Items(0));
}

void TFormMain::A_PasteExecute() {
    if (const TEditTarget Target = EditTarget(); Target.Edit != nullptr) {
        Target.Edit->paste();
    } else if (Target.Surface) {
        if (TBarcodeItem* Pasted = PasteComponent(*FPage)) {
            Designer1->SelectOnly(Pasted);
            RecordStep(QStringLiteral("Paste"));
            SetModified(true);
        }
    }
}

void TFormMain::A_EditSelectAllExecute() {
    const TEditTarget Target = EditTarget();
    if (auto* Spin = qobject_cast<QAbstractSpinBox*>(Target.Field))
        Spin->selectAll();
    else if (Target.Edit != nullptr)
        Target.Edit->selectAll();
    else if (Target.Surface)
        Designer1->SelectAll();
}

void TFormMain::A_AboutExecute() {
    FPrompts->ShowAbout(
        this, QStringLiteral("About Tessmira"),
        QStringLiteral("<b>Tessmira</b> %1<br>Designs and prints pages of barcodes.")
            .arg(QCoreApplication::applicationVersion()));
}

QWidget* TFormMain::ActiveControl() const {
    // A floating panel is a window of its own but still a child of the main window.
    for (QWidget* W = QApplication::focusWidget(); W != nullptr; W = W->parentWidget())
        if (W == this)
            return QApplication::focusWidget();
    return nullptr;
}

bool TFormMain::DesignPanelActive(const QWidget* Control) const {
    for (const QWidget* W = Control; W != nullptr; W = W->parentWidget())
        if (W == DesignPanel1)
            return true;
    return false;
}

bool TFormMain::SingleBarcodeSelected() const {
    const TDesignerSelectedComponents& Selection = Designer1->SelectedComponents();
    return Selection.Count() == 1 && AsBarcodeItem(Selection.Items(0)) != nullptr;
}

void TFormMain::UpdateActions() {
    A_SaveUpdate();
    A_GraphExportUpdate();
    A_DeleteItemUpdate();
    A_EditCopyUpdate();
    A_PasteUpdate();
    A_EditSelectAllUpdate();
    A_ShowPropsUpdate();
    SetText(L_CapsLock,
            FLockKeys->CapsLock() ? QStringLiteral("Caps: On") : QStringLiteral("Caps: Off"));
    SetText(L_NumLock,
            FLockKeys->NumLock() ? QStringLiteral("Num: On") : QStringLiteral("Num: Off"));
    SetText(L_Zoom, QStringLiteral("%1%").arg(FPage->Zoom()));
}

void TFormMain::A_SaveUpdate() {
    SetEnabled(A_Save, FModified);
    const QString Text = FModified ? QStringLiteral("Modified") : QString();
    if (L_Modified->text() == Text)
        return;
    L_Modified->setText(Text);
    FBlinkOn = true;
    BlinkModified();
    if (FModified)
        FBlinkTimer->start();
    else
        FBlinkTimer->stop();
}

void TFormMain::A_GraphExportUpdate() {
    SetEnabled(A_GraphExport, SingleBarcodeSelected());
}

void TFormMain::A_DeleteItemUpdate() {
    const TDesignerSelectedComponents& Selection = Designer1->SelectedComponents();
    bool Any = false;
    for (int I = 0; I < Selection.Count() && !Any; ++I)
        Any = IsPrintable(Selection.Items(I));
    SetEnabled(A_DeleteItem, Any);
}

void TFormMain::A_EditCopyUpdate() {
    const TEditTarget Target = EditTarget();
    const bool Enabled = Target.Field != nullptr || (Target.Surface && SingleBarcodeSelected());
    SetEnabled(A_EditCut, Enabled);
    SetEnabled(A_EditCopy, Enabled);
}

bool TFormMain::ClipboardHasText() {
    if (!FClipboardTextKnown) {
        const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
        FClipboardHasText = Data != nullptr && Data->hasText();
        FClipboardTextKnown = true;
    }
    return FClipboardHasText;
}

void TFormMain::A_PasteUpdate() {
    const TEditTarget Target = EditTarget();
    const bool Enabled =
        Target.Field != nullptr ? ClipboardHasText() : Target.Surface && ClipboardHasComponent();
    SetEnabled(A_Paste, Enabled);
}

void TFormMain::A_EditSelectAllUpdate() {
    const TEditTarget Target = EditTarget();
    SetEnabled(A_EditSelectAll, Target.Field != nullptr || Target.Surface);
}

void TFormMain::A_ShowPropsUpdate() {
    for (const auto& [Action, Panel] :
         {std::pair<QAction*, QWidget*>{A_ShowBarcodeProps, FormBarcodeProps},
          std::pair<QAction*, QWidget*>{A_ShowPageProps, FormPageProps}})
        if (Action->isChecked() == Panel->isHidden())
            Action->setChecked(!Panel->isHidden());
}

void TFormMain::Designer1ChangeSelection() {
    if (FDestroying)
        return;
    const TDesignerSelectedComponents& Selection = Designer1->SelectedComponents();
    bool Usable = Selection.Count() > 0;
    for (int I = 0; I < Selection.Count() && Usable; ++I)
        Usable = AsBarcodeItem(Selection.Items(I)) != nullptr;
    // A field that is disabled under the keyboard would pass the focus on to the next one, in
    // the page panel, where an arrow key changes the paper: the surface takes it instead.
    if (!Usable && FormBarcodeProps->isAncestorOf(QApplication::focusWidget()))
        DesignPanel1->setFocus(Qt::OtherFocusReason);
    FormBarcodeProps->EnableControls(Usable);
    FormBarcodeProps->LoadBarcode(Usable ? AsBarcodeItem(Selection.Items(0)) : nullptr);
}

void TFormMain::Designer1Change() {
    // A move or resize on the surface is a step; a scroll changes no stored value and makes none.
    RecordStep(Designer1->LastChange() == dcResize ? QStringLiteral("Resize")
                                                   : QStringLiteral("Move"),
               Designer1->LastChangeByKey());
    const TDesignerSelectedComponents& Selection = Designer1->SelectedComponents();
    if (Selection.Count() == 0)
        return;
    TBarcodeItem* First = AsBarcodeItem(Selection.Items(0));
    if (First == nullptr)
        return;
    FormBarcodeProps->LoadBarcode(First);
    SetModified(true);
}

void TFormMain::BlinkModified() {
    QPalette Palette = L_Modified->palette();
    Palette.setColor(QPalette::WindowText,
                     FBlinkOn ? QColor(Qt::red) : Palette.color(QPalette::Window));
    L_Modified->setPalette(Palette);
    FBlinkOn = !FBlinkOn;
}

void TFormMain::Tick() {
    SetText(L_Clock, QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yy hh:mm:ss")));
    FLockKeys->Refresh();
}
