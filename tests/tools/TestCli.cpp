#include "../barcode/Decode.h"
#include "CliRun.h"
#include "barcode/TBarcodeEngine.h"
#include "common/Text1252.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// encode prints what the engine makes of the settings: the same pattern, text and width as the
// engine gives in this process. Texts arrive as UTF-8 and go back as UTF-8.
TEST(Cli, EncodePrintsPatternTextAndWidth) {
    struct Case {
        QStringList Arguments;
        TBarcodeType Typ;
        bool Checksum;
        std::string Text; // Windows-1252
    };
    const Case Cases[] = {
        {{"--type", "bcCodeEAN13", "--checksum", "123456789012"},
         bcCodeEAN13,
         true,
         "123456789012"},
        {{"--checksum", " 12345"}, bcCodeEAN13, true, " 12345"}, // EAN-13 is the default
        {{"--type", "bcCode128B", "--", "-Gr\u00FC\u00DFe \u20AC"},
         bcCode128B,
         false,
         "-Gr\xFC\xDF"
         "e \x80"},
        {{"--type", "bcCodeEAN128C", "--checksum", "12"}, bcCodeEAN128C, true, "12"},
    };
    for (const Case& C : Cases) {
        TBarcodeEngine E;
        E.SetTyp(C.Typ);
        E.SetChecksum(C.Checksum);
        E.SetText(C.Text);
        const std::string Pattern = E.EncodePattern();
        const TCliRun Run = RunCli(QStringList{"encode"} + C.Arguments);
        EXPECT_EQ(Run.ExitCode, 0) << Run.Err.toStdString();
        EXPECT_EQ(Run.Out.toStdString(), "pattern: " + Pattern +
                                             "\ntext: " + FromCp1252(E.Text()).toStdString() +
                                             "\nwidth: " + std::to_string(E.Width()) + "\n")
            << C.Arguments.join(' ').toStdString();
    }
    // The text comes back in UTF-8, the euro sign included.
    EXPECT_TRUE(
        RunCli({"encode", "--type", "bcCode128B", "\u20AC1"}).Out.contains("text: \u20AC1"));
}

// An engine error is the message on stderr and exit code 1; a wrong command line exits with 2.
TEST(Cli, ErrorsReportTheMessageAndFail) {
    struct Case {
        QStringList Arguments;
        int ExitCode;
        QString Err;
    };
    const Case Cases[] = {
        {{"encode", "12a"}, 1, "Barcode must be numeric\n"},
        {{"encode", "--type", "bcCodeEAN8", "123456789"}, 1, "Invalid Text len (EAN8)\n"},
        {{"encode", "--type", "bcCode93", "test"}, 1, "TBarcodeEngine:Code93 bad Data <test>\n"},
        {{"encode", "--type", "bcCodeEAN128B", "--checksum", "AB"},
         1,
         "'A' is not a valid integer value\n"},
        {{"encode", "--type", "EAN13", "1"}, 2, "Unknown symbology: EAN13"},
        {{"encode", "--method", "csmSome", "1"}, 2, "Unknown check digit rule: csmSome"},
        {{"encode"}, 2, "Expected 1 argument(s), got 0"},
        {{"encode", "--bogus", "1"}, 2, "Unknown option 'bogus'"},
        {{"explode"}, 2, "Unknown verb: explode"},
        {{"barcode", "1", "out.gif"}, 2, "--size is required"},
        {{"barcode", "--size", "10x", "1", "out.png"}, 2, "--size needs WxH"},
        {{"barcode", "--size", "10x10", "1", "out.gif"}, 2, "OUT must end in .png, .svg or .pdf"},
        {{"barcode", "--size", "10x10", "--angle", "45", "1", "out.png"}, 2, "--angle must be"},
        {{"barcode", "--size", "10x10", "1", "/nonexistent/dir/out.png"},
         1,
         "Cannot create file \"/nonexistent/dir/out.png\"."},
        // Every verb that starts Qt's windowing, with a wrong command line.
        {{"dump", "--bogus", "a.TSM"}, 2, "Unknown option 'bogus'"},
        {{"build", "only-one"}, 2, "Expected 2 argument(s), got 1"},
        {{"render", "a.TSM", "out.gif"}, 2, "OUT must end in .pdf, .png or .svg"},
        {{"print", "--copies", "0", "a.TSM"}, 2, "--copies needs a number from 1 to 9999"},
        {{"printers", "extra"}, 2, "Expected 0 argument(s), got 1"},
    };
    // Without a session's runtime folder, as under a service or in CI, where Qt would say so.
    qunsetenv("XDG_RUNTIME_DIR");
    for (const Case& C : Cases) {
        const TCliRun Run = RunCli(C.Arguments);
        EXPECT_EQ(Run.ExitCode, C.ExitCode) << C.Arguments.join(' ').toStdString();
        EXPECT_TRUE(Run.Err.contains(C.Err)) << Run.Err.toStdString();
        EXPECT_TRUE(Run.Out.isEmpty()) << Run.Out.toStdString();
        // Nothing but the message: one line, or for a wrong command line the message and a hint
        // (the general help for an unknown verb).
        const QStringList Lines = Run.Err.trimmed().split(QLatin1Char('\n'));
        if (C.Arguments.at(0) == QLatin1String("explode"))
            continue;
        EXPECT_EQ(Lines.size(), C.ExitCode == 2 ? 2 : 1) << Run.Err.toStdString();
        if (C.ExitCode == 2) {
            EXPECT_EQ(Lines.last(), "Try 'tessmira-cli " + C.Arguments.at(0) + " --help'.");
        }
    }
    // Engine errors are exactly the message (the encode verb starts no GUI that could add noise).
    EXPECT_EQ(RunCli({"encode", "12a"}).Err, "Barcode must be numeric\n");
}

TEST(Cli, HelpAndVersion) {
    const TCliRun Version = RunCli({"--version"});
    EXPECT_EQ(Version.ExitCode, 0);
    EXPECT_EQ(Version.Out, QStringLiteral("tessmira-cli " TESSMIRA_VERSION "\n"));
    const TCliRun Help = RunCli({"barcode", "--help"});
    EXPECT_EQ(Help.ExitCode, 0);
    for (const char* Option : {"--type", "--checksum", "--method", "--modul", "--ratio", "--angle",
                               "--size", "--quiet", "TEXT", "OUT"})
        EXPECT_TRUE(Help.Out.contains(QLatin1String(Option))) << Option;
    EXPECT_TRUE(Help.Out.startsWith("Usage: tessmira-cli barcode [options] TEXT OUT"));
    EXPECT_TRUE(Help.Out.endsWith("Exit status: 0 on success, 1 when the work fails (its message "
                                  "on stderr), 2 for a wrong command line.\n"));
}

// The manual page names every verb the tool lists, every option each verb's help lists, and the
// exit statuses: a new verb or option without its documentation fails here.
TEST(Cli, ManualPageNamesEveryVerbAndOption) {
    QFile Page(QStringLiteral(TESSMIRA_SOURCE_DIR "/man/tessmira-cli.1"));
    ASSERT_TRUE(Page.open(QIODevice::ReadOnly));
    // roff writes a minus sign as "\-".
    const QString Manual = QString::fromUtf8(Page.readAll()).replace(QStringLiteral("\\-"), "-");
    const QString General = QString::fromUtf8(RunCli({"--help"}).Out);
    const QString Verbs = General.section(QStringLiteral("Verbs:\n"), 1).section("\n\n", 0, 0);
    QStringList Names;
    for (const QString& Line : Verbs.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        Names << Line.trimmed().section(QLatin1Char(' '), 0, 0);
    EXPECT_EQ(Names.size(), 8) << Verbs.toStdString();
    const QRegularExpression Option(QStringLiteral("^\\s+(?:-\\w, )?(--[a-z-]+)"),
                                    QRegularExpression::MultilineOption);
    for (const QString& Verb : Names) {
        EXPECT_TRUE(Manual.contains(".BI \"" + Verb + " ") || Manual.contains(".B " + Verb))
            << Verb.toStdString();
        const QString Help = QString::fromUtf8(RunCli({Verb, "--help"}).Out);
        for (auto It = Option.globalMatch(Help); It.hasNext();) {
            const QString Name = It.next().captured(1);
            EXPECT_TRUE(Manual.contains(Name)) << Verb.toStdString() << " " << Name.toStdString();
        }
    }
    for (const char* Status : {".SH EXIT STATUS", ".B 0", ".B 1", ".B 2"})
        EXPECT_TRUE(Manual.contains(QLatin1String(Status))) << Status;
}

// barcode draws into WxH plus a quiet zone of 10 modules (here 3 pixels each) or --quiet
// pixels, at --dpi; the PNG and the SVG both read back as the barcode's data.
TEST(Cli, BarcodeWritesFilesThatDecode) {
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString Png = Dir.filePath("ean.png");
    TCliRun Run = RunCli(
        {"barcode", "--checksum", "--angle", "90", "--size", "150x285", "400638133393", Png});
    ASSERT_EQ(Run.ExitCode, 0) << Run.Err.toStdString();
    QImage Image(Png);
    EXPECT_EQ(Image.size(), QSize(150 + 60, 285 + 60));
    EXPECT_EQ(DecodeImage(Image), std::vector<std::string>{"4006381333931"});

    // "Tessmira" in Code 128 B is 123 modules: 2 pixels each.
    Run = RunCli({"barcode", "--type", "bcCode128B", "--quiet", "5", "--size", "246x100",
                  "Tessmira", Dir.filePath("code.svg")});
    ASSERT_EQ(Run.ExitCode, 0) << Run.Err.toStdString();
    EnsureGuiApplication();
    QSvgRenderer Svg(Dir.filePath("code.svg"));
    ASSERT_TRUE(Svg.isValid());
    EXPECT_EQ(Svg.viewBox(), QRect(0, 0, 256, 110));
    QImage Rendered(QSize(256, 110) * 2, QImage::Format_RGB32);
    Rendered.fill(Qt::white);
    QPainter Painter(&Rendered);
    Svg.render(&Painter);
    Painter.end();
    EXPECT_EQ(DecodeImage(Rendered), std::vector<std::string>{"Tessmira"});

    // At --dpi 300 the same 150 + 2 x 16 by 100 + 2 x 16 screen pixels are 569 x 412 dots, and
    // the PNG says 300 dpi (11811 dots a metre).
    Run =
        RunCli({"barcode", "--checksum", "--dpi", "300", "--size", "150x100", "400638133393", Png});
    ASSERT_EQ(Run.ExitCode, 0) << Run.Err.toStdString();
    Image = QImage(Png);
    EXPECT_EQ(Image.size(), QSize(569, 412));
    EXPECT_EQ(Image.dotsPerMeterX(), 11811);
    EXPECT_EQ(DecodeImage(Image), std::vector<std::string>{"4006381333931"});

    const QString Pdf = Dir.filePath("ean.pdf");
    Run = RunCli({"barcode", "--size", "285x150", "123", Pdf});
    ASSERT_EQ(Run.ExitCode, 0) << Run.Err.toStdString();
    QFile File(Pdf);
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    EXPECT_TRUE(File.read(5) == "%PDF-");
}
