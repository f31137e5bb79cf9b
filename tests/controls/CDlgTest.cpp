#include "controls/CDlg.h"

#include "ControlTestKit.h"
#include "FakeOpener.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

struct Host : QWidget {
    CDlg* dlg = new CDlg(this);
};

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// Runs op, which must raise the run-time error with this number.
template <class Op> platform::RuntimeError Raised(long number, Op op) {
    try {
        op();
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), number);
        return e;
    }
    ADD_FAILURE() << "no error " << number;
    return platform::RuntimeError(0, QString(), QString());
}

void CancelNext() {
    kit::OnNextModal<QDialog>([](QDialog* d) { d->reject(); });
}

// Picks a file in the next file dialog and confirms it.
void PickNext(const QString& file) {
    kit::OnNextModal<QFileDialog>([file](QFileDialog* d) {
        d->selectFile(file);
        kit::Accept(d);
    });
}

// Stands in for the desktop's handler of file addresses.
} // namespace

TEST(CDlg, FilterIsStoredWithNulsAndShownAsNameFilters) {
    Host host;
    host.dlg->setFilter(QStringLiteral("Text Files|*.txt|All Files|*.*"));
    const QString stored = host.dlg->Filter();
    EXPECT_EQ(stored, QStringLiteral("Text Files") + QChar(0) + QStringLiteral("*.txt") + QChar(0) +
                          QStringLiteral("All Files") + QChar(0) + QStringLiteral("*.*"));
    EXPECT_EQ(CDlg::NameFilters(stored),
              (QStringList{QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")}));
    EXPECT_EQ(CDlg::NameFilters(QStringLiteral("Pictures") + QChar(0) + QStringLiteral("*.png;*.jpg") + QChar(0)),
              QStringList{QStringLiteral("Pictures (*.png *.jpg)")});

    // The bag keeps the stored form; defaults are not written.
    platform::PropertyBag bag;
    host.dlg->WriteProperties(bag);
    EXPECT_EQ(bag.count(), 1);
    Host other;
    other.dlg->ReadProperties(bag);
    EXPECT_EQ(other.dlg->Filter(), stored);
    EXPECT_EQ(other.dlg->MaxFileSize(), 260);
    EXPECT_EQ(other.dlg->Copies(), 1);
    EXPECT_EQ(other.dlg->Orientation(), 1);
    EXPECT_FLOAT_EQ(other.dlg->FontSize(), 8);
}

TEST(CDlg, EverySavedPropertyComesBackUnderItsOwnKey) {
    Host host;
    CDlg* d = host.dlg;
    d->setColor(0x123456);
    d->setCancelError(true);
    d->setFlags(4096);
    d->setDefaultExt(QStringLiteral("txt"));
    d->setFilename(QStringLiteral("/tmp/a.txt"));
    d->setFilter(QStringLiteral("Text|*.txt"));
    d->setInitDir(QStringLiteral("/tmp"));
    d->setDialogTitle(QStringLiteral("Title"));
    d->setFileTitle(QStringLiteral("a.txt"));
    d->setCopies(2);
    d->setFilterIndex(1);
    d->setMaxFileSize(100);
    d->setFileOffset(5);
    d->setExtensionOffset(7);
    d->setFontBold(true);
    d->setFontName(QStringLiteral("DejaVu Sans"));
    d->setFontSize(12.5f);
    d->setFontStrikeThru(true);
    d->setFontUnderLine(true);
    d->setFontCharSet(238);
    d->setFontItalic(true);
    d->sethDC(9);
    d->setPrinterDefault(true);
    d->setMin(1);
    d->setMax(9);
    d->setFromPage(2);
    d->setToPage(3);
    d->setOrientation(2);
    d->setHelpCommand(1);
    d->setHelpContext(42);
    d->setHelpFile(QStringLiteral("help.chm"));
    d->setHelpKey(QStringLiteral("key"));
    d->setPrinterName(QStringLiteral("printer"));
    d->setPrinterDefaultSource(7);
    d->setFolderPath(QStringLiteral("/home"));
    d->setBrowseSpecialFolder(5);

    // Every property but Action (left at 0) differs from its default, so each
    // is written; read back elsewhere, each is written again.
    platform::PropertyBag bag;
    d->WriteProperties(bag);
    EXPECT_EQ(bag.count(), 36);
    Host other;
    other.dlg->ReadProperties(bag);
    platform::PropertyBag again;
    other.dlg->WriteProperties(again);
    EXPECT_EQ(again.count(), 36);
    EXPECT_EQ(other.dlg->Color(), 0x123456);
    EXPECT_EQ(other.dlg->Filename(), QStringLiteral("/tmp/a.txt"));
    EXPECT_FLOAT_EQ(other.dlg->FontSize(), 12.5f);
    EXPECT_TRUE(other.dlg->FontItalic());
    EXPECT_EQ(other.dlg->HelpKey(), QStringLiteral("key"));
    EXPECT_EQ(other.dlg->BrowseSpecialFolder(), 5);

    // A new instance starts from the defaults again: nothing to write.
    other.dlg->InitProperties();
    platform::PropertyBag none;
    other.dlg->WriteProperties(none);
    EXPECT_EQ(none.count(), 0);
}

TEST(CDlg, ActionOutsideItsRangeAndDesignModeWrites) {
    Host host;
    host.dlg->setCancelError(true);
    QWidget* opened = nullptr;
    const auto looked = kit::OnNextModal<QWidget>([&](QWidget* w) { opened = w; }, 5);
    Raised(380, [&] { host.dlg->setAction(7); });
    Raised(380, [&] { host.dlg->setAction(-1); });
    EXPECT_EQ(host.dlg->Action(), 0);
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return *looked; }));
    EXPECT_EQ(opened, nullptr) << "no dialog opened";
    host.dlg->setAction(0); // runs nothing
    host.dlg->setFileTitle(QStringLiteral("a.txt"));
    EXPECT_EQ(host.dlg->FileTitle(), QStringLiteral("a.txt"));

    // While its host is designed, run-time results cannot be written, and the
    // control shows as a fixed box.
    QWidget designed;
    designed.setProperty("UserMode", false);
    CDlg dlg(&designed);
    designed.show();
    EXPECT_TRUE(dlg.isVisible());
    dlg.resize(200, 100);
    testsupport::RunEventsUntil([&] { return dlg.size() == QSize(28, 28); });
    EXPECT_EQ(dlg.size(), QSize(28, 28));
    Raised(387, [&] { dlg.setFileTitle(QStringLiteral("x")); });
    Raised(387, [&] { dlg.setFileOffset(3); });
    Raised(387, [&] { dlg.setExtensionOffset(3); });
    Raised(387, [&] { dlg.sethDC(3); });
    Raised(387, [&] { dlg.setPrinterName(QStringLiteral("x")); });
    Raised(387, [&] { dlg.setPrinterDefaultSource(3); });
    Raised(387, [&] { dlg.setAction(1); });
    EXPECT_EQ(dlg.FileTitle(), QString());
    EXPECT_EQ(dlg.FileOffset(), 0);
    dlg.setFilename(QStringLiteral("fine at design time"));
    EXPECT_EQ(dlg.Filename(), QStringLiteral("fine at design time"));

    // At run time it never shows.
    host.show();
    host.dlg->show();
    EXPECT_FALSE(host.dlg->isVisible());
}

TEST(CDlg, CancelWithAndWithoutCancelErrorAndTheOwnerSetOnce) {
    Host host;
    CDlg* dlg = host.dlg;
    dlg->setFilename(QStringLiteral("kept"));
    EXPECT_EQ(dlg->OwnerHwnd(), 0);
    CancelNext();
    dlg->ShowOpen();
    EXPECT_EQ(dlg->Filename(), QStringLiteral("kept"));
    const int32_t owner = dlg->OwnerHwnd();
    EXPECT_EQ(owner, platform::HandleOf(&host));

    // Moved to another form, the control keeps its first owner.
    QWidget other;
    dlg->setParent(&other);
    dlg->setCancelError(true);
    CancelNext();
    const platform::RuntimeError e = Raised(32755, [&] { dlg->ShowSave(); });
    EXPECT_EQ(e.source(), QStringLiteral("Brantic user control"));
    EXPECT_EQ(e.description(), QStringLiteral("Cancel was selected."));
    EXPECT_EQ(dlg->OwnerHwnd(), owner);

    for (auto show : {&CDlg::ShowColor, &CDlg::ShowFont, &CDlg::ShowPrinter}) {
        CancelNext();
        Raised(32755, [&] { (dlg->*show)(); });
    }
    dlg->setFolderPath(QStringLiteral("/somewhere"));
    CancelNext();
    Raised(32755, [&] { dlg->ShowBrowseForFolder(); });
    EXPECT_EQ(dlg->FolderPath(), QString()) << "a cancelled folder dialog clears the path";

    dlg->setCancelError(false);
    dlg->setColor(0x123456);
    CancelNext();
    dlg->setAction(3);
    EXPECT_EQ(dlg->Color(), 0x123456);
    EXPECT_EQ(dlg->Action(), 3);
}

TEST(CDlg, OpenFillsNameTitleOffsetsAndFilterIndex) {
    QTemporaryDir dir;
    Touch(dir.filePath(QStringLiteral("notes.txt")));
    Touch(dir.filePath(QStringLiteral("README")));
    Host host;
    CDlg* dlg = host.dlg;
    dlg->setFilter(QStringLiteral("Text Files|*.txt|All Files|*.*"));
    dlg->setInitDir(dir.path());
    dlg->setFlags(4096);
    dlg->setDialogTitle(QStringLiteral("Import Note"));

    QString title;
    kit::OnNextModal<QFileDialog>([&](QFileDialog* d) {
        title = d->windowTitle();
        d->selectFile(QStringLiteral("notes.txt"));
        kit::Accept(d);
    });
    dlg->ShowOpen();
    const QString path = QDir(dir.path()).filePath(QStringLiteral("notes.txt"));
    EXPECT_EQ(title, QStringLiteral("Import Note"));
    EXPECT_EQ(dlg->Filename(), path);
    EXPECT_EQ(dlg->FileTitle(), QStringLiteral("notes.txt"));
    EXPECT_EQ(dlg->FileOffset(), path.size() - 9);
    EXPECT_EQ(dlg->ExtensionOffset(), path.size() - 3);
    EXPECT_EQ(path.mid(dlg->FileOffset()), QStringLiteral("notes.txt"));
    EXPECT_EQ(dlg->FilterIndex(), 1);

    // A name without extension: the extension offset is the end of the path.
    kit::OnNextModal<QFileDialog>([](QFileDialog* d) {
        d->selectNameFilter(d->nameFilters().at(1));
        d->selectFile(QStringLiteral("README"));
        kit::Accept(d);
    });
    dlg->ShowOpen();
    EXPECT_EQ(dlg->FileTitle(), QStringLiteral("README"));
    EXPECT_EQ(dlg->ExtensionOffset(), dlg->Filename().size());
    EXPECT_EQ(dlg->FilterIndex(), 2);

    // The file must exist: the dialog refuses a missing one and stays open.
    bool refused = false;
    kit::OnNextModal<QFileDialog>([&](QFileDialog* d) {
        kit::OnNextModal<QMessageBox>([&](QMessageBox* box) {
            refused = true;
            box->accept();
            kit::OnNextModal<QFileDialog>([](QFileDialog* again) { again->reject(); });
        });
        d->selectFile(QStringLiteral("missing.txt"));
        kit::Accept(d);
    });
    dlg->ShowOpen();
    EXPECT_TRUE(refused);
    EXPECT_EQ(dlg->FileTitle(), QStringLiteral("README"));

    // Without the flag a new name is taken as it is.
    dlg->setFlags(0);
    PickNext(QStringLiteral("new.txt"));
    dlg->ShowOpen();
    EXPECT_EQ(dlg->FileTitle(), QStringLiteral("new.txt"));

    // A path longer than the file buffer does not fit: as if cancelled.
    dlg->setMaxFileSize(static_cast<int>(path.size()) - 1);
    dlg->setCancelError(true);
    PickNext(QStringLiteral("notes.txt"));
    Raised(32755, [&] { dlg->ShowOpen(); });
    EXPECT_EQ(dlg->FileTitle(), QStringLiteral("new.txt"));
    dlg->setMaxFileSize(static_cast<int>(path.size()));
    PickNext(QStringLiteral("notes.txt"));
    dlg->ShowOpen();
    EXPECT_EQ(dlg->Filename(), path);
}

TEST(CDlg, SaveAppendsTheDefaultExtensionAndAsksBeforeOverwriting) {
    QTemporaryDir dir;
    Touch(dir.filePath(QStringLiteral("today.txt")));
    Host host;
    CDlg* dlg = host.dlg;
    dlg->setInitDir(dir.path());
    dlg->setDefaultExt(QStringLiteral("txt"));
    dlg->setFlags(2);
    dlg->setFilename(QString());
    PickNext(QStringLiteral("export"));
    dlg->ShowSave();
    EXPECT_EQ(dlg->Filename(), QDir(dir.path()).filePath(QStringLiteral("export.txt")));

    int asked = 0;
    kit::OnNextModal<QFileDialog>([&](QFileDialog* d) {
        kit::OnNextModal<QMessageBox>([&](QMessageBox* box) {
            ++asked;
            box->button(QMessageBox::Yes)->click();
        });
        d->selectFile(QStringLiteral("today.txt"));
        kit::Accept(d);
    });
    dlg->ShowSave();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(dlg->FileTitle(), QStringLiteral("today.txt"));

    // Without the flag nobody is asked.
    dlg->setFlags(0);
    dlg->setFilename(QString());
    bool boxShown = false;
    kit::OnNextModal<QFileDialog>([&](QFileDialog* d) {
        kit::OnNextModal<QMessageBox>(
            [&](QMessageBox* box) {
                boxShown = true;
                box->button(QMessageBox::Yes)->click();
            },
            20);
        d->selectFile(QStringLiteral("today.txt"));
        kit::Accept(d);
    });
    dlg->ShowSave();
    EXPECT_FALSE(boxShown);
    EXPECT_EQ(dlg->FileTitle(), QStringLiteral("today.txt"));
}

TEST(CDlg, ColourDialogKeepsItsOwnCustomColours) {
    Host host;
    CDlg* dlg = host.dlg;
    kit::OnNextModal<QColorDialog>([](QColorDialog* d) {
        EXPECT_EQ(QColorDialog::customColor(3), QColor(Qt::black)) << "all black at first";
        EXPECT_EQ(d->currentColor(), QColor(Qt::black));
        QColorDialog::setCustomColor(3, QColor(10, 20, 30));
        d->setCurrentColor(QColor(200, 100, 50));
        kit::Accept(d);
    });
    dlg->ShowColor();
    EXPECT_EQ(dlg->Color(), platform::RGB(200, 100, 50));

    // Another dialog of the program changes the shared colours meanwhile.
    QColorDialog::setCustomColor(3, QColor(255, 255, 0));
    QColor offered;
    kit::OnNextModal<QColorDialog>([&](QColorDialog* d) {
        offered = QColorDialog::customColor(3);
        d->reject();
    });
    dlg->ShowColor();
    EXPECT_EQ(offered, QColor(10, 20, 30));
    EXPECT_EQ(dlg->Color(), platform::RGB(200, 100, 50)) << "a cancel changes nothing";
}

TEST(CDlg, FontDialogResultAsTheFontRecordHoldsIt) {
    // The record's height is in pixels: -16 on a 96 pixels-per-inch screen is 12 points.
    EXPECT_FLOAT_EQ(CDlg::PointSizeOf(-16, 96), 12);
    EXPECT_FLOAT_EQ(CDlg::PointSizeOf(-15, 96), 11); // 11.25
    EXPECT_FLOAT_EQ(CDlg::PointSizeOf(-14, 96), 10); // 10.5, halves to even
    QFont twelve(QStringLiteral("DejaVu Sans"), 12);
    twelve.setWeight(QFont::Bold);
    twelve.setItalic(true);
    const CDlg::FontRecord r = CDlg::FontRecordOf(twelve, 96);
    EXPECT_EQ(r.Height, -16);
    EXPECT_EQ(r.Weight, 700);
    EXPECT_TRUE(r.Italic);
    EXPECT_FALSE(r.Underline);
    EXPECT_EQ(CDlg::FontRecordOf(QFont(QStringLiteral("DejaVu Sans"), 12), 96).Weight, 400);

    Host host;
    CDlg* dlg = host.dlg;
    dlg->setFontName(QStringLiteral("DejaVu Sans Mono"));
    dlg->setColor(0x00FF00);
    QString offered;
    kit::OnNextModal<QFontDialog>([&](QFontDialog* d) {
        offered = d->currentFont().family();
        QFont f(QStringLiteral("DejaVu Sans"), 12);
        f.setBold(true);
        f.setUnderline(true);
        d->setCurrentFont(f);
        kit::Accept(d);
    });
    dlg->ShowFont();
    EXPECT_EQ(offered, QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(dlg->FontName(), QStringLiteral("DejaVu Sans"));
    EXPECT_FLOAT_EQ(dlg->FontSize(), 12);
    EXPECT_TRUE(dlg->FontBold());
    EXPECT_TRUE(dlg->FontUnderLine());
    EXPECT_FALSE(dlg->FontItalic());
    EXPECT_FALSE(dlg->FontStrikeThru());
    EXPECT_EQ(dlg->Color(), 0);
    EXPECT_EQ(dlg->hDC(), 0);
}

TEST(CDlg, PrinterDialogFillsItsResults) {
    Host host;
    CDlg* dlg = host.dlg;
    dlg->setFromPage(2);
    dlg->setToPage(3);
    dlg->setMin(1);
    dlg->setMax(9);
    dlg->setFlags(0x10); // collate
    kit::OnNextModal<QPrintDialog>([](QPrintDialog* d) { kit::Accept(d); });
    dlg->ShowPrinter();
    EXPECT_EQ(dlg->hDC(), 0);
    EXPECT_EQ(dlg->Copies(), 1);
    EXPECT_EQ(dlg->FromPage(), 2) << "not printing a range keeps the pages as set";
    EXPECT_EQ(dlg->ToPage(), 3);
    EXPECT_TRUE(dlg->Flags() & 0x10);
    EXPECT_EQ(dlg->PrinterExtraCollate(), 1);
    EXPECT_TRUE(dlg->Orientation() == 1 || dlg->Orientation() == 2);
    EXPECT_TRUE(dlg->PrinterExtraColor() == 1 || dlg->PrinterExtraColor() == 2);
    EXPECT_GT(dlg->PrinterExtraPaperWidth(), 0);
    EXPECT_GT(dlg->PrinterExtraPaperLength(), 0);
    EXPECT_GT(dlg->PrinterExtraPrintQuality(), 0);
    // What Qt does not know stays 0.
    EXPECT_EQ(dlg->PrinterExtraDisplayFlags(), 0);
    EXPECT_EQ(dlg->PrinterExtraDriverVersion(), 0);
    EXPECT_EQ(dlg->PrinterExtraScale(), 0);
    EXPECT_EQ(dlg->PrinterExtraSpecVersion(), 0);
    EXPECT_EQ(dlg->PrinterExtraTTOption(), 0);
    // The names block: an empty driver name, the device name, an empty port.
    const QString name = dlg->PrinterName();
    EXPECT_EQ(dlg->PrinterExtraDriverOffset(), 8);
    EXPECT_EQ(dlg->PrinterExtraDeviceOffset(), 9);
    EXPECT_EQ(dlg->PrinterExtraOutputOffset(), 10 + name.size());
    const QString area = dlg->PrinterExtraExtra();
    EXPECT_EQ(area.size(), 100);
    EXPECT_EQ(area.mid(1, name.size()), name);
    EXPECT_EQ(area.at(0), QChar(0));
}

TEST(CDlg, FolderAndHelp) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("backups"));
    Host host;
    CDlg* dlg = host.dlg;
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("backups"));
    kit::OnNextModal<QFileDialog>([&](QFileDialog* d) {
        d->setDirectory(folder);
        kit::Accept(d);
    });
    EXPECT_EQ(dlg->ShowBrowseForFolder(), folder);
    EXPECT_EQ(dlg->FolderPath(), folder);

    // Help opens the file with the desktop's default action.
    testsupport::FakeOpener opener;
    const QString help = dir.filePath(QStringLiteral("Reference.chm"));
    Touch(help);
    dlg->setHelpFile(help);
    dlg->setHelpCommand(1);
    dlg->setHelpContext(42);
    dlg->setAction(6);
    const QStringList urls = opener.urls();
    ASSERT_EQ(urls.size(), 1);
    EXPECT_EQ(QUrl(urls.first()).toLocalFile(), help);
}
