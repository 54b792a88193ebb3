#include "designer/TDesignPanel.h"

#include <QContextMenuEvent>
#include <QScrollBar>
#include <QtTest>

namespace {

// A page stand-in of a fixed size in a colour of its own.
QWidget* NewPage(QSize Size) {
    auto* Page = new QWidget;
    QPalette Red;
    Red.setColor(QPalette::Window, Qt::red);
    Page->setPalette(Red);
    Page->setAutoFillBackground(true);
    Page->resize(Size);
    return Page;
}

// Counts the context menu events that reach a widget.
class TMenuCounter : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::ContextMenu)
            ++Count;
        return QObject::eventFilter(Watched, Event);
    }
};

} // namespace

class TestDesignPanel : public QObject {
    Q_OBJECT
private slots:
    void ScrollRangesReachThePageEdges();
    void BackgroundAroundThePage();
    void BorderStyle();
    void NoContextMenuOfItsOwnWhileHosting();
};

// A scroll bar shows only while the page reaches past the viewport, and then scrolls exactly to
// the page's edge: the page's right (bottom) edge meets the viewport's at the maximum. The panel
// keeps the page's size whatever its own.
void TestDesignPanel::ScrollRangesReachThePageEdges() {
    struct TCase {
        QSize Panel;
        QSize Page;
        bool Horizontal;
        bool Vertical;
    };
    const TCase Cases[] = {
        {{300, 200}, {794, 1123}, true, true}, // A4 at 96 ppi
        {{300, 300}, {100, 100}, false, false},
        {{300, 300}, {100, 1000}, false, true},
        {{300, 300}, {1000, 100}, true, false},
    };
    for (const TCase& C : Cases) {
        const QByteArray Label =
            QByteArray::number(C.Page.width()) + "x" + QByteArray::number(C.Page.height());
        TDesignPanel Panel;
        Panel.resize(C.Panel);
        QWidget* Page = NewPage(C.Page);
        Panel.Host(Page);
        Panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Panel));
        QScrollBar* H = Panel.horizontalScrollBar();
        QScrollBar* V = Panel.verticalScrollBar();
        QVERIFY2(H->isVisible() == C.Horizontal, Label);
        QVERIFY2(V->isVisible() == C.Vertical, Label);
        QVERIFY2(H->singleStep() == 8 && V->singleStep() == 8, Label);
        QVERIFY2(Page->size() == C.Page, Label);
        QVERIFY2(Page->pos() == QPoint(0, 0), Label);
        const QSize View = Panel.viewport()->size();
        QVERIFY2(H->maximum() == (C.Horizontal ? C.Page.width() - View.width() : 0), Label);
        QVERIFY2(V->maximum() == (C.Vertical ? C.Page.height() - View.height() : 0), Label);
        H->setValue(H->maximum());
        V->setValue(V->maximum());
        if (C.Horizontal)
            QVERIFY2(Page->geometry().right() == View.width() - 1, Label);
        if (C.Vertical)
            QVERIFY2(Page->geometry().bottom() == View.height() - 1, Label);
        // One line step moves the page by 8 pixels.
        H->setValue(0);
        V->setValue(0);
        V->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QVERIFY2(Page->y() == (C.Vertical ? -8 : 0), Label);
        // A page that grows (another paper) takes the ranges with it.
        if (C.Horizontal && C.Vertical) {
            const int HMax = H->maximum();
            const int VMax = V->maximum();
            Page->resize(C.Page + QSize(40, 40));
            QVERIFY2(H->maximum() == HMax + 40 && V->maximum() == VMax + 40, Label);
            QVERIFY2(H->singleStep() == 8 && V->singleStep() == 8, Label);
        }
    }
}

// Right of and below a small page, and everywhere while nothing is hosted, the panel shows the
// button face; the page shows itself.
void TestDesignPanel::BackgroundAroundThePage() {
    TDesignPanel Panel;
    Panel.resize(300, 300);
    // A button face unlike the window colour, which in many styles is the same grey.
    const QColor Face(0, 128, 0);
    QPalette Palette = Panel.palette();
    Palette.setColor(QPalette::Button, Face);
    Panel.setPalette(Palette);
    Panel.Host(NewPage({100, 100}));
    Panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Panel));
    struct TCase {
        QPoint At; // in the viewport
        bool Hosted;
        QColor Expected;
    };
    const TCase Cases[] = {
        {{50, 50}, true, Qt::red}, {{150, 50}, true, Face}, {{50, 150}, true, Face},
        {{250, 250}, true, Face},  {{50, 50}, false, Face}, {{150, 50}, false, Face},
    };
    for (const TCase& C : Cases) {
        if (!C.Hosted && Panel.Hosted() != nullptr)
            delete Panel.Unhost();
        const QImage Image = Panel.viewport()->grab().toImage();
        QVERIFY2(Image.pixelColor(C.At) == C.Expected,
                 qPrintable(QStringLiteral("%1,%2 %3 %4")
                                .arg(C.At.x())
                                .arg(C.At.y())
                                .arg(C.Hosted)
                                .arg(Image.pixelColor(C.At).name())));
    }
}

// Single is a sunken frame, as at creation; none has no frame; other values change nothing.
void TestDesignPanel::BorderStyle() {
    TDesignPanel Panel;
    QCOMPARE(Panel.BorderStyle(), bsSingle);
    QCOMPARE(Panel.frameShadow(), QFrame::Sunken);
    QVERIFY(Panel.frameWidth() > 0);
    Panel.SetBorderStyle(bsNone);
    QCOMPARE(Panel.frameWidth(), 0);
    Panel.SetBorderStyle(static_cast<TBorderStyle>(7));
    QCOMPARE(Panel.BorderStyle(), bsNone);
    Panel.SetBorderStyle(bsSingle);
    QCOMPARE(Panel.frameShadow(), QFrame::Sunken);
    QVERIFY(Panel.frameWidth() > 0);
}

// A context menu request on the surface reaches the main window only while nothing is hosted.
void TestDesignPanel::NoContextMenuOfItsOwnWhileHosting() {
    QWidget Window;
    auto* Panel = new TDesignPanel(&Window);
    Panel->resize(300, 300);
    TMenuCounter Counter;
    Window.installEventFilter(&Counter);
    for (const bool Hosting : {true, false}) {
        if (Hosting)
            Panel->Host(NewPage({100, 100}));
        else
            delete Panel->Unhost();
        Counter.Count = 0;
        QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(150, 150),
                                Panel->viewport()->mapToGlobal(QPoint(150, 150)));
        QApplication::sendEvent(Panel->viewport(), &Event);
        QVERIFY2(Counter.Count == (Hosting ? 0 : 1), Hosting ? "hosting" : "empty");
    }
}

QTEST_MAIN(TestDesignPanel)
#include "TestDesignPanel.moc"
