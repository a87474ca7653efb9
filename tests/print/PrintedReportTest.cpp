#include "FailingSync.h"
#include "FileSizeLimit.h"
#include "ReportFixture.h"
#include "platform/FakeServices.h"
#include "print/PrintClusterConfiguration.h"
#include "print/PrintOptions.h"
#include "print/PrinterTarget.h"

#include "forms/Form_PrincipaleControls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <sys/mount.h>

namespace {

// The text of a PDF file in the order it was drawn, texts on one baseline joined into a line, blanks
// collapsed and the ligatures the font draws spelt out.
QStringList PdfLines(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    QStringList lines;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.simplified().replace(QChar(0xFB01), "fi").replace(QChar(0xFB02), "fl");
    return lines;
}

bool AnyLineContains(const QStringList& lines, const QString& text)
{
    for (const QString& line : lines)
        if (line.contains(text))
            return true;
    return false;
}

class PrintedReportTest : public ReportTest {
protected:
    QTemporaryDir dir;
    ScopedFakeServices svc;
};

} // namespace

// The eight-box report printed where there is no printer goes to the PDF file the user chooses, and
// reads back with its title, extreme points, table rows and summary.
TEST_F(PrintedReportTest, EightBoxReportToPdf)
{
    const QString path = dir.filePath("report.pdf");
    svc->fileAnswers = {path};
    PrinterIndex = 0;
    PrintCopies = 1;
    PrintQuality = -4;
    PrinterTarget printer;
    PrintClusterConfiguration(printer, true);

    EXPECT_TRUE(svc->messages.empty());
    ASSERT_EQ(svc->dialogs.size(), 1u);
    EXPECT_TRUE(svc->dialogs[0].save);
    EXPECT_EQ(svc->dialogs[0].request.filter, "PDF File (*.pdf)|*.pdf");
    EXPECT_EQ(printer.PdfPath(), path);
    ASSERT_TRUE(QFile::exists(path));

    const QStringList lines = PdfLines(path);
    const QStringList expected{
        "Cluster Configuration",
        "Max Z: 0,12m(X: 0,9m)", "Min Z: -2,88m(X: 0,72m)", "Max X: 0,9m(Z: 0,06m)", "Min X: -0,18m(Z: -2,7m)",
        "3m", "1,08m",
        "1 TV-12 0° 3° 0 µs 0 dB", "3 TV-12 2° 5° 20 µs -1 dB", "7 TV-12W 6° 9° 60 µs -3 dB",
        "8 TV-12W 7° 12,5° 70 µs -3,5 dB",
        "Boxes Number", "Cluster Bottom Z", "-3,5°", "-3,72°", "-2,88 m", "1,5 m", "9 m", "0,41; -1,33", "412 Kg",
        "Rigging Mode", "2-C", "210 Kg", "202 Kg", "Weight On Central",
    };
    for (const QString& text : expected)
        EXPECT_TRUE(AnyLineContains(lines, text)) << text.toStdString() << "\n" << lines.join('\n').toStdString();
    EXPECT_FALSE(AnyLineContains(lines, "9 TV-12"));
}

// Without the table and the summary the page has neither.
TEST_F(PrintedReportTest, PdfWithoutDetails)
{
    const QString path = dir.filePath("plain.pdf");
    svc->fileAnswers = {path};
    PrintQuality = -1;
    PrintCopies = 1;
    PrintClusterDetails = VbFalse;
    PrintBoxesDetails = VbFalse;
    PrinterTarget printer;
    PrintClusterConfiguration(printer, true);
    const QStringList lines = PdfLines(path);
    EXPECT_TRUE(AnyLineContains(lines, "Cluster Configuration"));
    EXPECT_TRUE(AnyLineContains(lines, "Max Z: 0,12m(X: 0,9m)"));
    EXPECT_FALSE(AnyLineContains(lines, "Boxes Number"));
    EXPECT_FALSE(AnyLineContains(lines, "20 µs"));
}

// A cancelled file choice prints nothing and says nothing; a file that cannot be written is reported
// and leaves no file behind; a failed report leaves no file either.
TEST_F(PrintedReportTest, PdfFailures)
{
    PrintQuality = -4;
    PrintCopies = 1;
    {
        PrinterTarget printer;
        PrintClusterConfiguration(printer, true);
        EXPECT_TRUE(svc->messages.empty());
        EXPECT_TRUE(QDir(dir.path()).isEmpty());
    }
    {
        const QString path = dir.filePath("missing/report.pdf");
        svc->fileAnswers = {path};
        PrinterTarget printer;
        PrintClusterConfiguration(printer, true);
        ASSERT_EQ(svc->messages.size(), 1u);
        EXPECT_EQ(svc->messages[0].text,
                  "The cluster report could not be printed.\nThe file cannot be written: " + path);
        EXPECT_FALSE(QFile::exists(path));
    }
    {
        const QString path = dir.filePath("failed.pdf");
        svc->fileAnswers = {path};
        Principale().Position[4].SetText("x");
        PrinterTarget printer;
        PrintClusterConfiguration(printer, true);
        ASSERT_EQ(svc->messages.size(), 2u);
        EXPECT_EQ(svc->messages[1].text, "The cluster report could not be printed.\nType mismatch");
        EXPECT_FALSE(QFile::exists(path));
    }
}

// A disk that fills up while the PDF is written, or refuses to hold it when it is synced, is reported,
// and an earlier report under the chosen name keeps every byte: with no room at all, with room for part
// of the report only, and with a storage that fails only at the sync.
TEST_F(PrintedReportTest, PdfOnAFullDiskKeepsTheEarlierFile)
{
    PrintQuality = -4;
    PrintCopies = 1;
    const QString path = dir.filePath("kept.pdf");
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("the earlier report") > 0);
    earlier.close();
    const std::pair<rlim_t, bool> refusals[] = {{0, false}, {4000, false}, {RLIM_INFINITY, true}};
    for (const auto& [limit, atSync] : refusals) {
        SCOPED_TRACE(atSync ? "at the sync" : std::to_string(limit));
        svc->messages.clear();
        svc->fileAnswers = {path};
        PrinterTarget printer;
        {
            const FileSizeLimit full(limit);
            const FailingSync refused(atSync);
            PrintClusterConfiguration(printer, true);
        }
        ASSERT_EQ(svc->messages.size(), 1u);
        EXPECT_EQ(svc->messages[0].text, "The cluster report could not be printed.\nThe file cannot be written: " + path);
        ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
        EXPECT_EQ(earlier.readAll(), "the earlier report");
        earlier.close();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.pdf"});
    }
}

// A report replaces an earlier one on a disk with room for one report and a few kilobytes more, not for
// two: the draft is moved into place, and nothing is left beside it. The small disk needs root to mount.
TEST_F(PrintedReportTest, PdfNeedsRoomForOneReportOnly)
{
    PrintQuality = -4;
    PrintCopies = 1;
    const auto print = [this](const QString& path) {
        svc->fileAnswers = {path};
        PrinterTarget printer;
        PrintClusterConfiguration(printer, true);
        return QFileInfo(path).size();
    };
    const qint64 report = print(dir.filePath("measure.pdf"));
    ASSERT_GT(report, 16384);
    const QString disk = dir.filePath("disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    constexpr qint64 Page = 4096;
    const QByteArray size = "size=" + QByteArray::number((report / Page + 4) * Page);
    if (mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, size.constData()) != 0)
        GTEST_SKIP() << "a small disk cannot be mounted here";
    const std::shared_ptr<void> unmount(nullptr, [&disk](void*) { umount2(QFile::encodeName(disk).constData(), MNT_DETACH); });
    const QString path = disk + "/kept.pdf";
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("the earlier report") > 0);
    earlier.close();

    EXPECT_EQ(print(path), report);
    EXPECT_TRUE(svc->messages.empty());
    EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.pdf"});
}
