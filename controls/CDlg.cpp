#include "controls/CDlg.h"

#include "platform/DeviceCaps.h"
#include "platform/RuntimeError.h"
#include "platform/Shell.h"
#include "platform/Twips.h"
#include "platform/Ui.h"
#include "platform/ui/Ambient.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <cmath>
#include <type_traits>

namespace {

const QString kSource = QStringLiteral("Brantic user control");

// The design-time box: 420 x 420 twips.
constexpr int kDesignTwips = 420;

// Dialog flags the dialogs here give a meaning to.
constexpr int32_t OFN_OVERWRITEPROMPT = 0x2;
constexpr int32_t OFN_FILEMUSTEXIST = 0x1000;
constexpr int32_t CF_FIXEDPITCHONLY = 0x4000;
constexpr int32_t CF_SCALABLEONLY = 0x20000;
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

} // namespace

QPrinter& ProgramPrinter() {
    // Lives as long as the program: it stands for the printer the program
    // prints on, which outlives every window.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

CDlg::CDlg(QWidget* parent) : QWidget(parent) {
    InitProperties();
    ApplyMode();
}

// ---- design-time box ---------------------------------------------------------

void CDlg::ApplyMode() {
    if (platform::AmbientUserMode(this)) {
        hide();
        return;
    }
    resize(platform::TwipsToPixelsX(kDesignTwips), platform::TwipsToPixelsY(kDesignTwips));
}

void CDlg::setVisible(bool visible) {
    // Invisible while its host runs; only a host being designed shows the box.
    QWidget::setVisible(visible && !platform::AmbientUserMode(this));
}

void CDlg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        ApplyMode();
}

void CDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize box(platform::TwipsToPixelsX(kDesignTwips), platform::TwipsToPixelsY(kDesignTwips));
    if (!platform::AmbientUserMode(this) && size() != box)
        resize(box);
}

void CDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("CDlg"));
}

// ---- shared rules --------------------------------------------------------------

void CDlg::RequireRunMode() const {
    if (!platform::AmbientUserMode(this))
        throw platform::RuntimeError::fromNumber(387, kSource);
}

void CDlg::ResolveOwner() {
    if (m_OwnerHwnd == 0 && parentWidget())
        m_OwnerHwnd = platform::HandleOf(parentWidget()->window());
}

QWidget* CDlg::Owner() const {
    return qobject_cast<QWidget*>(platform::ObjectFromHandle(m_OwnerHwnd));
}

void CDlg::Cancelled() const {
    if (m_CancelError)
        throw platform::RuntimeError(kCancelError, kSource, QStringLiteral("Cancel was selected."));
}

void CDlg::About() {
    platform::MsgBox(QStringLiteral("CDlg\r\n\r\nThe common dialogs of Veltrane: open and save files, colours, fonts, "
                                    "printers, help files and folders."),
                     platform::MsgStyle::Information, QStringLiteral("About CDlg"));
}

// ---- file dialogs --------------------------------------------------------------

QStringList CDlg::NameFilters(const QString& storedFilter) {
    QStringList result;
    const QStringList parts = storedFilter.split(QChar(0));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        QStringList patterns;
        for (QString pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            // "*.*" means every file, with or without a dot in its name.
            patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

void CDlg::ShowOpen() {
    ShowFileDialog(false);
}

void CDlg::ShowSave() {
    ShowFileDialog(true);
}

void CDlg::ShowFileDialog(bool save) {
    ResolveOwner();
    QFileDialog dialog(Owner());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode((m_Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_Flags & OFN_OVERWRITEPROMPT));
    dialog.setWindowTitle(!m_DialogTitle.isEmpty() ? m_DialogTitle
                          : save                   ? QStringLiteral("Save As")
                                                   : QStringLiteral("Open"));
    const QStringList filters = NameFilters(m_Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        // The descriptions are shown as written; the patterns stay behind them.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
    }
    if (!m_InitDir.isEmpty())
        dialog.setDirectory(m_InitDir);
    if (!m_DefaultExt.isEmpty())
        dialog.setDefaultSuffix(m_DefaultExt);

    const bool confirmed = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    const QString path = confirmed ? QDir::toNativeSeparators(dialog.selectedFiles().first()) : QString();
    // The file buffer holds MaxFileSize characters; a longer path does not fit,
    // and the dialog fails as when cancelled.
    if (!confirmed || path.size() > m_MaxFileSize) {
        Cancelled();
        return;
    }
    const QString title = QFileInfo(path).fileName();
    m_Filename = path;
    m_FileOffset = static_cast<int>(path.size() - title.size());
    const qsizetype dot = title.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        m_ExtensionOffset = static_cast<int>(path.size()); // the end of the name
    else if (dot == title.size() - 1)
        m_ExtensionOffset = 0; // a name ending in a dot has no extension
    else
        m_ExtensionOffset = m_FileOffset + static_cast<int>(dot) + 1;
    m_FileTitle = title;
    // The dialog names the chosen filter by its description alone.
    const QString chosen = dialog.selectedNameFilter();
    m_FilterIndex = 0;
    for (int i = 0; i < filters.size(); ++i)
        if (filters.at(i) == chosen || filters.at(i).startsWith(chosen + QStringLiteral(" ("))) {
            m_FilterIndex = i + 1;
            break;
        }
}

// ---- colour and font -----------------------------------------------------------

void CDlg::ShowColor() {
    ResolveOwner();
    // The dialog's custom colours are shared by every dialog; this control
    // keeps its own sixteen and hands them over for the time it is open.
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, platform::ToQColor(m_CustomColors[i]));
    QColorDialog dialog(Owner());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(Qt::black);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i)
        m_CustomColors[i] = platform::FromQColor(QColorDialog::customColor(i));
    if (!confirmed) {
        Cancelled();
        return;
    }
    m_Color = platform::FromQColor(dialog.selectedColor());
}

CDlg::FontRecord CDlg::FontRecordOf(const QFont& font, int logPixelsY) {
    FontRecord r;
    r.FaceName = font.family().left(31);
    if (font.pointSizeF() > 0)
        r.Height = -static_cast<int32_t>(std::nearbyint(font.pointSizeF() * logPixelsY / 72.0));
    else
        r.Height = -font.pixelSize();
    r.Weight = static_cast<int32_t>(font.weight());
    r.Italic = font.italic();
    r.Underline = font.underline();
    r.StrikeOut = font.strikeOut();
    // The dialog offers no choice of character set; the record keeps the one
    // it was given.
    r.CharSet = 1;
    return r;
}

float CDlg::PointSizeOf(int32_t height, int logPixelsY) {
    if (logPixelsY <= 0)
        return 0;
    return static_cast<float>(std::nearbyint(-static_cast<double>(height) / logPixelsY * 72.0));
}

void CDlg::ShowFont() {
    ResolveOwner();
    // Only the face is offered; size and style start at the dialog's own.
    const QString face = m_FontName.left(31);
    QFontDialog dialog(QFont(face.isEmpty() ? QApplication::font().family() : face), Owner());
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (m_Flags & CF_FIXEDPITCHONLY)
        options |= QFontDialog::MonospacedFonts;
    if (m_Flags & CF_SCALABLEONLY)
        options |= QFontDialog::ScalableFonts;
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted) {
        Cancelled();
        return;
    }
    const int dpi = platform::GetDeviceCaps(platform::LOGPIXELSY);
    const FontRecord r = FontRecordOf(dialog.selectedFont(), dpi);
    m_FontName = r.FaceName;
    m_Color = 0; // the dialog has no colour choice: the record's black comes back
    m_FontCharSet = r.CharSet;
    m_FontItalic = r.Italic;
    m_FontStrikeThru = r.StrikeOut;
    m_FontUnderLine = r.Underline;
    m_FontBold = r.Weight > 400;
    m_FontSize = PointSizeOf(r.Height, dpi);
    m_hDC = 0;
}

// ---- printer ---------------------------------------------------------------------

void CDlg::ShowPrinter() {
    ResolveOwner();
    QPrinter& program = ProgramPrinter();
    QPrinter printer(QPrinter::HighResolution);
    if (!program.printerName().isEmpty())
        printer.setPrinterName(program.printerName());
    if (m_FromPage >= 0 && m_FromPage <= m_ToPage)
        printer.setFromTo(m_FromPage, m_ToPage);
    if (m_Flags & PD_COLLATE)
        printer.setCollateCopies(true);

    QPrintDialog dialog(&printer, Owner());
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
    if (!(m_Flags & PD_NOSELECTION))
        options |= QAbstractPrintDialog::PrintSelection;
    // Equal lowest and highest pages leave nothing to choose between.
    if (!(m_Flags & PD_NOPAGENUMS) && m_Min != m_Max)
        options |= QAbstractPrintDialog::PrintPageRange;
    if (!(m_Flags & (PD_DISABLEPRINTTOFILE | PD_HIDEPRINTTOFILE)))
        options |= QAbstractPrintDialog::PrintToFile;
    if (m_Flags & PD_CURRENTPAGE)
        options |= QAbstractPrintDialog::PrintCurrentPage;
    dialog.setOptions(options);
    if (m_Min < m_Max)
        dialog.setMinMax(m_Min, m_Max);
    if (m_Flags & PD_SELECTION)
        dialog.setPrintRange(QAbstractPrintDialog::Selection);
    else if (m_Flags & PD_PAGENUMS)
        dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    else if (m_Flags & PD_CURRENTPAGE)
        dialog.setPrintRange(QAbstractPrintDialog::CurrentPage);

    if (dialog.exec() != QDialog::Accepted) {
        Cancelled();
        return;
    }

    const QString device = printer.printerName();
    if (device != program.printerName() && m_PrinterDefault) {
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
            if (info.printerName().toUpper() == device.toUpper()) {
                program.setPrinterName(info.printerName());
                break;
            }
        }
    }

    int32_t flags = m_Flags & ~(PD_SELECTION | PD_PAGENUMS | PD_CURRENTPAGE | PD_COLLATE | PD_PRINTTOFILE);
    switch (printer.printRange()) {
    case QPrinter::Selection:
        flags |= PD_SELECTION;
        break;
    case QPrinter::PageRange:
        flags |= PD_PAGENUMS;
        m_FromPage = printer.fromPage();
        m_ToPage = printer.toPage();
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
    m_Flags = flags;
    m_Copies = printer.copyCount();

    const QPageLayout layout = printer.pageLayout();
    const QSizeF paperMm = layout.pageSize().size(QPageSize::Millimeter);
    m_Orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    m_PrinterDefaultSource = PaperBin(printer.paperSource());
    m_hDC = 0;
    m_PrinterName = device;

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
    m_Extra = x;

    if (m_PrinterDefault) {
        program.setCopyCount(m_Copies);
        program.setDuplex(printer.duplex());
        program.setPageOrientation(layout.orientation());
        program.setPageSize(layout.pageSize());
        program.setResolution(printer.resolution());
        program.setColorMode(printer.colorMode());
        program.setPaperSource(printer.paperSource());
    }
}

// ---- help and folders ------------------------------------------------------------

void CDlg::ShowHelp() {
    ResolveOwner();
    // The help file is opened with the desktop's default action; help commands,
    // contexts and keywords have no meaning to it.
    if (!m_HelpFile.trimmed().isEmpty())
        platform::ShellExecuteOpen(m_HelpFile);
}

QString CDlg::ShowBrowseForFolder() {
    ResolveOwner();
    QFileDialog dialog(Owner());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setWindowTitle(m_DialogTitle.isEmpty() ? QStringLiteral("Browse for Folder") : m_DialogTitle);
    // The tree starts at the desktop.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    dialog.setDirectory(QFileInfo(desktop).isDir() ? desktop : QDir::homePath());
    const bool confirmed = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    m_FolderPath = confirmed ? QDir::toNativeSeparators(dialog.selectedFiles().first()) : QString();
    if (!confirmed)
        Cancelled();
    return m_FolderPath;
}

// ---- properties --------------------------------------------------------------------

void CDlg::setFilter(const QString& New_Filter) {
    Store(m_Filter, QString(New_Filter).replace(QLatin1Char('|'), QChar(0)), "Filter");
}

void CDlg::setAction(int New_Action) {
    RequireRunMode();
    if (New_Action < 0 || New_Action > 6)
        throw platform::RuntimeError::fromNumber(380, kSource);
    Store(m_Action, New_Action, "Action");
    switch (New_Action) {
    case 1:
        ShowOpen();
        break;
    case 2:
        ShowSave();
        break;
    case 3:
        ShowColor();
        break;
    case 4:
        ShowFont();
        break;
    case 5:
        ShowPrinter();
        break;
    case 6:
        ShowHelp();
        break;
    default:
        break;
    }
}

// ---- property bag --------------------------------------------------------------------

template <class Self, class Visit> void CDlg::EachProperty(Self& self, Visit visit) {
    const QString none;
    visit("Color", self.m_Color, 0);
    visit("CancelError", self.m_CancelError, false);
    visit("Flags", self.m_Flags, 0);
    visit("DefaultExt", self.m_DefaultExt, none);
    visit("FileName", self.m_Filename, none);
    visit("Filter", self.m_Filter, none);
    visit("InitDir", self.m_InitDir, none);
    visit("DialogTitle", self.m_DialogTitle, none);
    visit("FileTitle", self.m_FileTitle, none);
    visit("Copies", self.m_Copies, 1);
    visit("FilterIndex", self.m_FilterIndex, 0);
    visit("MaxFileSize", self.m_MaxFileSize, 260);
    visit("FileOffset", self.m_FileOffset, 0);
    visit("ExtensionOffset", self.m_ExtensionOffset, 0);
    visit("FontBold", self.m_FontBold, false);
    visit("FontName", self.m_FontName, none);
    visit("FontSize", self.m_FontSize, 8.0f);
    visit("FontStrikeThru", self.m_FontStrikeThru, false);
    visit("FontUnderLine", self.m_FontUnderLine, false);
    visit("FontCharSet", self.m_FontCharSet, 0);
    visit("FontItalic", self.m_FontItalic, false);
    visit("hDC", self.m_hDC, 0);
    visit("PrinterDefault", self.m_PrinterDefault, false);
    visit("Min", self.m_Min, 0);
    visit("Max", self.m_Max, 0);
    visit("FromPage", self.m_FromPage, 0);
    visit("ToPage", self.m_ToPage, 0);
    visit("Orientation", self.m_Orientation, 1);
    visit("Action", self.m_Action, 0);
    visit("HelpCommand", self.m_HelpCommand, 0);
    visit("HelpContext", self.m_HelpContext, 0);
    visit("HelpFile", self.m_HelpFile, none);
    visit("HelpKey", self.m_HelpKey, none);
    visit("PrinterName", self.m_PrinterName, none);
    visit("PrinterDefaultSource", self.m_PrinterDefaultSource, 0);
    visit("FolderPath", self.m_FolderPath, none);
    visit("BrowseSpecialFolder", self.m_BrowseSpecialFolder, 0);
}

void CDlg::InitProperties() {
    EachProperty(*this, [](const char*, auto& field, const auto& def) { field = def; });
}

void CDlg::ReadProperties(const platform::PropertyBag& PropBag) {
    EachProperty(*this, [&PropBag](const char* key, auto& field, const auto& def) {
        using Field = std::decay_t<decltype(field)>;
        field = PropBag.ReadProperty(QLatin1String(key), QVariant::fromValue(def)).template value<Field>();
    });
}

void CDlg::WriteProperties(platform::PropertyBag& PropBag) const {
    EachProperty(*this, [&PropBag](const char* key, const auto& field, const auto& def) {
        PropBag.WriteProperty(QLatin1String(key), QVariant::fromValue(field), QVariant::fromValue(def));
    });
}
