// Loaded by CDlg::ShowPrinter when a printer dialog is first shown
// (controls/CDlg.cpp).
#include "controls/PrinterDialog.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace {

// Dialog flags the printer dialog gives a meaning to.
constexpr int32_t PD_SELECTION = 0x1;
constexpr int32_t PD_PAGENUMS = 0x2;
constexpr int32_t PD_NOSELECTION = 0x4;
constexpr int32_t PD_NOPAGENUMS = 0x8;
constexpr int32_t PD_COLLATE = 0x10;
constexpr int32_t PD_PRINTTOFILE = 0x20;
constexpr int32_t PD_DISABLEPRINTTOFILE = 0x80000;
constexpr int32_t PD_HIDEPRINTTOFILE = 0x100000;
constexpr int32_t PD_CURRENTPAGE = 0x400000;

// Which fields of the printer settings record hold a value.
constexpr int32_t DM_ORIENTATION = 0x1;
constexpr int32_t DM_PAPERSIZE = 0x2;
constexpr int32_t DM_PAPERLENGTH = 0x4;
constexpr int32_t DM_PAPERWIDTH = 0x8;
constexpr int32_t DM_COPIES = 0x100;
constexpr int32_t DM_DEFAULTSOURCE = 0x200;
constexpr int32_t DM_PRINTQUALITY = 0x400;
constexpr int32_t DM_COLOR = 0x800;
constexpr int32_t DM_DUPLEX = 0x1000;
constexpr int32_t DM_YRESOLUTION = 0x2000;
constexpr int32_t DM_COLLATE = 0x8000;

// The printer-names block: four 16-bit fields, then the name area.
constexpr int kDevNamesHeader = 8;
constexpr int kDevNamesArea = 100;

// The paper bin numbers of the printer settings record.
int32_t PaperBin(QPrinter::PaperSource source) {
    switch (source) {
    case QPrinter::OnlyOne:
        return 1;
    case QPrinter::Lower:
        return 2;
    case QPrinter::Middle:
        return 3;
    case QPrinter::Manual:
        return 4;
    case QPrinter::Envelope:
        return 5;
    case QPrinter::EnvelopeManual:
        return 6;
    case QPrinter::Auto:
        return 7;
    case QPrinter::Tractor:
        return 8;
    case QPrinter::SmallFormat:
        return 9;
    case QPrinter::LargeFormat:
        return 10;
    case QPrinter::LargeCapacity:
        return 11;
    case QPrinter::Cassette:
        return 14;
    case QPrinter::FormSource:
        return 15;
    default:
        return 256; // a bin of the printer's own
    }
}

// Duplex modes of the record: 1 one-sided, 2 flipped on the long edge, 3 on
// the short one; 0 when the printer decides for itself.
int DuplexCode(QPrinter::DuplexMode mode) {
    switch (mode) {
    case QPrinter::DuplexNone:
        return 1;
    case QPrinter::DuplexLongSide:
        return 2;
    case QPrinter::DuplexShortSide:
        return 3;
    default:
        return 0;
    }
}

// The program's printer: the system's default printer until the dialog, with
// PrinterDefault set, switches it to the printer the user chose and copies the
// chosen settings onto it.
QPrinter& ProgramPrinter() {
    // Lives as long as the program: it stands for the printer the program
    // prints on, which outlives every window.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

bool showPrinterDialog(QWidget* owner, PrinterDialogState& state) {
    QPrinter& program = ProgramPrinter();
    QPrinter printer(QPrinter::HighResolution);
    if (!program.printerName().isEmpty())
        printer.setPrinterName(program.printerName());
    if (state.FromPage >= 0 && state.FromPage <= state.ToPage)
        printer.setFromTo(state.FromPage, state.ToPage);
    if (state.Flags & PD_COLLATE)
        printer.setCollateCopies(true);

    QPrintDialog dialog(&printer, owner);
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
    if (!(state.Flags & PD_NOSELECTION))
        options |= QAbstractPrintDialog::PrintSelection;
    // Equal lowest and highest pages leave nothing to choose between.
    if (!(state.Flags & PD_NOPAGENUMS) && state.Min != state.Max)
        options |= QAbstractPrintDialog::PrintPageRange;
    if (!(state.Flags & (PD_DISABLEPRINTTOFILE | PD_HIDEPRINTTOFILE)))
        options |= QAbstractPrintDialog::PrintToFile;
    if (state.Flags & PD_CURRENTPAGE)
        options |= QAbstractPrintDialog::PrintCurrentPage;
    dialog.setOptions(options);
    if (state.Min < state.Max)
        dialog.setMinMax(state.Min, state.Max);
    if (state.Flags & PD_SELECTION)
        dialog.setPrintRange(QAbstractPrintDialog::Selection);
    else if (state.Flags & PD_PAGENUMS)
        dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    else if (state.Flags & PD_CURRENTPAGE)
        dialog.setPrintRange(QAbstractPrintDialog::CurrentPage);

    if (dialog.exec() != QDialog::Accepted)
        return false;

    const QString device = printer.printerName();
    if (device != program.printerName() && state.PrinterDefault) {
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
            if (info.printerName().toUpper() == device.toUpper()) {
                program.setPrinterName(info.printerName());
                break;
            }
        }
    }

    int32_t flags = state.Flags & ~(PD_SELECTION | PD_PAGENUMS | PD_CURRENTPAGE | PD_COLLATE | PD_PRINTTOFILE);
    switch (printer.printRange()) {
    case QPrinter::Selection:
        flags |= PD_SELECTION;
        break;
    case QPrinter::PageRange:
        flags |= PD_PAGENUMS;
        state.FromPage = printer.fromPage();
        state.ToPage = printer.toPage();
        break;
    case QPrinter::CurrentPage:
        flags |= PD_CURRENTPAGE;
        break;
    default:
        break;
    }
    if (printer.collateCopies())
        flags |= PD_COLLATE;
    if (!printer.outputFileName().isEmpty())
        flags |= PD_PRINTTOFILE;
    state.Flags = flags;
    state.Copies = printer.copyCount();

    const QPageLayout layout = printer.pageLayout();
    const QSizeF paperMm = layout.pageSize().size(QPageSize::Millimeter);
    state.Orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    state.PaperBin = PaperBin(printer.paperSource());
    state.PrinterName = device;

    PrinterExtras x;
    x.Collate = printer.collateCopies() ? 1 : 0;
    x.Color = printer.colorMode() == QPrinter::Color ? 2 : 1;
    x.Duplex = DuplexCode(printer.duplex());
    x.PaperSize = layout.pageSize().windowsId();
    x.PaperLength = static_cast<int>(std::lround(paperMm.height() * 10));
    x.PaperWidth = static_cast<int>(std::lround(paperMm.width() * 10));
    x.PrintQuality = printer.resolution();
    x.YResolution = printer.resolution();
    x.Fields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES | DM_DEFAULTSOURCE |
               DM_PRINTQUALITY | DM_COLOR | DM_YRESOLUTION | DM_COLLATE | (x.Duplex ? DM_DUPLEX : 0);
    // The names block as the dialog returns it: no driver or port names exist
    // here, so the area holds an empty driver name, the device name and an
    // empty port name, each ended by a NUL.
    const QString driver, port;
    x.DriverOffset = kDevNamesHeader;
    x.DeviceOffset = kDevNamesHeader + 1 + static_cast<int>(driver.size());
    x.OutputOffset = x.DeviceOffset + static_cast<int>(device.size()) + 1;
    x.Default = !device.isEmpty() && device == QPrinterInfo::defaultPrinterName() ? 1 : 0;
    QString area = driver + QChar(0) + device + QChar(0) + port + QChar(0);
    area = area.leftJustified(kDevNamesArea, QChar(0), true);
    x.Extra = area;
    state.Extra = x;

    if (state.PrinterDefault) {
        program.setCopyCount(state.Copies);
        program.setDuplex(printer.duplex());
        program.setPageOrientation(layout.orientation());
        program.setPageSize(layout.pageSize());
        program.setResolution(printer.resolution());
        program.setColorMode(printer.colorMode());
        program.setPaperSource(printer.paperSource());
    }
    return true;
}

} // namespace

extern "C" Q_DECL_EXPORT bool veltrane_show_printer_dialog(QWidget* owner, PrinterDialogState& state) {
    return showPrinterDialog(owner, state);
}
